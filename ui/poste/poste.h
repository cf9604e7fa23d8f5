#pragma once

#include "core/formulaire.h"
#include "core/module1.h"
#include "manoeuvre/bilan_tir.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QSize;
class QRect;
class QWidget;

namespace trajel {

class distributeur;
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

    // Set by the main window.
    void commencer(const QString& nom) {
        evenement_ = nom;
        emit evenement_commence(nom);
    }
    void terminer(bool reussi) {
        emit evenement_termine(reussi);
        evenement_.clear();
    }

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
};

// The strip over the picture as it stands: its message (empty when hidden) and the box
// framed in red, if any.
struct etat_bandeau {
    QString message;
    std::optional<zone_texte> boite;

    bool operator==(const etat_bandeau&) const = default;
};

// The scene as a tool reads it: traj and the satellite values as the picture has them,
// the last burn, and the view.
struct instantane_scene {
    valeurs_calculees valeurs;
    std::optional<bilan_tir> dernier_tir;
    int longitude = 0; // HScroll1, degrees
    int latitude = 0;  // minus VScroll1, degrees
    double zoom = 1.0;
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

// What the tools may ask of the main window: its boxes and options (the model the
// computations read), the events run through its distributor, the view turned or zoomed
// through its own controls and handlers, the current scene, the "Outils" menu, and the
// end of each event. The window knows none of its tools.
class poste_de_travail : public formulaire {
public:
    // The window itself: parent and place of the tool windows.
    virtual QWidget& widget() = 0;
    virtual QMenu* menu_outils() const = 0;
    // The picture: the current scene's display list, painted.
    virtual trajel::Picture1* image() const = 0;
    virtual distributeur& evenements() = 0;
    // Runs an event of the program's own timer: an error goes to the strip, framing the
    // box it names, as the user's typing does; no dialog interrupts. True when the
    // event completed.
    virtual bool executer_sans_dialogue(const std::function<void()>& gestionnaire) = 0;
    virtual annonceur_evenements& annonces() = 0;
    // A word to the user on the strip over the picture, without a dialog, until the next
    // full redraw succeeds.
    virtual void informer(const QString& message) = 0;

    // The view turned by whole degrees: HScroll1 by `longitude`, the latitude by
    // `latitude` (VScroll1 the other way), each bar running its own handler and stopping
    // at its ends.
    virtual void tourner_vue(int longitude, int latitude) = 0;
    // Notches: "Zoom +" clicked for each positive one, "Zoom -" for each negative one.
    virtual void zoomer(int crans) = 0;
    // Back to the opening view, through the bars' handlers; the zoom to 1 by a view
    // redraw when it is not already.
    virtual void vue_initiale() = 0;
    // The zoom `nouveau` computes (with the view set up), then a view redraw, as one
    // event; an error leaves the zoom as it was. True when the event completed.
    virtual bool changer_zoom(const std::function<double()>& nouveau) = 0;
    // A view redraw as one event: a display option of a tool has changed.
    virtual void redessiner_vue() = 0;

    // The scene as the last completed event left it.
    virtual instantane_scene scene() const = 0;

    // The window as it stands (arc_du_tir left false: the history follows the arc).
    virtual etat_fenetre etat() const = 0;
    // Puts a state back without running any handler and draws its picture again, as one
    // event: the scene of traj as the state had it (a view redraw: the boxes are not read
    // again, so that a state whose texts cannot be drawn shows the last scene it could),
    // with the burn's arc over it when it was shown so, then its strip. When the picture
    // cannot be drawn the values are put back all the same and the strip says why. True
    // when the picture was drawn.
    virtual bool restituer_etat(const etat_fenetre& etat) = 0;
    // Within an event: a full redraw; if it fails, traj and the satellite values go back
    // to `scene`, the last burn stays, and the error goes on. Once drawn, `tir` becomes the
    // last burn and, when `arc`, its arc is drawn over the scene, unless its record cannot
    // be integrated again (the scene then stays without it). True when the arc is drawn.
    virtual bool redessiner_tout(const valeurs_calculees& scene,
                                 const std::optional<bilan_tir>& tir, bool arc) = 0;

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
