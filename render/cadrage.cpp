#include "render/cadrage.h"

#include "core/erreur.h"
#include "core/trajectoire.h"
#include "render/fantomes.h"
#include "render/projection.h"
#include "render/scene.h"

#include <algorithm>
#include <cmath>

namespace trajel {

boite_plan boite_cadree(const trajectoire& t, const repere& vue, const modele_terre& modele) {
    // At least the Earth's disc about the centre.
    const double r = modele.rayon;
    boite_plan b{-r, r, -r, r};
    auto inclure = [&](const vecteur& p) {
        point_vue v;
        projeter(vue, p, v);
        const double x = controle(v.x);
        const double y = controle(v.y);
        b.gauche = std::min(b.gauche, x);
        b.droite = std::max(b.droite, x);
        b.bas = std::min(b.bas, y);
        b.haut = std::max(b.haut, y);
    };
    // The ends of the conic's steps nu to nu + 1, as tracer_scene draws them:
    // r = p / (1 + e cos nu) along u of repere_orbital(Omega, i, omega + nu).
    const auto inclure_conique = [&](const trajectoire& c) {
        const plage_anomalies plage = plage_tracee(c);
        for (int nu = plage.debut; nu <= plage.fin + 1 && plage.debut <= plage.fin; ++nu) {
            vecteur p;
            if (point_sur_conique(c, static_cast<double>(nu), p)) { // where the conic reaches
                inclure(p);
            }
        }
    };
    inclure_conique(t);
    vecteur satellite;
    if (point_sur_conique(t, t.anomalie, satellite)) {
        inclure(satellite);
    }
    // An exercise's target and solution are part of the scene to fit.
    if (orbites_de_l_exercice) {
        const orbites_exercice o = orbites_de_l_exercice();
        if (o.cible) {
            inclure_conique(*o.cible);
        }
        for (const orbite_fantome& f : o.solution) {
            inclure_conique(f.orbite);
        }
    }
    return b;
}

boite_image boite_dans_l_image(const boite_plan& b, double zoom, double largeur, double hauteur) {
    const double k = controle(hauteur * zoom / 16000.0);
    return {controle(b.gauche * k + largeur / 2.0), controle(hauteur / 2.0 - b.haut * k),
            controle(b.droite * k + largeur / 2.0), controle(hauteur / 2.0 - b.bas * k)};
}

double zoom_ajuste(const trajectoire& t, double marge, const modele_terre& modele) {
    // The largest distances from the centre along the picture's width and height, km.
    const boite_plan b = boite_cadree(t, repere_vue, modele);
    const double demi_x = std::max(-b.gauche, b.droite);
    const double demi_y = std::max(-b.bas, b.haut);
    // |x| Hc zoom / 16000 <= (1 - marge) W / 2, and the same for y with Hc.
    const double libre = 1.0 - marge;
    const double par_largeur =
        quotient(controle(libre * largeur_image / 2.0 * 16000.0), controle(hauteur_image * demi_x));
    const double par_hauteur = quotient(controle(libre * 8000.0), demi_y);
    return std::min(par_largeur, par_hauteur);
}

} // namespace trajel
