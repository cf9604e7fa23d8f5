#include "manoeuvre/conversion.h"

#include "core/trajectoire.h"

#include <cmath>
#include <limits>
#include <utility>

namespace trajel {

namespace {

// Record to state: the satellite at the true anomaly of T on its conic.
void etat_depuis_trajectoire(trajectoire& T, vecteur& r_sortie, vecteur& v_sortie,
                             const modele_terre& modele) {
    // Q.u radial, Q.v ortho-radial at the argument of latitude omega + anomaly.
    repere Q;
    repere_orbital(T.grand_omega, T.inclinaison, controle(T.petit_omega + T.anomalie), Q);
    const double nu = deg_rad(T.anomalie);
    const double rp = controle(T.zp + modele.rayon); // km

    double e = T.excentricite;
    double p = T.parametre; // km
    double vp = 0.0;        // km/s, speed at the periapsis
    if (T.type_conique == circulaire || T.type_conique == elliptique) {
        const double ra = controle(T.za + modele.rayon);
        const double a = controle(controle(rp + ra) * 0.5);
        const double E = quotient(-modele.mu, controle(2.0 * a)); // specific energy
        e = quotient(controle(ra - rp), controle(rp + ra));
        p = controle(controle(1.0 - puissance(e, 2.0)) * a);
        vp = puissance(controle(2.0 * controle(quotient(modele.mu, rp) + E)), 0.5);
    } else if (T.type_conique == parabolique) {
        e = 1.0;
        vp = puissance(quotient(2.0 * modele.mu, rp), 0.5);
        p = controle(2.0 * rp);
    } else if (T.type_conique == hyperbolique) {
        e = quotient(1.0, std::cos(deg_rad(T.angle_asymptote))); // cos(Phi) = 1 / e
        const double a = quotient(rp, controle(e - 1.0));
        const double E = quotient(modele.mu, controle(2.0 * a));
        p = controle(controle(puissance(e, 2.0) - 1.0) * a);
        vp = puissance(controle(2.0 * controle(quotient(modele.mu, rp) + E)), 0.5);
    }

    // r = p / (1 + e cos nu); h = rp vp; nu' = h / r^2
    const double cos_nu = std::cos(nu);
    const double sin_nu = std::sin(nu);
    const double denominateur = controle(1.0 + controle(e * cos_nu));
    const double rayon = quotient(p, denominateur);
    const double h = controle(rp * vp);
    const double nu_point = quotient(h, puissance(rayon, 2.0));
    // vt = nu' r; vr = p e sin(nu) nu' / (1 + e cos nu)^2
    const double vt = controle(nu_point * rayon);
    const double vr = quotient(controle(controle(controle(p * e) * sin_nu) * nu_point),
                               puissance(denominateur, 2.0));

    vecteur r;
    vecteur v;
    for (int i = 1; i <= 3; ++i) {
        v(i) = controle(controle(Q.u(i) * vr) + controle(Q.v(i) * vt));
        r(i) = controle(Q.u(i) * rayon);
    }

    T.excentricite = e;
    T.parametre = p;
    r_sortie = r;
    v_sortie = v;
}

// The conic of a state from its specific energy E and eccentricity e. Near escape both
// are rounding noise and may disagree: where their signs differ (E against e - 1), or e
// is within a few ulps of 1, the state is taken as parabolic; otherwise e decides, so
// that an ellipse always has e < 1 and a hyperbola e > 1.
std::string_view type_de_conique(double E, double e) {
    constexpr double quelques_ulps = 4.0 * std::numeric_limits<double>::epsilon();
    const double ecart = e - 1.0; // exact near 1
    const bool desaccord = (E < 0.0 && ecart >= 0.0) || (E > 0.0 && ecart <= 0.0);
    if (E == 0.0 || desaccord || std::fabs(ecart) <= quelques_ulps) {
        return parabolique;
    }
    if (ecart > 0.0) {
        return hyperbolique;
    }
    return e == 0.0 ? circulaire : elliptique;
}

// The directions of a state: radial, the angular momentum r x v (km^2/s) and its
// direction, and the eccentricity vector (v x H) / mu - r / |r|.
struct directions_etat {
    vecteur r_unitaire;
    vecteur H;
    vecteur normale;
    vecteur excentricite;
};

directions_etat directions_de(const vecteur& r, const vecteur& v, double mu) {
    directions_etat d;
    unitaire(r, d.r_unitaire);
    prod_vectoriel(r, v, d.H);
    unitaire(d.H, d.normale);
    vecteur v_H;
    prod_vectoriel(v, d.H, v_H);
    for (int i = 1; i <= 3; ++i) {
        d.excentricite(i) = controle(quotient(v_H(i), mu) - d.r_unitaire(i));
    }
    return d;
}

// Periapsis direction, taken in the orbit plane. The eccentricity vector lies in it,
// but for a near circle it is rounding noise that may point anywhere: its part off the
// plane would turn omega and the anomaly out of the plane, and their sum would no longer
// place the satellite. A circular orbit has no periapsis and measures from the node line.
vecteur direction_periastre(const directions_etat& d, const vecteur& noeud) {
    const double hors_plan = prod_scalaire(d.excentricite, d.normale);
    vecteur dans_plan;
    for (int i = 1; i <= 3; ++i) {
        dans_plan(i) = controle(d.excentricite(i) - controle(hors_plan * d.normale(i)));
    }
    vecteur periastre = noeud;
    if (norme(dans_plan) > 0.0) {
        unitaire(dans_plan, periastre);
    }
    return periastre;
}

// The orbit's angles (Omega, i, omega, the anomaly) and its four frames.
void orienter(trajectoire& R, const directions_etat& d) {
    // Node line: polar axis x normal (length sin i). An equatorial orbit has none and
    // measures from the fixed x axis.
    vecteur noeud;
    prod_vectoriel(repere_fixe.w, d.normale, noeud);
    if (norme(noeud) == 0.0) {
        noeud = repere_fixe.u;
    }
    const vecteur periastre = direction_periastre(d, noeud);

    R.grand_omega = angle_oriente(repere_fixe.u, noeud, repere_fixe.w);
    R.inclinaison = angle_oriente(repere_fixe.w, d.normale, noeud);
    R.petit_omega = angle_oriente(noeud, periastre, d.normale);
    R.anomalie = angle_oriente(periastre, d.r_unitaire, d.normale);

    construire_reperes(R);
}

// The conic's type and shape: e, p and the apsides, or the angle Phi of a hyperbola.
void donner_forme(trajectoire& R, const directions_etat& d, const vecteur& r, const vecteur& v,
                  const modele_terre& modele) {
    const double e = norme(d.excentricite);
    const double norme_r = norme(r);
    const double norme_v = norme(v);
    // E = |v| 0.5 |v| - mu / |r|, km^2/s^2.
    const double E =
        controle(controle(controle(norme_v * 0.5) * norme_v) - quotient(modele.mu, norme_r));
    // p = |r x v|^2 / mu for every conic, and the apsides from it: rp = p / (1 + e),
    // ra = p / (1 - e). Unlike (1 - e) a and (1 - e^2) a, these keep their digits when e
    // is near 1, where a grows without bound.
    R.parametre = quotient(puissance(norme(d.H), 2.0), modele.mu);
    R.type_conique = type_de_conique(E, e);

    if (R.type_conique == parabolique) {
        en_parabole(R, modele);
    } else {
        R.excentricite = e;
        const double rp = quotient(R.parametre, controle(1.0 + e));
        R.zp = controle(rp - modele.rayon);
        if (e < 1.0) {
            R.za = controle(quotient(R.parametre, controle(1.0 - e)) - modele.rayon);
        } else {
            // Phi between an asymptote and the axis: cos(Phi) = 1 / e, in degrees.
            R.angle_asymptote = controle(180.0 / pi * arccos(quotient(1.0, e)));
        }
    }
}

// State to record: the conic through r with the velocity v.
void trajectoire_depuis_etat(trajectoire& T, const vecteur& r, const vecteur& v,
                             const modele_terre& modele) {
    trajectoire R = T; // fields that the state does not decide stay as they are
    const directions_etat d = directions_de(r, v, modele.mu);
    orienter(R, d);
    donner_forme(R, d, r, v, modele);
    T = std::move(R);
}

} // namespace

void en_parabole(trajectoire& T, const modele_terre& modele) {
    T.type_conique = parabolique;
    T.excentricite = 1.0;
    T.zp = controle(controle(T.parametre * 0.5) - modele.rayon);
}

void conversion_etat(const std::int16_t& sens, trajectoire& T, vecteur& r, vecteur& v,
                     const modele_terre& modele) {
    if (sens == 1) {
        etat_depuis_trajectoire(T, r, v, modele);
    } else if (sens == 2) {
        trajectoire_depuis_etat(T, r, v, modele);
    }
}

} // namespace trajel
