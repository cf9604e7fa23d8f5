#pragma once

#include "core/geographie.h"

#include <functional>
#include <vector>

namespace trajel {

// "Continents sur le globe": off at start, so that the scene is the plain one.
inline bool continents_sur_le_globe = false;

// The coastlines, read once by the program from its resources, and the directions of
// their points on the Earth at angle 0 (unit vectors, equatorial frame).
inline std::vector<ligne_geo> continents;
inline std::vector<std::vector<vecteur>> directions_continents;

// Sets both.
void charger_continents(std::vector<ligne_geo> lignes);

// Where the program reads its coastlines: called once, on their first use (the map or the
// coasts on the globe), unless charger_continents() came first.
inline std::function<std::vector<ligne_geo>()> source_continents;

// The coastlines, read from source_continents on the first call.
const std::vector<ligne_geo>& continents_lus();

// The coastlines on the Earth of the scene, in couleur_terre, turned by the Earth's
// angle at terre.temps: a segment whose start faces the viewer (S . u > 0, as the
// grid) solid, any other dotted; width 1. The pen is width 1, solid, afterwards.
void tracer_continents(const modele_terre& modele = terre_du_programme);

// tracer_continents() when continents_sur_le_globe is on; nothing otherwise.
void tracer_continents_demandes(const modele_terre& modele = terre_du_programme);

} // namespace trajel
