#pragma once

#include "core/surface.h"
#include "render/trace_sol.h"
#include "ui/image/export_image.h"
#include "ui/poste/fenetre_outil.h"

#include <QString>
#include <QWidget>

class QDoubleSpinBox;
class QHBoxLayout;
class QSpinBox;

namespace trajel {

class exportateur;
class poste_de_travail;

// The map of the "Trace au sol" window: a display list in twips, painted as Picture1
// paints its own, redrawn by its window at every change of size.
class carte_trace_sol : public QWidget {
    Q_OBJECT
public:
    explicit carte_trace_sol(QWidget* parent = nullptr);

    surface_enregistree& liste() { return liste_; }
    const surface_enregistree& liste() const { return liste_; }
    double twips_par_pixel() const;
    // The list as export_image takes it.
    scene_image scene() const;

signals:
    void redimensionnee();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    surface_enregistree liste_;
};

// "Trace au sol" (F3): the ground track of traj on an equirectangular map with the
// coasts and the launch sites, over a chosen number of revolutions, the Earth turning
// from the origin longitude set here at the time the animation has reached. Follows
// every completed event of the main window. Copy, save and print as the picture.
class fenetre_trace_sol : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    explicit fenetre_trace_sol(poste_de_travail& principale);

    // The track of traj recomputed and the map redrawn.
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
    void redessiner();
    void changer_longitude_origine(double degres);

    QSpinBox* revolutions_;
    QDoubleSpinBox* longitude_origine_;
    carte_trace_sol* carte_;
    trace_au_sol trace_;
    QString message_; // why there is no track, when there is none
    exportateur* exportateur_ = nullptr;
};

// "Trace au sol" and "Continents sur le globe" in the "Outils" menu; the coasts read
// from the program's resources.
void ajouter_trace_sol(poste_de_travail& principale);

} // namespace trajel
