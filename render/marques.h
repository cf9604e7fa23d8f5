#pragma once

#include "core/module1.h"

namespace trajel {

// "Marques du mouvement": off at start, so that the scene is the plain one.
inline bool marques_du_mouvement = false;

// Over the scene of t, in couleur_trajectoire: a chevron at the satellite pointing
// along its motion, "P" and "A" at the periapsis and apoapsis of an ellipse, and a
// diamond labelled "NA" at the ascending node on the conic. A mark whose point is
// not at a finite distance, or lies far outside the picture, is left out. The pen is
// width 1, solid, afterwards.
void tracer_marques(const trajectoire& t);

// tracer_marques(t) when marques_du_mouvement is on; nothing otherwise.
void tracer_marques_demandees(const trajectoire& t);

} // namespace trajel
