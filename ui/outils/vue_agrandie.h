#pragma once

#include "ui/image/picture1.h"
#include "ui/outils/panneau_projecteur.h"

#include <QWidget>

#include <optional>
#include <utility>

class QAction;

namespace trajel {

class filtre_gestes;
struct instantane_scene;

// The picture in a window of its own, for the projector: the scene shown by Picture1,
// scaled to fit the window with its aspect kept, repainted whenever that scene
// changes. It paints Picture1's own display list and computes nothing; what lies past
// the picture's bounds is painted too, up to the window's edges. F11 toggles full
// screen, Escape leaves it; its gestures act on the view as on the picture itself.
//
// In projector mode the scene takes the window's height (or width) and the free band
// on its right holds a panel, in large type, with the orbit's numbers and the legend
// of the colours; lines and labels grow so that a label is at least 2.5 % of the
// window's height.
class vue_agrandie : public QWidget {
    Q_OBJECT
public:
    explicit vue_agrandie(Picture1* source, QWidget* parent = nullptr);

    // The list painted: the one Picture1 shows.
    const std::vector<element_affichage>& elements() const { return source_->elements_affiches(); }
    // Where the picture's rectangle lies in the window, in logical pixels.
    QRectF zone_scene() const;
    // Where the scene is painted: the window, less the panel in projector mode.
    QRectF zone_visible() const;
    // The projector's panel; empty outside projector mode.
    QRectF zone_panneau() const;

    void basculer_plein_ecran();

    bool mode_projecteur() const { return projecteur_; }
    void definir_mode_projecteur(bool actif);
    // The panel's numbers, from the scene's orbit and last burn (those of the readout);
    // nothing outside projector mode.
    void actualiser_panneau(const instantane_scene& scene);
    const std::vector<ligne_panneau>& panneau() const { return lignes_; }
    // How the labels are painted: kept apart and off the Earth, their font's line at
    // least 2.5 % of the window's height in projector mode.
    agrandissement options_peinture() const;

    // The mouse on the large view: a degree of drag per 3 pixels of the picture.
    filtre_gestes* gestes() const { return gestes_; }

    // The scene's own pan and magnification in this window, the main window's view left
    // as it is: `boite` (twips of the picture) fills the visible zone, a margin of 8 %
    // of each half-width and half-height left free, centred on it.
    void cadrer(const QRectF& boite);
    // The picture moved by `pixels` of the window.
    void deplacer(QPointF pixels);
    // Back to the opening view: no pan, the picture as the main window shows it.
    void retablir_cadrage();
    // Where a point of the picture (twips) is painted in the window.
    QPointF vers_fenetre(QPointF twips) const;
    double facteur_cadrage() const { return facteur_; }

    // "Couleurs pour projecteur": the projector's palette and lines of at least a 360th
    // of the window's height (3 pixels at 1080); on by default in projector mode.
    bool couleurs_projecteur() const;
    void definir_couleurs_projecteur(bool actives);

    // The mission clock in the picture's top left corner, while the animation runs;
    // none when it is stopped.
    void definir_horloge(std::optional<double> secondes);
    std::optional<double> horloge() const { return horloge_; }

signals:
    // "Ajuster la vue" asked from the large view.
    void ajustement_demande();
    void mode_projecteur_change(bool actif);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSizeF taille_twips() const;
    void peindre_panneau(QPainter& peintre, const QRectF& zone) const;
    void peindre_horloge(QPainter& peintre, const QRectF& zone) const;

    Picture1* source_;
    QAction* plein_ecran_ = nullptr;
    QAction* projecteur_action_ = nullptr;
    QAction* couleurs_action_ = nullptr;
    filtre_gestes* gestes_;
    bool projecteur_ = false;
    std::vector<ligne_panneau> lignes_;
    // The pan and magnification: the point of the picture (twips) at the visible zone's
    // centre, none for the picture's own centre.
    double facteur_ = 1.0;
    std::optional<QPointF> centre_;
    bool fantomes_ = false;                        // the legend names the earlier orbits
    std::optional<double> horloge_;                // s of mission time, while the animation runs
    std::pair<const uchar*, qsizetype> memoire_{}; // the backing store last painted
};

} // namespace trajel
