#include "manoeuvre/correction.h"

#include "core/erreur.h"

namespace trajel {

correction_copie corriger(const exercice& e, const std::vector<ligne_journal>& journal,
                          const std::optional<score_exercice>& annonce,
                          std::optional<double> temps_mission) {
    correction_copie c;
    c.score = noter(e, rejouer(e, journal), temps_mission);
    if (annonce) {
        c.differences = differences_copie(e, journal, *annonce);
    } else {
        c.differences.push_back("La copie n'annonce aucun score.");
    }
    return c;
}

std::vector<trajectoire> orbites_du_plan(const trajectoire& depart, const solution_optimale& s,
                                         const modele_terre& m) {
    std::vector<trajectoire> orbites;
    trajectoire t = depart;
    try {
        for (const tir_impulsionnel& b : s.tirs) {
            if (!b.point_libre) {
                t.anomalie = b.anomalie;
            }
            orbites.push_back(t);
            t = impulsion(t, b, m);
        }
        orbites.push_back(t);
    } catch (const erreur_calcul&) {
        // the orbits up to the burn that could not be flown
    }
    return orbites;
}

} // namespace trajel
