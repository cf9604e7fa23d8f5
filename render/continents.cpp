#include "render/continents.h"

#include "core/surface.h"
#include "render/scene.h"

namespace trajel {

void tracer_continents() {
    surface& image = Form1->Picture1();
    const double angle = angle_terre(terre, terre.temps);
    for (const ligne_geo& ligne : continents) {
        vecteur depart = point_du_globe(ligne.front(), angle);
        point_vue depart_vue;
        projeter(repere_vue, depart, depart_vue);
        for (std::size_t k = 1; k < ligne.size(); ++k) {
            const vecteur arrivee = point_du_globe(ligne[k], angle);
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

void tracer_continents_demandes() {
    if (continents_sur_le_globe) {
        tracer_continents();
    }
}

} // namespace trajel
