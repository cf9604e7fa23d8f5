#pragma once

#include "core/module1.h"
#include "manoeuvre/bilan_tir.h"

#include <optional>
#include <string>
#include <vector>

namespace trajel {

// An orbit as the journal shows it: its type, Za (ellipse) or Phi (hyperbola), Zp, i.
struct orbite_journal {
    std::string type_conique;
    std::optional<double> za_ou_phi; // km or degrees; none for a circle or a parabola
    double zp = 0.0;                 // km
    double inclinaison = 0.0;        // degrees

    bool operator==(const orbite_journal&) const = default;
};

orbite_journal orbite_journal_de(const trajectoire& t);

// One completed burn, in firing order.
struct ligne_journal {
    double anomalie = 0.0; // degrees, at ignition
    vecteur poussee;       // N: radial, ortho-radial, normal
    double duree = 0.0;    // s
    int pas = 0;
    double masse_avant = 0.0; // kg
    double masse_apres = 0.0; // kg
    double delta_v = 0.0;     // km/s, isp g0 ln(m0 / mf) as the burn integrates it
    orbite_journal avant;
    orbite_journal apres;
    // The burn's record (numero 0), from which its earlier orbit and powered arc are
    // drawn again; none in lessons that did not keep it.
    std::optional<bilan_tir> tir;

    bool operator==(const ligne_journal&) const = default;
};

// The row of the burn b, fired from `avant` (traj at ignition), which reached `apres`
// (traj as the window reads it back).
ligne_journal ligne_du_tir(const bilan_tir& b, const trajectoire& avant, const trajectoire& apres);

// The mission's totals.
struct totaux_journal {
    double delta_v = 0.0;         // km/s
    double masse_consommee = 0.0; // kg
    double duree = 0.0;           // s of burning
};

totaux_journal totaux(const std::vector<ligne_journal>& lignes);

// The table as text cells for a spreadsheet: a header row, then one row a burn (its
// number first), numbers with "." and up to 15 significant digits, "-" where an orbit
// has no Za or Phi.
std::vector<std::string> entetes_journal();
std::vector<std::vector<std::string>> cellules_journal(const std::vector<ligne_journal>& lignes);

// Tab-separated (for the clipboard) and CSV (RFC 4180: commas, cells with a comma or a
// quote quoted) texts of the cells, one line a row, ending with "\n".
std::string texte_tabule(const std::vector<std::vector<std::string>>& lignes);
std::string texte_csv(const std::vector<std::vector<std::string>>& lignes);

// The journal for a French spreadsheet: UTF-8 with a byte-order mark, ";" between fields,
// every number with a decimal comma and the shortest digits that read back to the same
// double (no thousands separator), the header's units; a cell holding ";", a quote or a
// line break quoted.
std::string csv_tableur_fr(const std::vector<ligne_journal>& lignes);

// Any table in that same form (the first row its header), and a number as it writes one.
std::string tableur_fr(const std::vector<std::vector<std::string>>& lignes);
std::string nombre_tableur_fr(double x);

} // namespace trajel
