#include "core/module1.h"

#include "core/geographie.h"

namespace trajel {

void reinitialiser_module1() {
    traj = trajectoire{};
    isp = 0.0;
    masse = 0.0;
    poussee = vecteur{};
    module_poussee = 0.0;
    zoom = 0.0;
    largeur_image = 0;
    hauteur_image = 0;
    repere_fixe = repere{};
    repere_vue = repere{};
    etiquette_u.clear();
    etiquette_v.clear();
    etiquette_w.clear();
    couleur_RN = 0;
    couleur_trajectoire = 0;
    couleur_terre = 0;
    couleur_RH = 0;
    couleur_RP = 0;
    terre = horloge_terre{};
}

} // namespace trajel
