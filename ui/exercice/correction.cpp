#include "ui/exercice/comparaison_copies.h"
#include "ui/exercice/exercices.h"
#include "ui/exercice/fenetre_correction.h"
#include "ui/lecon/historique.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <memory>

namespace trajel {

namespace {

// While an attempt is corrected, the student's burns are shown as ghosts (the earlier
// orbits turned on); the option is put back as it was once the correction ends.
struct etat_correction {
    QPointer<fenetre_correction> fenetre;
    std::optional<bool> fantomes_avant; // set while correcting
};

void suivre_exercice(contexte_exercice& c, etat_correction& e) {
    auto* fantomes =
        c.principale.widget().findChild<QAction*>(QStringLiteral("menu_orbites_precedentes"));
    if (c.en_cours.mode() != mode_exercice::correction) {
        if (!e.fenetre.isNull()) {
            e.fenetre->close();
        }
        if (e.fantomes_avant && fantomes != nullptr) {
            fantomes->setChecked(*e.fantomes_avant);
        }
        e.fantomes_avant.reset();
        return;
    }
    if (fantomes != nullptr) {
        if (!e.fantomes_avant) {
            e.fantomes_avant = fantomes->isChecked();
        }
        fantomes->setChecked(true);
    }
    if (e.fenetre.isNull()) {
        e.fenetre = new fenetre_correction(c.principale, c.en_cours);
    }
    e.fenetre->corriger_copie(*c.en_cours.section(), c.historique.journal(),
                              c.principale.scene().temps_mission);
    e.fenetre->montrer();
}

} // namespace

void installer_correction(contexte_exercice& c) {
    auto e = std::make_shared<etat_correction>();
    QObject::connect(&c.en_cours, &exercice_en_cours::change, &c.en_cours,
                     [&c, e] { suivre_exercice(c, *e); });
    QAction* comparer = c.menu->addAction(QStringLiteral("&Comparer des copies..."));
    comparer->setObjectName(QStringLiteral("menu_comparer_copies"));
    new comparateur_copies(c.principale, *comparer);
}

} // namespace trajel
