#pragma once

#include <QString>

#include <optional>

namespace trajel {

// Numbers as the readouts show them, in French: decimal comma, digits grouped by a
// narrow no-break space, 5 significant digits by default (trailing zeros dropped),
// powers of ten beyond a million or below a thousandth. Display only: the boxes keep
// their own rule. What has no value is shown "-".
QString nombre_fr(double x, int chiffres = 5);
QString valeur_fr(const std::optional<double>& x, const QString& unite, int chiffres = 5);

// A duration in days, hours, minutes and seconds: "54 min 36,6 s", "4 h 25 min 3 s".
QString duree_fr(const std::optional<double>& secondes);

} // namespace trajel
