#include "render/cadrage.h"

#include "core/erreur.h"
#include "core/trajectoire.h"
#include "render/projection.h"
#include "render/scene.h"

#include <algorithm>
#include <cmath>

namespace trajel {

double zoom_ajuste(const trajectoire& t, double marge) {
    // The largest distances from the centre along the picture's width and height, km:
    // at least the Earth's radius.
    double demi_x = rayon_terre;
    double demi_y = rayon_terre;
    auto inclure = [&](const vecteur& p) {
        point_vue vue;
        projeter(repere_vue, p, vue);
        demi_x = std::max(demi_x, std::abs(controle(vue.x)));
        demi_y = std::max(demi_y, std::abs(controle(vue.y)));
    };
    // The ends of the conic's steps nu to nu + 1, as tracer_scene draws them:
    // r = p / (1 + e cos nu) along u of repere_orbital(Omega, i, omega + nu).
    const plage_anomalies plage = plage_tracee(t);
    for (int nu = plage.debut; nu <= plage.fin + 1 && plage.debut <= plage.fin; ++nu) {
        vecteur p;
        if (point_sur_conique(t, static_cast<double>(nu), p)) { // where the conic reaches
            inclure(p);
        }
    }
    vecteur satellite;
    if (point_sur_conique(t, t.anomalie, satellite)) {
        inclure(satellite);
    }
    // |x| Hc zoom / 16000 <= (1 - marge) W / 2, and the same for y with Hc.
    const double libre = 1.0 - marge;
    const double par_largeur =
        quotient(controle(libre * largeur_image / 2.0 * 16000.0), controle(hauteur_image * demi_x));
    const double par_hauteur = quotient(controle(libre * 8000.0), demi_y);
    return std::min(par_largeur, par_hauteur);
}

} // namespace trajel
