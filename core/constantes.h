#pragma once

namespace trajel {

// The Earth the computations run around: its radius and gravitational parameter, the
// pi of its angles, the g0 of the mass-flow law, the factor that turns a thrust in N
// over a mass in kg into km/s^2, and its sidereal day. A value passed to the
// computations; nothing reads a model it was not given.
struct modele_terre {
    const char* nom = "";
    double rayon = 0.0;           // km
    double mu = 0.0;              // km^3/s^2
    double pi = 0.0;              // the half turn of the period and mean-motion formulas
    double g0 = 0.0;              // m/s^2
    double facteur_poussee = 1.0; // (N / kg) to km/s^2
    double jour_sideral = 0.0;    // s
    bool poussee_si = false;      // N / kg read as m/s^2

    // The Earth's turning, degrees per second.
    double rotation() const { return 360.0 / jour_sideral; }

    bool operator==(const modele_terre& m) const {
        return rayon == m.rayon && mu == m.mu && pi == m.pi && g0 == m.g0 &&
               facteur_poussee == m.facteur_poussee && jour_sideral == m.jour_sideral &&
               poussee_si == m.poussee_si;
    }
};

// The Earth of this program: 3618 km in radius, mu 398603, its own pi (3.141592658),
// g0 9.81, and N / kg added to km/s^2 as it stands.
inline constexpr modele_terre terre_du_programme{"programme", 3618.0, 398603.0, 3.141592658,
                                                 9.81,        1.0,    86164.1,  false};
// The real Earth: WGS 84 radius, mu 398600.4418, pi (3.141592653589793238462643383279502884, spelt
// out so that Qt's moc, which reads this header, need not parse <numbers>), standard g0, thrust in
// SI.
inline constexpr modele_terre terre_reelle{
    "reelle", 6378.137, 398600.4418, 3.141592653589793238462643383279502884,
    9.80665,  1e-3,     86164.0905,  true};

// The program's Earth, by its former names.
inline constexpr double rayon_terre = terre_du_programme.rayon; // km
inline constexpr double mu_terre = terre_du_programme.mu;       // km^3/s^2

} // namespace trajel
