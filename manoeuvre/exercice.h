#pragma once

#include "core/constantes.h"
#include "core/formulaire.h"
#include "core/module1.h"
#include "manoeuvre/journal_tirs.h"
#include "manoeuvre/planificateur.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace trajel {

// An exercise: from a start the teacher leaves in the window, the student reaches a
// target orbit by burns; the attempt is scored against the impulsive plan of the
// assistant from the start, and replayed from the start to check it was flown.

// The target's elements, in the order of the window's boxes.
enum class element_vise { za, zp, inclinaison, grand_omega, petit_omega };
inline constexpr std::size_t nombre_elements_vises = 5;

// "Za", "Zp", "i", "Omega", "omega".
const char* nom_element(element_vise e);

// The start, as the lesson holds the window: the thirteen boxes' texts, the options and
// the view; and what calcul_trajectoire read from them, from which the attempt is
// replayed: the record, the mass and the Isp; and the Earth the window computed around,
// which the optimum, the replay and the gaps use.
struct depart_exercice {
    std::array<std::string, 13> textes;
    bouton_option type_orbite = bouton_option::Option_elliptique;
    bouton_option reperes = bouton_option::Option_tous;
    int longitude = 20; // degrees
    int latitude = 40;  // degrees
    double zoom = 1.0;
    trajectoire orbite;
    double masse = 0.0; // kg
    double isp = 0.0;   // s
    modele_terre modele = terre_du_programme;

    bool operator==(const depart_exercice&) const = default;
};

// Altitudes in km, angles in degrees.
struct orbite_cible {
    double za = 0.0;
    double zp = 0.0;
    double inclinaison = 0.0;
    double grand_omega = 0.0;
    double petit_omega = 0.0;

    double valeur(element_vise e) const;
    bool operator==(const orbite_cible&) const = default;
};

// An element the teacher ticked, with its tolerance: percent of the target's radius
// (R + Z) for an altitude, so that a target near the ground keeps a tolerance; degrees
// for an angle.
struct critere_element {
    bool coche = false;
    double tolerance = 0.0;

    bool operator==(const critere_element&) const = default;
};

inline constexpr double tolerance_altitude_defaut = 0.5; // percent
inline constexpr double tolerance_angle_defaut = 0.1;    // degrees

// Za, Zp and i ticked; Omega and omega not.
std::array<critere_element, nombre_elements_vises> criteres_par_defaut();

// What the readout shows the student.
enum class releve_permis { entier, sans_dernier_tir };

// The optimum: the assistant's impulsive burns from the start to the target, in firing
// order, and their sum.
struct solution_optimale {
    std::vector<tir_impulsionnel> tirs;
    double delta_v = 0.0; // km/s

    bool operator==(const solution_optimale& o) const;
};

struct exercice {
    depart_exercice depart;
    std::optional<orbite_cible> cible;
    std::array<critere_element, nombre_elements_vises> criteres = criteres_par_defaut();
    std::optional<double> budget_delta_v; // km/s
    std::optional<int> tirs_maximum;
    std::string enonce;
    bool assistant_permis = true;
    releve_permis releve = releve_permis::entier;
    std::optional<solution_optimale> optimum; // computed once, when the exercise is made

    bool operator==(const exercice&) const = default;
};

// What is wrong with the exercise, one French sentence a fault; empty when it can be
// handed out.
std::vector<std::string> defauts_exercice(const exercice& e);

// The assistant's impulsive plan from the start to the target: the shape first (a
// Hohmann transfer, a circularisation, apsis changes) and the plane (a plane change at a
// node) before or after it, whichever costs less. Omega and omega are not planned: the
// assistant does not turn a node or an apsis line. None when the planner refuses.
// The impulse of b on t: at its point (the satellite's place when free), the velocity
// turned by delta_v along its direction in the local frame; the conic reached as a
// burn writes it, around the Earth m. Raises the arithmetic error.
trajectoire impulsion(trajectoire t, const tir_impulsionnel& b,
                      const modele_terre& m = terre_du_programme);

std::optional<solution_optimale> calculer_optimum(const depart_exercice& d,
                                                  const orbite_cible& cible);

// The gap of one element of an orbit to the target. Omega and omega are compared modulo
// 360. Omega has no meaning when the target is equatorial (its inclination within the
// tolerance of i, 0.1 degree when i is not ticked, of 0 or 180): it is left out and the
// omega row compares the longitudes of periapsis Omega + omega. omega has no meaning
// when the target is a circle (Za and Zp within the altitudes' tolerance): left out.
struct ecart_element {
    element_vise element = element_vise::za;
    bool coche = false;
    bool sans_objet = false;
    std::optional<double> actuelle; // none: an open orbit has no Za
    double visee = 0.0;
    double ecart = 0.0;     // actual - target (km or degrees, in (-180, 180] for angles)
    double tolerance = 0.0; // km or degrees
    bool dans_tolerance = false;
};

std::array<ecart_element, nombre_elements_vises> ecarts(const exercice& e, const trajectoire& t);

// Every ticked element within its tolerance or without meaning.
bool cible_atteinte(const std::array<ecart_element, nombre_elements_vises>& ecarts);

// The elements of a record as the target holds them (Za of a circle is its Zp; an open
// orbit's Za is infinite).
orbite_cible elements_de(const trajectoire& t);

// The target as a record the picture draws around the exercise's Earth: its conic from
// the apsides (a circle when Za = Zp), its frames from its angles, the anomaly 0.
trajectoire trajectoire_cible(const exercice& e);

// The journal's burns fired again from the exercise's start with the program's own
// steps (consigne_du_vol, etat_initial, voler): each from the orbit the previous one
// reached, at the anomaly of its ignition, with its thrust, duration and steps, the
// start's Isp and the mass left. A burn the program refuses ends the replay.
struct rejeu_tirs {
    trajectoire finale;
    double masse = 0.0;   // kg
    double delta_v = 0.0; // km/s, isp g0 ln(m0 / mf) summed
    int tirs = 0;
    std::vector<orbite_journal> apres; // the orbit after each burn
    std::optional<std::string> echec;  // why a burn could not be replayed
};

rejeu_tirs rejouer(const exercice& e, const std::vector<ligne_journal>& journal);

// The score of an attempt.
struct score_exercice {
    bool atteint = false; // the target within tolerance, within the budget and the burns
    bool cible_atteinte = false;
    bool budget_depasse = false;
    bool tirs_depasses = false;
    double delta_v = 0.0; // km/s spent
    int tirs = 0;
    std::optional<double> delta_v_optimal;
    std::optional<double> rapport;       // spent / optimum
    std::optional<double> note;          // 100 optimum / spent, when reached
    std::optional<double> temps_mission; // s
    orbite_cible finale;
    std::vector<std::string> raisons; // in French, why not reached

    bool operator==(const score_exercice&) const = default;
};

score_exercice noter(const exercice& e, const rejeu_tirs& r,
                     std::optional<double> temps_mission = std::nullopt);

// An attempt is honest when the replay of its journal flies every burn, each to the
// orbit its row claims, and ends where its claimed score says, with its Δv and burns:
// altitudes to 1e-6 of the radius, angles to 1e-6 degree, Δv to 1e-9 km/s. What
// differs, in French; empty when honest.
inline constexpr double tolerance_copie_rayon = 1e-6;
inline constexpr double tolerance_copie_angle = 1e-6;   // degrees
inline constexpr double tolerance_copie_delta_v = 1e-9; // km/s
std::vector<std::string> differences_copie(const exercice& e,
                                           const std::vector<ligne_journal>& journal,
                                           const score_exercice& annonce);

// "copie modifiée" when differences_copie finds any.
inline constexpr const char* copie_modifiee = "copie modifiée";

} // namespace trajel
