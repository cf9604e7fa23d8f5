#include "manoeuvre/vol_propulse.h"

#include "manoeuvre/conversion.h"

#include <cmath>
#include <string>

namespace trajel {

namespace {

[[noreturn]] void refuser(const std::string& raison) {
    throw erreur_calcul(nature_erreur::tir_refuse, "Tir impossible : " + raison);
}

// The start record must describe a point at a finite distance on a true conic.
void verifier_conique(const trajectoire& T) {
    if (T.type_conique == hyperbolique) {
        const double c = std::cos(deg_rad(T.angle_asymptote)); // 1 / e
        if (!(c > 0.0 && c < 1.0)) {
            refuser("l'angle Phi de l'hyperbole doit avoir un cosinus strictement compris "
                    "entre 0 et 1 (entre 0° et 90° exclus, à un tour près).");
        }
        const double e = quotient(1.0, c);
        if (!(controle(1.0 + controle(e * std::cos(deg_rad(T.anomalie)))) > 0.0)) {
            refuser("l'anomalie du satellite atteint ou dépasse l'asymptote de l'hyperbole "
                    "(1 + e cos(anomalie) doit être positif).");
        }
    } else if (T.type_conique == parabolique) {
        if (!(controle(1.0 + std::cos(deg_rad(T.anomalie))) > 0.0)) {
            refuser("une anomalie de 180° place le satellite à l'infini sur la parabole.");
        }
    }
}

} // namespace

consigne_vol consigne_du_vol(const trajectoire& T, const propulsion& moteur, double duree,
                             double pas_lus, double m0) {
    if (!(pas_lus >= 1.0 && pas_lus <= pas_maximum_vol && pas_lus == std::floor(pas_lus))) {
        refuser("le nombre de pas doit être un entier compris entre 1 et 32766.");
    }
    consigne_vol c;
    c.moteur = moteur;
    c.duree = duree; // s
    c.pas = static_cast<int>(pas_lus);
    c.h = quotient(c.duree, c.pas);

    c.m0 = m0; // kg
    if (!(c.m0 > 0.0)) {
        refuser("la masse du satellite doit être strictement positive.");
    }
    if (moteur.isp == 0.0) {
        refuser("une Isp nulle ne donne aucun débit de masse défini.");
    }
    // The flow is constant: the mass at the end is known before integrating.
    const double debit =
        quotient(moteur.module_poussee, controle(moteur.isp * moteur.modele.g0)); // kg/s
    if (!(controle(c.m0 - controle(c.duree * debit)) > 0.0)) {
        refuser("le tir consommerait toute la masse du satellite.");
    }
    verifier_conique(T);
    return c;
}

etat etat_initial(trajectoire& depart, double m0, const modele_terre& modele) {
    vecteur r;
    vecteur v;
    conversion_etat(1, depart, r, v, modele);
    vecteur moment;
    prod_vectoriel(r, v, moment);
    if (norme(moment) == 0.0) {
        refuser("la vitesse du satellite est nulle ou parallèle à sa position (moment "
                "cinétique nul) : son repère local n'est pas défini.");
    }
    return etat_de(r, v, m0);
}

} // namespace trajel
