#pragma once

#include "core/surface.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPointF>

#include <array>
#include <optional>

class QPainter;

namespace trajel {

class filtre_gestes;

// The colour a line of each palette number is painted in, when not the palette's own.
using palette_peinture = std::array<couleur_rgb, 16>;

// How a display list is painted. Positions scale with pixels_par_twip; a pen of
// DrawWidth n is n x unite_plume wide and the text is 8.25 pt (165 twips), so that
// the whole picture scales as one. On a raster device (`grille`) pen widths are whole
// device pixels and line ends sit on the device pixel grid, so that horizontal and
// vertical lines stay sharp at any scale.
struct rendu_image {
    double pixels_par_twip = 1.0 / 15.0; // painter units per twip
    double unite_plume = 1.0;            // painter units per pixel of DrawWidth
    bool lissage = true;                 // antialiased lines and text
    bool grille = true;                  // raster device
    double hauteur_texte_min = 0.0;      // painter units: the labels' line at least this high
    double texte_par_twip = 0.0;         // the labels' scale; 0: pixels_par_twip
    const palette_peinture* couleurs = nullptr; // none: the palette's own colours
    bool placer_etiquettes = false;             // labels moved apart (render/etiquettes)
};

// The thin line from a label moved away to the point it names.
inline const QColor couleur_renvoi(96, 96, 96);

// The labels' font ("Arial" 8.25 pt, scaled) for a painter and a rendering.
QFont police_etiquettes(const QPainter& peintre, const rendu_image& rendu);

// Paints a display list: lines clipped to `zone` (painter units) first, texts in
// "Arial" black with their top-left corner at their point, or, when the rendering
// places the labels, where placer_etiquettes puts them within `zone`, clear of one
// another and of the Earth's disc, with a thin leader line when far from their point.
// A line of width 1 in style 2 is dotted; any wider one is solid.
void peindre_liste(QPainter& peintre, const std::vector<element_affichage>& elements,
                   const rendu_image& rendu, const QRectF& zone);

// How a large view paints its scene beyond the plain fit.
struct agrandissement {
    // Painted and clipped there (painter units), not only within the scene's rectangle,
    // so that labels and lines past the picture's bounds stay whole.
    QRectF visible;
    bool grille = true;             // raster device
    double plume_min = 0.0;         // painter units a pixel of DrawWidth, at least
    double hauteur_texte_min = 0.0; // the labels' line height, painter units, at least
    // The scene magnified `facteur` times about `centre` (twips of the picture), put at
    // the centre of `visible`; the pens and the labels keep the plain fit's size.
    double facteur = 1.0;
    std::optional<QPointF> centre;
    const palette_peinture* couleurs = nullptr; // lines and shapes of a palette colour
    bool placer_etiquettes = false;             // labels kept apart and off the Earth
};

// Paints a scene of largeur x hauteur twips (twips_par_pixel twips a pixel of the
// picture) scaled to fit `cible` with its aspect kept, centred on it, clipped to it.
// Returns the rectangle the scene fills.
QRectF peindre_scene_ajustee(QPainter& peintre, const std::vector<element_affichage>& elements,
                             QSizeF twips, double twips_par_pixel, const QRectF& cible,
                             bool grille);
QRectF peindre_scene_ajustee(QPainter& peintre, const std::vector<element_affichage>& elements,
                             QSizeF twips, double twips_par_pixel, const QRectF& cible,
                             const agrandissement& options);

// The drawing surface of the main window. Its units are twips; it keeps what was
// drawn since the last Cls and paints itself from a list, so the picture survives
// being covered and stays sharp at any device pixel ratio. The list painted is the
// last complete scene: what an event draws is shown once the event has completed,
// and the drawing of an abandoned event is discarded. Its gestures (dragging, the
// wheel, a double-click) ask the window to turn, zoom or reset the view.
class Picture1 : public QFrame, public surface_enregistree {
    Q_OBJECT
public:
    explicit Picture1(QWidget* parent = nullptr);

    // The display list on screen: the last complete scene.
    const std::vector<element_affichage>& elements_affiches() const { return affiches_; }
    // The event has completed: what it drew is shown.
    void valider_affichage();
    // The event was abandoned: its drawing is discarded, the scene shown stays.
    void annuler_affichage();

    // How the picture paints itself: a pixel of the picture a logical pixel.
    rendu_image rendu() const;

    // The mouse on the picture.
    filtre_gestes* gestes() const { return gestes_; }

signals:
    // The scene shown has changed.
    void affichage_change();

public:
    // The outer size of the box, in twips.
    double Width() const override;
    double Height() const override;

    double twips_par_pixel() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<element_affichage> affiches_;
    filtre_gestes* gestes_;
};

} // namespace trajel
