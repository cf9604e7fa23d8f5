#pragma once

#include "core/formulaire.h"
#include "core/geographie.h"
#include "core/module1.h"
#include "manoeuvre/bilan_tir.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

class QMenu;
class QSize;
class QRect;
class QWidget;

namespace trajel {

class Picture1;

// The opening view: longitude 20 (HScroll1), latitude 40 (VScroll1 at -40), zoom 1.
struct vue_d_ouverture {
    static constexpr int longitude = 20;
    static constexpr int latitude = 40;
    static constexpr double zoom = 1.0;
};

// Announces the user events of the main window, to the tools that follow them.
class annonceur_evenements : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The user event under way, or just ended: the objectName of the control or menu
    // item that raised it ("cmd_tir", "menu_GTO_V", "Text4" for the typing in Text4);
    // empty for the events the program raises itself (activation, the animation's
    // frames, the commit of an edit, the tools' own events).
    const QString& evenement() const { return evenement_; }
    // The text of the lesson's step a tool's command names ("la préparation du tir");
    // empty for the window's own events, which the history names itself, and for the
    // commands that are no step.
    const QString& pas() const { return pas_; }

    // Set by the main window.
    void commencer(const QString& nom, const QString& pas = {}) {
        evenement_ = nom;
        pas_ = pas;
        emit evenement_commence(nom);
    }
    void terminer(bool reussi) {
        ++termines_;
        emit evenement_termine(reussi);
        evenement_.clear();
        pas_.clear();
    }

    // How many events have ended: a window refreshed at the end of one needs no second
    // refresh for the state put back by the same one.
    unsigned long long termines() const { return termines_; }

    // Asked before the main window closes or the program quits (the menu's "quitter", the
    // close box): false keeps everything as it was. Set by the lesson's files; unset,
    // the window closes at once.
    std::function<bool()> accord_de_fermeture;

signals:
    // A user event named after its control starts; nothing of it has run yet.
    void evenement_commence(const QString& nom);
    // A user event has ended (completed, or abandoned and reported): the windows that
    // follow the scene refresh now.
    void evenement_termine(bool reussi);
    // The edit of a box has been committed (Enter, Tab, leaving the box), after the
    // rules that waited for it have run.
    void saisie_terminee(trajel::zone_texte zone);
    // The window's state has been put back (a lesson opened, an undo or a redo) but the
    // event that drew it did not complete: the values are those of the state all the
    // same, and the windows that follow them refresh now.
    void etat_restitue();

private:
    QString evenement_;
    QString pas_;
    unsigned long long termines_ = 0;
};

// The strip over the picture as it stands: its message (empty when hidden) and the box
// framed in red, if any.
struct etat_bandeau {
    QString message;
    std::optional<zone_texte> boite;

    bool operator==(const etat_bandeau&) const = default;
};

// What the picture shows beside the scene, set by the tools: the motion marks, the
// coastlines on the globe and the longitude of the Earth's origin meridian at time 0.
struct options_affichage {
    bool marques_du_mouvement = false;
    bool continents_sur_le_globe = false;
    double longitude_origine = 0.0;   // degrees
    bool orbites_precedentes = false; // the lesson's earlier orbits, dashed

    bool operator==(const options_affichage&) const = default;
};

// The scene as a tool reads it: traj and the satellite values as the picture has them,
// the last burn, the view, the boxes' texts, the options selected, Label_debit, the
// display options, the Earth's clock and the mission's.
struct instantane_scene {
    valeurs_calculees valeurs;
    std::optional<bilan_tir> dernier_tir;
    int longitude = 0; // HScroll1, degrees
    int latitude = 0;  // minus VScroll1, degrees
    double zoom = 1.0;
    std::array<std::string, textes_d_ouverture.size()> textes; // in the order of zone_texte
    std::array<bool, options_d_ouverture.size()> options{};    // in the order of bouton_option
    std::string debit;
    options_affichage affichage;
    horloge_terre terre;
    double temps_mission = 0.0;               // s: the burns' durations and the animation's time
    modele_terre modele = terre_du_programme; // the Earth the scene is computed around

    const std::string& texte(zone_texte zone) const {
        return textes[static_cast<std::size_t>(zone)];
    }
    bool selectionne(bouton_option bouton) const {
        return options[static_cast<std::size_t>(bouton)];
    }
};

// The window as the history puts it back: what the boxes, options and captions show,
// Label_debit, traj and the satellite values as its picture has them, the last burn and
// whether the picture carries its powered arc, the strip and its framed box.
struct etat_fenetre {
    std::shared_ptr<const formulaire::memoire> fenetre;
    std::string debit;
    valeurs_calculees valeurs;
    std::optional<bilan_tir> dernier_tir;
    bool arc_du_tir = false;
    etat_bandeau bandeau;
    double temps_mission = 0.0; // s
    modele_terre modele = terre_du_programme;
};

// What a tool's figures are computed from: traj, the satellite values and the number of
// the last burn (0: none). A completed event that leaves it as it was changes no figure.
struct source_figures {
    valeurs_calculees valeurs;
    unsigned tir = 0;

    bool operator==(const source_figures&) const = default;
};
inline source_figures source_de(const instantane_scene& scene) {
    return {scene.valeurs, scene.dernier_tir ? scene.dernier_tir->numero : 0};
}

// A lesson written into the window as a preset is: the orbit type and the frames
// selected, the boxes typed (each running its handlers, an error of one not stopping the
// others), then a full redraw; if it cannot be drawn, traj and the satellite values stay
// as the last scene has them and the strip says why. Once drawn, `tir` becomes the last
// burn, its arc drawn over the scene when `arc`, and Label_debit reads `debit` when given;
// the mission clock reads `temps_mission`.
struct lecon_a_ecrire {
    std::array<std::string, textes_d_ouverture.size()> textes;
    bouton_option type_orbite = bouton_option::Option_elliptique;
    bouton_option reperes = bouton_option::Option_tous;
    std::optional<bilan_tir> tir;
    bool arc = false;
    std::optional<std::string> debit;
    double temps_mission = 0.0;               // s
    modele_terre modele = terre_du_programme; // set before the boxes are written
};

// What a tool may ask of the main window. Each command runs as one event of the window,
// announced to the tools and recorded by the history as the user's own would be.
namespace commande {
// The view turned by whole degrees: HScroll1 by `longitude`, the latitude by `latitude`
// (VScroll1 the other way), each bar running its own handler and stopping at its ends.
struct tourner_vue {
    int longitude = 0;
    int latitude = 0;
};
// Notches: "Zoom +" clicked for each positive one, "Zoom -" for each negative one.
struct zoomer {
    int crans = 0;
};
// Back to the opening view, through the bars' handlers; the zoom to 1 by a view redraw
// when it is not already.
struct vue_initiale {};
// The zoom `nouveau` computes (with the view set up), then a view redraw; an error leaves
// the zoom as it was.
struct changer_zoom {
    std::function<double()> nouveau;
};
// New display options, then a view redraw.
struct afficher {
    options_affichage options;
};
// The picture drawn again (a view redraw), for what the scene reads from the tools (the
// exercise's orbits).
struct redessiner {};
// The boxes and options written as the user would, each write running its handlers.
// Without `dialogue` (the program's own timer) an error goes to the strip, framing the
// box it names; no dialog interrupts. The Earth's clock first moves on by
// `avance_terre` seconds, the mission clock with it, and both go back if the event fails. A command
// given a `nom` (the objectName of the tool's control) and the text of its step (`pas`) is a step
// of the lesson, undone as one; without, what it changes joins the next step.
struct saisir {
    std::function<void(formulaire&)> ecrire;
    bool dialogue = true;
    double avance_terre = 0.0;
    QString nom{};
    QString pas{};
};
// A lesson written into the window, without a dialog.
struct ecrire_lecon {
    lecon_a_ecrire lecon;
};
// A state put back without running any handler, and its picture drawn again: the scene
// of traj as the state had it (a view redraw: the boxes are not read again, so that a
// state whose texts cannot be drawn shows the last scene it could), with the burn's arc
// over it when it was shown so, then its strip. When the picture cannot be drawn the
// values are put back all the same and the strip says why.
struct restituer_etat {
    etat_fenetre etat;
};
// A word to the user on the strip over the picture, without a dialog, until the next
// full redraw succeeds.
struct informer {
    QString message;
};
// The Earth model of the computations, then a full redraw: the boxes keep their texts
// (the same altitudes above the new Earth). A step of the lesson named after the control
// `nom`; a redraw that fails puts the model back.
struct changer_modele {
    modele_terre modele;
    QString nom{};
    QString pas{};
};
} // namespace commande

using commande_fenetre =
    std::variant<commande::tourner_vue, commande::zoomer, commande::vue_initiale,
                 commande::changer_zoom, commande::afficher, commande::redessiner, commande::saisir,
                 commande::ecrire_lecon, commande::restituer_etat, commande::informer,
                 commande::changer_modele>;

// What a tool sees of the main window: the window itself (parent and place of the tool
// windows), its "Outils" menu and picture, the announcements of its events, the scene and
// the whole state as they stand, and its commands. The window knows none of its tools.
class poste_de_travail {
public:
    virtual QWidget& widget() = 0;
    virtual QMenu* menu_outils() const = 0;
    // The picture: the current scene's display list, painted.
    virtual trajel::Picture1* image() const = 0;
    virtual annonceur_evenements& annonces() = 0;

    // The scene as the last completed event left it.
    virtual instantane_scene scene() const = 0;
    // The window as it stands (arc_du_tir left false: the history follows the arc).
    virtual etat_fenetre etat() const = 0;

    // Runs a command as one event. True when the event completed (for `ecrire_lecon`: and
    // the burn's arc is drawn; for `restituer_etat`: and the picture is drawn).
    virtual bool executer(const commande_fenetre& c) = 0;

protected:
    ~poste_de_travail() = default;
};

// The part of the main window a tool window may cover, in global coordinates: its
// picture; every control lies outside it.
QRect zone_libre(const poste_de_travail& poste);

// A tool window where it was left in an earlier run (under its objectName), else beside
// the main window at its top with the frame size `cadre`, never over its controls, clear
// of the other windows shown while the screen has room, shrunk for it as far as
// `moindre`. False when the screen had no room left.
bool placer_outil(QWidget& outil, poste_de_travail& poste, QSize cadre, QSize moindre);

} // namespace trajel
