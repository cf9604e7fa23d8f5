#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace trajel {

// The design is laid out in twips (1/1440 inch), which follow the screen's logical
// resolution: 15 twips a pixel at 96 dpi. The widget's screen, else the primary one,
// else 96 dpi.
struct echelle_twips {
    double dpi_x = 96.0;
    double dpi_y = 96.0;

    static echelle_twips de(const QWidget* w) {
        const QScreen* ecran = w != nullptr ? w->screen() : nullptr;
        if (ecran == nullptr) {
            ecran = QGuiApplication::primaryScreen();
        }
        if (ecran == nullptr) {
            return {};
        }
        return {ecran->logicalDotsPerInchX(), ecran->logicalDotsPerInchY()};
    }

    // Twips to whole pixels, across and down.
    int x(double twips) const { return qRound(twips * dpi_x / 1440.0); }
    int y(double twips) const { return qRound(twips * dpi_y / 1440.0); }
    QRect rectangle(double gauche, double haut, double largeur, double hauteur) const {
        return QRect(x(gauche), y(haut), x(largeur), y(hauteur));
    }
    double twips_par_pixel_x() const { return 1440.0 / dpi_x; }
    double twips_par_pixel_y() const { return 1440.0 / dpi_y; }
};

} // namespace trajel
