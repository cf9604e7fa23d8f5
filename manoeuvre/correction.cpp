#include "manoeuvre/correction.h"

#include "core/erreur.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/tir.h"

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

std::vector<trajectoire> orbites_du_plan(const trajectoire& depart, const solution_optimale& s) {
    std::vector<trajectoire> orbites;
    trajectoire t = depart;
    try {
        for (const tir_impulsionnel& b : s.tirs) {
            if (!b.point_libre) {
                t.anomalie = b.anomalie;
            }
            orbites.push_back(t);
            // The impulse at the burn's point: delta_v along its direction in the local
            // frame (x radial, y ortho-radial, z normal).
            vecteur r;
            vecteur v;
            conversion_etat(1, t, r, v);
            const repere L = repere_local_de(r, v);
            const vecteur& d = b.direction;
            v.x += b.delta_v * (d.x * L.u.x + d.y * L.v.x + d.z * L.w.x);
            v.y += b.delta_v * (d.x * L.u.y + d.y * L.v.y + d.z * L.w.y);
            v.z += b.delta_v * (d.x * L.u.z + d.y * L.v.z + d.z * L.w.z);
            t = orbite_atteinte(etat_de(r, v, 1.0));
        }
        orbites.push_back(t);
    } catch (const erreur_calcul&) {
        // the orbits up to the burn that could not be flown
    }
    return orbites;
}

} // namespace trajel
