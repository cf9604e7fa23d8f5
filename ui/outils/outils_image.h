#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QPrinter;

namespace trajel {

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

    // A file chosen to save into, with the file-type filter chosen with it.
    struct choix_fichier {
        QString chemin;
        QString filtre;
    };
    // What asks the user (dialogs; tests answer instead).
    std::function<std::optional<choix_fichier>(const QString& propose)> choisir_fichier;
    std::function<bool(QPrinter&)> preparer_impression;
    std::function<void(const QString&)> avertir;

    // The file-type filters of the save dialog, PNG at 1, 2 and 4 times first.
    static QStringList filtres();

    // The large view, once opened (nullptr before).
    vue_agrandie* vue() const { return vue_; }

    void ouvrir_vue_agrandie();
    // The large view in full screen, in projector mode.
    void ouvrir_mode_projecteur();
    // "Ajuster la vue": the zoom at which the drawn conic, the Earth and the satellite
    // fit the picture, then a view redraw, as the zoom buttons do.
    void ajuster_vue();
    void copier();
    void enregistrer();
    // Saves in the format the name's extension gives, else the filter's (its extension
    // is then added); false, and the user told why, when the file is not written.
    bool enregistrer_sous(const QString& chemin, const QString& filtre);
    void imprimer();

    // The view turned by whole degrees of drag (right and down), as the hand moves it.
    void tourner(int degres_x, int degres_y);
    // Notches of the wheel: "Zoom +" away from the user, "Zoom -" towards.
    void zoomer(int crans);
    // The opening view: longitude 20, latitude 40, zoom 1.
    void vue_initiale();
    void marquer_le_mouvement(bool actif);
    // The checkable "Marques du mouvement" item.
    QAction* action_marques() const { return marques_; }

private:
    QAction* action(QMenu* menu, const char* nom, const QString& legende,
                    const QKeySequence& raccourci, void (outils_image::*effet)());
    void relier_gestes(const filtre_gestes* gestes);

    poste_de_travail& fenetre_;
    Picture1* image_;
    vue_agrandie* vue_ = nullptr;
    QAction* marques_ = nullptr;
    QString dossier_; // where the last image was saved
};

// Creates the tools of the window and their block of the "Outils" menu.
outils_image* ajouter_outils_image(poste_de_travail& fenetre, QMenu* menu);

} // namespace trajel
