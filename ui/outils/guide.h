#pragma once

#include "ui/poste/fenetre_outil.h"

#include <QWidget>

class QTextBrowser;

namespace trajel {

class poste_de_travail;

// "Guide de Trajel": the French guide kept in the program's resources (:/guide), in a
// window of its own beside the main window. Its links lead between its pages.
class fenetre_guide : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    explicit fenetre_guide(poste_de_travail& principale);

    // The guide's first page.
    static QUrl sommaire();
    QTextBrowser* navigateur() const { return navigateur_; }

protected:
    // Narrowed beside the main window to the room there, down to some 45 characters a
    // line and 16 lines.
    QSize taille_minimale() const override;

private:
    QTextBrowser* navigateur_;
};

// The "Guide de Trajel" item (F1) of the "Outils" menu.
void ajouter_guide(poste_de_travail& principale);

} // namespace trajel
