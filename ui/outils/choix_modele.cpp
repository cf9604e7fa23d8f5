#include "ui/outils/choix_modele.h"

#include "ui/poste/poste.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace trajel {

QString nom_du_modele(const modele_terre& modele) {
    if (modele == terre_reelle) {
        return QStringLiteral(
            "Terre réelle (rayon 6378,137 km, mu 398600,4418 km³/s², poussée en unités SI)");
    }
    return QStringLiteral("Terre du programme (rayon 3618 km)");
}

choix_modele::choix_modele(poste_de_travail& principale)
    : QObject(&principale.widget()), principale_(principale) {
    setObjectName(QStringLiteral("choix_modele"));
    QMenu* outils = principale.menu_outils();
    if (!outils->isEmpty()) {
        outils->addSeparator();
    }
    menu_ = outils->addMenu(QStringLiteral("&Modèle de la Terre"));
    menu_->setObjectName(QStringLiteral("menu_modele_terre"));
    menu_->menuAction()->setObjectName(QStringLiteral("menu_modele_terre"));
    auto* groupe = new QActionGroup(menu_);
    const auto ajouter = [&](const modele_terre& modele, const char* nom) {
        QAction* a = menu_->addAction(nom_du_modele(modele));
        a->setObjectName(QString::fromLatin1(nom));
        a->setCheckable(true);
        groupe->addAction(a);
        // The model is one of the two constants, which outlive the menu.
        const modele_terre* m = &modele;
        connect(a, &QAction::triggered, this, [this, m, a] { choisir(*m, a); });
        return a;
    };
    programme_ = ajouter(terre_du_programme, "modele_terre_programme");
    reelle_ = ajouter(terre_reelle, "modele_terre_reelle");
    suivre();
    annonceur_evenements& annonces = principale.annonces();
    connect(&annonces, &annonceur_evenements::evenement_termine, this, [this] { suivre(); });
    connect(&annonces, &annonceur_evenements::etat_restitue, this, [this] { suivre(); });
}

void choix_modele::choisir(const modele_terre& modele, QAction* action) {
    if (principale_.scene().modele == modele) {
        suivre();
        return;
    }
    principale_.executer(commande::changer_modele{modele, action->objectName(),
                                                  QStringLiteral("le modèle de la Terre")});
    suivre();
}

void choix_modele::suivre() {
    const bool reelle = principale_.scene().modele == terre_reelle;
    reelle_->setChecked(reelle);
    programme_->setChecked(!reelle);
}

choix_modele* ajouter_choix_modele(poste_de_travail& principale) {
    return new choix_modele(principale);
}

} // namespace trajel
