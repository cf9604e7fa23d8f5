#pragma once

#include <QPoint>

class QWidget;

namespace trajel {

// Moves a tool window to `coin`, kept within the screen of the main window.
void placer_dans_l_ecran(QWidget& fenetre, const QWidget& principale, QPoint coin);

} // namespace trajel
