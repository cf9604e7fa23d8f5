#include "render/projection.h"

#include "core/surface.h"
#include "core/trajectoire.h"

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

// The box lines are cut to: the canvas and a margin of 1e8 units on every side.
constexpr double marge_cadre = 1e8;

// The part of the line (x1, y1)-(x2, y2) inside the box, ends floored to
// whole units; false when none of it is. A line wholly inside is left as it is.
bool couper_hors_cadre(double& x1, double& y1, double& x2, double& y2) {
    const double gauche = -marge_cadre;
    const double haut = -marge_cadre;
    const double droite = static_cast<double>(largeur_image) + marge_cadre;
    const double bas = static_cast<double>(hauteur_image) + marge_cadre;
    if (std::min(x1, x2) >= gauche && std::max(x1, x2) <= droite && std::min(y1, y2) >= haut &&
        std::max(y1, y2) <= bas) {
        return true;
    }
    if (!couper_segment(x1, y1, x2, y2, gauche, haut, droite, bas)) {
        return false;
    }
    x1 = std::floor(x1);
    y1 = std::floor(y1);
    x2 = std::floor(x2);
    y2 = std::floor(y2);
    return true;
}

} // namespace

bool point_sur_conique(const trajectoire& t, double nu, vecteur& p) {
    const double denominateur = controle(1.0 + controle(t.excentricite * std::cos(deg_rad(nu))));
    if (!(denominateur > 0.0)) {
        return false;
    }
    mult_scalaire(quotient(t.parametre, denominateur),
                  u_orbital(trigo_de(t.grand_omega), trigo_de(t.inclinaison),
                            trigo_de(controle(t.petit_omega + nu))),
                  p);
    return true;
}

bool terre_cache(const vecteur& p, const point_vue& vue, const modele_terre& modele) {
    return !(prod_scalaire(p, repere_vue.u) >= 0.0 ||
             racine(vue.x * vue.x + vue.y * vue.y) >= modele.rayon);
}

double echelle_image() {
    return controle(static_cast<double>(hauteur_image) * zoom / 16000.0);
}

void tracer_segment(const point_vue& a, const point_vue& b, const std::int16_t& n) {
    const double k = echelle_image();
    const double demi_largeur = static_cast<double>(largeur_image) / 2.0;
    const double demi_hauteur = static_cast<double>(hauteur_image) / 2.0;
    // Floor, not nearest. Only a NaN or an infinity is an error: a line reaching far off
    // the canvas is cut, in double precision, where it leaves a box well outside it, so
    // that its whole coordinates stay in range and it is drawn as far as it crosses the
    // canvas.
    double x1 = std::floor(controle(controle(a.x * k) + demi_largeur));
    double y1 = std::floor(controle(demi_hauteur - controle(a.y * k)));
    double x2 = std::floor(controle(controle(b.x * k) + demi_largeur));
    double y2 = std::floor(controle(demi_hauteur - controle(b.y * k)));
    if (!couper_hors_cadre(x1, y1, x2, y2)) {
        return; // wholly beyond the box: nothing of it can be seen
    }
    Form1->Picture1().Line(entier32(x1), entier32(y1), entier32(x2), entier32(y2), n);
}

namespace {

// An open conic's steps widened to hold the satellite, when its anomaly (taken in
// (-180, 180]) lies strictly between the asymptotes at +-limite degrees; every step,
// nu to nu + 1, stays strictly inside them.
plage_anomalies elargie_au_satellite(plage_anomalies bornes, double limite, double anomalie) {
    const double nu = std::remainder(controle(anomalie), 360.0);
    if (!(std::abs(nu) < limite)) {
        return bornes;
    }
    const double dernier = std::ceil(limite) - 2.0; // the last step start: nu + 1 < limite
    const double premier = 1.0 - std::ceil(limite); // the first: nu > -limite
    bornes.fin = std::max(bornes.fin, static_cast<int>(std::min(std::ceil(nu), dernier)));
    bornes.debut = std::min(bornes.debut, static_cast<int>(std::max(std::floor(nu), premier)));
    return bornes;
}

} // namespace

plage_anomalies plage_tracee(const trajectoire& t) {
    if (t.type_conique == circulaire || t.type_conique == elliptique) {
        return {entier16(t.anomalie), entier16(controle(t.anomalie + 360.0))};
    }
    if (t.type_conique == parabolique) {
        return elargie_au_satellite({-120, 120}, 180.0, t.anomalie);
    }
    if (t.type_conique == hyperbolique) {
        // Phi, the angle in (0, 90) whose cosine is 1 / e (405 is 45): steps from Phi - 160
        // to 160 - Phi, 20 degrees short of each asymptote at 180 - Phi.
        const double c = std::cos(deg_rad(t.angle_asymptote));
        if (!(c > 0.0 && c < 1.0)) {
            return {entier16(controle(20.0 - t.angle_asymptote)),
                    entier16(controle(t.angle_asymptote - 20.0))};
        }
        const double phi = controle(180.0 / pi * arccos(c));
        return elargie_au_satellite({entier16(phi - 160.0), entier16(160.0 - phi)},
                                    controle(180.0 - phi), t.anomalie);
    }
    return {0, 0};
}

} // namespace trajel
