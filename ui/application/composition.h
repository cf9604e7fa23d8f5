#pragma once

namespace trajel {

class fichiers_lecon;
class poste_de_travail;

// What main() may ask of the tools installed: a lesson opened at start.
struct outils_installes {
    fichiers_lecon* lecons;
};

// The program's windows put together: the tools installed on the main window, their
// items in its "Outils" menu and its picture's context menu.
outils_installes installer_outils(poste_de_travail& fenetre);

} // namespace trajel
