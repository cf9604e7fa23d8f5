#include "render/scene.h"

#include "core/processeur.h"
#include "core/surface.h"
#include "core/trajectoire.h"
#include "render/continents.h"
#include "render/fantomes.h"
#include "render/marques.h"
#include "render/projection.h"

#include <cmath>

namespace trajel {

namespace {

constexpr double longueur_axe = 7236.0; // km, twice the Earth's radius

// k v, projected on the view plane.
point_vue projete(const double& k, const vecteur& v) {
    vecteur p;
    mult_scalaire(k, v, p);
    point_vue resultat;
    projeter(repere_vue, p, resultat);
    return resultat;
}

// A point of the Earth's surface, S(a, b) = R u of repere_local(a, b, 20), with its
// projection and whether it faces the viewer (S . u > 0, the limb excluded).
struct point_terre {
    point_vue vue;
    bool devant;
};

point_terre surface_terre(const trigo& a, const trigo& b, double rayon) {
    vecteur s;
    mult_scalaire(rayon, u_local(a, b), s);
    point_terre resultat;
    projeter(repere_vue, s, resultat.vue);
    resultat.devant = prod_scalaire(s, repere_vue.u) > 0.0;
    return resultat;
}

void plume_normale(surface& s) {
    s.DrawWidth(1);
    s.DrawStyle(style_plein);
}

// Puts the pen back to width 1, solid, when the conic is done, also when an error
// abandons it halfway: the next drawing starts from the pen it expects.
class plume_retablie {
public:
    explicit plume_retablie(surface& s) : s_(s) {}
    ~plume_retablie() { plume_normale(s_); }
    plume_retablie(const plume_retablie&) = delete;
    plume_retablie& operator=(const plume_retablie&) = delete;

private:
    surface& s_;
};

void lire_taille_image() {
    surface& image = Form1->Picture1();
    largeur_image = entier32(image.Width());
    hauteur_image = entier32(image.Height());
}

// The viewer's longitude and latitude, degrees (the vertical bar reads downwards).
double longitude_vue() {
    return static_cast<double>(Form1->valeur_HScroll1());
}
double latitude_vue() {
    return static_cast<double>(-Form1->valeur_VScroll1());
}

void tracer_repere_etiquete(const repere& R, const char* lu, const char* lv, const char* lw,
                            const std::int16_t& n) {
    etiquette_u = lu;
    etiquette_v = lv;
    etiquette_w = lw;
    tracer_repere(R, etiquette_u, etiquette_v, etiquette_w, n);
}

// A point of the conic at true anomaly nu (degrees): r = p / (1 + e cos nu) along u of
// repere_orbital(grand_omega, inclinaison, petit_omega + nu), then projected.
// Where 1 + e cos nu <= 0 the conic does not reach: the point is left out.
struct point_conique {
    vecteur espace; // km, equatorial frame
    point_vue vue;  // km, view plane
    bool atteint = true;
};

point_conique conique(const trajectoire& t, const trigo& o, const trigo& i, int nu) {
    const double anomalie = static_cast<double>(nu);
    const double denominateur =
        controle(1.0 + controle(t.excentricite * std::cos(deg_rad(anomalie))));
    point_conique resultat;
    if (!(denominateur > 0.0)) {
        resultat.atteint = false;
        return resultat;
    }
    const double r = quotient(t.parametre, denominateur);
    mult_scalaire(r, u_orbital(o, i, trigo_de(controle(t.petit_omega + anomalie))),
                  resultat.espace);
    projeter(repere_vue, resultat.espace, resultat.vue);
    return resultat;
}

// The orbit's frames chosen in Frame_reperes, then the satellite's frame.
void tracer_reperes_orbite(const trajectoire& t) {
    const bool tous = Form1->selectionne(bouton_option::Option_tous);
    if (tous || Form1->selectionne(bouton_option::Option_RN)) {
        tracer_repere_etiquete(t.repere_RN, "noeud", "", "", couleur_RN);
    }
    if (tous || Form1->selectionne(bouton_option::Option_RH)) {
        tracer_repere_etiquete(t.repere_RH, "", "", "", couleur_RH);
    }
    if (tous || Form1->selectionne(bouton_option::Option_RP)) {
        tracer_repere_etiquete(t.repere_RP, "périastre", "", "", couleur_RP);
    }
    tracer_repere_etiquete(t.repere_sat, "satellite", "", "mt cinétique", couleur_trajectoire);
}

// The satellite: its radius line, always solid at width 2, and "S" at its end.
void tracer_satellite(surface& image, const point_vue& position) {
    point_vue centre;
    projeter(repere_vue, vecteur{}, centre);
    image.DrawWidth(2);
    tracer_segment(centre, position, couleur_trajectoire);
    image.DrawWidth(1);
    image.Print("S");
}

// The satellite's own place, r = p / (1 + e cos(anomaly)) along u of its frame, for an
// anomaly the steps did not meet; nothing where the conic does not reach.
void tracer_satellite_hors_pas(surface& image, const trajectoire& t) {
    vecteur position;
    if (!point_sur_conique(t, t.anomalie, position)) {
        return;
    }
    point_vue vue;
    projeter(repere_vue, position, vue);
    tracer_satellite(image, vue);
}

// The conic degree by degree, solid where seen, dotted where the Earth hides it, with
// the satellite at its step, or after the steps when its anomaly is not one of them.
// Bounds beyond the 16-bit range overflow in plage_tracee(); the counter is a plain int
// so that nu2 = 32767 ends the loop.
void tracer_conique(const trajectoire& t, const modele_terre& modele) {
    const plage_anomalies bornes = en_calculant(
        "la plage des anomalies tracées, qui tient en ±32767° (zone « Anomalie° » ou « Phi° »)",
        [&] { return plage_tracee(t); });
    surface& image = Form1->Picture1();
    bool satellite_trace = false;
    if (bornes.debut <= bornes.fin) {
        const trigo grand_omega = trigo_de(t.grand_omega);
        const trigo inclinaison = trigo_de(t.inclinaison);
        const plume_retablie plume(image); // width 1, solid after the last step
        // P2 of step nu is the conic at nu + 1, its angle formed as petit_omega + (nu + 1):
        // the very P1 of step nu + 1, computed once.
        point_conique p1 = conique(t, grand_omega, inclinaison, bornes.debut);
        for (int nu = bornes.debut; nu <= bornes.fin; ++nu) {
            const point_conique p2 = conique(t, grand_omega, inclinaison, nu + 1);
            if (!p1.atteint || !p2.atteint) {
                p1 = p2;
                continue;
            }
            if (static_cast<double>(nu) == t.anomalie) {
                tracer_satellite(image, p1.vue);
                satellite_trace = true;
            }
            if (terre_cache(p1.espace, p1.vue, modele)) {
                image.DrawWidth(1);
                image.DrawStyle(style_pointille);
            } else {
                image.DrawWidth(2);
                image.DrawStyle(style_plein);
            }
            tracer_segment(p1.vue, p2.vue, couleur_trajectoire);
            p1 = p2;
        }
    }
    if (!satellite_trace) {
        tracer_satellite_hors_pas(image, t);
    }
}

// The great circle of the orbit plane on the Earth, its front half only (start point
// strictly in front).
void tracer_grand_cercle(const trajectoire& t, double rayon) {
    const trigo grand_omega = trigo_de(t.grand_omega);
    const trigo inclinaison = trigo_de(t.inclinaison);
    vecteur g1;
    mult_scalaire(rayon, u_orbital(grand_omega, inclinaison, trigo_de(0.0)), g1);
    for (int nu = 0; nu <= 360; nu += 10) {
        vecteur g2;
        mult_scalaire(
            rayon, u_orbital(grand_omega, inclinaison, trigo_de(static_cast<double>(nu + 10))), g2);
        if (prod_scalaire(g1, repere_vue.u) > 0.0) {
            point_vue a;
            point_vue b;
            projeter(repere_vue, g1, a);
            projeter(repere_vue, g2, b);
            tracer_segment(a, b, couleur_trajectoire);
        }
        g1 = g2;
    }
}

} // namespace

void mise_en_place_vue() {
    lire_taille_image();
    repere_local(longitude_vue(), latitude_vue(), 0.0, repere_vue);
}

void tracer_repere(const repere& R, const std::string& lu, const std::string& lv,
                   const std::string& lw, const std::int16_t& n) {
    surface& image = Form1->Picture1();
    point_vue origine;
    projeter(repere_vue, vecteur{}, origine);
    const vecteur* axes[3] = {&R.u, &R.v, &R.w};
    const std::string* etiquettes[3] = {&lu, &lv, &lw};
    for (int i = 0; i < 3; ++i) {
        tracer_segment(origine, projete(longueur_axe, *axes[i]), n);
        if (!etiquettes[i]->empty()) {
            image.Print(*etiquettes[i]); // top-left corner at the axis tip
        }
    }
}

void tracer_terre(const modele_terre& modele) {
    const double rayon_terre = modele.rayon;
    mise_en_place_vue();
    surface& image = Form1->Picture1();
    plume_normale(image);

    repere equateur;
    repere_orbital(0.0, 0.0, 0.0, equateur);
    tracer_repere_etiquete(equateur, "X0(gamma)", "y0", "z0", couleur_terre);

    // Outline: R v of repere_local(lambda, phi, alpha), the circle of the Earth's radius
    // about the view's centre, drawn whole. The end of one step is the start of the
    // next (the same whole angle, the same bits).
    const trigo lambda = trigo_de(longitude_vue());
    const trigo phi = trigo_de(latitude_vue());
    point_vue debut = projete(rayon_terre, v_local(lambda, phi, trigo_de(0.0)));
    for (int alpha = 0; alpha <= 360; alpha += 10) {
        const point_vue fin =
            projete(rayon_terre, v_local(lambda, phi, trigo_de(static_cast<double>(alpha + 10))));
        tracer_segment(debut, fin, couleur_terre);
        debut = fin;
    }

    // Parallels, then meridians: each segment from S(a, b) is drawn when S(a, b) faces
    // the viewer; its end point is not tested.
    for (int b = -90; b <= 90; b += 30) {
        const trigo latitude = trigo_de(static_cast<double>(b));
        point_terre depart = surface_terre(trigo_de(0.0), latitude, rayon_terre);
        for (int a = 0; a <= 360; a += 10) {
            const point_terre arrivee =
                surface_terre(trigo_de(static_cast<double>(a + 10)), latitude, rayon_terre);
            if (depart.devant) {
                tracer_segment(depart.vue, arrivee.vue, couleur_terre);
            }
            depart = arrivee;
        }
    }
    for (int a = 0; a <= 360; a += 30) {
        const trigo longitude = trigo_de(static_cast<double>(a));
        point_terre depart = surface_terre(longitude, trigo_de(-90.0), rayon_terre);
        // b = 90 ends 10 degrees past the pole, on the opposite meridian.
        for (int b = -90; b <= 90; b += 10) {
            const point_terre arrivee =
                surface_terre(longitude, trigo_de(static_cast<double>(b + 10)), rayon_terre);
            if (depart.devant) {
                tracer_segment(depart.vue, arrivee.vue, couleur_terre);
            }
            depart = arrivee;
        }
    }
}

void tracer_scene(const trajectoire& t, const modele_terre& modele) {
    lire_taille_image();
    plume_normale(Form1->Picture1());
    tracer_reperes_orbite(t);
    tracer_conique(t, modele);
    tracer_grand_cercle(t, modele.rayon);
}

namespace {
std::uint64_t rafraichissements_complets = 0;
}

void rafraichissement_complet(const modele_terre& modele) {
    // A trajectory that cannot be drawn does not stay: traj and the satellite values
    // go back to those of the last scene drawn, which the picture keeps.
    const valeurs_calculees dessinees = valeurs_calculees::actuelles();
    liberer_registres_etendus();
    try {
        Form1->Picture1().Cls();
        calcul_trajectoire(traj, modele);
        tracer_terre(modele);
        tracer_continents_demandes(modele);
        tracer_scene(traj, modele);
        tracer_marques_demandees(traj);
        tracer_fantomes_demandes();
    } catch (...) {
        dessinees.restituer();
        throw;
    }
    ++rafraichissements_complets;
}

std::uint64_t nombre_rafraichissements_complets() {
    return rafraichissements_complets;
}

void rafraichissement_vue(const modele_terre& modele) {
    liberer_registres_etendus();
    Form1->Picture1().Cls();
    tracer_terre(modele);
    tracer_continents_demandes(modele);
    tracer_scene(traj, modele);
    tracer_marques_demandees(traj);
    tracer_fantomes_demandes();
}

} // namespace trajel
