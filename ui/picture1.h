#pragma once

#include "core/surface.h"

#include <QFrame>

class QPainter;

namespace trajel {

// Paints a display list: twips to pixels by pixels_par_twip, lines clipped to
// `zone` (pixels) first, texts in "Arial" 8.25 pt black with their top-left corner
// at their point. A line of width 1 in style 2 is dotted; any wider one is solid.
void peindre_liste(QPainter& peintre, const std::vector<element_affichage>& elements,
                   double pixels_par_twip, const QRectF& zone);

// The drawing surface of the main window. Its units are twips; it keeps what was
// drawn since the last Cls and paints itself from a list, so the picture survives
// being covered and stays sharp at any device pixel ratio. The list painted is the
// last complete scene: what an event draws is shown once the event has completed,
// and the drawing of an abandoned event is discarded.
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

signals:
    // The scene shown has changed.
    void affichage_change();

public:
    // The outer size of the box, in twips.
    double Width() const override;
    double Height() const override;

    void Line(double x1, double y1, double x2, double y2, std::int16_t n) override;
    void Print(const std::string& texte) override;
    void Cls() override;

    double twips_par_pixel() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<element_affichage> affiches_;
};

} // namespace trajel
