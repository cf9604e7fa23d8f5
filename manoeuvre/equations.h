#pragma once

#include "core/module1.h"
#include "manoeuvre/etat.h"

#include <cmath>

namespace trajel {

// The equations of motion, written once over an arithmetic: the guarded one of the
// toolkit, where every operation raises the error its fault deserves, and the plain
// one, which runs the same operations in the same order (so the same bits) and only
// says, at the end, whether a fault may have happened. The burn evaluates the plain
// one and goes back to the guarded one when it answers false.

// From finite values, + and x can only go wrong by overflowing, and a NaN can only
// follow an infinity: x - x is 0 for a finite x and NaN otherwise.
inline bool fini(double x) {
    return x - x == 0.0;
}

inline bool tous_finis(const etat& S) {
    const double* y = S.composantes.data();
    const double z = (((y[0] - y[0]) + (y[1] - y[1])) + ((y[2] - y[2]) + (y[3] - y[3]))) +
                     (((y[4] - y[4]) + (y[5] - y[5])) + (S.m - S.m));
    return z == 0.0;
}

struct arithmetique_gardee {
    static double f(double x) { return controle(x); }
    static double divise(double a, double b) { return quotient(a, b); }
    static double puissance(double x, double y) { return trajel::puissance(x, y); }
    // A unit vector needs a length that is not zero.
    static bool longueur(double n) {
        if (n == 0.0) {
            lever(nature_erreur::division_par_zero);
        }
        return true;
    }
    static bool resultat(const etat&, double, const etat&) { return true; }
};

struct arithmetique_directe {
    static double f(double x) { return x; }
    static double divise(double a, double b) { return a / b; }
    static double puissance(double x, double y) { return std::pow(x, y); }
    static bool longueur(double n) { return fini(n) && n != 0.0; }
    static bool resultat(const etat& S, double isp_g0, const etat& D) {
        return fini(isp_g0) && fini(S.m) && tous_finis(D);
    }
};

// F = p.x u + p.y v + p.z w for the thrust p of the local frame (u, v, w), summed in
// that order (N).
template <class A>
inline void poussee_dans(const vecteur& p, const vecteur& u, const vecteur& v, const vecteur& w,
                         vecteur& F) {
    F.x = A::f(A::f(A::f(p.x * u.x) + A::f(p.y * v.x)) + A::f(p.z * w.x));
    F.y = A::f(A::f(A::f(u.y * p.x) + A::f(v.y * p.y)) + A::f(w.y * p.z));
    F.z = A::f(A::f(A::f(u.z * p.x) + A::f(v.z * p.y)) + A::f(w.z * p.z));
}

// a x b, component by component as prod_vectoriel.
template <class A> inline vecteur vectoriel(const vecteur& a, const vecteur& b) {
    return {A::f(A::f(a.y * b.z) - A::f(b.y * a.z)), A::f(A::f(b.x * a.z) - A::f(a.x * b.z)),
            A::f(A::f(a.x * b.y) - A::f(b.x * a.y))};
}

// D = dS/dt under the engine `moteur`; false when the plain arithmetic may have met a
// fault. Nothing shared is read: mu, g0 and the unit of the thrust are the engine's model.
template <class A>
inline bool equations_du_mouvement(const propulsion& moteur, const etat& S, etat& D) {
    const vecteur v{S.y(1), S.y(2), S.y(3)}; // km/s
    const vecteur r{S.y(4), S.y(5), S.y(6)}; // km

    // Local frame of S: u = r / |r| radial, w = h / |h| with h = r x v, v = w x u.
    // |x| = (x x + y y + z z)^0.5
    const double norme_r = A::puissance(r.x * r.x + r.y * r.y + r.z * r.z, 0.5);
    if (!A::longueur(norme_r)) {
        return false;
    }
    const vecteur u{A::divise(r.x, norme_r), A::divise(r.y, norme_r), A::divise(r.z, norme_r)};
    const vecteur h = vectoriel<A>(r, v);
    const double norme_h = A::puissance(h.x * h.x + h.y * h.y + h.z * h.z, 0.5);
    if (!A::longueur(norme_h)) {
        return false;
    }
    const vecteur w{A::divise(h.x, norme_h), A::divise(h.y, norme_h), A::divise(h.z, norme_h)};
    const vecteur ortho = vectoriel<A>(w, u);

    vecteur F; // N, inertial frame
    poussee_dans<A>(moteur.poussee, u, ortho, w, F);

    // g = k u, k = -mu / |r|^2 (km/s^2)
    const modele_terre& terre = moteur.modele;
    const double k = A::divise(-terre.mu, A::puissance(norme_r, 2.0));
    const vecteur g{A::f(k * u.x), A::f(u.y * k), A::f(u.z * k)};

    // N / kg times the model's factor, added to km/s^2: the program's Earth takes it as
    // it stands (1 N on 1000 kg gives 0.001 km/s^2, the factor 1 is exact), the real one
    // reads it in m/s^2.
    const double facteur = terre.facteur_poussee;
    D.y(1) = A::f(A::f(A::divise(F.x, S.m) * facteur) + g.x);
    D.y(2) = A::f(A::f(A::divise(F.y, S.m) * facteur) + g.y);
    D.y(3) = A::f(A::f(A::divise(F.z, S.m) * facteur) + g.z);
    D.y(4) = A::f(v.x);
    D.y(5) = A::f(v.y);
    D.y(6) = A::f(v.z);

    // dm/dt = -|F| / (isp g0), constant during a burn (kg/s).
    const double isp_g0 = A::f(moteur.isp * terre.g0);
    D.m = A::divise(-moteur.module_poussee, isp_g0);
    return A::resultat(S, isp_g0, D);
}

} // namespace trajel
