#pragma once

#include "ui/lecon/fichier_lecon.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

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

// "Enregistrer la leçon..." (Ctrl+Shift+S), "Ouvrir une leçon..." (Ctrl+O) and "Leçons
// récentes" (the last five, kept in the settings). A lesson is saved whole or not at all;
// a file that cannot be read, or is not a lesson this program can open, changes nothing
// and the user is told why.
class fichiers_lecon : public QObject {
    Q_OBJECT
public:
    fichiers_lecon(poste_de_travail& principale, historique_lecon& historique,
                   reglages_lecon reglages);

    // The lesson the window shows.
    lecon lecon_actuelle() const;
    // Written whole or not at all; false, and the user told why, when it is not.
    bool enregistrer_vers(const QString& chemin);
    // Read, checked, then written into the window through its handlers, as a preset is,
    // and shown by one full redraw; false, and the user told why, when nothing changed.
    bool ouvrir(const QString& chemin);
    // A lesson already read into the window: its boxes and options, view, marks,
    // acceleration, then one full redraw; the history and journal hold it.
    void appliquer(const lecon& l);

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

private:
    // The lesson's boxes and options through the window's handlers, then one full
    // redraw; true when the picture then carries the last burn's arc.
    bool ecrire_dans_la_fenetre(const lecon& l);

    poste_de_travail& principale_;
    historique_lecon& historique_;
    reglages_lecon reglages_;
    QString dossier_;
};

// Creates the lesson files' items in the "Outils" menu.
fichiers_lecon* ajouter_fichiers_lecon(poste_de_travail& principale, historique_lecon& historique,
                                       reglages_lecon reglages);

} // namespace trajel
