#include "manoeuvre/lecture.h"

#include "render/scene.h"

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

bool proches(double a, double b) {
    return std::abs(a - b) <= 1e-6 * std::max({1.0, std::abs(a), std::abs(b)});
}

// The orbit a burn reached, as conversion_etat classified it, is the record's.
bool meme_orbite(const orbite_etat& o, const trajectoire& t) {
    return proches(std::abs(o.excentricite), std::abs(t.excentricite)) && proches(o.zp, t.zp) &&
           proches(o.inclinaison, t.inclinaison);
}

} // namespace

lecture_orbite lire_orbite(const trajectoire& t, const modele_terre& modele) {
    return lire_orbite(t, dernier_tir, modele);
}

lecture_orbite lire_orbite(const trajectoire& t, const std::optional<bilan_tir>& tir,
                           const modele_terre& modele) {
    lecture_orbite l;
    try {
        l.orbite = caracteristiques_de(conique_de(t, modele));
        anomalies_suivies suivies;
        if (!l.orbite->c.fermee()) {
            const plage_anomalies plage = plage_tracee(t);
            suivies = {static_cast<double>(plage.debut), static_cast<double>(plage.fin)};
        }
        l.satellite = satellite_de(*l.orbite, t.anomalie, suivies);
    } catch (const erreur_calcul&) {
    }
    if (tir) {
        try {
            l.tir = chiffres_du_tir(*tir);
            l.tir_sur_cette_orbite = l.tir->apres_tir && meme_orbite(*l.tir->apres_tir, t);
        } catch (const erreur_calcul&) {
        }
    }
    return l;
}

} // namespace trajel
