#pragma once

#include "core/module1.h"

namespace trajel {

// The share of each half-picture left free around the fitted scene.
inline constexpr double marge_cadrage = 0.08;

// The zoom at which the conic of t over the range it is drawn on, the Earth's disc and
// the satellite fit the picture, a margin of `marge` of each half-width and half-height
// left free: the scene is centred on the Earth's centre, so each point (x, y) of the
// view plane must keep |x| k <= (1 - marge) W / 2 and |y| k <= (1 - marge) Hc / 2, with
// k = Hc zoom / 16000. Reads repere_vue, largeur_image and hauteur_image as the last view
// set-up left them; raises the arithmetic error where a point is not finite.
double zoom_ajuste(const trajectoire& t, double marge = marge_cadrage);

} // namespace trajel
