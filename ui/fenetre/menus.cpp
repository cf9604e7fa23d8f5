// The menu commands: five preset launch orbits, "quitter" and "Abstract"; the close box.

#include "about/frmabout.h"
#include "render/scene.h"
#include "ui/fenetre/form1.h"

#include <QApplication>
#include <QCloseEvent>

#include <utility>

namespace trajel {

// The orbit type first, so that the apoapsis "elliptique" proposes is replaced by
// the preset's own; each text that changes runs its handler and a full redraw.
void fenetre_principale::orbite_predefinie(bouton_option type, const char* za, const char* zp,
                                           const char* inclinaison) {
    // Carried to its end: an error of one nested redraw does not stop the preset; if
    // one was set aside, a last full redraw reports it, should it fail again.
    bool echec = sans_arret([&] { selectionner(type); });
    echec = sans_arret([&] { changer_texte(zone_texte::Text1, za); }) || echec;
    echec = sans_arret([&] { changer_texte(zone_texte::Text2, zp); }) || echec;
    echec = sans_arret([&] { changer_texte(zone_texte::Text4, inclinaison); }) || echec;
    if (echec) {
        rafraichissement_complet(terre_active_);
    }
}

void fenetre_principale::menu_kourou_circulaire_Click() {
    orbite_predefinie(bouton_option::Option_circulaire, "200", "200", "7");
}

void fenetre_principale::menu_GTO_IV_Click() {
    orbite_predefinie(bouton_option::Option_elliptique, "36000", "200", "7");
}

void fenetre_principale::menu_GTO_V_Click() {
    orbite_predefinie(bouton_option::Option_elliptique, "36000", "600", "7");
}

void fenetre_principale::menu_baikonour_circulaire_Click() {
    orbite_predefinie(bouton_option::Option_circulaire, "200", "200", "45.9");
}

void fenetre_principale::menu_canaveral_circulaire_Click() {
    orbite_predefinie(bouton_option::Option_circulaire, "200", "200", "28.5");
}

void fenetre_principale::menu_quitter_Click() {
    if (annonceur_.accord_de_fermeture && !annonceur_.accord_de_fermeture()) {
        return; // the lesson's changes kept, the program running
    }
    // Quitting closes every window at once, the main one without asking again.
    const bool avant = std::exchange(fermeture_accordee_, true);
    QApplication::quit();
    fermeture_accordee_ = avant;
}

// The close box asks as "quitter" does.
void fenetre_principale::closeEvent(QCloseEvent* event) {
    if (!fermeture_accordee_ && annonceur_.accord_de_fermeture &&
        !annonceur_.accord_de_fermeture()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void fenetre_principale::menu_abstract_Click() {
    frmAbout::afficher(this);
}

} // namespace trajel
