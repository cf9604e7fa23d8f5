#include "manoeuvre/etat.h"

#include "core/module1.h"

#include <cmath>

namespace trajel {

namespace {

// Every operation below is the one of the guarded toolkit, in the same order, so the
// two ways give the same bits. The plain way runs first and is checked where a fault
// could hide (a length that overflowed, a zero length, an infinite mass or Isp) and on
// its results; anything else goes through the guarded way, which raises the error
// that the first faulty operation deserves.

inline bool fini(double x) {
    return x - x == 0.0; // NaN for an infinity or a NaN
}

// All seven components finite: x - x is 0 for each finite x and NaN otherwise, and a
// NaN survives the sum.
inline bool tous_finis(const etat& S) {
    const double* y = S.composantes.data();
    const double z = (((y[0] - y[0]) + (y[1] - y[1])) + ((y[2] - y[2]) + (y[3] - y[3]))) +
                     (((y[4] - y[4]) + (y[5] - y[5])) + (S.m - S.m));
    return z == 0.0;
}

// out = v / |v| with |v| already known (the operations of unitaire).
inline void unitaire_de_norme(const vecteur& v, const double& n, vecteur& out) {
    if (n == 0.0) {
        lever(nature_erreur::division_par_zero);
    }
    out.x = quotient(v.x, n);
    out.y = quotient(v.y, n);
    out.z = quotient(v.z, n);
}

// The equations of motion with every operation guarded.
[[gnu::cold, gnu::noinline]] void derivees_gardees(const etat& S, etat& D) {
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
    D.y(4) = controle(S.y(1));
    D.y(5) = controle(S.y(2));
    D.y(6) = controle(S.y(3));

    // dm/dt = -|F| / (isp g0), constant during a burn (kg/s).
    D.m = quotient(-module_poussee, controle(isp * g0));
}

// The same equations in plain arithmetic; false when the guarded way must decide.
inline bool derivees_directes(const etat& S, etat& D) {
    const double px = poussee.x, py = poussee.y, pz = poussee.z; // N
    const double vx = S.y(1), vy = S.y(2), vz = S.y(3);
    const double rx = S.y(4), ry = S.y(5), rz = S.y(6);

    // u = r / |r|, |r| = (x x + y y + z z)^0.5
    const double somme_r = rx * rx + ry * ry + rz * rz;
    if (!fini(somme_r) || somme_r == 0.0) {
        return false;
    }
    const double norme_r = std::pow(somme_r, 0.5);
    const double ux = rx / norme_r, uy = ry / norme_r, uz = rz / norme_r;
    // h = r x v; w = h / |h|
    const double hx = ry * vz - vy * rz;
    const double hy = vx * rz - rx * vz;
    const double hz = rx * vy - vx * ry;
    const double somme_h = hx * hx + hy * hy + hz * hz;
    if (!fini(somme_h) || somme_h == 0.0) {
        return false;
    }
    const double norme_h = std::pow(somme_h, 0.5);
    const double wx = hx / norme_h, wy = hy / norme_h, wz = hz / norme_h;
    // v = w x u
    const double Vx = wy * uz - uy * wz;
    const double Vy = ux * wz - wx * uz;
    const double Vz = wx * uy - ux * wy;
    // F = poussee.x u + poussee.y v + poussee.z w
    const double Fx = (px * ux + py * Vx) + pz * wx;
    const double Fy = (uy * px + Vy * py) + wy * pz;
    const double Fz = (uz * px + Vz * py) + wz * pz;
    // g = k u, k = -mu / |r|^2
    const double k = -mu_terre / std::pow(norme_r, 2.0);
    // N / kg added to km/s^2 as it stands
    D.y(1) = Fx / S.m + k * ux;
    D.y(2) = Fy / S.m + uy * k;
    D.y(3) = Fz / S.m + uz * k;
    D.y(4) = vx;
    D.y(5) = vy;
    D.y(6) = vz;
    // dm/dt = -|F| / (isp g0)
    const double isp_g0 = isp * g0;
    D.m = -module_poussee / isp_g0;
    return fini(isp_g0) && fini(S.m) && tous_finis(D);
}

// From finite values, + and x can only go wrong by overflowing, and a NaN can only
// follow an infinity: a result that is not finite is an overflow.
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

// One copy of the equations, which the step calls four times.
[[gnu::noinline]] void derivees_etat(const etat& S, const double& t, etat& D) {
    (void)t; // the forces do not depend on time
    if (!derivees_directes(S, D)) {
        derivees_gardees(S, D);
    }
}

void pas_runge_kutta(const etat& S, const double& t, const double& h, etat& S1) {
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

    derivees_etat(S, t, k1);
    etat_intermediaire(S, demi_h, k1, Y); // Y = S + h/2 k1
    derivees_etat(Y, t_demi, k2);
    etat_intermediaire(S, demi_h, k2, Y); // Y = S + h/2 k2
    cumuler(2.0, k2, k1, somme);          // 2 k2 + k1
    derivees_etat(Y, t_demi, k3);
    etat_intermediaire(S, h, k3, Y); // Y = S + h k3
    cumuler(2.0, k3, somme, somme);  // + 2 k3
    derivees_etat(Y, t_fin, k4);

    // S1 = S + h/6 (somme + k4)
    for (std::size_t i = 0; i < 6; ++i) {
        S1.composantes[i] = S.composantes[i] + h6 * (somme.composantes[i] + k4.composantes[i]);
    }
    S1.m = S.m + h6 * (somme.m + k4.m);
    verifier(S1);
}

} // namespace trajel
