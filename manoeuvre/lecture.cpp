#include "manoeuvre/lecture.h"

#include "render/scene.h"

namespace trajel {

lecture_orbite lire_orbite(const trajectoire& t) {
    lecture_orbite l;
    try {
        l.orbite = caracteristiques_de(conique_de(t));
        anomalies_suivies suivies;
        if (!l.orbite->c.fermee()) {
            const plage_anomalies plage = plage_tracee(t);
            suivies = {static_cast<double>(plage.debut), static_cast<double>(plage.fin)};
        }
        l.satellite = satellite_de(*l.orbite, t.anomalie, suivies);
    } catch (const erreur_calcul&) {
    }
    if (dernier_tir) {
        try {
            l.tir = chiffres_du_tir(*dernier_tir);
        } catch (const erreur_calcul&) {
        }
    }
    return l;
}

} // namespace trajel
