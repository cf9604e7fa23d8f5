#pragma once

#include "core/module1.h"
#include "core/vecteur.h"

#include <array>

namespace trajel {

// The integrated state: velocity (km/s) in components 1 to 3, position (km) in 4 to
// 6, both in the Earth-centred frame, and the mass (kg). Its derivative is again an
// etat: acceleration, velocity, mass flow.
struct etat {
    std::array<double, 6> composantes;
    double m;

    // A new state is zero.
    etat() : composantes{}, m(0.0) {}
    // Scratch space of the stepper, every component of which is written before it is
    // read: left as it is, so that a step does not first clear six states.
    struct brouillon_t {};
    static constexpr brouillon_t brouillon{};
    explicit etat(brouillon_t) {}

    double& y(int i) { return composantes[static_cast<std::size_t>(i - 1)]; }
    double y(int i) const { return composantes[static_cast<std::size_t>(i - 1)]; }

    bool operator==(const etat&) const = default;
};

// The state of position r (km), velocity v (km/s) and mass m (kg), and back.
inline etat etat_de(const vecteur& r, const vecteur& v, double m) {
    etat S;
    S.y(1) = v.x;
    S.y(2) = v.y;
    S.y(3) = v.z;
    S.y(4) = r.x;
    S.y(5) = r.y;
    S.y(6) = r.z;
    S.m = m;
    return S;
}

inline vecteur position_de(const etat& S) {
    return {S.y(4), S.y(5), S.y(6)};
}

inline vecteur vitesse_de(const etat& S) {
    return {S.y(1), S.y(2), S.y(3)};
}

// The local frame of position r and velocity v: u radial, w along r x v, v = w x u,
// the ortho-radial direction of the motion (guarded toolkit).
inline repere repere_local_de(const vecteur& r, const vecteur& v) {
    repere L;
    unitaire(r, L.u);
    vecteur h;
    prod_vectoriel(r, v, h);
    unitaire(h, L.w);
    prod_vectoriel(L.w, L.u, L.v);
    return L;
}

// g0 of the mass-flow law, m/s^2.
inline constexpr double g0 = 9.81;

} // namespace trajel
