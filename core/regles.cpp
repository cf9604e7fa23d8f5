#include "core/regles.h"

#include "core/module1.h"
#include "core/surface.h"
#include "core/texte.h"
#include "core/trajectoire.h"

#include <cmath>

namespace trajel {

namespace {

double valeur(const formulaire& f, zone_texte zone) {
    return Val(f.texte(zone));
}

} // namespace

void regle_altitudes_egales(formulaire& f) {
    if (valeur(f, zone_texte::Text1) == valeur(f, zone_texte::Text2)) {
        f.changer_texte(zone_texte::Text5, "0");
    }
}

void regle_inclinaison_nulle(formulaire& f) {
    if (valeur(f, zone_texte::Text4) == 0.0) {
        f.changer_texte(zone_texte::Text3, "0");
    }
}

std::optional<std::string> proposition_Text1(bouton_option type, const formulaire& f) {
    if (type == bouton_option::Option_elliptique) {
        return Str(std::floor(controle(1.5 * valeur(f, zone_texte::Text2))));
    }
    if (type == bouton_option::Option_hyperbolique) {
        return "45";
    }
    return std::nullopt;
}

bool regle_de_changement(zone_texte zone, formulaire& f) {
    switch (zone) {
    case zone_texte::Text1:
    case zone_texte::Text2:
        regle_altitudes_egales(f);
        return true;
    case zone_texte::Text4:
        regle_inclinaison_nulle(f);
        return true;
    case zone_texte::Text3:
    case zone_texte::Text5:
    case zone_texte::Text7:
        return true;
    default:
        return false;
    }
}

bool regle_differee(zone_texte zone) {
    return zone == zone_texte::Text1 || zone == zone_texte::Text2 || zone == zone_texte::Text4;
}

void valeurs_d_activation() {
    couleur_RN = 1;           // blue
    couleur_trajectoire = 12; // light red
    couleur_terre = 0;        // black
    couleur_RH = 2;           // green
    couleur_RP = 6;           // brown
    zoom = 1.0;
    repere_fixe = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};
    const surface& image = Form1->Picture1();
    largeur_image = entier32(image.Width());
    hauteur_image = entier32(image.Height());
    const double longitude = Form1->valeur_HScroll1();
    const double latitude = -Form1->valeur_VScroll1();
    repere_local(longitude, latitude, 0.0, repere_vue);
}

} // namespace trajel
