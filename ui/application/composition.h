#pragma once

#include <QObject>
#include <QString>

#include <utility>
#include <vector>

class QAction;

namespace trajel {

class fichiers_lecon;
class animation_satellite;
class assistant_manoeuvre;
class fenetre_caracteristiques;
class poste_de_travail;

// The lesson's tools in the "Outils" menu, one block: the orbit's readout (F2), the
// manoeuvre assistant (Ctrl+M), the satellite's animation (Space on the picture) and
// its time acceleration. The windows are made when first asked for.
class outils_lecon : public QObject {
    Q_OBJECT
public:
    explicit outils_lecon(poste_de_travail& principale);

    fenetre_caracteristiques& caracteristiques();
    assistant_manoeuvre& assistant();
    animation_satellite& animation() { return *animation_; }
    // The animation's time acceleration, its item checked when the menu offers it.
    void choisir_acceleration(double facteur);
    // What an exercise allows: the assistant (its item disabled, `raison` its tooltip,
    // its window closed when not) and the readout's last-burn rows.
    void permettre_assistant(bool permis, const QString& raison);
    void releve_entier(bool entier);

private:
    void creer_menu();

    poste_de_travail& principale_;
    fenetre_caracteristiques* caracteristiques_ = nullptr;
    assistant_manoeuvre* assistant_ = nullptr;
    animation_satellite* animation_ = nullptr;
    QAction* action_assistant_ = nullptr;
    bool releve_entier_ = true;
    std::vector<std::pair<double, QAction*>> accelerations_;
};

// Adds the block to the main window's "Outils" menu.
outils_lecon* ajouter_outils_lecon(poste_de_travail& principale);

// What main() may ask of the tools installed: a lesson opened at start.
struct outils_installes {
    fichiers_lecon* lecons;
};

// The program's windows put together: the tools installed on the main window, their
// items in its "Outils" menu and its picture's context menu.
outils_installes installer_outils(poste_de_travail& fenetre);

} // namespace trajel
