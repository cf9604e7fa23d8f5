#include "manoeuvre/tir.h"

#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/etat.h"
#include "render/scene.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trajel {

namespace {

// Largest step count: the 16-bit step counter goes one past it.
constexpr double pas_maximum = 32766.0;

[[noreturn]] void refuser(const std::string& raison) {
    throw erreur_calcul(nature_erreur::tir_refuse, "Tir impossible : " + raison);
}

// The shared values that the burn and the handlers it raises rewrite.
struct valeurs_partagees {
    trajectoire T;
    double isp = 0.0;
    double masse = 0.0;
    vecteur poussee;
    double module_poussee = 0.0;
    std::string label_debit;
};

valeurs_partagees sauvegarder(const trajectoire& T) {
    return {T, isp, masse, poussee, module_poussee, Form1->legende_Label_debit()};
}

void restaurer(const valeurs_partagees& s, trajectoire& T) {
    T = s.T;
    isp = s.isp;
    masse = s.masse;
    poussee = s.poussee;
    module_poussee = s.module_poussee;
}

constexpr std::array<bouton_option, 4> options_conique = {
    bouton_option::Option_circulaire, bouton_option::Option_elliptique,
    bouton_option::Option_parabolique, bouton_option::Option_hyperbolique};

// Restored in this order: the option's click may propose a Text1, Text4 = 0 clears
// Text3, Text1 = Text2 clears Text5; each later box puts back what an earlier
// handler wrote.
constexpr std::array<zone_texte, 7> boites_restaurees = {
    zone_texte::Text4, zone_texte::Text1, zone_texte::Text2, zone_texte::Text3,
    zone_texte::Text5, zone_texte::Text7, zone_texte::Text6};

// What the burn writes into the window.
struct etat_fenetre {
    std::optional<bouton_option> option;
    std::array<std::string, boites_restaurees.size()> textes;
    std::string label_debit;
};

etat_fenetre lire_fenetre() {
    etat_fenetre f;
    for (const bouton_option b : options_conique) {
        if (Form1->selectionne(b)) {
            f.option = b;
            break;
        }
    }
    for (std::size_t i = 0; i < boites_restaurees.size(); ++i) {
        f.textes[i] = Form1->texte(boites_restaurees[i]);
    }
    f.label_debit = Form1->legende_Label_debit();
    return f;
}

// Puts the window back through its ordinary assignments, so that the nested
// handlers recompute and redraw as for a user's input. A handler that fails again
// does not stop the others.
void restaurer_fenetre(const etat_fenetre& f) {
    if (f.option) {
        try {
            Form1->selectionner(*f.option);
        } catch (...) {
        }
    }
    for (std::size_t i = 0; i < boites_restaurees.size(); ++i) {
        try {
            Form1->changer_texte(boites_restaurees[i], f.textes[i]);
        } catch (...) {
        }
    }
    try {
        Form1->legende_Label_debit(f.label_debit);
    } catch (...) {
    }
}

// The start record must describe a point at a finite distance on a true conic.
void verifier_conique(const trajectoire& T) {
    if (T.type_conique == hyperbolique) {
        const double c = std::cos(deg_rad(T.angle_asymptote)); // 1 / e
        if (!(c > 0.0 && c < 1.0)) {
            refuser("l'angle Phi de l'hyperbole doit être strictement compris entre 0° et "
                    "90°.");
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

void calcul_tir(trajectoire& T) {
    // View frame, as repere_vue: longitude HScroll1, latitude minus VScroll1.
    const double longitude = Form1->valeur_HScroll1();
    const double latitude = -Form1->valeur_VScroll1();
    const double cap = 0.0;
    repere P;
    repere_local(longitude, latitude, cap, P);

    // Everything is checked and computed before the window is touched.
    const double D = Val(Form1->texte(zone_texte::Text11)); // s
    const double pas_lus = std::floor(Val(Form1->texte(zone_texte::Text12)));
    if (!(pas_lus >= 1.0 && pas_lus <= pas_maximum)) {
        refuser("le nombre de pas doit être un entier compris entre 1 et 32766.");
    }
    const std::int16_t n = static_cast<std::int16_t>(pas_lus);
    const double h = quotient(D, n);

    const double m0 = masse; // kg
    if (!(m0 > 0.0)) {
        refuser("la masse du satellite doit être strictement positive.");
    }
    if (isp == 0.0) {
        refuser("une Isp nulle ne donne aucun débit de masse défini.");
    }
    // The flow is constant: the mass at the end is known before integrating.
    const double debit = quotient(module_poussee, controle(isp * g0)); // kg/s
    if (!(controle(m0 - controle(D * debit)) > 0.0)) {
        refuser("le tir consommerait toute la masse du satellite.");
    }
    verifier_conique(T);

    trajectoire depart = T;
    vecteur r;
    vecteur v;
    conversion_etat(1, depart, r, v);
    vecteur moment;
    prod_vectoriel(r, v, moment);
    if (norme(moment) == 0.0) {
        refuser("la vitesse du satellite est nulle ou parallèle à sa position (moment "
                "cinétique nul) : son repère local n'est pas défini.");
    }

    // Two states in turn: each step reads one and writes the other (S and S1).
    etat etats[2] = {etat_de(r, v, m0), etat()};
    double t = 0.0;

    // The arc runs from the state after the first step to the state after the last:
    // n points, n - 1 segments, drawn once the window shows the new orbit.
    std::vector<point_vue> arc(static_cast<std::size_t>(n));
    for (std::int16_t j = 0; j < n; ++j) {
        const etat& S = etats[j % 2];
        etat& S1 = etats[(j + 1) % 2];
        pas_runge_kutta(S, t, h, S1);
        projeter(P, position_de(S1), arc[static_cast<std::size_t>(j)]);
        t = controle(t + h);
    }
    const etat& fin = etats[n % 2];
    r = position_de(fin);
    v = vitesse_de(fin);
    const double mf = fin.m;

    trajectoire R;
    conversion_etat(2, R, r, v);
    // Apsides whose texts read back equal make a circle for the window, whose handlers
    // then set omega to 0 (Text1 = Text2 clears Text5). Such a near circle has no
    // periapsis of its own: the satellite is placed from the node line, by omega +
    // anomaly, before the boxes are written.
    if (R.type_conique == elliptique && Val(Str(R.za)) == Val(Str(R.zp))) {
        double argument = controle(R.petit_omega + R.anomalie);
        if (argument >= 360.0) {
            argument = controle(argument - 360.0);
        }
        R.petit_omega = 0.0;
        R.anomalie = argument;
        repere_orbital(R.grand_omega, R.inclinaison, R.petit_omega, R.repere_RP);
        repere_orbital(R.grand_omega, R.inclinaison, controle(R.petit_omega + R.anomalie),
                       R.repere_sat);
    }

    const std::string texte_zp = Str(R.zp);
    const std::string texte_grand_omega = Str(R.grand_omega);
    const std::string texte_inclinaison = Str(R.inclinaison);
    const std::string texte_petit_omega = Str(R.petit_omega);
    const std::string texte_anomalie = Str(R.anomalie);
    const std::string texte_za = Str(R.za);
    const std::string texte_phi = Str(R.angle_asymptote);
    // The remaining mass is written with "." whatever the regional settings, so that
    // the next burn reads it back whole.
    const std::string texte_masse = format_general(mf);
    const std::string texte_debit = Str(controle(m0 - mf));

    // Each write below may run nested handlers that recompute traj and redraw. If one
    // fails, the window is put back as it was, then the shared values.
    const etat_fenetre fenetre = lire_fenetre();
    const valeurs_partagees partagees = sauvegarder(T);
    try {
        T.excentricite = depart.excentricite;
        T.parametre = depart.parametre;
        masse = mf;
        const trajectoire avant = T;

        Form1->changer_texte(zone_texte::Text2, texte_zp);
        Form1->changer_texte(zone_texte::Text3, texte_grand_omega);
        Form1->changer_texte(zone_texte::Text4, texte_inclinaison);
        Form1->changer_texte(zone_texte::Text5, texte_petit_omega);
        Form1->changer_texte(zone_texte::Text7, texte_anomalie);
        if (R.type_conique == circulaire) {
            Form1->selectionner(bouton_option::Option_circulaire);
            Form1->changer_texte(zone_texte::Text2, texte_zp);
        } else if (R.type_conique == elliptique) {
            Form1->selectionner(bouton_option::Option_elliptique);
            Form1->changer_texte(zone_texte::Text1, texte_za);
            Form1->changer_texte(zone_texte::Text2, texte_zp);
        } else if (R.type_conique == parabolique) {
            Form1->selectionner(bouton_option::Option_parabolique);
            Form1->changer_texte(zone_texte::Text2, texte_zp);
        } else if (R.type_conique == hyperbolique) {
            Form1->selectionner(bouton_option::Option_hyperbolique);
            Form1->changer_texte(zone_texte::Text1, texte_phi);
            Form1->changer_texte(zone_texte::Text2, texte_zp);
        }
        Form1->changer_texte(zone_texte::Text6, texte_masse);
        Form1->legende_Label_debit(texte_debit);

        // Over the new orbit's scene that the handlers drew: the orbit before the
        // burn, the orbit reached, and the powered arc on top.
        tracer_scene(avant);
        tracer_scene(R);
        for (std::size_t i = 1; i < arc.size(); ++i) {
            tracer_segment(arc[i - 1], arc[i], couleur_terre);
        }
    } catch (...) {
        restaurer_fenetre(fenetre);
        restaurer(partagees, T);
        throw;
    }
}

void cmd_tir_Click() {
    const valeurs_partagees avant = sauvegarder(traj);
    try {
        calcul_trajectoire(traj);
        calcul_tir(traj);
    } catch (...) {
        // A refused or failed burn leaves the values read from the window as they were.
        restaurer(avant, traj);
        try {
            Form1->legende_Label_debit(avant.label_debit);
        } catch (...) {
        }
        throw;
    }
}

} // namespace trajel
