#pragma once

#include "core/module1.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace trajel {

// "Orbites précédentes": off at start, so that the scene is the plain one.
inline bool orbites_precedentes = false;

// An earlier orbit of the lesson: the orbit a burn was fired from (its anomaly the
// ignition's), the burn's powered arc (km, equatorial frame, ignition first) and the
// burn's row in the journal.
struct orbite_fantome {
    trajectoire orbite;
    std::vector<vecteur> arc;
    unsigned numero = 0;
};

// The earlier orbits, read from the lesson's journal at each redraw; unset, none.
inline std::function<std::vector<orbite_fantome>()> fantomes_de_la_lecon;

// Over the scene, dashed (DrawStyle style_tirets, width 1): each orbit in
// couleur_trajectoire, two degrees a step, every other step drawn, over the range the
// scene draws, and its powered arc in couleur_terre, ending at the ignition, where the
// journal's row number is printed. An orbit that cannot be drawn is left out. The pen is width 1,
// solid, afterwards.
void tracer_fantomes(const std::vector<orbite_fantome>& fantomes);

// An exercise's orbits: its target and, once the solution is shown, the orbit each
// burn of the optimal plan is fired from (its anomaly the burn's), numbered in firing
// order, and the orbit the plan ends on (numero 0, no mark).
struct orbites_exercice {
    std::optional<trajectoire> cible;
    std::vector<orbite_fantome> solution;
};

// Read at each redraw; unset, none.
inline std::function<orbites_exercice()> orbites_de_l_exercice;

inline constexpr std::int16_t couleur_cible = 5;    // magenta
inline constexpr std::int16_t couleur_solution = 3; // cyan

// Over the scene, in full colour at width 1, so that they stand apart from the lighter
// earlier orbits: the target in couleur_cible, long dashes (three steps drawn, one left
// out); the solution's orbits in couleur_solution, dashed as the earlier orbits are, each
// burn's point marked with its number.
void tracer_orbites_exercice(const orbites_exercice& o);

// tracer_fantomes of the lesson's journal when orbites_precedentes is on, then the
// exercise's orbits when there are any.
void tracer_fantomes_demandes();

} // namespace trajel
