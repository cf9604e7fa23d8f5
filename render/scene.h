#pragma once

#include "core/module1.h"
#include "render/projection.h"

#include <cstdint>
#include <string>

namespace trajel {

// View set-up: largeur_image and hauteur_image from Picture1, repere_vue from the
// scroll bars (longitude HScroll1, latitude minus VScroll1, heading 0).
void mise_en_place_vue();

// The three axes of R from the Earth's centre, 7236 km long, each labelled at its tip.
void tracer_repere(const repere& R, const std::string& lu, const std::string& lv,
                   const std::string& lw, const std::int16_t& n);

// The view set-up, the equatorial frame, the Earth's outline, parallels and meridians.
void tracer_terre(const modele_terre& modele = terre_du_programme);

// The orbit's frames, the satellite's frame, the conic with the satellite, and the
// great circle of the orbit plane, for the record t, around the model's Earth.
void tracer_scene(const trajectoire& t, const modele_terre& modele = terre_du_programme);

// The two redraw sequences of the handlers. Full: clear Picture1, calcul_trajectoire
// (traj), tracer_terre, tracer_scene (traj). View: the same without the trajectory.
void rafraichissement_complet(const modele_terre& modele = terre_du_programme);
void rafraichissement_vue(const modele_terre& modele = terre_du_programme);

// How many full redraws have completed since the start.
std::uint64_t nombre_rafraichissements_complets();

} // namespace trajel
