#pragma once

#include "core/processeur.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/runge_kutta.h"

#include <utility>

namespace trajel {

// What watches an integration and does nothing.
inline constexpr auto sans_observateur = [](const etat&, double) {};

// n Runge-Kutta steps of size h (s) of the engine `moteur` from S at time t, as Odeint's
// integrate_n_steps: after each step, observateur(state, time) sees the state just
// reached. S ends as the state after the last step and t as its time. The time of step
// k is t + k h, not a sum of n steps that drifts; the equations do not depend on it.
// The step reads one state and writes the other, in turn: nothing is copied but the
// last state, when it is not S.
template <class Observateur>
void integrer_n_pas(const propulsion& moteur, etat& S, double& t, const double& h, int n,
                    Observateur&& observateur) {
    liberer_registres_etendus();
    const double debut = t;
    etat autre(etat::brouillon);
    etat* courant = &S;
    etat* suivant = &autre;
    for (int j = 0; j < n; ++j) {
        pas_runge_kutta(moteur, *courant, t, h, *suivant);
        t = controle(debut + controle((j + 1) * h)); // start + (k + 1) h
        std::swap(courant, suivant);
        observateur(static_cast<const etat&>(*courant), t);
    }
    if (courant != &S) {
        S = *courant;
    }
}

} // namespace trajel
