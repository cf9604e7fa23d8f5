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
// drawn since the last Cls and paints itself from that list, so the picture
// survives being covered and stays sharp at any device pixel ratio.
class Picture1 : public QFrame, public surface_enregistree {
    Q_OBJECT
public:
    explicit Picture1(QWidget* parent = nullptr);

    // The outer size of the box, in twips.
    double Width() const override;
    double Height() const override;

    void Line(double x1, double y1, double x2, double y2, std::int16_t n) override;
    void Print(const std::string& texte) override;
    void Cls() override;

    double twips_par_pixel() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace trajel
