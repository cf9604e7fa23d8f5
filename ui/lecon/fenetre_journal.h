#pragma once

#include "manoeuvre/journal_tirs.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace trajel {

class historique_lecon;
class poste_de_travail;

// "Journal des tirs": beside the main window, one row a burn of the state shown, in
// firing order (an undone burn leaves it, a redone one comes back), the mission's totals
// under the table, "Copier" (tab-separated, for a spreadsheet), "Exporter en CSV..." and
// the teacher's "Notes de la leçon".
class fenetre_journal : public QWidget {
    Q_OBJECT
public:
    fenetre_journal(poste_de_travail& principale, historique_lecon& historique);

    // The table and totals as the history's journal stands (when shown).
    void actualiser();
    QString texte_des_totaux() const;
    // Writes the table as CSV, whole or not at all; false, and the user told why, when
    // the file is not written.
    bool exporter_vers(const QString& chemin);

    // What asks the user (dialogs; tests answer instead).
    std::function<QString(const QString& propose)> choisir_fichier;
    std::function<void(const QString&)> avertir;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void exporter();

    poste_de_travail& principale_;
    historique_lecon& historique_;
    QTableWidget* table_ = nullptr;
    QLabel* totaux_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    std::vector<ligne_journal> affichees_; // the rows the table shows
    bool place_ = false;
};

// The "Journal des tirs" item of the "Outils" menu; the window is made when first asked for.
void ajouter_journal(poste_de_travail& principale, historique_lecon& historique);

} // namespace trajel
