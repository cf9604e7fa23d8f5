#pragma once

class QWidget;

namespace trajel {

// The French tooltips of the main window's controls, by design name: the quantity, its
// unit and what the control does. Texts, places and behaviour stay as they are.
void poser_bulles_fenetre_principale(QWidget& fenetre);

} // namespace trajel
