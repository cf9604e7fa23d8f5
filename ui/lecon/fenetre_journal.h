#pragma once

#include "manoeuvre/journal_tirs.h"
#include "ui/poste/fenetre_outil.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QTableView;

namespace trajel {

class historique_lecon;
class modele_journal;
class poste_de_travail;

// "Journal des tirs": beside the main window, one row a burn of the state shown, in
// firing order (an undone burn leaves it, a redone one comes back), the mission's totals
// under the table, "Copier" (tab-separated, for a spreadsheet), "Exporter en CSV..." and
// the teacher's "Notes de la leçon".
class fenetre_journal : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    fenetre_journal(poste_de_travail& principale, historique_lecon& historique);

    // The table and totals as the history's journal stands (when shown).
    void actualiser();
    QString texte_des_totaux() const;
    // Writes the table as CSV for a French spreadsheet (csv_tableur_fr), whole or not at
    // all; false, and the user told why, when the file is not written.
    bool exporter_vers(const QString& chemin);

    // What asks the user (dialogs; tests answer instead).
    std::function<QString(const QString& propose)> choisir_fichier;
    std::function<void(const QString&)> avertir;

protected:
    void a_l_affichage() override { actualiser(); }
    // The Δv's tooltips: how the active model's engine works.
    void nommer_moteur();
    // Lowered beside the main window to some 14 lines, its width kept.
    QSize taille_minimale() const override;

private:
    void creer_table();
    // Copy, export and close, after the totals.
    QHBoxLayout* creer_boutons();
    // The teacher's notes, kept in the history; their title returned.
    QLabel* creer_notes();
    void disposer(QHBoxLayout* boutons, QLabel* titre_notes);
    // What asks the user: the file dialog and the warning.
    void creer_dialogues();
    void exporter();

    historique_lecon& historique_;
    modele_journal* modele_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* totaux_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
};

// The "Journal des tirs" item of the "Outils" menu; the window is made when first asked for.
void ajouter_journal(poste_de_travail& principale, historique_lecon& historique);

} // namespace trajel
