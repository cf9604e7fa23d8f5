#pragma once

#include "core/module1.h"
#include "manoeuvre/etat.h"

#include <optional>
#include <string>

namespace trajel {

// What the last completed burn did: its start and end states, the thrust, Isp, duration
// and step count it was integrated with, and the two orbits it drew (the one it was
// fired from and the one it reached), so that its picture can be drawn again.
struct bilan_tir {
    unsigned numero = 0; // counts the completed burns of the run: 1, 2, 3...
    etat depart;
    etat arrivee;
    propulsion moteur;  // the thrust in the local frame and the Isp
    double duree = 0.0; // s
    int pas = 0;
    trajectoire avant;
    trajectoire apres;

    bool operator==(const bilan_tir&) const = default;
};

// Set by calcul_tir once a burn has completed; a refused or failed burn leaves it.
inline std::optional<bilan_tir> dernier_tir;

// Records a completed burn with the thrust and Isp it was integrated with.
void enregistrer_tir(const etat& depart, const etat& arrivee, double duree, int pas,
                     const trajectoire& avant, const trajectoire& apres,
                     const modele_terre& modele = terre_du_programme);

// A burn recorded elsewhere (a lesson file) becomes the last one, under the next number.
void restituer_tir(bilan_tir b);

// The recorded burn integrated again from its start with its own engine, in `pas` steps
// of duree / pas: with the burn's own steps, its end to the bit. No shared value is read
// or written.
etat refaire_tir(const bilan_tir& b, int pas);

// A conic reached from a state, as the burn classifies it (conversion_etat).
struct orbite_etat {
    std::string type_conique;
    double excentricite = 0.0;
    std::optional<double> a; // km; none for a parabola
    double zp = 0.0;
    std::optional<double> za; // bound orbits only
    double inclinaison = 0.0;
    double energie = 0.0; // km^2/s^2
};

orbite_etat orbite_de(const vecteur& r, const vecteur& v,
                      const modele_terre& modele = terre_du_programme);

// The burn's figures, around the engine's model. On the program's Earth thrust in
// newtons is added to km/s^2 as it stands, so the velocity it delivers, the integral of
// F / m over the burn, is isp g0 ln(m0 / mf) in km/s; on the real one, in m/s.
struct chiffres_tir {
    double masse_consommee = 0.0; // kg
    double delta_v = 0.0;         // km/s
    double vitesse_avant = 0.0;   // km/s
    double vitesse_apres = 0.0;
    double delta_energie = 0.0; // km^2/s^2
    // The same delta_v at once at the start of the burn, along the thrust's direction
    // there: the impulse the finite burn stands for.
    double vitesse_impulsion = 0.0;
    std::optional<orbite_etat> apres_tir;
    std::optional<orbite_etat> apres_impulsion;
};

chiffres_tir chiffres_du_tir(const bilan_tir& b);

// The integration error of the burn, from the same burn redone with half the steps
// (n / 2, twice as long): the distance between the two final positions, and
// Richardson's estimate of the error of the n steps, for a fourth-order scheme
// d / (r^4 - 1) with r = n / (n / 2). A burn of one step has no half.
struct erreur_integration {
    int pas_reduits = 0;
    double ecart_position = 0.0; // km
    double ecart_vitesse = 0.0;  // km/s
    double richardson = 0.0;     // km
};

std::optional<erreur_integration> estimer_erreur_integration(const bilan_tir& b);

} // namespace trajel
