#pragma once

#include "core/module1.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/integration.h"

#include <utility>

namespace trajel {

// The burn's own steps, from the record and the mass to the state at the end: "Tir !"
// runs them with the values of the window, the targeter with those of each trial, so
// that a trial is the burn "Tir !" fires. A burn that cannot be computed is refused
// (nature_erreur::tir_refuse, "Tir impossible : ...") before anything is integrated.

// Largest step count: the 16-bit step counter goes one past it.
inline constexpr int pas_maximum_vol = 32766;

// What a burn integrates: the engine, the duration D (s), n steps of h = D / n (s) and
// the mass at the start (kg).
struct consigne_vol {
    propulsion moteur;
    double duree = 0.0;
    int pas = 0;
    double h = 0.0;
    double m0 = 0.0;
};

// The burn of `moteur` over `duree` in `pas_lus` steps from the mass m0, fired from the
// record T, checked in this order: a whole step count from 1 to 32766, a positive mass,
// a non-zero Isp, some mass left at the end (the flow is constant), and a start point
// at a finite distance on a true conic. Refused otherwise.
consigne_vol consigne_du_vol(const trajectoire& T, const propulsion& moteur, double duree,
                             double pas_lus, double m0);

// The satellite's state on `depart` with the mass m0 (conversion_etat, which rewrites
// the eccentricity and parameter of `depart`), refused when its local frame is undefined.
etat etat_initial(trajectoire& depart, double m0, const modele_terre& modele = terre_du_programme);

// The powered flight: `pas` steps of h (s) of the engine `moteur` from S at time 0; after
// each step observateur(state, time) sees the state just reached. S ends as the state
// after the last step.
template <class Observateur>
void voler(const propulsion& moteur, double h, int pas, etat& S, Observateur&& observateur) {
    double t = 0.0;
    integrer_n_pas(moteur, S, t, h, pas, std::forward<Observateur>(observateur));
}

template <class Observateur> void voler(const consigne_vol& c, etat& S, Observateur&& observateur) {
    voler(c.moteur, c.h, c.pas, S, std::forward<Observateur>(observateur));
}

} // namespace trajel
