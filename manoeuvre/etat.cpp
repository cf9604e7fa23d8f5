#include "manoeuvre/etat.h"

#include "core/module1.h"

namespace trajel {

namespace {

// out = v / |v| with |v| already known (the same operations as unitaire).
inline void unitaire_de_norme(const vecteur& v, const double& n, vecteur& out) {
    if (n == 0.0) {
        lever(nature_erreur::division_par_zero);
    }
    out.x = quotient(v.x, n);
    out.y = quotient(v.y, n);
    out.z = quotient(v.z, n);
}

// The equations of motion, inlined into the Runge-Kutta step.
inline void derivees(const etat& S, etat& D) {
    const vecteur v{S.y(1), S.y(2), S.y(3)}; // km/s
    const vecteur r{S.y(4), S.y(5), S.y(6)}; // km

    // Local frame of S: u radial, w along h = r x v, v = w x u ortho-radial.
    const double norme_r = norme(r);
    repere L;
    unitaire_de_norme(r, norme_r, L.u);
    vecteur h;
    prod_vectoriel(r, v, h);
    unitaire(h, L.w);
    prod_vectoriel(L.w, L.u, L.v);

    vecteur F; // N, inertial frame
    poussee_inertielle(L, F);

    // g = k u, k = -mu / |r|^2 (km/s^2)
    const double k = quotient(-mu_terre, puissance(norme_r, 2.0));
    vecteur g;
    mult_scalaire(k, L.u, g);

    // N / kg added to km/s^2 as it stands: 1 N on 1000 kg gives 0.001 km/s^2.
    D.y(1) = controle(quotient(F.x, S.m) + g.x);
    D.y(2) = controle(quotient(F.y, S.m) + g.y);
    D.y(3) = controle(quotient(F.z, S.m) + g.z);
    D.y(4) = S.y(1);
    D.y(5) = S.y(2);
    D.y(6) = S.y(3);

    // dm/dt = -|F| / (isp g0), constant during a burn (kg/s).
    D.m = quotient(-module_poussee, controle(isp * g0));
}

// Y = S + c k, component by component, the mass included.
inline void etat_intermediaire(const etat& S, const double& c, const etat& k, etat& Y) {
    for (std::size_t i = 0; i < 6; ++i) {
        Y.composantes[i] = controle(S.composantes[i] + controle(c * k.composantes[i]));
    }
    Y.m = controle(S.m + controle(c * k.m));
}

// S + (h/6) ((2 k2 + k1) + 2 k3) + k4) for one component.
inline double combinaison(const double& s, const double& h6, const double& k1, const double& k2,
                          const double& k3, const double& k4) {
    const double somme =
        controle(controle(controle(controle(2.0 * k2) + k1) + controle(2.0 * k3)) + k4);
    return controle(s + controle(h6 * somme));
}

} // namespace

void poussee_inertielle(const repere& L, vecteur& F) {
    vecteur a;
    vecteur b;
    vecteur c;
    mult_scalaire(poussee.x, L.u, a);
    mult_scalaire(poussee.y, L.v, b);
    mult_scalaire(poussee.z, L.w, c);
    F.x = controle(controle(a.x + b.x) + c.x);
    F.y = controle(controle(a.y + b.y) + c.y);
    F.z = controle(controle(a.z + b.z) + c.z);
}

void derivees_etat(const etat& S, const double& t, etat& D) {
    (void)t; // the forces do not depend on time
    derivees(S, D);
}

void pas_runge_kutta(const etat& S, const double& t, const double& h, etat& S1) {
    (void)t;
    const double demi_h = controle(h / 2.0);
    const double h6 = controle(h / 6.0);
    etat k1;
    etat k2;
    etat k3;
    etat k4;
    etat Y; // one trial state for the three stages

    derivees(S, k1);
    etat_intermediaire(S, demi_h, k1, Y); // Y = S + h/2 k1
    derivees(Y, k2);
    etat_intermediaire(S, demi_h, k2, Y); // Y = S + h/2 k2
    derivees(Y, k3);
    etat_intermediaire(S, h, k3, Y); // Y = S + h k3
    derivees(Y, k4);

    for (std::size_t i = 0; i < 6; ++i) {
        S1.composantes[i] = combinaison(S.composantes[i], h6, k1.composantes[i], k2.composantes[i],
                                        k3.composantes[i], k4.composantes[i]);
    }
    S1.m = combinaison(S.m, h6, k1.m, k2.m, k3.m, k4.m);
}

} // namespace trajel
