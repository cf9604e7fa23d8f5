#pragma once

#include "core/surface.h"
#include "render/trace_sol.h"
#include "ui/image/export_image.h"
#include "ui/poste/fenetre_outil.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QDoubleSpinBox;
class QHBoxLayout;
class QSpinBox;

namespace trajel {

class exportateur;
class poste_de_travail;

// The map of the "Trace au sol" window: a display list in twips, painted as Picture1
// paints its own, redrawn by its window at every change of size. Once the animation
// moves the satellite, the ground and the track are painted once into pixmaps kept for
// the map's size and pixel ratio; each paint copies them and paints the rest over them.
class carte_trace_sol : public QWidget {
    Q_OBJECT
public:
    explicit carte_trace_sol(QWidget* parent = nullptr);

    surface_enregistree& liste() { return liste_; }
    const surface_enregistree& liste() const { return liste_; }
    double twips_par_pixel() const;
    // The list as export_image takes it.
    scene_image scene() const;

    // The layers of the list just drawn; the track's pixmap painted again when it changed.
    void definir_couches(const couches_carte& couches, bool trace_changee);
    // Where the mark under the satellite is painted, logical pixels; empty without one.
    QRect zone_marque() const;

signals:
    void redimensionnee();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap couche(const QPixmap& dessous, std::size_t debut, std::size_t fin) const;
    std::vector<element_affichage> extrait(std::size_t debut, std::size_t fin) const;

    surface_enregistree liste_;
    couches_carte couches_;
    QPixmap fond_;  // the ground: frame, graticule, coasts, sites
    QPixmap trace_; // the ground and the track
    // Painted from the pixmaps once an animation frame has moved the satellite alone;
    // before, straight from the list (no pixmap made for a map that never animates).
    bool par_couches_ = false;
};

// "Trace au sol" (F3): the ground track of traj on an equirectangular map with the
// coasts and the launch sites, over a chosen number of revolutions, the Earth turning
// from the origin longitude set here at the time the animation has reached. Follows
// every completed event of the main window. Copy, save and print as the picture.
class fenetre_trace_sol : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    explicit fenetre_trace_sol(poste_de_travail& principale);

    // The track of traj recomputed and the map redrawn; when the satellite only moved
    // along it (an animation frame), only the point under it.
    void actualiser();
    const trace_au_sol& trace() const { return trace_; }
    const carte_trace_sol& carte() const { return *carte_; }

    // Copy, save and print of the map, its caption the orbit, the view and the
    // revolutions.
    exportateur& exportation() const { return *exportateur_; }

protected:
    void a_l_affichage() override { actualiser(); }
    // Shrunk beside the main window as far as its settings' row and the map allow.
    QSize taille_minimale() const override { return minimumSizeHint(); }

private:
    void creer_reglages();
    QHBoxLayout* creer_boutons();
    void disposer(QHBoxLayout* boutons);
    void relier();
    void redessiner(bool trace_changee = true);
    void changer_longitude_origine(double degres);

    QSpinBox* revolutions_;
    QDoubleSpinBox* longitude_origine_;
    carte_trace_sol* carte_;
    trace_au_sol trace_;
    // What the track was computed for.
    struct origine_trace {
        trajectoire traj;
        horloge_terre terre;
        int revolutions = 0;
        modele_terre modele;
    };
    std::optional<origine_trace> origine_;
    QString message_; // why there is no track, when there is none
    exportateur* exportateur_ = nullptr;
};

// "Trace au sol" and "Continents sur le globe" in the "Outils" menu; the window made on its
// first opening, the coasts read from the program's resources on their first use.
void ajouter_trace_sol(poste_de_travail& principale);

} // namespace trajel
