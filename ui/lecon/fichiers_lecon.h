#pragma once

#include "ui/lecon/fichier_lecon.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QMenu;
class QMessageBox;

namespace trajel {

class historique_lecon;
class poste_de_travail;

// What the lesson keeps of the other tools: the marks of the motion and the animation's
// time acceleration, read and set.
struct reglages_lecon {
    std::function<bool()> marques;
    std::function<void(bool)> marquer;
    std::function<double()> acceleration;
    std::function<void(double)> accelerer;
};

// "Nouvelle leçon" (Ctrl+N), "Ouvrir une leçon..." (Ctrl+O), "Enregistrer la leçon"
// (Ctrl+Shift+S: under its own name once it has one), "Enregistrer la leçon sous..." and
// "Leçons récentes" (the last five, kept in the settings). A lesson is saved whole or not
// at all; a file that cannot be read, or is not a lesson this program can open, changes
// nothing and the user is told why.
//
// The lesson as a document: the main window's title names its file and marks unsaved
// changes (a step of the history since the saved state, or notes changed). Once a lesson
// file has been saved or opened, leaving a modified lesson (quitting, the close box,
// another lesson, a new one) asks first whether to save it.
class fichiers_lecon : public QObject {
    Q_OBJECT
public:
    fichiers_lecon(poste_de_travail& principale, historique_lecon& historique,
                   reglages_lecon reglages);
    // A noted recent lesson not yet written is written now.
    ~fichiers_lecon() override;

    // The lesson the window shows.
    lecon lecon_actuelle() const;
    // Written whole or not at all; false, and the user told why, when it is not.
    bool enregistrer_vers(const QString& chemin);
    // Under the lesson's own name, or the name the user chooses when it has none.
    bool enregistrer();
    // The name chosen by the user; false when none is, or the file is not written.
    bool enregistrer_sous();
    // Read, checked, then written into the window through its handlers, as a preset is,
    // and shown by one full redraw; false, and the user told why, when nothing changed.
    bool ouvrir(const QString& chemin);
    // A lesson already read into the window: its boxes and options, view, marks,
    // acceleration, then one full redraw; the history and journal hold it.
    void appliquer(const lecon& l);
    // The window now shows the lesson of that file, as saved.
    void lecon_ouverte(const QString& chemin);
    // Back to the window's opening values, a lesson without a file.
    void nouvelle_lecon();

    // The lesson's file; empty before the first save.
    const QString& chemin() const { return chemin_; }
    // Changed since it was saved or opened (or since the start).
    bool modifiee() const;
    // Whether the lesson shown may be left: true when it has nothing to save or no file
    // was ever touched, or the user saved it (successfully) or chose not to.
    bool peut_etre_quittee();

    QStringList recentes() const;
    void noter_recente(const QString& chemin);
    // Its items in the "Outils" menu.
    void creer_menu();
    // The recent lessons' submenu, as it is about to show.
    void remplir_recentes(QMenu* menu);

    // What asks the user (dialogs; tests answer instead).
    std::function<QString(const QString& propose)> choisir_enregistrement;
    std::function<QString(const QString& dossier)> choisir_ouverture;
    std::function<void(const QString&)> avertir;
    // Shows the question "Enregistrer les modifications... ?" and returns the button
    // chosen (QMessageBox::Save, Discard or Cancel).
    std::function<int(QMessageBox&)> poser_question;

    // The exercise the lesson carries: told the one of each lesson applied (opened, new,
    // or none), asked for the one to save. Unset, lessons carry none.
    std::function<void(const std::optional<section_exercice>&)> exercice_applique;
    std::function<std::optional<section_exercice>()> exercice_actuel;

private:
    // The lesson's boxes and options through the window's handlers, then one full
    // redraw; true when the picture then carries the last burn's arc.
    bool ecrire_dans_la_fenetre(const lecon& l);
    // The saved state: the history's clean step and the notes as written.
    void marquer_enregistree();
    // The title: the caption alone for a lesson without file nor change, else the
    // lesson's name ("Sans titre" before the first save) with the modified mark.
    void titrer();
    void ecrire_recentes();

    QString chemin_;
    QString notes_enregistrees_;
    bool fichier_touche_ = false; // a lesson file was saved or opened in this run
    lecon ouverture_;             // the window as it opened
    QString legende_;             // the main window's own caption

    poste_de_travail& principale_;
    historique_lecon& historique_;
    reglages_lecon reglages_;
    QString dossier_;
    std::optional<QStringList> recentes_a_ecrire_; // noted, written at the next idle
};

// Creates the lesson files' items in the "Outils" menu.
fichiers_lecon* ajouter_fichiers_lecon(poste_de_travail& principale, historique_lecon& historique,
                                       reglages_lecon reglages);

} // namespace trajel
