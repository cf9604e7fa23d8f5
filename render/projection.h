#pragma once

#include "core/module1.h"

#include <cstdint>

namespace trajel {

// The view plane and the picture, as the last view set-up left them (repere_vue, zoom,
// largeur_image, hauteur_image): what the scene, the marks and the coasts draw with.

// Canvas units a kilometre of the view plane: k = hauteur_image x zoom / 16000.
double echelle_image();

// The point of t's conic at true anomaly nu (degrees), r = p / (1 + e cos nu) along u of
// repere_orbital(grand_omega, inclinaison, petit_omega + nu), km; false where the conic
// does not reach (1 + e cos nu <= 0).
bool point_sur_conique(const trajectoire& t, double nu, vecteur& p);

// Whether the Earth hides the point p (km) that projects to vue: behind the Earth's
// centre plane (p . u < 0) and inside the Earth's disc on the view plane.
bool terre_cache(const vecteur& p, const point_vue& vue,
                 const modele_terre& modele = terre_du_programme);

// One line between two view-plane points (km) in palette colour n, with the current
// pen. k = hauteur_image x zoom / 16000 units per km; X = floor(x k + W/2),
// Y = floor(Hc/2 - y k).
void tracer_segment(const point_vue& a, const point_vue& b, const std::int16_t& n);

// The true anomalies of the conic's steps, whole degrees debut..fin (none when debut >
// fin): the range drawn for t. Bounds beyond the 16-bit range overflow.
struct plage_anomalies {
    int debut;
    int fin;
};
plage_anomalies plage_tracee(const trajectoire& t);

} // namespace trajel
