// The handlers of the main window's controls: each does its bookkeeping on the
// controls or the shared state, then redraws.

#include "core/module1.h"
#include "core/regles.h"
#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/tir.h"
#include "render/scene.h"
#include "ui/fenetre/form1.h"
#include "ui/image/picture1.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace trajel {

namespace {

// The smallest zoom, reached from 1.0 by nine presses of "Zoom -".
constexpr double zoom_minimal = 0.1;
constexpr double pas_zoom_moins = 0.1;
constexpr double pas_zoom_plus = 0.2;

} // namespace

void fenetre_principale::Form_Activate() {
    valeurs_d_activation();
    rafraichissement_complet(terre_active_);
}

// Carried to its end: an error of one box's redraw does not stop the others, and is
// reported only if the last redraw fails as well. Under "hyperbolique", Text1 takes the
// angle Phi that option proposes rather than an apoapsis.
void fenetre_principale::Command1_Click() {
    // The opening texts, but the Runge-Kutta frame's (Text11, Text12).
    for (std::size_t i = 0; i < textes_d_ouverture.size(); ++i) {
        const auto zone = static_cast<zone_texte>(i);
        if (zone == zone_texte::Text11 || zone == zone_texte::Text12) {
            continue;
        }
        const char* texte = textes_d_ouverture[i];
        if (zone == zone_texte::Text1 && selectionne(bouton_option::Option_hyperbolique)) {
            texte = "45";
        }
        sans_arret([&] { changer_texte(zone, texte); });
    }
    zoom = 1.0;
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Command4_Click() {
    zoom = zoom + pas_zoom_plus;
    rafraichissement_vue(terre_active_);
}

void fenetre_principale::Command5_Click() {
    // Tenths do not add up exactly in binary: after nine presses from 1.0 the zoom
    // stands a hair above 0.1, and one more step would leave about 1e-16, where the
    // whole scene collapses to a point. A step that would go below the smallest zoom
    // (by more than rounding) is not taken.
    if (zoom - pas_zoom_moins >= zoom_minimal - 1e-9) {
        zoom = zoom - pas_zoom_moins;
    }
    rafraichissement_vue(terre_active_);
}

void fenetre_principale::HScroll1_Change() {
    rafraichissement_vue(terre_active_);
    Label2->setText(QString::fromStdString(Str(HScroll1->value())));
}

void fenetre_principale::VScroll1_Change() {
    rafraichissement_vue(terre_active_);
    Label1->setText(QString::fromStdString(Str(-VScroll1->value())));
}

void fenetre_principale::Option_circulaire_Click() {
    deselectionner(bouton_option::Option_elliptique);
    selectionner(bouton_option::Option_circulaire);
    deselectionner(bouton_option::Option_parabolique);
    deselectionner(bouton_option::Option_hyperbolique);
    accorder_Text1();
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_elliptique_Click() {
    selectionner(bouton_option::Option_elliptique);
    deselectionner(bouton_option::Option_circulaire);
    deselectionner(bouton_option::Option_parabolique);
    deselectionner(bouton_option::Option_hyperbolique);
    accorder_Text1();
    sans_arret([this] {
        changer_texte(zone_texte::Text1,
                      *proposition_Text1(bouton_option::Option_elliptique, *this));
    });
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_parabolique_Click() {
    deselectionner(bouton_option::Option_elliptique);
    deselectionner(bouton_option::Option_circulaire);
    selectionner(bouton_option::Option_parabolique);
    deselectionner(bouton_option::Option_hyperbolique);
    accorder_Text1();
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_hyperbolique_Click() {
    deselectionner(bouton_option::Option_elliptique);
    deselectionner(bouton_option::Option_circulaire);
    deselectionner(bouton_option::Option_parabolique);
    selectionner(bouton_option::Option_hyperbolique);
    accorder_Text1();
    sans_arret([this] {
        changer_texte(zone_texte::Text1,
                      *proposition_Text1(bouton_option::Option_hyperbolique, *this));
    });
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_tous_Click() {
    deselectionner(bouton_option::Option_RN);
    deselectionner(bouton_option::Option_RH);
    deselectionner(bouton_option::Option_RP);
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_RP_Click() {
    deselectionner(bouton_option::Option_tous);
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_RH_Click() {
    deselectionner(bouton_option::Option_tous);
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Option_RN_Click() {
    deselectionner(bouton_option::Option_tous);
    rafraichissement_complet(terre_active_);
}

// The rules that write "0" run at once for the program's assignments; for the user's
// typing they wait for the edit to be committed, while the picture follows every key.
void fenetre_principale::changement_de_boite(zone_texte zone) {
    saisie_->appliquer_regle(zone);
    rafraichissement_complet(terre_active_);
}

void fenetre_principale::Text1_Change() {
    changement_de_boite(zone_texte::Text1);
}

void fenetre_principale::Text2_Change() {
    changement_de_boite(zone_texte::Text2);
}

void fenetre_principale::Text3_Change() {
    changement_de_boite(zone_texte::Text3);
}

void fenetre_principale::Text4_Change() {
    changement_de_boite(zone_texte::Text4);
}

void fenetre_principale::Text5_Change() {
    changement_de_boite(zone_texte::Text5);
}

void fenetre_principale::Text7_Change() {
    changement_de_boite(zone_texte::Text7);
}

void fenetre_principale::cmd_tir_Click() {
    trajel::cmd_tir_Click(terre_active_);
    if (dernier_tir) {
        temps_mission_ += dernier_tir->duree; // completed: the burn's time is the mission's
    }
}

} // namespace trajel
