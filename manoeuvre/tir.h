#pragma once

#include "core/module1.h"

namespace trajel {

// The burn from the satellite's place on T (always traj): integrates the powered flight
// read from the window (duration Text11, steps Text12, thrust, mass, Isp), writes the
// conic reached into the element boxes and the options, the remaining mass into Text6
// and the consumed mass into Label_debit, then draws the orbit before the burn, the new
// orbit and the powered arc. A burn that cannot be computed is refused (tir_refuse)
// before anything is changed; an arithmetic error leaves the window, T and the shared
// values as they were.
void calcul_tir(trajectoire& T);

// "Tir !": rereads the window into traj and the satellite values, then fires.
void cmd_tir_Click();

} // namespace trajel
