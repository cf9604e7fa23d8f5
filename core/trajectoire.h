#pragma once

#include "core/module1.h"

namespace trajel {

// Reads the orbit, satellite and thrust inputs of Form1 into t (always traj) and the
// satellite globals, derives the conic and its four frames, and sets Label_debit to
// "0". A hyperbola whose angle Phi has a cosine outside (0, 1) is refused.
void calcul_trajectoire(trajectoire& t);

// The frame of an orbit: rotations about z by the node longitude, about the new x by
// the inclination, about the new z by an angle in the orbit plane from the node.
// All three in degrees. u points along that angle, w along the orbit normal.
void repere_orbital(const double& grand_omega, const double& inclinaison, const double& angle,
                    repere& out);

// The frame at longitude and latitude (degrees): u the unit direction there, v the
// heading (degrees from the east towards the north), w = u x v.
void repere_local(const double& longitude, const double& latitude, const double& cap, repere& out);

} // namespace trajel
