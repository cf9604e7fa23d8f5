#include "render/marques.h"

#include "core/surface.h"
#include "core/trajectoire.h"
#include "render/projection.h"

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

// Sizes on the picture, in twips (15 a pixel at 96 dpi).
constexpr double longueur_pointe = 180.0;
constexpr double longueur_trait = 150.0;
constexpr double demi_losange = 75.0;
constexpr double ouverture_pointe = 25.0; // degrees between the chevron's arms and the motion

// A view-plane point lands no further than one picture size off the picture.
bool pres_de_l_image(const point_vue& p) {
    const double k = echelle_image();
    const double x = controle(p.x * k);
    const double y = controle(p.y * k);
    return std::abs(x) <= 1.5 * largeur_image && std::abs(y) <= 1.5 * hauteur_image;
}

// a + longueur d, longueur in canvas units along the unit view-plane direction d.
point_vue decale(const point_vue& a, const point_vue& d, double longueur) {
    const double km = quotient(longueur, echelle_image());
    return {controle(a.x + controle(d.x * km)), controle(a.y + controle(d.y * km))};
}

// A view-plane point on the picture, canvas units (unfloored).
point_canevas sur_l_image(const point_vue& p) {
    const double k = echelle_image();
    return {controle(controle(p.x * k) + largeur_image / 2.0),
            controle(hauteur_image / 2.0 - controle(p.y * k))};
}

// d / |d|, or false when d is (nearly) zero.
bool direction(const point_vue& d, point_vue& unite) {
    const double n = racine(controle(d.x * d.x + d.y * d.y));
    if (!(n > 1e-9)) {
        return false;
    }
    unite = {quotient(d.x, n), quotient(d.y, n)};
    return true;
}

// The satellite seen: a filled disc at it in the trajectory's colour, and a chevron in
// a lighter shade pointing along the velocity projected on the view plane, beside the
// disc and clear of "S", whose top-left corner is at the satellite.
void tracer_pointe(const trajectoire& t) {
    vecteur p;
    if (!point_sur_conique(t, t.anomalie, p)) {
        return;
    }
    point_vue position;
    projeter(repere_vue, p, position);
    if (!pres_de_l_image(position)) {
        return;
    }
    // d/dnu of r u(omega + nu), divided by r: (e sin nu / (1 + e cos nu)) u + v.
    const trigo nu = trigo_de(t.anomalie);
    const trigo o = trigo_de(t.grand_omega);
    const trigo i = trigo_de(t.inclinaison);
    const trigo angle = trigo_de(controle(t.petit_omega + t.anomalie));
    const double radial =
        quotient(controle(t.excentricite * nu.s), controle(1.0 + controle(t.excentricite * nu.c)));
    vecteur u;
    mult_scalaire(radial, u_orbital(o, i, angle), u);
    const vecteur v = v_orbital(o, i, angle);
    const vecteur vitesse{controle(u.x + v.x), controle(u.y + v.y), controle(u.z + v.z)};
    point_vue projetee;
    projeter(repere_vue, vitesse, projetee);

    const point_canevas centre = sur_l_image(position);
    surface& image = Form1->Picture1();
    const couleur_rgb rouge = palette(couleur_trajectoire);
    image.Disque(centre.x, centre.y, rayon_disque, rouge);
    point_vue sens;
    if (!direction(projetee, sens)) {
        return; // moving along the line of sight: no direction to show
    }
    image.Polygone(chevron_a_cote(centre, {sens.x, -sens.y}), eclaircie(rouge, 0.55));
}

// An apsis: a tick outwards from the Earth's centre on the view plane, its label at
// the tick's end.
void tracer_apside(const trajectoire& t, double nu, const char* etiquette) {
    vecteur p;
    if (!point_sur_conique(t, nu, p)) {
        return;
    }
    point_vue position;
    projeter(repere_vue, p, position);
    if (!pres_de_l_image(position)) {
        return;
    }
    point_vue dehors;
    if (!direction(position, dehors)) {
        dehors = {0.0, 1.0}; // seen end-on: the tick points up
    }
    tracer_segment(position, decale(position, dehors, longueur_trait), couleur_trajectoire);
    Form1->Picture1().Print(etiquette);
}

// The ascending node, where the argument of latitude omega + nu is 0: a diamond, its
// label at its right-hand corner. An equatorial orbit has none.
void tracer_noeud(const trajectoire& t) {
    if (std::fmod(t.inclinaison, 180.0) == 0.0) {
        return;
    }
    vecteur p;
    if (!point_sur_conique(t, controle(-t.petit_omega), p)) {
        return;
    }
    point_vue centre;
    projeter(repere_vue, p, centre);
    if (!pres_de_l_image(centre)) {
        return;
    }
    const point_vue coins[4] = {
        decale(centre, {1.0, 0.0}, demi_losange), decale(centre, {0.0, -1.0}, demi_losange),
        decale(centre, {-1.0, 0.0}, demi_losange), decale(centre, {0.0, 1.0}, demi_losange)};
    for (int n = 0; n < 4; ++n) {
        tracer_segment(coins[n], coins[(n + 1) % 4], couleur_trajectoire);
    }
    Form1->Picture1().Print("NA");
}

bool conique_connue(const trajectoire& t) {
    return t.type_conique == circulaire || t.type_conique == elliptique ||
           t.type_conique == parabolique || t.type_conique == hyperbolique;
}

} // namespace

std::vector<double> chevron_a_cote(const point_canevas& satellite, const point_canevas& d) {
    // "S" takes about 8 x 14 pixels right of and below its corner; a margin around it.
    const double s_gauche = satellite.x - 15.0, s_droite = satellite.x + 135.0;
    const double s_haut = satellite.y - 15.0, s_bas = satellite.y + 225.0;
    const double ecart = rayon_disque + 45.0;
    const point_canevas n{-d.y, d.x};
    // Ahead of the disc, behind it pointing at it, then on either side.
    const point_canevas pointes[] = {
        {satellite.x + d.x * (ecart + longueur_pointe),
         satellite.y + d.y * (ecart + longueur_pointe)},
        {satellite.x - d.x * ecart, satellite.y - d.y * ecart},
        {satellite.x + n.x * (ecart + 90.0) + d.x * 90.0,
         satellite.y + n.y * (ecart + 90.0) + d.y * 90.0},
        {satellite.x - n.x * (ecart + 90.0) + d.x * 90.0,
         satellite.y - n.y * (ecart + 90.0) + d.y * 90.0},
    };
    const trigo r = trigo_de(ouverture_pointe);
    const point_canevas bras1{d.x * r.c - d.y * r.s, d.x * r.s + d.y * r.c};
    const point_canevas bras2{d.x * r.c + d.y * r.s, -d.x * r.s + d.y * r.c};
    std::vector<double> premier;
    for (const point_canevas& t : pointes) {
        const std::vector<double> sommets{
            t.x,
            t.y,
            t.x - bras1.x * longueur_pointe,
            t.y - bras1.y * longueur_pointe,
            t.x - d.x * longueur_pointe * 0.55,
            t.y - d.y * longueur_pointe * 0.55,
            t.x - bras2.x * longueur_pointe,
            t.y - bras2.y * longueur_pointe,
        };
        double gauche = sommets[0], droite = sommets[0], haut = sommets[1], bas = sommets[1];
        for (std::size_t k = 2; k < sommets.size(); k += 2) {
            gauche = std::min(gauche, sommets[k]);
            droite = std::max(droite, sommets[k]);
            haut = std::min(haut, sommets[k + 1]);
            bas = std::max(bas, sommets[k + 1]);
        }
        if (droite < s_gauche || gauche > s_droite || bas < s_haut || haut > s_bas) {
            return sommets;
        }
        if (premier.empty()) {
            premier = sommets;
        }
    }
    return premier;
}

void tracer_marques(const trajectoire& t) {
    if (!conique_connue(t)) {
        return;
    }
    surface& image = Form1->Picture1();
    image.DrawWidth(1);
    image.DrawStyle(style_plein);
    if ((t.type_conique == elliptique || t.type_conique == circulaire) && t.excentricite > 0.0 &&
        t.excentricite < 1.0) {
        tracer_apside(t, 0.0, "P");
        tracer_apside(t, 180.0, "A");
    }
    tracer_noeud(t);
    tracer_pointe(t);
    image.DrawWidth(1);
    image.DrawStyle(style_plein);
}

void tracer_marques_demandees(const trajectoire& t) {
    if (marques_du_mouvement) {
        tracer_marques(t);
    }
}

} // namespace trajel
