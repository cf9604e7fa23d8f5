#pragma once

#include "core/geographie.h"
#include "core/module1.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trajel {

class surface_enregistree;

// "Trace au sol": the path of the point under the satellite on the turning Earth.
// Revolutions drawn for a closed orbit.
inline constexpr int revolutions_minimum = 1;
inline constexpr int revolutions_maximum = 20;
inline constexpr int revolutions_par_defaut = 3;

struct trace_au_sol {
    std::vector<ligne_geo> morceaux;         // the track, cut at the map's edge
    std::optional<point_geo> sous_satellite; // under the satellite now
    std::optional<double> periode;           // s, closed orbits
    std::optional<double> decalage;          // degrees a revolution, east positive
};

// The track of t, a point every degree of anomaly: a closed orbit from the satellite
// now over `revolutions` turns, an open conic over its drawn range (plage_tracee).
// Positions from the conic in the equatorial frame, times from Kepler's equation
// counted from the satellite at h.temps, the Earth of the model turned by
// angle_terre(h, time, modele).
// A conic Kepler's equation cannot follow raises the arithmetic error.
trace_au_sol calculer_trace(const trajectoire& t, const horloge_terre& h, int revolutions,
                            const modele_terre& modele = terre_du_programme);

// The point under the satellite now, as calculer_trace finds it.
point_geo point_sous_satellite(const trajectoire& t, const horloge_terre& h,
                               const modele_terre& modele = terre_du_programme);

// Whether the satellite of `t` at `h` runs along the track calculer_trace gave for
// `depart` at `h_depart` around `modele`: the same conic, the same Earth, the same time of the
// periapsis passage (modulo the period), and for a closed orbit within its first revolution since
// then. Only the point under the satellite moved: what an animation frame does.
bool sur_la_meme_trace(const trajectoire& depart, const horloge_terre& h_depart,
                       const trajectoire& t, const horloge_terre& h,
                       const modele_terre& modele = terre_du_programme);

// The launch sites of the presets.
struct site_de_lancement {
    const char* nom;
    point_geo position;
};
inline constexpr site_de_lancement sites_de_lancement[] = {
    {"Kourou", {-52.8, 5.2}},
    {"Baïkonour", {63.3, 45.9}},
    {"Cap Canaveral", {-80.6, 28.5}},
};

// The map's colours (palette numbers) and where it lies on its surface (twips).
inline constexpr std::int16_t couleur_cadre_carte = 0;
inline constexpr std::int16_t couleur_graticule = 8;
inline constexpr std::int16_t couleur_cotes = 2;
inline constexpr std::int16_t couleur_sites = 1;
inline constexpr std::int16_t couleur_trace = 12;

struct cadre_carte {
    double gauche = 0.0;
    double haut = 0.0;
    double largeur = 0.0; // twice the height: 360 by 180 degrees
    double hauteur = 0.0;

    double x(double longitude) const { return gauche + (longitude + 180.0) / 360.0 * largeur; }
    double y(double latitude) const { return haut + (90.0 - latitude) / 180.0 * hauteur; }
};

// The map's rectangle on a surface of largeur x hauteur twips, with room for the
// graticule's labels around it and `lignes_sous` lines of text under it.
cadre_carte cadre_de_carte(double largeur, double hauteur, int lignes_sous);

// Where the layers of the map's display list end: the ground (frame, graticule, coasts,
// sites), the track's lines, the mark under the satellite; the lines of text follow.
struct couches_carte {
    std::size_t fond = 0;
    std::size_t trace = 0;
    std::size_t marque = 0;
};

// Clears s and draws the equirectangular map: the frame, the graticule every 30
// degrees with its labels, the coasts, the launch sites named, the track, the point
// under the satellite marked "S", and the lines of text under the map.
couches_carte dessiner_carte(surface_enregistree& s, const std::vector<ligne_geo>& cotes,
                             const trace_au_sol& trace,
                             const std::vector<std::string>& lignes_sous);

} // namespace trajel
