#pragma once

#include "ui/exercice/exercices.h"
#include "ui/poste/fenetre_outil.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace trajel {

// What the student sees of the exercise at a given moment: each ticked element's gap,
// the Δv spent and the burns used against the budget and the maximum, and, once the
// target is reached within them, the score of the journal replayed from the start.
struct avancement_exercice {
    std::array<ecart_element, nombre_elements_vises> ecarts{};
    bool cible_atteinte = false;
    double delta_v = 0.0; // km/s, from the journal's rows
    int tirs = 0;
    bool budget_depasse = false;
    bool tirs_depasses = false;
    std::optional<score_exercice> score; // only once reached
};

// The last replay, with the exercise and the journal it flew: a refresh that leaves both
// as they were (a view turned, an animation frame) does not fly the burns again.
struct rejeu_memorise {
    exercice donne;
    std::vector<ligne_journal> journal;
    rejeu_tirs rejeu;
};

avancement_exercice avancement(const exercice& e, const trajectoire& actuelle,
                               const std::vector<ligne_journal>& journal, double temps_mission,
                               std::optional<rejeu_memorise>* memoire = nullptr);

// The text under the table: "Objectif atteint" and the score, or what is exceeded, or
// the gaps left.
QString bilan_fr(const exercice& e, const avancement_exercice& a);

// "Exercice": the statement, the target's ticked elements beside the current ones with
// their gaps (green within tolerance), the Δv and burns against the budget, and the
// result; refreshed after every event of the main window (burns, undo, redo).
class fenetre_exercice : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    explicit fenetre_exercice(contexte_exercice& c);

    void actualiser();
    const avancement_exercice& etat() const { return etat_; }

protected:
    void a_l_affichage() override { actualiser(); }
    QSize taille_voulue() const override;

private:
    void remplir_table();

    contexte_exercice& c_;
    QLabel* enonce_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* depense_ = nullptr;
    QLabel* bilan_ = nullptr;
    avancement_exercice etat_;
    std::optional<rejeu_memorise> rejeu_;
};

} // namespace trajel
