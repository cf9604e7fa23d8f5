#pragma once

#include <QObject>
#include <QString>

class QAction;
class QKeySequence;
class QMenu;

namespace trajel {

class animation_satellite;
class exportateur;
class poste_de_travail;
class filtre_gestes;
class Picture1;
class vue_agrandie;

// The picture's tools: turning the view with the mouse, the large view, copying,
// saving and printing the picture, the marks of the motion. Their items go into the
// "Outils" menu, in one block, and into the picture's context menu.
class outils_image : public QObject {
    Q_OBJECT
public:
    outils_image(poste_de_travail& fenetre, QMenu* menu);

    // Copy, save and print of the picture, its caption the orbit and the view.
    exportateur& exportation() const { return *exportateur_; }

    // The large view, once opened (nullptr before).
    vue_agrandie* vue() const { return vue_; }

    void ouvrir_vue_agrandie();
    // The large view in full screen, in projector mode.
    void ouvrir_mode_projecteur();
    // "Ajuster la vue": the zoom at which the drawn conic, the Earth and the satellite
    // fit the picture, then a view redraw, as the zoom buttons do.
    void ajuster_vue();
    // "Ajuster la vue" in the large view: the drawn conic, the Earth and the satellite
    // fitted and centred there by its own pan and magnification; the main window's
    // view stays as it is.
    void ajuster_vue_agrandie();

    // The view turned by whole degrees of drag (right and down), as the hand moves it.
    void tourner(int degres_x, int degres_y);
    // Notches of the wheel: "Zoom +" away from the user, "Zoom -" towards.
    void zoomer(int crans);
    // The opening view: longitude 20, latitude 40, zoom 1.
    void vue_initiale();
    void marquer_le_mouvement(bool actif);
    // The checkable "Marques du mouvement" item.
    QAction* action_marques() const { return marques_; }
    // The animation whose running the large view shows with the mission clock.
    void suivre_animation(const animation_satellite& animation);

private:
    QAction* action(QMenu* menu, const char* nom, const QString& legende,
                    const QKeySequence& raccourci, void (outils_image::*effet)());
    void relier_gestes(const filtre_gestes* gestes);
    // The large view's panel from the current scene, in projector mode.
    void actualiser_panneau();
    // The large view's clock: the scene's mission time while the animation runs.
    void actualiser_horloge();

    poste_de_travail& fenetre_;
    Picture1* image_;
    exportateur* exportateur_;
    vue_agrandie* vue_ = nullptr;
    QAction* marques_ = nullptr;
    const animation_satellite* animation_ = nullptr;
};

// Creates the tools of the window and their block of the "Outils" menu.
outils_image* ajouter_outils_image(poste_de_travail& fenetre, QMenu* menu);

} // namespace trajel
