#pragma once

namespace trajel {

// Physical constants. The Earth of this program is 3618 km in radius.
inline constexpr double rayon_terre = 3618.0; // km
inline constexpr double mu_terre = 398603.0;  // km^3/s^2

} // namespace trajel
