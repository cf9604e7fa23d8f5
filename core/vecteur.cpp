#include "core/vecteur.h"

#include <cmath>

namespace trajel {

double arccos(const double& c) {
    const double s = racine(-c * c + 1.0);
    return controle(std::atan(quotient(-c, s)) + 2.0 * std::atan(1.0));
}

double angle_oriente(const vecteur& a, const vecteur& b, const vecteur& ref) {
    const double na = norme(a);
    const double nb = norme(b);
    const double d = prod_scalaire(a, b);
    vecteur n;
    prod_vectoriel(a, b, n);
    const double nn = norme(n);

    double r = 0.0;
    if (nn == 0.0) {
        // Parallel vectors, or a zero one. The sign of the dot product decides, so that
        // opposite vectors whose lengths multiply with a rounding error still give pi.
        r = d < 0.0 ? pi : 0.0;
    } else if (d == 0.0) {
        const double s = prod_scalaire(n, ref);
        r = s > 0.0 ? demi_pi : (s < 0.0 ? trois_demi_pi : 0.0);
    } else {
        const double c = quotient(d, controle(na * nb));
        if (c >= 1.0) { // rounding may carry c just past +-1 for nearly parallel vectors
            r = 0.0;
        } else if (c <= -1.0) {
            r = pi;
        } else {
            const double s = prod_scalaire(n, ref);
            if (s > 0.0) {
                r = arccos(c);
            } else if (s < 0.0) {
                r = deux_pi - arccos(c);
            } else {
                r = trois_demi_pi; // ref in the plane of a and b: no sense of turning
            }
        }
    }
    return controle(180.0 / pi * r);
}

} // namespace trajel
