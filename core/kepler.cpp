#include "core/kepler.h"

#include "core/module1.h"

#include <cmath>
#include <limits>

namespace trajel {

namespace {

// The root of f, increasing, inside [bas, haut], by Newton's method kept inside the
// bracket (a step that leaves it is replaced by a bisection).
template <class F, class Derivee>
double racine_encadree(F f, Derivee derivee, double x, double bas, double haut) {
    constexpr double precision = 4.0 * std::numeric_limits<double>::epsilon();
    for (int i = 0; i < 200; ++i) {
        const double valeur = f(x);
        if (valeur == 0.0) {
            return x;
        }
        if (valeur > 0.0) {
            haut = x;
        } else {
            bas = x;
        }
        double suivant = x - valeur / derivee(x); // x - f(x) / f'(x)
        if (!(suivant > bas && suivant < haut)) {
            suivant = 0.5 * (bas + haut);
        }
        if (std::abs(suivant - x) <= precision * std::max(1.0, std::abs(x))) {
            return controle(suivant);
        }
        x = suivant;
    }
    return controle(x);
}

// sinh x - x without the cancellation of a small x: x^3 / 3! + x^5 / 5! + ...
double sinh_moins_x(double x) {
    if (std::abs(x) >= 0.5) {
        return std::sinh(x) - x;
    }
    const double x2 = x * x;
    double terme = x * x2 / 6.0;
    double somme = terme;
    for (int k = 5; std::abs(terme) > std::numeric_limits<double>::epsilon() * std::abs(somme);
         k += 2) {
        terme *= x2 / ((k - 1) * k);
        somme += terme;
    }
    return somme;
}

// Elliptic and open conics need different eccentricities; a circle is an ellipse.
void verifier_conique(double e, double p) {
    if (!(e >= 0.0 && p > 0.0) || !std::isfinite(e) || !std::isfinite(p)) {
        lever(nature_erreur::operation_invalide);
    }
}

// n = (mu / |a|^3)^0.5, rad/s, with |a| = p / |1 - e^2|.
double moyen_mouvement(double e, double p, const modele_terre& modele) {
    const double a = quotient(p, std::abs(controle(1.0 - e * e)));
    return racine(quotient(modele.mu, controle(a * a * a)));
}

// nu in [0, 2 pi), for a closed orbit.
double un_tour(double nu) {
    const double reduit = controle(nu - deux_pi * std::floor(nu / deux_pi));
    return reduit >= deux_pi ? 0.0 : reduit;
}

// nu in (-pi, pi], for an open conic.
double demi_tour(double nu) {
    double reduit = controle(nu - deux_pi * std::round(nu / deux_pi));
    if (reduit <= -pi) {
        reduit += deux_pi;
    }
    return reduit;
}

} // namespace

double anomalie_excentrique(double M, double e) {
    if (!(e >= 0.0 && e < 1.0)) {
        lever(nature_erreur::operation_invalide);
    }
    controle(M);
    // E - M = e sin E lies within [-e, e].
    return racine_encadree([&](double E) { return E - e * std::sin(E) - M; },
                           [&](double E) { return 1.0 - e * std::cos(E); }, M, M - e, M + e);
}

double anomalie_hyperbolique(double M, double e) {
    if (!(e > 1.0)) {
        lever(nature_erreur::operation_invalide);
    }
    controle(M);
    if (M < 0.0) {
        return -anomalie_hyperbolique(-M, e);
    }
    // e sinh H = M + H >= M and (e - 1) sinh H <= M bracket the root. Near the
    // parabola e sinh H - H is formed as (e - 1) sinh H + (sinh H - H).
    const double bas = std::asinh(M / e);
    const double haut = std::asinh(M / (e - 1.0));
    return racine_encadree([&](double H) { return (e - 1.0) * std::sinh(H) + sinh_moins_x(H) - M; },
                           [&](double H) { return e * std::cosh(H) - 1.0; }, bas, bas, haut);
}

double barker_inverse(double W) {
    // D = 2 sinh(phi) turns D^3 + 3 D = 3 W into sinh(3 phi) = 1.5 W.
    return controle(2.0 * std::sinh(std::asinh(controle(1.5 * W)) / 3.0));
}

double periode_orbitale(double e, double p, const modele_terre& modele) {
    verifier_conique(e, p);
    if (!(e < 1.0)) {
        lever(nature_erreur::operation_invalide);
    }
    return quotient(2.0 * modele.pi, moyen_mouvement(e, p, modele));
}

double temps_depuis_periastre(double e, double p, double nu, const modele_terre& modele) {
    verifier_conique(e, p);
    controle(nu);
    if (e < 1.0) {
        // tan(E / 2) = ((1 - e) / (1 + e))^0.5 tan(nu / 2); M = E - e sin E
        const double demi = un_tour(nu) / 2.0;
        double E =
            2.0 * std::atan2(racine(1.0 - e) * std::sin(demi), racine(1.0 + e) * std::cos(demi));
        if (E < 0.0) {
            E += deux_pi;
        }
        double M = E - e * std::sin(E);
        if (M >= deux_pi) {
            M -= deux_pi;
        }
        return controle(quotient(std::max(M, 0.0), moyen_mouvement(e, p, modele)));
    }
    const double nu_reduit = demi_tour(nu);
    if (!(controle(1.0 + e * std::cos(nu_reduit)) > 0.0)) {
        lever(nature_erreur::operation_invalide); // on or beyond an asymptote
    }
    if (e == 1.0) {
        // Barker: t = (p^3 / mu)^0.5 (D + D^3 / 3) / 2, D = tan(nu / 2)
        const double D = controle(std::tan(nu_reduit / 2.0));
        return controle(0.5 * racine(quotient(controle(p * p * p), modele.mu)) *
                        controle(D + D * D * D / 3.0));
    }
    // tanh(H / 2) = ((e - 1) / (e + 1))^0.5 tan(nu / 2); M = e sinh H - H
    const double x = racine((e - 1.0) / (e + 1.0)) * std::tan(nu_reduit / 2.0);
    if (!(std::abs(x) < 1.0)) {
        lever(nature_erreur::operation_invalide);
    }
    const double H = 2.0 * std::atanh(x);
    return quotient(controle(e * std::sinh(H) - H), moyen_mouvement(e, p, modele));
}

double anomalie_au_temps(double e, double p, double t, const modele_terre& modele) {
    verifier_conique(e, p);
    controle(t);
    if (e < 1.0) {
        const double T = periode_orbitale(e, p, modele);
        double reduit = controle(t - T * std::floor(t / T));
        if (reduit >= T) {
            reduit = 0.0;
        }
        const double E = anomalie_excentrique(controle(moyen_mouvement(e, p, modele) * reduit), e);
        // tan(nu / 2) = ((1 + e) / (1 - e))^0.5 tan(E / 2)
        double nu = 2.0 * std::atan2(racine(1.0 + e) * std::sin(E / 2.0),
                                     racine(1.0 - e) * std::cos(E / 2.0));
        if (nu < 0.0) {
            nu += deux_pi;
        }
        return nu >= deux_pi ? 0.0 : controle(nu);
    }
    if (e == 1.0) {
        // W = 2 t (mu / p^3)^0.5
        const double W = controle(2.0 * t * racine(quotient(modele.mu, controle(p * p * p))));
        return controle(2.0 * std::atan(barker_inverse(W)));
    }
    const double H = anomalie_hyperbolique(controle(moyen_mouvement(e, p, modele) * t), e);
    return controle(2.0 * std::atan(racine((e + 1.0) / (e - 1.0)) * std::tanh(H / 2.0)));
}

} // namespace trajel
