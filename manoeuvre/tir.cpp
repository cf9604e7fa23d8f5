#include "manoeuvre/tir.h"

#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/vol_propulse.h"
#include "render/marques.h"
#include "render/projection.h"
#include "render/scene.h"

#include <cmath>
#include <string>
#include <vector>

namespace trajel {

namespace {

// What the burn reads from the window, checked: the view frame and the flight.
struct consigne_tir {
    repere vue;
    consigne_vol vol;
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

// Reads the burn's boxes (duration Text11, steps Text12) and the shared engine and mass,
// and refuses, before anything changes, a burn that cannot be computed.
consigne_tir lire_consigne(const trajectoire& T, const modele_terre& modele) {
    consigne_tir c;
    c.vue = vue_des_barres();
    const double duree = Val(Form1->texte(zone_texte::Text11)); // s
    const double pas_lus = std::floor(Val(Form1->texte(zone_texte::Text12)));
    c.vol = consigne_du_vol(T, propulsion_partagee(modele), duree, pas_lus, masse);
    return c;
}

// The powered flight from S, each state projected on the view plane. The arc runs from
// the state after the first step to the state after the last: n points, n - 1 segments.
std::vector<point_vue> integrer(const propulsion& moteur, const repere& vue, double h, int pas,
                                etat& S) {
    std::vector<point_vue> arc;
    arc.reserve(static_cast<std::size_t>(pas));
    voler(moteur, h, pas, S, [&](const etat& etape, double) {
        point_vue p;
        projeter(vue, position_de(etape), p);
        arc.push_back(p);
    });
    return arc;
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
bool relu_dessinable(const trajectoire& R, const textes_resultat& t, double rayon_terre) {
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

resultat_tir resultat_de(const etat& fin, double m0, const modele_terre& modele) {
    resultat_tir r{orbite_atteinte(fin, modele), {}};
    r.textes = former_textes(r.orbite, m0, fin.m);
    if (!relu_dessinable(r.orbite, r.textes, modele.rayon)) {
        en_parabole(r.orbite, modele);
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
void tracer_tir(const trajectoire& avant, const trajectoire& R, const std::vector<point_vue>& arc,
                const modele_terre& modele) {
    tracer_scene(avant, modele);
    tracer_scene(R, modele);
    for (std::size_t i = 1; i < arc.size(); ++i) {
        tracer_segment(arc[i - 1], arc[i], couleur_terre);
    }
    tracer_marques_demandees(avant);
    tracer_marques_demandees(R);
}

} // namespace

// Apsides whose texts read back equal make a circle for the window, whose handlers then
// set omega to 0 (Text1 = Text2 clears Text5). Such a near circle has no periapsis of
// its own: the satellite is placed from the node line, by omega + anomaly.
namespace {

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

} // namespace

trajectoire orbite_atteinte(const etat& fin, const modele_terre& modele) {
    vecteur r = position_de(fin);
    vecteur v = vitesse_de(fin);
    trajectoire R;
    conversion_etat(2, R, r, v, modele);
    corriger_quasi_cercle(R);
    return R;
}

garde_tir::garde_tir() : fenetre_(Form1->memoriser()), valeurs_(valeurs_calculees::actuelles()) {}

garde_tir::~garde_tir() {
    if (validee_) {
        return;
    }
    Form1->restituer(*fenetre_);
    valeurs_.restituer();
}

void calcul_tir(trajectoire& T, const modele_terre& modele) {
    const consigne_tir consigne = lire_consigne(T, modele);
    const consigne_vol& vol = consigne.vol;

    trajectoire depart = T;
    etat S = etat_initial(depart, vol.m0, modele);
    const etat S0 = S;
    const std::vector<point_vue> arc = integrer(vol.moteur, consigne.vue, vol.h, vol.pas, S);
    const double mf = S.m;
    const resultat_tir resultat = resultat_de(S, vol.m0, modele);
    const trajectoire& R = resultat.orbite;
    const textes_resultat& textes = resultat.textes;

    T.excentricite = depart.excentricite;
    T.parametre = depart.parametre;
    masse = mf;
    const trajectoire avant = T;
    ecrire_resultat(R, textes);
    tracer_tir(avant, R, arc, modele);
    enregistrer_tir(S0, S, vol.duree, vol.pas, avant, R, modele);
}

void retracer_tir(const bilan_tir& b) {
    etat S = b.depart;
    const std::vector<point_vue> arc =
        integrer(b.moteur, vue_des_barres(), quotient(b.duree, b.pas), b.pas, S);
    tracer_tir(b.avant, b.apres, arc, b.moteur.modele);
}

void cmd_tir_Click(const modele_terre& modele) {
    garde_tir garde;
    calcul_trajectoire(traj, modele);
    calcul_tir(traj, modele);
    garde.valider();
}

} // namespace trajel
