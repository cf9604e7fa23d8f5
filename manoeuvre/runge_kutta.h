#pragma once

#include "core/module1.h"
#include "manoeuvre/etat.h"

namespace trajel {

// The equations of motion of the state (written once in equations.h) and the
// Runge-Kutta step. They and the loop (integration.h) are given the engine they
// integrate, as Odeint gives the system to its stepper; the forms without it read the
// shared values.

// D = dS/dt under central gravity, the thrust fixed in the local frame of S and the
// engine's mass flow. t is not used: the forces do not depend on time.
void derivees_etat(const propulsion& moteur, const etat& S, const double& t, etat& D);
void derivees_etat(const etat& S, const double& t, etat& D);

// F = poussee.x u + poussee.y v + poussee.z w of the local frame L.
void poussee_inertielle(const propulsion& moteur, const repere& L, vecteur& F);
void poussee_inertielle(const repere& L, vecteur& F);

// One classical Runge-Kutta step of size h from S at time t into S1 (distinct from S).
void pas_runge_kutta(const propulsion& moteur, const etat& S, const double& t, const double& h,
                     etat& S1);
void pas_runge_kutta(const etat& S, const double& t, const double& h, etat& S1);

} // namespace trajel
