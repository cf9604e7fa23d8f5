#pragma once

#include "core/constantes.h"

class QWidget;

namespace trajel {

// The French tooltips of the main window's controls, by design name: the quantity, its
// unit and what the control does. Texts, places and behaviour stay as they are.
void poser_bulles_fenetre_principale(QWidget& fenetre);

// The tooltips that name the Earth model: its radius, and how its engine's thrust works.
void poser_bulles_du_modele(QWidget& fenetre, const modele_terre& modele);

} // namespace trajel
