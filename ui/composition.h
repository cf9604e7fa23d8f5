#pragma once

namespace trajel {

class poste_de_travail;

// The program's windows put together: the tools installed on the main window, their
// items in its "Outils" menu and its picture's context menu.
void installer_outils(poste_de_travail& fenetre);

} // namespace trajel
