#pragma once

#include "manoeuvre/correction.h"
#include "ui/lecon/fichier_exercice.h"
#include "ui/poste/fenetre_outil.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace trajel {

class exercice_en_cours;

// "Correction": beside the main window, a handed-in attempt as the teacher reads it: the
// statement, the target, the student's burns, the score computed again from their replay
// ("copie modifiée" and why, when the file claims what its burns do not fly), and on
// demand the optimal plan, drawn over the scene and listed.
class fenetre_correction : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    fenetre_correction(poste_de_travail& principale, exercice_en_cours& en_cours);

    // The attempt of the lesson applied: its section (with the claimed score), its
    // journal and its mission clock. The solution is hidden again.
    void corriger_copie(const section_exercice& s, const std::vector<ligne_journal>& journal,
                        double temps_mission);
    const correction_copie& correction() const { return correction_; }
    // The optimal plan drawn and listed.
    void voir_solution();

private:
    void creer_controles();
    void disposer();
    void remplir_tirs(const std::vector<ligne_journal>& journal);
    QString texte_score() const;
    QString texte_cible() const;

    exercice_en_cours& en_cours_;
    exercice exercice_;
    correction_copie correction_;
    QLabel* enonce_ = nullptr;
    QLabel* cible_ = nullptr;
    QTableWidget* tirs_ = nullptr;
    QLabel* score_ = nullptr;
    QLabel* copie_ = nullptr;
    QPushButton* voir_solution_ = nullptr;
    QTableWidget* solution_ = nullptr;
    QLabel* total_solution_ = nullptr;
};

} // namespace trajel
