#include "core/caracteristiques.h"

#include "core/kepler.h"

#include <cmath>

namespace trajel {

namespace {

double en_degres(double radians) {
    return controle(radians * 180.0 / pi);
}

// Degrees into [0, 360) for a closed orbit, into (-180, 180] for an open one.
double ramener(double degres, bool fermee) {
    double d = controle(degres - 360.0 * std::floor(degres / 360.0)); // [0, 360)
    if (d >= 360.0) {
        d = 0.0;
    }
    if (!fermee && d > 180.0) {
        d -= 360.0;
    }
    return d;
}

} // namespace

conique conique_de(const trajectoire& t, const modele_terre& modele) {
    conique c;
    c.modele = modele;
    c.p = t.parametre;
    if (t.type_conique == circulaire) {
        c.forme = forme_conique::cercle;
    } else if (t.type_conique == elliptique) {
        // A negative e puts the periapsis at the record's anomaly 180.
        c.e = std::abs(t.excentricite);
        c.decalage = t.excentricite < 0.0 ? 180.0 : 0.0;
        c.forme = c.e == 0.0 ? forme_conique::cercle : forme_conique::ellipse;
        if (!(c.e < 1.0)) {
            lever(nature_erreur::operation_invalide); // radii not both positive
        }
    } else if (t.type_conique == parabolique) {
        c.forme = forme_conique::parabole;
        c.e = 1.0;
    } else if (t.type_conique == hyperbolique) {
        c.forme = forme_conique::hyperbole;
        c.e = t.excentricite;
        if (!(c.e > 1.0)) {
            lever(nature_erreur::operation_invalide);
        }
    } else {
        lever(nature_erreur::operation_invalide);
    }
    if (!(controle(c.p) > 0.0)) {
        lever(nature_erreur::operation_invalide);
    }
    return c;
}

double anomalie_vraie(const conique& c, double anomalie) {
    return deg_rad(ramener(controle(anomalie - c.decalage), c.fermee()));
}

double anomalie_record(const conique& c, double nu) {
    return ramener(controle(en_degres(nu) + c.decalage), c.fermee());
}

caracteristiques_orbite caracteristiques_de(const conique& c) {
    caracteristiques_orbite o;
    const modele_terre& planete = c.modele;
    o.c = c;
    const double e = c.e;
    const double p = c.p;
    o.rp = quotient(p, 1.0 + e);
    o.zp = controle(o.rp - planete.rayon);
    // h = (mu p)^0.5; energy = -mu (1 - e^2) / (2 p)
    o.moment_cinetique = racine(controle(planete.mu * p));
    o.energie = quotient(controle(-planete.mu * (1.0 - e * e)), controle(2.0 * p));
    o.vitesse_periastre = quotient(o.moment_cinetique, o.rp);
    o.vitesse_liberation_periastre = racine(quotient(2.0 * planete.mu, o.rp));
    if (c.fermee()) {
        o.a = quotient(p, 1.0 - e * e);
        o.ra = quotient(p, 1.0 - e);
        o.za = controle(*o.ra - planete.rayon);
        o.periode = periode_orbitale(e, p, planete);
        o.moyen_mouvement = quotient(360.0, *o.periode);
        o.vitesse_apoastre = quotient(o.moment_cinetique, *o.ra);
    } else {
        if (c.forme == forme_conique::hyperbole) {
            o.a = quotient(p, 1.0 - e * e);
        }
        o.vitesse_infinie = racine(controle(2.0 * std::max(o.energie, 0.0)));
        // cos(nu_infini) = -1 / e; sin(delta / 2) = 1 / e
        o.anomalie_asymptote = en_degres(std::acos(-1.0 / e));
        o.angle_deviation = en_degres(2.0 * std::asin(1.0 / e));
    }
    return o;
}

caracteristiques_satellite satellite_de(const caracteristiques_orbite& o, double anomalie,
                                        const anomalies_suivies& suivies) {
    const conique& c = o.c;
    const modele_terre& planete = c.modele;
    caracteristiques_satellite s;
    const double nu = anomalie_vraie(c, anomalie);
    const double denominateur = controle(1.0 + c.e * std::cos(nu));
    if (!(denominateur > 0.0)) {
        lever(nature_erreur::operation_invalide); // on or beyond an asymptote
    }
    s.anomalie_vraie = ramener(en_degres(nu), c.fermee());
    // r = p / (1 + e cos nu); vr = (mu / h) e sin nu; vt = h / r
    s.rayon = quotient(c.p, denominateur);
    s.altitude = controle(s.rayon - planete.rayon);
    const double mu_h = quotient(planete.mu, o.moment_cinetique);
    s.vitesse_radiale = controle(mu_h * c.e * std::sin(nu));
    s.vitesse_orthoradiale = controle(mu_h * denominateur);
    s.vitesse = controle(std::hypot(s.vitesse_radiale, s.vitesse_orthoradiale));
    s.pente = en_degres(std::atan2(s.vitesse_radiale, s.vitesse_orthoradiale));

    if (c.fermee()) {
        const double t = temps_depuis_periastre(c.e, c.p, nu, planete);
        s.temps_depuis_periastre = t;
        if (c.forme == forme_conique::ellipse) {
            const double demi = *o.periode / 2.0;
            s.prochaine_apside = t < demi ? apside::apoastre : apside::periastre;
            s.temps_prochaine_apside = t < demi ? demi - t : *o.periode - t;
        }
        return s;
    }
    const double suivie = ramener(anomalie, false);
    if (suivie >= suivies.debut && suivie <= suivies.fin) {
        const double t = temps_depuis_periastre(c.e, c.p, nu, planete);
        s.temps_depuis_periastre = t;
        if (t < 0.0) {
            s.prochaine_apside = apside::periastre;
            s.temps_prochaine_apside = -t;
        }
    }
    return s;
}

} // namespace trajel
