#pragma once

#include "core/module1.h"

#include <vector>

namespace trajel {

// "Marques du mouvement": off at start, so that the scene is the plain one.
inline bool marques_du_mouvement = false;

// Over the scene of t, in couleur_trajectoire: a filled disc at the satellite and, in a
// lighter shade beside it, a chevron pointing along its motion, "P" and "A" at the periapsis and
// apoapsis of an ellipse, and a diamond labelled "NA" at the ascending node on the conic. A mark
// whose point is not at a finite distance, or lies far outside the picture, is left out. The pen is
// width 1, solid, afterwards.
void tracer_marques(const trajectoire& t);

// tracer_marques(t) when marques_du_mouvement is on; nothing otherwise.
void tracer_marques_demandees(const trajectoire& t);

// A point or a unit direction on the picture, canvas units, y downwards.
struct point_canevas {
    double x;
    double y;
};

// The satellite's disc radius, canvas units.
inline constexpr double rayon_disque = 50.0;

// The chevron along the unit direction d, as a filled polygon (tip, arm, notch, arm),
// beside the disc at `satellite` and clear of "S", whose top-left corner is there:
// ahead of the disc, else behind it, else on either side.
std::vector<double> chevron_a_cote(const point_canevas& satellite, const point_canevas& d);

} // namespace trajel
