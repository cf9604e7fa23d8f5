#pragma once

#include "manoeuvre/correction.h"
#include "ui/lecon/fichier_exercice.h"
#include "ui/poste/fenetre_outil.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QTableWidget;

namespace trajel {

// One handed-in file as the comparison reads it: its score computed again by replaying
// its journal, never the one it claims.
struct copie_comparee {
    QString fichier;              // the file's name, without its folder
    std::optional<QString> refus; // why it is no handed-in attempt that can be read
    std::optional<section_exercice> section;
    correction_copie correction;
    bool autre_exercice = false; // not the exercise of the first copy read

    // "copie conforme", "copie modifiée", "autre exercice" or the reason it was refused.
    QString remarque() const;
};

copie_comparee lire_copie(const QString& chemin);

// The copies of the files, in their order; each whose exercise is not the first
// readable one's is marked "autre exercice".
std::vector<copie_comparee> comparer_copies(const QStringList& chemins);

// The comparison for a French spreadsheet, in the journal's CSV form: a header, then
// one line a copy (file, reached, Δv spent, ratio to the optimum, burns, remark, reasons).
std::string csv_copies(const std::vector<copie_comparee>& copies);

// The table of the copies compared, sortable by column, and "Exporter en CSV...".
class fenetre_comparaison : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    explicit fenetre_comparaison(poste_de_travail& principale);

    void afficher(std::vector<copie_comparee> copies);
    const std::vector<copie_comparee>& copies() const { return copies_; }
    // Written whole or not at all; false, and the user told why, when it is not.
    bool exporter_vers(const QString& chemin);

    // What asks the user (dialogs; tests answer instead).
    std::function<QString(const QString& propose)> choisir_fichier;
    std::function<void(const QString&)> avertir;

private:
    void remplir_ligne(int ligne, const copie_comparee& c);
    void exporter();

    QTableWidget* table_ = nullptr;
    std::vector<copie_comparee> copies_;
};

// "Outils" > "Exercice" > "Comparer des copies..." (menu_comparer_copies): the files the
// teacher picks, compared in the window, made on first use.
class comparateur_copies : public QObject {
    Q_OBJECT
public:
    comparateur_copies(poste_de_travail& principale, QAction& action);

    // Asks for the files, then shows their table; nothing when none is picked.
    void comparer();
    fenetre_comparaison* fenetre() const { return fenetre_; }

    // The files picked (QFileDialog::getOpenFileNames; tests answer instead).
    std::function<QStringList(const QString& dossier)> choisir_copies;

private:
    poste_de_travail& principale_;
    QPointer<fenetre_comparaison> fenetre_;
    QString dossier_;
};

} // namespace trajel
