#pragma once

#include "core/module1.h"

namespace trajel {

// The share of each half-picture left free around the fitted scene.
inline constexpr double marge_cadrage = 0.08;

// A box of the view plane, km, y upwards.
struct boite_plan {
    double gauche = 0.0;
    double droite = 0.0;
    double bas = 0.0;
    double haut = 0.0;
};

// The box holding the conic of t over the range it is drawn on (the ends of its steps),
// the Earth's disc, the satellite and the exercise's orbits drawn, seen along `vue`; raises the
// arithmetic error where a point is not finite.
boite_plan boite_cadree(const trajectoire& t, const repere& vue,
                        const modele_terre& modele = terre_du_programme);

// The same box in the picture's units (twips, y downwards) as tracer_segment places it:
// X = x k + W/2, Y = Hc/2 - y k, k = Hc zoom / 16000.
struct boite_image {
    double gauche = 0.0;
    double haut = 0.0;
    double droite = 0.0;
    double bas = 0.0;
};
boite_image boite_dans_l_image(const boite_plan& b, double zoom, double largeur, double hauteur);

// The zoom at which the conic of t over the range it is drawn on, the Earth's disc and
// the satellite fit the picture, a margin of `marge` of each half-width and half-height
// left free: the scene is centred on the Earth's centre, so each point (x, y) of the
// view plane must keep |x| k <= (1 - marge) W / 2 and |y| k <= (1 - marge) Hc / 2, with
// k = Hc zoom / 16000. Reads repere_vue, largeur_image and hauteur_image as the last view
// set-up left them; raises the arithmetic error where a point is not finite.
double zoom_ajuste(const trajectoire& t, double marge = marge_cadrage,
                   const modele_terre& modele = terre_du_programme);

} // namespace trajel
