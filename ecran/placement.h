#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace trajel {

// Moves a tool window to `coin`, kept within the screen of the main window.
void placer_dans_l_ecran(QWidget& fenetre, const QWidget& principale, QPoint coin);

// The rectangles of `ecran` clear of every rectangle of `occupes`, each as large as it
// can be (none inside another).
std::vector<QRect> rectangles_libres(const QRect& ecran, const std::vector<QRect>& occupes);

// A frame on `ecran` clear of `occupes` by `ecart`, nearest `principale` (the main
// window's frame), then highest: at the size wanted where a free rectangle holds it,
// else the largest that a free rectangle gives between `minimum` and `voulue`, in one of
// its corners. None when no free rectangle holds `minimum`.
std::optional<QRect> cadre_libre(const QRect& ecran, const std::vector<QRect>& occupes,
                                 const QRect& principale, QSize voulue, QSize minimum,
                                 int ecart = 8);

// The main window's frame less `libre`: the bands that hold its controls.
std::vector<QRect> bandes_de_commandes(const QRect& principale, const QRect& libre);

// What a tool window asks of the screen: its wanted and least frame sizes.
struct demande_cadre {
    QSize voulue;
    QSize moindre;
};

// The frame of a window clear of `autres` (the frames of the windows shown) and of the
// main window's controls: beside the main window (frame `principale`), whole, else
// shrunk as far as d.moindre; then likewise over `libre`, its picture. None when the
// screen has no room.
std::optional<QRect> place_libre(const QRect& ecran, const std::vector<QRect>& autres,
                                 const QRect& principale, const QRect& libre,
                                 const demande_cadre& d);

// Frames for all the windows of `demandes` together, clear of `fixes` and of each other:
// placed one after the other by place_libre, in the first order in which each finds
// room; none when no order does.
std::optional<std::vector<QRect>> disposer_ensemble(const QRect& ecran,
                                                    const std::vector<QRect>& fixes,
                                                    const QRect& principale, const QRect& libre,
                                                    const std::vector<demande_cadre>& demandes);

// The least frame of a window: `moindre`, never below what its layout allows (frame
// added), at most `voulue`.
QSize moindre_cadre(const QWidget& fenetre, QSize voulue, QSize moindre);

// The window moved and sized so that its frame is `cadre`.
void donner_cadre(QWidget& fenetre, const QRect& cadre);

// Places a tool window of the wanted size (frame included) beside the main window, clear
// of its controls and of the frames `autres` of the windows shown, while the screen has
// room: beside the main window, whole, else shrunk as far as `moindre`; then likewise
// over `libre` (the global rectangle of the main window a tool may cover: its picture).
// With no room left: on its right from height `haut` (global), else on its left, else
// over the picture, within the screen. True when placed clear of the others.
bool placer_a_cote_de(QWidget& fenetre, const QWidget& principale, const QRect& libre, QSize voulue,
                      QSize moindre, int haut, const std::vector<QRect>& autres = {});

// The geometry of a tool window between runs, under its name: put back when it does
// not cover the main window outside `libre` (true), within the screen's free area (the
// window shrunk to it and moved into it), kept when the window hides.
bool reprendre_geometrie(QWidget& fenetre, const QString& nom, const QWidget& principale,
                         const QRect& libre);
void garder_geometrie(const QWidget& fenetre, const QString& nom);

} // namespace trajel
