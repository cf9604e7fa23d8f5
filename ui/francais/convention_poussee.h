#pragma once

#include "core/constantes.h"

#include <QString>

#include <vector>

namespace trajel {

// An orbital delta-v is physics: the velocity the orbit gains, shown once, in km/s. The
// program's convention concerns only its engine: a thrust of F newtons on m kilograms
// accelerates it by F / m km/s^2, 1000 times what it would in SI units, while the mass
// flow uses g0 = 9.81 m/s^2; the propellant it burns for a delta-v is therefore far less
// than a real engine of the same Isp would need. These texts say so where the engine's
// figures are shown; a model with SI thrust has none of them (`convention_moteur` false).

// The label of a delta-v, with no qualifier: "Δv".
QString titre_delta_v();

// "3,5826 km/s".
QString delta_v_fr(double delta_v);

// The engine's convention in full: the tooltips of the thrust's frame and of its rows.
QString explication_convention_poussee();

// How the model's engine works, for the tooltips of its figures: the program's convention
// in full, or the SI law of a model with SI thrust.
QString explication_moteur(const modele_terre& modele);

// "rayon 3618 km", "rayon 6378,137 km".
QString rayon_terre_fr(const modele_terre& modele);

// The thrust the same acceleration needs in SI units: 200 N here are "200 kN".
QString poussee_equivalente_si(double poussee);

// The propellant a real engine of this Isp burns for the same delta-v, from m0 kg
// (Tsiolkovsky, g0 = 9.80665 m/s^2): m0 (1 - exp(-Δv / (Isp g0))), in kg.
double ergols_moteur_reel(double delta_v, double masse_initiale, double isp);

// One row of the engine's figures: its name, value and tooltip.
struct ligne_moteur {
    QString nom;
    QString valeur;
    QString bulle;
};

// The rows said beside a burn's engine figures (the readout's "Dernier tir", the
// assistant's burns): the SI thrust of the same burn and a real engine's propellant for
// its delta-v. Empty when the model has no convention.
std::vector<ligne_moteur> lignes_convention_moteur(double poussee, double delta_v,
                                                   double masse_initiale, double isp,
                                                   bool convention_moteur = true);

} // namespace trajel
