#include "manoeuvre/tir.h"

#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/integration.h"
#include "render/marques.h"
#include "render/scene.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace trajel {

namespace {

// Largest step count: the 16-bit step counter goes one past it.
constexpr double pas_maximum = 32766.0;

[[noreturn]] void refuser(const std::string& raison) {
    throw erreur_calcul(nature_erreur::tir_refuse, "Tir impossible : " + raison);
}

// What the burn reads from the window, checked: the view frame, the duration D (s),
// the n steps of h = D / n (s), the mass at the start (kg).
struct consigne_tir {
    repere vue;
    double duree = 0.0;
    std::int16_t pas = 0;
    double h = 0.0;
    double m0 = 0.0;
};

// The view frame of the scroll bars, as repere_vue: longitude HScroll1, latitude minus
// VScroll1.
repere vue_des_barres() {
    const double longitude = Form1->valeur_HScroll1();
    const double latitude = -Form1->valeur_VScroll1();
    const double cap = 0.0;
    repere vue;
    repere_local(longitude, latitude, cap, vue);
    return vue;
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

// Reads the burn's boxes and refuses, before anything changes, a burn that cannot be
// computed.
consigne_tir lire_consigne(const trajectoire& T) {
    consigne_tir c;
    c.vue = vue_des_barres();

    c.duree = Val(Form1->texte(zone_texte::Text11)); // s
    const double pas_lus = std::floor(Val(Form1->texte(zone_texte::Text12)));
    if (!(pas_lus >= 1.0 && pas_lus <= pas_maximum)) {
        refuser("le nombre de pas doit être un entier compris entre 1 et 32766.");
    }
    c.pas = static_cast<std::int16_t>(pas_lus);
    c.h = quotient(c.duree, c.pas);

    c.m0 = masse; // kg
    if (!(c.m0 > 0.0)) {
        refuser("la masse du satellite doit être strictement positive.");
    }
    if (isp == 0.0) {
        refuser("une Isp nulle ne donne aucun débit de masse défini.");
    }
    // The flow is constant: the mass at the end is known before integrating.
    const double debit = quotient(module_poussee, controle(isp * g0)); // kg/s
    if (!(controle(c.m0 - controle(c.duree * debit)) > 0.0)) {
        refuser("le tir consommerait toute la masse du satellite.");
    }
    verifier_conique(T);
    return c;
}

// The satellite's state on `depart` (a copy of T, whose eccentricity and parameter the
// conversion rewrites), refused when its local frame is undefined.
etat etat_initial(trajectoire& depart, double m0) {
    vecteur r;
    vecteur v;
    conversion_etat(1, depart, r, v);
    vecteur moment;
    prod_vectoriel(r, v, moment);
    if (norme(moment) == 0.0) {
        refuser("la vitesse du satellite est nulle ou parallèle à sa position (moment "
                "cinétique nul) : son repère local n'est pas défini.");
    }
    return etat_de(r, v, m0);
}

// The powered flight: n steps of h from S with the engine `moteur`, each state projected
// on the view plane. The arc runs from the state after the first step to the state after
// the last: n points, n - 1 segments.
std::vector<point_vue> integrer(const propulsion& moteur, const repere& vue, double h, int pas,
                                etat& S) {
    std::vector<point_vue> arc;
    arc.reserve(static_cast<std::size_t>(pas));
    double t = 0.0;
    integrer_n_pas(moteur, S, t, h, pas, [&](const etat& etape, double) {
        point_vue p;
        projeter(vue, position_de(etape), p);
        arc.push_back(p);
    });
    return arc;
}

// Apsides whose texts read back equal make a circle for the window, whose handlers then
// set omega to 0 (Text1 = Text2 clears Text5). Such a near circle has no periapsis of
// its own: the satellite is placed from the node line, by omega + anomaly.
void corriger_quasi_cercle(trajectoire& R) {
    if (R.type_conique != elliptique || Val(Str(R.za)) != Val(Str(R.zp))) {
        return;
    }
    double argument = controle(R.petit_omega + R.anomalie);
    if (argument >= 360.0) {
        argument = controle(argument - 360.0);
    }
    R.petit_omega = 0.0;
    R.anomalie = argument;
    construire_reperes(R);
}

// The conic reached at the end of the burn.
trajectoire orbite_atteinte(const etat& fin) {
    vecteur r = position_de(fin);
    vecteur v = vitesse_de(fin);
    trajectoire R;
    conversion_etat(2, R, r, v);
    corriger_quasi_cercle(R);
    return R;
}

// Every text the burn writes, formed before the first is written.
struct textes_resultat {
    std::string zp, grand_omega, inclinaison, petit_omega, anomalie, za, phi;
    std::string masse; // Text6
    std::string debit; // Label_debit
};

textes_resultat former_textes(const trajectoire& R, double m0, double mf) {
    textes_resultat t;
    t.zp = Str(R.zp);
    t.grand_omega = Str(R.grand_omega);
    t.inclinaison = Str(R.inclinaison);
    t.petit_omega = Str(R.petit_omega);
    t.anomalie = Str(R.anomalie);
    t.za = Str(R.za);
    t.phi = Str(R.angle_asymptote);
    // The remaining mass is written with "." whatever the regional settings, so that
    // the next burn reads it back whole.
    t.masse = format_general(mf);
    t.debit = Str(controle(m0 - mf));
    return t;
}

// Whether the texts read back, through the window's own formulas, as a conic of R's
// type that can be drawn: a finite parameter p > 0, e < 1 for an ellipse (an apoapsis of
// 7e19 km reads back as e = 1 and p = 0), cos(Phi) in (0, 1) for a hyperbola, and the
// satellite on the conic (1 + e cos(anomaly) > 0).
bool relu_dessinable(const trajectoire& R, const textes_resultat& t) {
    const double rp = Val(t.zp) + rayon_terre;
    double e = 0.0;
    double p = rp;
    if (R.type_conique == elliptique) {
        const double ra = Val(t.za) + rayon_terre;
        e = (ra - rp) / (rp + ra);
        p = (1.0 - e * e) * ((rp + ra) * 0.5);
        if (!(e < 1.0)) {
            return false;
        }
    } else if (R.type_conique == parabolique) {
        e = 1.0;
        p = 2.0 * rp;
    } else if (R.type_conique == hyperbolique) {
        const double c = std::cos(deg_rad(Val(t.phi)));
        if (!(c > 0.0 && c < 1.0)) {
            return false;
        }
        e = 1.0 / c;
        p = (e * e - 1.0) * (rp / (e - 1.0));
    }
    const double denominateur = 1.0 + e * std::cos(deg_rad(Val(t.anomalie)));
    return std::isfinite(p) && p > 0.0 && std::isfinite(e) && denominateur > 0.0;
}

// The conic reached and the texts that describe it. Texts that would not read back as a
// drawable conic of the same type are those of a state at the escape threshold: it is
// written as the parabola of the same parameter.
struct resultat_tir {
    trajectoire orbite;
    textes_resultat textes;
};

resultat_tir resultat_de(const etat& fin, double m0) {
    resultat_tir r{orbite_atteinte(fin), {}};
    r.textes = former_textes(r.orbite, m0, fin.m);
    if (!relu_dessinable(r.orbite, r.textes)) {
        en_parabole(r.orbite);
        r.textes = former_textes(r.orbite, m0, fin.m);
    }
    return r;
}

// The result into the window, in the order of the design; each write may run nested
// handlers that recompute traj and redraw.
void ecrire_resultat(const trajectoire& R, const textes_resultat& t) {
    Form1->changer_texte(zone_texte::Text2, t.zp);
    Form1->changer_texte(zone_texte::Text3, t.grand_omega);
    Form1->changer_texte(zone_texte::Text4, t.inclinaison);
    Form1->changer_texte(zone_texte::Text5, t.petit_omega);
    Form1->changer_texte(zone_texte::Text7, t.anomalie);
    if (R.type_conique == circulaire) {
        Form1->selectionner(bouton_option::Option_circulaire);
        Form1->changer_texte(zone_texte::Text2, t.zp);
    } else if (R.type_conique == elliptique) {
        Form1->selectionner(bouton_option::Option_elliptique);
        Form1->changer_texte(zone_texte::Text1, t.za);
        Form1->changer_texte(zone_texte::Text2, t.zp);
    } else if (R.type_conique == parabolique) {
        Form1->selectionner(bouton_option::Option_parabolique);
        Form1->changer_texte(zone_texte::Text2, t.zp);
    } else if (R.type_conique == hyperbolique) {
        Form1->selectionner(bouton_option::Option_hyperbolique);
        Form1->changer_texte(zone_texte::Text1, t.phi);
        Form1->changer_texte(zone_texte::Text2, t.zp);
    }
    Form1->changer_texte(zone_texte::Text6, t.masse);
    Form1->legende_Label_debit(t.debit);
}

// Over the new orbit's scene that the handlers drew: the orbit before the burn, the
// orbit reached, and the powered arc on top.
void tracer_tir(const trajectoire& avant, const trajectoire& R, const std::vector<point_vue>& arc) {
    tracer_scene(avant);
    tracer_scene(R);
    for (std::size_t i = 1; i < arc.size(); ++i) {
        tracer_segment(arc[i - 1], arc[i], couleur_terre);
    }
    tracer_marques_demandees(avant);
    tracer_marques_demandees(R);
}

} // namespace

garde_tir::garde_tir() : fenetre_(Form1->memoriser()), valeurs_(valeurs_calculees::actuelles()) {}

garde_tir::~garde_tir() {
    if (validee_) {
        return;
    }
    Form1->restituer(*fenetre_);
    valeurs_.restituer();
}

void calcul_tir(trajectoire& T) {
    const consigne_tir consigne = lire_consigne(T);

    trajectoire depart = T;
    etat S = etat_initial(depart, consigne.m0);
    const etat S0 = S;
    const std::vector<point_vue> arc =
        integrer(propulsion_partagee(), consigne.vue, consigne.h, consigne.pas, S);
    const double mf = S.m;
    const resultat_tir resultat = resultat_de(S, consigne.m0);
    const trajectoire& R = resultat.orbite;
    const textes_resultat& textes = resultat.textes;

    T.excentricite = depart.excentricite;
    T.parametre = depart.parametre;
    masse = mf;
    const trajectoire avant = T;
    ecrire_resultat(R, textes);
    tracer_tir(avant, R, arc);
    enregistrer_tir(S0, S, consigne.duree, consigne.pas, avant, R);
}

void retracer_tir(const bilan_tir& b) {
    etat S = b.depart;
    const std::vector<point_vue> arc =
        integrer(b.moteur, vue_des_barres(), quotient(b.duree, b.pas), b.pas, S);
    tracer_tir(b.avant, b.apres, arc);
}

void cmd_tir_Click() {
    garde_tir garde;
    calcul_trajectoire(traj);
    calcul_tir(traj);
    garde.valider();
}

} // namespace trajel
