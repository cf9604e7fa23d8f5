#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace trajel {

// Moves a tool window to `coin`, kept within the screen of the main window.
void placer_dans_l_ecran(QWidget& fenetre, const QWidget& principale, QPoint coin);

// Places a tool window of the wanted size (frame included) beside the main window,
// never over its controls: on its right from height `haut` (global), else on its left,
// else over `libre` (the global rectangle of the main window a tool may cover: its
// picture), the window shrunk to the room it finds, within the screen.
void placer_a_cote_de(QWidget& fenetre, const QWidget& principale, const QRect& libre, QSize voulue,
                      int haut);

// The geometry of a tool window between runs, under its name: put back when it does
// not cover the main window outside `libre` (true), kept when the window hides.
bool reprendre_geometrie(QWidget& fenetre, const QString& nom, const QWidget& principale,
                         const QRect& libre);
void garder_geometrie(const QWidget& fenetre, const QString& nom);

} // namespace trajel
