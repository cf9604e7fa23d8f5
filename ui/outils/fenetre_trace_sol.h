#pragma once

#include "core/surface.h"
#include "render/trace_sol.h"
#include "ui/image/export_image.h"
#include "ui/poste/fenetre_outil.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QDoubleSpinBox;
class QHBoxLayout;
class QPrinter;
class QSpinBox;

namespace trajel {

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

    // What asks the user (dialogs; tests answer instead).
    struct choix_fichier {
        QString chemin;
        QString filtre;
    };
    std::function<std::optional<choix_fichier>(const QString& propose)> choisir_fichier;
    std::function<bool(QPrinter&)> preparer_impression;
    std::function<void(const QString&)> avertir;

    void copier();
    void enregistrer();
    bool enregistrer_sous(const QString& chemin, const QString& filtre);
    void imprimer();

protected:
    void a_l_affichage() override { actualiser(); }

private:
    void creer_reglages();
    QHBoxLayout* creer_boutons();
    void disposer(QHBoxLayout* boutons);
    void relier();
    // What asks the user: the file dialog, the print dialog, the warning.
    void creer_dialogues();
    void redessiner();
    void changer_longitude_origine(double degres);

    QSpinBox* revolutions_;
    QDoubleSpinBox* longitude_origine_;
    carte_trace_sol* carte_;
    trace_au_sol trace_;
    QString message_; // why there is no track, when there is none
    QString dossier_;
};

// "Trace au sol" and "Continents sur le globe" in the "Outils" menu; the coasts read
// from the program's resources.
void ajouter_trace_sol(poste_de_travail& principale);

} // namespace trajel
