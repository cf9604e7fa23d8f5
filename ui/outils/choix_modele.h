#pragma once

#include "core/constantes.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace trajel {

class poste_de_travail;

// The French name of a model, as the menu, the projector's panel and the print caption
// give it.
QString nom_du_modele(const modele_terre& modele);

// "Outils" > "Modèle de la Terre": the program's Earth (the default) or the real one, two
// exclusive checkable items. Choosing one changes the model of the computations as one
// step of the lesson; the checks follow the window's model after every event, undo and
// lesson opened.
class choix_modele : public QObject {
    Q_OBJECT
public:
    explicit choix_modele(poste_de_travail& principale);

    QMenu* menu() const { return menu_; }
    QAction* action_programme() const { return programme_; }
    QAction* action_reelle() const { return reelle_; }

private:
    void choisir(const modele_terre& modele, QAction* action);
    void suivre();

    poste_de_travail& principale_;
    QMenu* menu_ = nullptr;
    QAction* programme_ = nullptr;
    QAction* reelle_ = nullptr;
};

choix_modele* ajouter_choix_modele(poste_de_travail& principale);

} // namespace trajel
