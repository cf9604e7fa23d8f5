#pragma once

#include "manoeuvre/journal_tirs.h"
#include "render/fantomes.h"

#include <QObject>

#include <vector>

class QAction;

namespace trajel {

class historique_lecon;
class poste_de_travail;

// "Outils" > "Orbites précédentes" (menu_orbites_precedentes, off at start): the picture
// shows, after its scene, the orbit before each burn of the journal shown, dashed in a
// lighter shade, with the burn's powered arc and row number; an undone burn's goes with
// it. The journal stays the one source: it is read at each redraw.
class orbites_precedentes_lecon : public QObject {
    Q_OBJECT
public:
    orbites_precedentes_lecon(poste_de_travail& principale, historique_lecon& historique);
    ~orbites_precedentes_lecon() override;

    QAction* action() const { return action_; }

private:
    void basculer(bool actif);
    void journal_change();
    std::vector<orbite_fantome> fantomes();

    poste_de_travail& principale_;
    historique_lecon& historique_;
    QAction* action_ = nullptr;
    std::size_t dessines_ = 0; // the journal's rows at the last drawing
    // The arcs already integrated, by burn record.
    std::vector<std::pair<bilan_tir, std::vector<vecteur>>> arcs_;
};

orbites_precedentes_lecon* ajouter_orbites_precedentes(poste_de_travail& principale,
                                                       historique_lecon& historique);

} // namespace trajel
