#pragma once

#include "core/constantes.h"

namespace trajel {

// Kepler's laws on a conic about the Earth (the model's mu): eccentricity e >= 0, parameter
// p > 0 (km). True anomalies nu in radians from the periapsis, times in seconds from
// the periapsis passage. The full turn is the program's 2 pi (deux_pi), as in every
// angle it converts. An undefined case (an anomaly on or beyond an asymptote, an
// eccentricity that is not the conic's) raises the arithmetic error.

// Kepler's equation of the ellipse, M = E - e sin E, solved for E (0 <= e < 1).
double anomalie_excentrique(double M, double e);

// Its hyperbolic form, M = e sinh H - H, solved for H (e > 1).
double anomalie_hyperbolique(double M, double e);

// Barker's equation of the parabola, W = D + D^3 / 3 with D = tan(nu / 2), solved for D.
double barker_inverse(double W);

// Period of a closed orbit, 2 pi (a^3 / mu)^0.5 with the model's pi and mu with a = p / (1 - e^2),
// s.
double periode_orbitale(double e, double p, const modele_terre& modele = terre_du_programme);

// Time from the periapsis to nu. A closed orbit takes nu modulo the turn and answers in
// [0, period); an open conic needs nu strictly between its asymptotes and answers a
// signed time, negative before the periapsis.
double temps_depuis_periastre(double e, double p, double nu,
                              const modele_terre& modele = terre_du_programme);

// The true anomaly at time t from the periapsis: a closed orbit takes t modulo its
// period and answers in [0, 2 pi); an open conic answers in (-nu_infini, nu_infini).
double anomalie_au_temps(double e, double p, double t,
                         const modele_terre& modele = terre_du_programme);

} // namespace trajel
