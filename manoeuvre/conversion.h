#pragma once

#include "core/module1.h"

#include <cstdint>

namespace trajel {

// Between a trajectory record and the satellite's state vector (km, km/s, Earth-centred
// frame). sens 1: record to state; writes the eccentricity and parameter of T (from the
// altitudes or the angle Phi) and r, v. sens 2: state to record; writes the conic type,
// the angles, the shape and the four frames of T (za only when bound, angle_asymptote
// only when hyperbolic). Any other sens does nothing. An arithmetic error leaves T, r
// and v as they were.
// T made the parabola of its own parameter p: e = 1, the periapsis at p / 2 (the conic
// of a state at the escape threshold, where the energy and e - 1 are rounding noise).
void en_parabole(trajectoire& T, const modele_terre& modele = terre_du_programme);

// Altitudes are above the model's Earth, speeds under its mu.
void conversion_etat(const std::int16_t& sens, trajectoire& T, vecteur& r, vecteur& v,
                     const modele_terre& modele = terre_du_programme);

} // namespace trajel
