#include "ui/fenetre/form1.h"

#include "core/erreur.h"
#include "core/geographie.h"
#include "manoeuvre/tir.h"
#include "render/continents.h"
#include "render/fantomes.h"
#include "render/marques.h"
#include "render/scene.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <cstdlib>
#include <utility>

namespace trajel {

bool fenetre_principale::executer_sans_dialogue(const std::function<void()>& gestionnaire) {
    return saisie_->executer_sans_dialogue(gestionnaire);
}

void fenetre_principale::tourner_vue(int longitude, int latitude) {
    // Each bar runs its own handler, and stops at its ends.
    if (longitude != 0) {
        HScroll1->setValue(HScroll1->value() + longitude);
    }
    if (latitude != 0) {
        VScroll1->setValue(VScroll1->value() - latitude);
    }
}

void fenetre_principale::zoomer(int crans) {
    QPushButton* bouton = crans > 0 ? Command4 : Command5;
    for (int n = std::abs(crans); n > 0; --n) {
        bouton->click();
    }
}

void fenetre_principale::vue_initiale() {
    if (zoom != vue_d_ouverture::zoom) {
        evenements_.executer([this] {
            zoom = vue_d_ouverture::zoom;
            rafraichissement_vue(terre_active_);
        });
    }
    HScroll1->setValue(vue_d_ouverture::longitude);
    VScroll1->setValue(-vue_d_ouverture::latitude);
}

bool fenetre_principale::changer_zoom(const std::function<double()>& nouveau) {
    bool reussi = false;
    evenements_.executer([&] {
        const double avant = zoom;
        try {
            mise_en_place_vue();
            zoom = nouveau();
            rafraichissement_vue(terre_active_);
        } catch (...) {
            zoom = avant;
            throw;
        }
        reussi = true;
    });
    return reussi;
}

bool fenetre_principale::redessiner_vue() {
    bool reussi = false;
    evenements_.executer([&] {
        rafraichissement_vue(terre_active_);
        reussi = true;
    });
    return reussi;
}

instantane_scene fenetre_principale::scene() const {
    instantane_scene s;
    s.valeurs = valeurs_calculees::actuelles();
    s.dernier_tir = dernier_tir;
    s.longitude = HScroll1->value();
    s.latitude = -VScroll1->value();
    s.zoom = zoom;
    for (std::size_t i = 0; i < s.textes.size(); ++i) {
        s.textes[i] = texte(static_cast<zone_texte>(i));
    }
    for (std::size_t i = 0; i < s.options.size(); ++i) {
        s.options[i] = selectionne(static_cast<bouton_option>(i));
    }
    s.debit = legende_Label_debit();
    s.affichage = {marques_du_mouvement, continents_sur_le_globe, terre.longitude_origine,
                   orbites_precedentes};
    s.terre = terre;
    s.temps_mission = temps_mission_;
    s.modele = terre_active_;
    return s;
}

etat_fenetre fenetre_principale::etat() const {
    etat_fenetre e;
    e.fenetre = memoriser();
    e.debit = legende_Label_debit();
    e.valeurs = valeurs_calculees::actuelles();
    e.dernier_tir = dernier_tir;
    e.bandeau = saisie_->bandeau();
    e.temps_mission = temps_mission_;
    e.modele = terre_active_;
    return e;
}

bool fenetre_principale::restituer_etat(const etat_fenetre& e) {
    const auto remettre = [&] {
        restituer(*e.fenetre);
        e.valeurs.restituer();
        legende_Label_debit(e.debit);
        dernier_tir = e.dernier_tir;
        temps_mission_ = e.temps_mission;
        terre_active_ = e.modele;
    };
    const bool dessinee = executer_sans_dialogue([&] {
        remettre();
        rafraichissement_vue(terre_active_);
        if (e.arc_du_tir) {
            retracer_tir(*e.dernier_tir);
        }
    });
    if (dessinee) {
        saisie_->restituer_bandeau(e.bandeau);
    } else {
        remettre(); // the strip says what failed
    }
    return dessinee;
}

void fenetre_principale::reprendre_tir(const std::optional<bilan_tir>& tir) {
    if (tir) {
        restituer_tir(*tir);
    } else {
        dernier_tir.reset();
    }
}

bool fenetre_principale::redessiner_tout(const valeurs_calculees& scene,
                                         const std::optional<bilan_tir>& tir, bool arc) {
    try {
        rafraichissement_complet(terre_active_);
    } catch (const erreur_calcul&) {
        scene.restituer();
        throw;
    }
    reprendre_tir(tir);
    if (!arc || !dernier_tir) {
        return false;
    }
    try {
        retracer_tir(*dernier_tir);
        return true;
    } catch (const erreur_calcul&) {
        rafraichissement_complet(terre_active_); // a record that cannot be drawn: no arc
        return false;
    }
}

bool fenetre_principale::afficher(const options_affichage& options) {
    // The origin meridian shows in the picture only through the coastlines on the globe.
    const bool vue_changee =
        options.marques_du_mouvement != marques_du_mouvement ||
        options.continents_sur_le_globe != continents_sur_le_globe ||
        options.orbites_precedentes != orbites_precedentes ||
        (options.continents_sur_le_globe && options.longitude_origine != terre.longitude_origine);
    marques_du_mouvement = options.marques_du_mouvement;
    continents_sur_le_globe = options.continents_sur_le_globe;
    orbites_precedentes = options.orbites_precedentes;
    terre.longitude_origine = options.longitude_origine;
    if (!vue_changee) {
        return true;
    }
    bool reussi = false;
    evenements_.executer([&] {
        rafraichissement_vue(terre_active_);
        reussi = true;
    });
    return reussi;
}

bool fenetre_principale::saisir(const commande::saisir& s) {
    const double temps_terre = terre.temps;
    const double temps_mission = temps_mission_;
    const auto ecrire = [&] {
        if (s.avance_terre != 0.0) {
            // The Earth turns with the same clock, before the redraw shows it.
            terre.temps = controle(terre.temps + s.avance_terre);
            temps_mission_ = controle(temps_mission_ + s.avance_terre);
        }
        s.ecrire(*this);
    };
    if (!s.nom.isEmpty() && evenements_.profondeur() == 0) {
        annonceur_.commencer(s.nom, s.pas);
    }
    bool reussi = false;
    if (s.dialogue) {
        evenements_.executer([&] {
            ecrire();
            reussi = true;
        });
    } else {
        reussi = executer_sans_dialogue(ecrire);
    }
    if (!reussi) {
        terre.temps = temps_terre;
        temps_mission_ = temps_mission;
    }
    return reussi;
}

bool fenetre_principale::ecrire_lecon(const lecon_a_ecrire& l) {
    bool arc = false;
    // Written as a preset is, carried to its end: an error of one nested redraw does not
    // stop the others. The last full redraw shows the lesson.
    const valeurs_calculees scene = valeurs_calculees::actuelles();
    const std::string debit = legende_Label_debit();
    temps_mission_ = l.temps_mission;
    terre_active_ = l.modele;
    executer_sans_dialogue([&] {
        sans_arret([&] { selectionner(l.type_orbite); });
        sans_arret([&] { selectionner(l.reperes); });
        // A rule of one box may write "0" into another already written: a second pass
        // writes it back.
        for (int passe = 0; passe < 2; ++passe) {
            for (std::size_t i = 0; i < l.textes.size(); ++i) {
                const auto zone = static_cast<zone_texte>(i);
                if (texte(zone) != l.textes[i]) {
                    sans_arret([&] { changer_texte(zone, l.textes[i]); });
                }
            }
        }
        try {
            arc = redessiner_tout(scene, l.tir, l.arc);
        } catch (const erreur_calcul&) {
            legende_Label_debit(debit); // as the scene kept has it
            throw;
        }
        if (l.debit) {
            legende_Label_debit(*l.debit);
        }
    });
    return arc;
}

bool fenetre_principale::changer_modele(const commande::changer_modele& c) {
    if (!c.nom.isEmpty() && evenements_.profondeur() == 0) {
        annonceur_.commencer(c.nom, c.pas);
    }
    const modele_terre avant = terre_active_;
    bool reussi = false;
    evenements_.executer([&] {
        terre_active_ = c.modele;
        try {
            rafraichissement_complet(terre_active_);
        } catch (...) {
            terre_active_ = avant;
            throw;
        }
        reussi = true;
    });
    return reussi;
}

bool fenetre_principale::executer(const commande_fenetre& c) {
    struct execution {
        fenetre_principale& f;
        bool operator()(const commande::tourner_vue& x) {
            f.tourner_vue(x.longitude, x.latitude);
            return true;
        }
        bool operator()(const commande::zoomer& x) {
            f.zoomer(x.crans);
            return true;
        }
        bool operator()(const commande::vue_initiale&) {
            f.vue_initiale();
            return true;
        }
        bool operator()(const commande::changer_zoom& x) { return f.changer_zoom(x.nouveau); }
        bool operator()(const commande::afficher& x) { return f.afficher(x.options); }
        bool operator()(const commande::redessiner&) { return f.redessiner_vue(); }
        bool operator()(const commande::saisir& x) { return f.saisir(x); }
        bool operator()(const commande::ecrire_lecon& x) { return f.ecrire_lecon(x.lecon); }
        bool operator()(const commande::restituer_etat& x) { return f.restituer_etat(x.etat); }
        bool operator()(const commande::informer& x) {
            f.informer(x.message);
            return true;
        }
        bool operator()(const commande::changer_modele& x) { return f.changer_modele(x); }
    };
    return std::visit(execution{*this}, c);
}

} // namespace trajel
