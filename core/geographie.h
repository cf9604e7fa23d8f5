#pragma once

#include "core/constantes.h"
#include "core/vecteur.h"

#include <string_view>
#include <vector>

namespace trajel {

// A place on the turning Earth: geographic longitude (east positive) and latitude,
// degrees.
struct point_geo {
    double longitude = 0.0;
    double latitude = 0.0;

    bool operator==(const point_geo&) const = default;
};

using ligne_geo = std::vector<point_geo>;

// The program's Earth turns eastwards once a sidereal day.
inline constexpr double jour_sideral = terre_du_programme.jour_sideral; // s
inline constexpr double rotation_terre = 360.0 / jour_sideral;          // degrees per second

// The Earth's turning: the meridian on the equatorial frame's first axis (X0) at the
// time origin, and the time now, which the satellite's animation advances. Greenwich
// lies on X0 at the origin by default.
struct horloge_terre {
    double longitude_origine = 0.0; // degrees
    double temps = 0.0;             // s since the time origin
};
inline horloge_terre terre;

// The right ascension of the meridian of longitude 0 at time t (s), degrees:
// -longitude_origine + the model's rotation t, not reduced.
double angle_terre(const horloge_terre& h, double t,
                   const modele_terre& modele = terre_du_programme);

// An angle brought into [-180, 180).
double longitude_reduite(double degres);

// The point under p (km, equatorial frame) when the Earth has turned by `angle`
// (degrees): longitude = right ascension - angle, reduced; latitude = declination.
// The Earth's centre raises the arithmetic error.
point_geo point_sous(const vecteur& p, double angle);

// The point of the Earth's surface at g, km in the equatorial frame, the Earth turned
// by `angle`: R (cos a cos b, sin a cos b, sin b) with a = longitude + angle, R the
// model's radius.
vecteur point_du_globe(const point_geo& g, double angle,
                       const modele_terre& modele = terre_du_programme);

// A line of reduced longitudes cut where it crosses the map's edge: a step of more
// than 180 degrees in longitude goes the short way round, through +-180, and both
// pieces end on the edge at the latitude interpolated there.
std::vector<ligne_geo> couper_au_bord(const ligne_geo& ligne);

// The coastline file: '#' starts a comment, '>' a new line of the map, and each other
// row is "longitude latitude" in degrees. Rows that do not read as two numbers are
// skipped; lines of fewer than two points are dropped.
std::vector<ligne_geo> lire_cotes(std::string_view texte);

} // namespace trajel
