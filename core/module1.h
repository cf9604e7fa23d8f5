#pragma once

#include "core/constantes.h"
#include "core/formulaire.h"
#include "core/vecteur.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace trajel {

// The conic-type keywords, compared exactly.
inline constexpr std::string_view circulaire = "circulaire";
inline constexpr std::string_view elliptique = "elliptique";
inline constexpr std::string_view parabolique = "parabolique";
inline constexpr std::string_view hyperbolique = "hyperbolique";

// One trajectory: the conic, its orientation and the satellite's place on it.
// A new record has an empty type and every number 0.
struct trajectoire {
    std::string type_conique;
    double za = 0.0;          // km, apoapsis altitude (radius - rayon_terre)
    double zp = 0.0;          // km, periapsis altitude
    double grand_omega = 0.0; // degrees, longitude of the ascending node
    double inclinaison = 0.0; // degrees
    double petit_omega = 0.0; // degrees, argument of periapsis from the node
    double excentricite = 0.0;
    double parametre = 0.0;       // km, r = p / (1 + e cos(anomaly))
    double anomalie = 0.0;        // degrees, true anomaly of the satellite
    repere repere_RN;             // u to the ascending node, w the polar axis
    repere repere_RH;             // u to the ascending node, w the angular momentum
    repere repere_RP;             // u to the periapsis, w the angular momentum
    repere repere_sat;            // u radial, v ortho-radial, w the angular momentum
    double angle_asymptote = 0.0; // degrees, hyperbola: cos = 1 / e

    bool operator==(const trajectoire&) const = default;
};

// The shared state, read and written directly by the procedures that need it.
inline trajectoire traj;
inline double isp = 0.0;   // s
inline double masse = 0.0; // kg
inline vecteur poussee;    // N, in the satellite's local frame (radial, ortho-radial, normal)
inline double module_poussee = 0.0; // N
inline double zoom = 0.0;
inline std::int32_t largeur_image = 0; // drawing-surface units
inline std::int32_t hauteur_image = 0;
inline repere repere_fixe;
inline repere repere_vue; // u towards the viewer, v right, w up on the screen
inline std::string etiquette_u;
inline std::string etiquette_v;
inline std::string etiquette_w;
inline std::int16_t couleur_RN = 0; // palette numbers
inline std::int16_t couleur_trajectoire = 0;
inline std::int16_t couleur_terre = 0;
inline std::int16_t couleur_RH = 0;
inline std::int16_t couleur_RP = 0;

// What the equations of motion read of the engine: the thrust in the satellite's local
// frame (radial, ortho-radial, normal), its length, the specific impulse, and the Earth
// it flies around (its mu, g0 and the unit of N / kg).
struct propulsion {
    vecteur poussee;             // N
    double module_poussee = 0.0; // N
    double isp = 0.0;            // s
    modele_terre modele = terre_du_programme;

    bool operator==(const propulsion&) const = default;
};

// The engine of the shared values poussee, module_poussee and isp, around `modele`.
inline propulsion propulsion_partagee(const modele_terre& modele = terre_du_programme) {
    return {poussee, module_poussee, isp, modele};
}

// traj and the satellite values, as calcul_trajectoire leaves them: what a full redraw
// computes and what an abandoned event puts back, without running any handler.
struct valeurs_calculees {
    trajectoire traj;
    double masse = 0.0; // kg
    propulsion moteur;

    static valeurs_calculees actuelles() {
        return {trajel::traj, trajel::masse, propulsion_partagee()};
    }
    void restituer() const {
        trajel::traj = traj;
        trajel::masse = masse;
        poussee = moteur.poussee;
        module_poussee = moteur.module_poussee;
        isp = moteur.isp;
    }

    bool operator==(const valeurs_calculees&) const = default;
};

// The main window, from its creation on.
inline formulaire* Form1 = nullptr;

// Puts every shared value back to its start value (Form1 is left alone).
void reinitialiser_module1();

} // namespace trajel
