#pragma once

#include "core/erreur.h"

namespace trajel {

// A vector of three components; its unit is its user's (km, km/s, N, or none for
// a direction). Components are also addressed by number, 1 to 3.
struct vecteur {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    double& operator()(int i) { return i == 1 ? x : (i == 2 ? y : z); }
    double operator()(int i) const { return i == 1 ? x : (i == 2 ? y : z); }

    bool operator==(const vecteur&) const = default;
};

// Three orthonormal axes forming a right-handed frame (w = u x v). Read as a matrix
// whose rows are the axes, it turns inertial coordinates into frame coordinates.
struct repere {
    vecteur u;
    vecteur v;
    vecteur w;

    bool operator==(const repere&) const = default;
};

// A point of the view plane, in the unit of the projected vector.
struct point_vue {
    double x = 0.0;
    double y = 0.0;
};

// The program's pi and the angle constants derived from it. 3.141592658 exceeds the
// true pi by about 4.4e-9; every conversion uses it so that both directions agree.
inline constexpr double pi = 3.141592658;
inline constexpr double demi_pi = 1.570796329;       // 3.141592658 / 2
inline constexpr double trois_demi_pi = 4.712388987; // 9.424777974 / 2
inline constexpr double deux_pi = 6.283185316;

// angle * pi / 180: degrees to radians.
inline double deg_rad(const double& angle) {
    return controle(angle * pi / 180.0);
}

// |v|, as a power 0.5 of the sum of squares.
inline double norme(const vecteur& v) {
    return puissance(v.x * v.x + v.y * v.y + v.z * v.z, 0.5);
}

// a . b, summed as (x x' + y y') + z z'. Each product is guarded on its own, so
// that two overflowing terms of opposite signs report an overflow, not inf - inf.
inline double prod_scalaire(const vecteur& a, const vecteur& b) {
    return controle((controle(a.x * b.x) + controle(a.y * b.y)) + controle(a.z * b.z));
}

// out = v / |v|; out may be v itself. The zero vector divides by zero.
inline void unitaire(const vecteur& v, vecteur& out) {
    const double n = norme(v);
    if (n == 0.0) {
        lever(nature_erreur::division_par_zero);
    }
    for (int i = 1; i <= 3; ++i) {
        out(i) = quotient(v(i), n);
    }
}

// out = a x b; out must be distinct from a and b. Products guarded as in prod_scalaire.
inline void prod_vectoriel(const vecteur& a, const vecteur& b, vecteur& out) {
    out.x = controle(controle(a.y * b.z) - controle(b.y * a.z));
    out.y = controle(controle(b.x * a.z) - controle(a.x * b.z));
    out.z = controle(controle(a.x * b.y) - controle(b.x * a.y));
}

// out = k v; out may be v itself.
inline void mult_scalaire(const double& k, const vecteur& v, vecteur& out) {
    out.x = controle(k * v.x);
    out.y = controle(v.y * k);
    out.z = controle(v.z * k);
}

// out = (p . frame.v, p . frame.w): the frame's first axis is the line of sight.
inline void projeter(const repere& frame, const vecteur& p, point_vue& out) {
    out.x = prod_scalaire(p, frame.v);
    out.y = prod_scalaire(p, frame.w);
}

// Arc-cosine in radians, for c strictly inside (-1, 1), from the arctangent:
// atan(-c / sqrt(1 - c c)) + 2 atan(1). Its quarter turn is the true one.
double arccos(const double& c);

// Angle from a to b in degrees, in [0, 360), turning positively about ref.
double angle_oriente(const vecteur& a, const vecteur& b, const vecteur& ref);

} // namespace trajel
