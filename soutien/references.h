#pragma once

#include "core/module1.h"
#include "core/surface.h"
#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/etat.h"
#include "soutien/faux_formulaire.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

// Reference computations and comparisons written from the formulas, for the tests and
// the benchmarks.
namespace trajel::test {

// Angles in degrees compared modulo 360.
inline double ecart_angle(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

inline double valeur(const faux_formulaire& f, zone_texte z) {
    return Val(f.texte(z));
}

inline bool memes_reperes(const repere& x, const repere& y) {
    for (int i = 1; i <= 3; ++i) {
        if (x.u(i) != y.u(i) || x.v(i) != y.v(i) || x.w(i) != y.w(i)) {
            return false;
        }
    }
    return true;
}

// Two records equal field by field, to the bit.
inline bool memes_trajectoires(const trajectoire& a, const trajectoire& b) {
    return a.type_conique == b.type_conique && a.za == b.za && a.zp == b.zp &&
           a.grand_omega == b.grand_omega && a.inclinaison == b.inclinaison &&
           a.petit_omega == b.petit_omega && a.excentricite == b.excentricite &&
           a.parametre == b.parametre && a.anomalie == b.anomalie &&
           memes_reperes(a.repere_RN, b.repere_RN) && memes_reperes(a.repere_RH, b.repere_RH) &&
           memes_reperes(a.repere_RP, b.repere_RP) && memes_reperes(a.repere_sat, b.repere_sat) &&
           a.angle_asymptote == b.angle_asymptote;
}

// A record as calcul_trajectoire leaves it: the type, the shape, the angles (degrees)
// and the four frames built from them.
inline trajectoire orbite(const std::string& type, double e, double p, double grand_omega = 0.0,
                          double inclinaison = 0.0, double petit_omega = 0.0, double anomalie = 0.0,
                          double angle_asymptote = 0.0) {
    trajectoire t;
    t.type_conique = type;
    t.excentricite = e;
    t.parametre = p;
    t.grand_omega = grand_omega;
    t.inclinaison = inclinaison;
    t.petit_omega = petit_omega;
    t.anomalie = anomalie;
    t.angle_asymptote = angle_asymptote;
    construire_reperes(t);
    return t;
}

// v^2 / 2 - mu / |r|, plain arithmetic.
inline double energie(const etat& S) {
    const double v2 = S.y(1) * S.y(1) + S.y(2) * S.y(2) + S.y(3) * S.y(3);
    const double r = std::sqrt(S.y(4) * S.y(4) + S.y(5) * S.y(5) + S.y(6) * S.y(6));
    return v2 / 2.0 - mu_terre / r;
}

// True anomaly (radians) reached dt seconds after nu0 (radians) on an ellipse of
// eccentricity e and semi-major axis a (km), by Kepler's equation.
inline double anomalie_kepler(double e, double a, double nu0, double dt) {
    const double facteur = std::sqrt((1.0 - e) / (1.0 + e));
    const double E0 = 2.0 * std::atan(facteur * std::tan(nu0 / 2.0));
    const double M = E0 - e * std::sin(E0) + std::sqrt(mu_terre / (a * a * a)) * dt;
    double E = M;
    for (int i = 0; i < 50; ++i) {
        E -= (E - e * std::sin(E) - M) / (1.0 - e * std::cos(E));
    }
    return 2.0 * std::atan(std::tan(E / 2.0) / facteur);
}

// The lines of colour n drawn after the last element of another colour or a text.
inline std::size_t traits_finaux(const surface_enregistree& s, std::int16_t n) {
    const auto& e = s.elements();
    std::size_t compte = 0;
    for (auto it = e.rbegin(); it != e.rend(); ++it) {
        if (it->nature != element_affichage::genre::trait || it->couleur != n) {
            break;
        }
        ++compte;
    }
    return compte;
}

inline std::size_t traits_de_couleur(const surface_enregistree& s, std::int16_t n) {
    std::size_t compte = 0;
    for (const auto& e : s.elements()) {
        if (e.nature == element_affichage::genre::trait && e.couleur == n) {
            ++compte;
        }
    }
    return compte;
}

inline bool memes_elements(const element_affichage& a, const element_affichage& b) {
    return a.nature == b.nature && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.couleur == b.couleur && a.epaisseur == b.epaisseur && a.style == b.style &&
           a.texte == b.texte;
}

} // namespace trajel::test
