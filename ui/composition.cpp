#include "ui/composition.h"

#include "ui/fenetre_journal.h"
#include "ui/historique.h"
#include "ui/outils_image.h"
#include "ui/outils_lecon.h"
#include "ui/poste.h"

namespace trajel {

void installer_outils(poste_de_travail& fenetre) {
    ajouter_outils_image(fenetre, fenetre.menu_outils());
    ajouter_outils_lecon(fenetre);
    ajouter_journal(fenetre, *ajouter_historique(fenetre));
}

} // namespace trajel
