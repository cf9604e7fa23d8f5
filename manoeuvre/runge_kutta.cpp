#include "manoeuvre/runge_kutta.h"

#include "core/module1.h"
#include "manoeuvre/equations.h"

#include <cmath>

namespace trajel {

namespace {

// The guarded evaluation, kept out of the way of the plain one.
[[gnu::cold, gnu::noinline]] void derivees_gardees(const propulsion& moteur, const etat& S,
                                                   etat& D) {
    equations_du_mouvement<arithmetique_gardee>(moteur, S, D);
}

// From finite values a result that is not finite is an overflow.
inline void verifier(const etat& S) {
    if (!tous_finis(S)) {
        lever(nature_erreur::depassement_capacite);
    }
}

// Y = S + c k, component by component, the mass included. From finite S, c and k, Y
// can only overflow, and the next evaluation of the equations reports that.
inline void etat_intermediaire(const etat& S, const double c, const etat& k, etat& Y) {
    for (std::size_t i = 0; i < 6; ++i) {
        Y.composantes[i] = S.composantes[i] + c * k.composantes[i];
    }
    Y.m = S.m + c * k.m;
}

// somme = a k + b, component by component (the partial sums of the final combination).
inline void cumuler(const double a, const etat& k, const etat& b, etat& somme) {
    for (std::size_t i = 0; i < 6; ++i) {
        somme.composantes[i] = a * k.composantes[i] + b.composantes[i];
    }
    somme.m = a * k.m + b.m;
}

} // namespace

void poussee_inertielle(const propulsion& moteur, const repere& L, vecteur& F) {
    poussee_dans<arithmetique_gardee>(moteur.poussee, L.u, L.v, L.w, F);
}

void poussee_inertielle(const repere& L, vecteur& F) {
    poussee_inertielle(propulsion_partagee(), L, F);
}

// One copy of the equations, which the step calls four times.
[[gnu::noinline]] void derivees_etat(const propulsion& moteur, const etat& S, const double& t,
                                     etat& D) {
    (void)t; // the forces do not depend on time
    if (!equations_du_mouvement<arithmetique_directe>(moteur, S, D)) {
        derivees_gardees(moteur, S, D);
    }
}

void derivees_etat(const etat& S, const double& t, etat& D) {
    derivees_etat(propulsion_partagee(), S, t, D);
}

void pas_runge_kutta(const etat& S, const double& t, const double& h, etat& S1) {
    pas_runge_kutta(propulsion_partagee(), S, t, h, S1);
}

void pas_runge_kutta(const propulsion& moteur, const etat& S, const double& t, const double& h,
                     etat& S1) {
    // A step size that is not finite spoils the first trial state, and the evaluation
    // of the equations there raises the error; the times only label the stages.
    const double demi_h = h / 2.0;
    const double h6 = h / 6.0;
    const double t_demi = t + demi_h;
    const double t_fin = t + h;
    etat k1(etat::brouillon);
    etat k2(etat::brouillon);
    etat k3(etat::brouillon);
    etat k4(etat::brouillon);
    etat Y(etat::brouillon);     // one trial state for the three stages
    etat somme(etat::brouillon); // ((2 k2 + k1) + 2 k3) + k4, formed as the stages come

    derivees_etat(moteur, S, t, k1);
    etat_intermediaire(S, demi_h, k1, Y); // Y = S + h/2 k1
    derivees_etat(moteur, Y, t_demi, k2);
    etat_intermediaire(S, demi_h, k2, Y); // Y = S + h/2 k2
    cumuler(2.0, k2, k1, somme);          // 2 k2 + k1
    derivees_etat(moteur, Y, t_demi, k3);
    etat_intermediaire(S, h, k3, Y); // Y = S + h k3
    cumuler(2.0, k3, somme, somme);  // + 2 k3
    derivees_etat(moteur, Y, t_fin, k4);

    // S1 = S + h/6 (somme + k4)
    for (std::size_t i = 0; i < 6; ++i) {
        S1.composantes[i] = S.composantes[i] + h6 * (somme.composantes[i] + k4.composantes[i]);
    }
    S1.m = S.m + h6 * (somme.m + k4.m);
    verifier(S1);
}

} // namespace trajel
