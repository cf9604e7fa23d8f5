#include "manoeuvre/bilan_tir.h"

#include "manoeuvre/conversion.h"
#include "manoeuvre/runge_kutta.h"
#include "manoeuvre/vol_propulse.h"

#include <cmath>
#include <utility>

namespace trajel {

namespace {

// v^2 / 2 - mu / r, km^2/s^2.
double energie_de(const vecteur& r, const vecteur& v, double mu) {
    const double norme_v = norme(v);
    return controle(controle(0.5 * norme_v * norme_v) - quotient(mu, norme(r)));
}

double distance(const vecteur& a, const vecteur& b) {
    return norme({controle(a.x - b.x), controle(a.y - b.y), controle(a.z - b.z)});
}

// The thrust's direction in the Earth-centred frame at the burn's start, in the local
// frame of the state there.
vecteur direction_poussee(const bilan_tir& b) {
    vecteur F;
    poussee_inertielle(b.moteur, repere_local_de(position_de(b.depart), vitesse_de(b.depart)), F);
    vecteur direction;
    unitaire(F, direction);
    return direction;
}

} // namespace

namespace {
unsigned tirs_enregistres = 0;
}

void enregistrer_tir(const etat& depart, const etat& arrivee, double duree, int pas,
                     const trajectoire& avant, const trajectoire& apres,
                     const modele_terre& modele) {
    bilan_tir b;
    b.numero = ++tirs_enregistres;
    b.depart = depart;
    b.arrivee = arrivee;
    b.moteur = propulsion_partagee(modele);
    b.duree = duree;
    b.pas = pas;
    b.avant = avant;
    b.apres = apres;
    dernier_tir = std::move(b);
}

void restituer_tir(bilan_tir b) {
    b.numero = ++tirs_enregistres;
    dernier_tir = std::move(b);
}

orbite_etat orbite_de(const vecteur& r, const vecteur& v, const modele_terre& modele) {
    trajectoire R;
    vecteur position = r;
    vecteur vitesse = v;
    conversion_etat(2, R, position, vitesse, modele);
    orbite_etat o;
    o.type_conique = R.type_conique;
    o.excentricite = R.excentricite;
    o.zp = R.zp;
    o.inclinaison = R.inclinaison;
    o.energie = energie_de(r, v, modele.mu);
    if (o.energie != 0.0) {
        o.a = quotient(-modele.mu, 2.0 * o.energie); // a = -mu / (2 energy)
    }
    if (o.energie < 0.0) {
        o.za = R.za;
    }
    return o;
}

chiffres_tir chiffres_du_tir(const bilan_tir& b) {
    chiffres_tir c;
    const double m0 = b.depart.m;
    const double mf = b.arrivee.m;
    c.masse_consommee = controle(m0 - mf);
    // delta_v = integral of |F| / m dt = isp g0 ln(m0 / mf), m = m0 - |F| t / (isp g0)
    const modele_terre& modele = b.moteur.modele;
    c.delta_v =
        controle(b.moteur.isp * modele.g0 * std::log(quotient(m0, mf)) * modele.facteur_poussee);
    const vecteur r0 = position_de(b.depart);
    const vecteur v0 = vitesse_de(b.depart);
    const vecteur r1 = position_de(b.arrivee);
    const vecteur v1 = vitesse_de(b.arrivee);
    c.vitesse_avant = norme(v0);
    c.vitesse_apres = norme(v1);
    c.delta_energie = controle(energie_de(r1, v1, modele.mu) - energie_de(r0, v0, modele.mu));

    vecteur v_impulsion = v0;
    if (b.moteur.module_poussee != 0.0 && c.delta_v != 0.0) {
        const vecteur d = direction_poussee(b);
        for (int i = 1; i <= 3; ++i) {
            v_impulsion(i) = controle(v0(i) + c.delta_v * d(i)); // v0 + delta_v d
        }
    }
    c.vitesse_impulsion = norme(v_impulsion);
    // An orbit the conversion cannot classify (no angular momentum) stays empty.
    try {
        c.apres_tir = orbite_de(r1, v1, modele);
    } catch (const erreur_calcul&) {
    }
    try {
        c.apres_impulsion = orbite_de(r0, v_impulsion, modele);
    } catch (const erreur_calcul&) {
    }
    return c;
}

etat refaire_tir(const bilan_tir& b, int pas) {
    etat S = b.depart;
    voler(b.moteur, quotient(b.duree, pas), pas, S, sans_observateur);
    return S;
}

std::optional<erreur_integration> estimer_erreur_integration(const bilan_tir& b) {
    const int moitie = b.pas / 2;
    if (moitie < 1) {
        return std::nullopt;
    }
    const etat S = refaire_tir(b, moitie);
    erreur_integration e;
    e.pas_reduits = moitie;
    e.ecart_position = distance(position_de(S), position_de(b.arrivee));
    e.ecart_vitesse = distance(vitesse_de(S), vitesse_de(b.arrivee));
    // The error of n steps of h is C h^4, that of n / 2 steps C (r h)^4.
    const double r = static_cast<double>(b.pas) / moitie;
    e.richardson = e.ecart_position / (r * r * r * r - 1.0);
    return e;
}

} // namespace trajel
