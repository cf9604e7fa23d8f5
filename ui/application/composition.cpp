#include "ui/application/composition.h"

#include "ui/outils/animation.h"
#include "ui/lecon/fenetre_journal.h"
#include "ui/outils/fenetre_trace_sol.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/outils/guide.h"
#include "ui/lecon/historique.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/outils_lecon.h"
#include "ui/poste/poste.h"

#include <QAction>

namespace trajel {

outils_installes installer_outils(poste_de_travail& fenetre) {
    outils_image* image = ajouter_outils_image(fenetre, fenetre.menu_outils());
    outils_lecon* lecon = ajouter_outils_lecon(fenetre);
    ajouter_trace_sol(fenetre);
    ajouter_guide(fenetre);
    historique_lecon* historique = ajouter_historique(fenetre);
    ajouter_journal(fenetre, *historique);
    QAction* marques = image->action_marques();
    animation_satellite* animation = &lecon->animation();
    historique->avant_restitution = [animation] { animation->arreter(); };
    return {ajouter_fichiers_lecon(
        fenetre, *historique,
        {[marques] { return marques->isChecked(); },
         [marques](bool actif) { marques->setChecked(actif); },
         [animation] { return animation->acceleration(); },
         [lecon](double facteur) { lecon->choisir_acceleration(facteur); }})};
}

} // namespace trajel
