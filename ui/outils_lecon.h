#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace trajel {

class animation_satellite;
class assistant_manoeuvre;
class fenetre_caracteristiques;
class fenetre_principale;

// The lesson's tools in the "Outils" menu, one block: the orbit's readout (F2), the
// manoeuvre assistant (Ctrl+M), the satellite's animation (Space on the picture) and
// its time acceleration. The windows are made when first asked for.
class outils_lecon : public QObject {
    Q_OBJECT
public:
    explicit outils_lecon(fenetre_principale& principale);

    fenetre_caracteristiques& caracteristiques();
    assistant_manoeuvre& assistant();
    animation_satellite& animation() { return *animation_; }

private:
    void creer_menu();

    fenetre_principale& principale_;
    fenetre_caracteristiques* caracteristiques_ = nullptr;
    assistant_manoeuvre* assistant_ = nullptr;
    animation_satellite* animation_ = nullptr;
};

// Moves a tool window to `coin`, kept within the screen of the main window.
void placer_dans_l_ecran(QWidget& fenetre, const QWidget& principale, QPoint coin);

// Adds the block to the main window's "Outils" menu.
void ajouter_outils_lecon(fenetre_principale& principale);

} // namespace trajel
