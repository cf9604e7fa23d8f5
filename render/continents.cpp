#include "render/continents.h"

#include "core/surface.h"
#include "core/trajectoire.h"
#include "render/projection.h"

namespace trajel {

namespace {
bool continents_charges = false;
}

const std::vector<ligne_geo>& continents_lus() {
    if (!continents_charges && source_continents) {
        charger_continents(source_continents());
    }
    return continents;
}

void charger_continents(std::vector<ligne_geo> lignes) {
    continents_charges = true;
    continents = std::move(lignes);
    directions_continents.clear();
    for (const ligne_geo& ligne : continents) {
        std::vector<vecteur>& d = directions_continents.emplace_back();
        for (const point_geo& g : ligne) {
            vecteur p = point_du_globe(g, 0.0);
            mult_scalaire(1.0 / rayon_terre, p, p);
            d.push_back(p);
        }
    }
}

void tracer_continents(const modele_terre& modele) {
    continents_lus();
    const double rayon_terre = modele.rayon;
    surface& image = Form1->Picture1();
    // The Earth turned by `angle` about the polar axis, and scaled to its radius.
    const trigo angle = trigo_de(angle_terre(terre, terre.temps, modele));
    auto sur_le_globe = [&angle, rayon_terre](const vecteur& d) {
        return vecteur{rayon_terre * (d.x * angle.c - d.y * angle.s),
                       rayon_terre * (d.x * angle.s + d.y * angle.c), rayon_terre * d.z};
    };
    for (const std::vector<vecteur>& ligne : directions_continents) {
        vecteur depart = sur_le_globe(ligne.front());
        point_vue depart_vue;
        projeter(repere_vue, depart, depart_vue);
        for (std::size_t k = 1; k < ligne.size(); ++k) {
            const vecteur arrivee = sur_le_globe(ligne[k]);
            point_vue arrivee_vue;
            projeter(repere_vue, arrivee, arrivee_vue);
            image.DrawStyle(prod_scalaire(depart, repere_vue.u) > 0.0 ? style_plein
                                                                      : style_pointille);
            tracer_segment(depart_vue, arrivee_vue, couleur_terre);
            depart = arrivee;
            depart_vue = arrivee_vue;
        }
    }
    image.DrawStyle(style_plein);
}

void tracer_continents_demandes(const modele_terre& modele) {
    if (continents_sur_le_globe) {
        tracer_continents(modele);
    }
}

} // namespace trajel
