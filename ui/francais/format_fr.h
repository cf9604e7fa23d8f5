#pragma once

#include <QString>

#include <optional>

namespace trajel {

// Significant digits of every number the tools, the worksheet and the printed caption
// show; a column that needs more says why where it asks for them.
constexpr int chiffres_affiches = 6;

// Numbers as the tools, the worksheet and the printed caption show them, in French:
// decimal comma, digits grouped by a narrow no-break space, `chiffres` significant
// digits (trailing zeros dropped), powers of ten as "1,5 × 10⁻⁶" beyond a million or
// below a thousandth. Display only: the boxes keep their own rule, a CSV plain numbers.
// What has no value is shown "-".
QString nombre_fr(double x, int chiffres = chiffres_affiches);
QString valeur_fr(const std::optional<double>& x, const QString& unite,
                  int chiffres = chiffres_affiches);

// A duration in days, hours, minutes and seconds: "54 min 36,6 s", "4 h 25 min 3 s".
QString duree_fr(const std::optional<double>& secondes);

} // namespace trajel
