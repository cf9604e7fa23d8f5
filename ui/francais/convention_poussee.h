#pragma once

#include <QString>

namespace trajel {

// The program's thrust convention, said where a burn's delta-v is shown: the thrust in
// newtons divided by the mass in kilograms is added to the acceleration in km/s^2 as it
// stands, while the mass flow uses g0 = 9.81 m/s^2.

// The label of a delta-v in that convention.
QString titre_delta_v_convention();

// The label of the delta-v the same mass consumption gives in SI units.
QString titre_delta_v_si();

// The convention in one line: the readout's and the assistant's, and the tooltip of the
// thrust boxes' frame (Frame_Poussee).
QString explication_convention_poussee();

// "12,074 km/s" in the convention, beside "12,074 m/s" in SI units: the same number,
// isp g0 ln(m0 / mf), read in km/s by the program and in m/s by the rocket equation.
QString delta_v_et_si(double delta_v);

} // namespace trajel
