#pragma once

#include "core/module1.h"

#include <functional>
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

// tracer_fantomes of the lesson's journal when orbites_precedentes is on; nothing
// otherwise.
void tracer_fantomes_demandes();

} // namespace trajel
