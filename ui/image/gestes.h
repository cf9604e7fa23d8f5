#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>

#include <functional>

class QWidget;

namespace trajel {

// Turns a mouse drag into whole degrees (pixels_par_degre logical pixels a degree, the
// rest kept for the next move) and wheel turns into whole notches.
class geste_vue {
public:
    void commencer(QPointF position);
    bool actif() const { return actif_; }
    // The whole degrees of the move to `position`, across and down.
    QPoint deplacer(QPointF position, double pixels_par_degre);
    void finir() { actif_ = false; }
    // Whole notches of a wheel turn (120 eighths of a degree each), positive upwards.
    int crans(int huitiemes_de_degre);

private:
    bool actif_ = false;
    QPointF precedente_;
    QPointF reste_;
    int reste_molette_ = 0;
};

// The mouse on a widget showing the picture: a drag with the left button turns the
// view by whole degrees, the wheel zooms by whole notches, a left double-click asks
// for the opening view. An event filter on the widget, its child: it takes those
// events, which the widget then never sees, and lets every other one through. The
// open hand shows the picture can be dragged, the closed hand that it is.
class filtre_gestes : public QObject {
    Q_OBJECT
public:
    // `echelle` gives the logical pixels of the widget a pixel of the picture, at the
    // time of each move; none is 1.
    explicit filtre_gestes(QWidget* surface, std::function<double()> echelle = {});

    // Pixels of the picture of drag a degree of view.
    static constexpr double pixels_par_degre = 3.0;

signals:
    // A drag moved by whole degrees, across (to the right) and down.
    void glissement(int degres_x, int degres_y);
    // The wheel turned by whole notches, positive away from the user.
    void molette(int crans);
    // A double-click: back to the opening view.
    void double_clic();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QWidget* surface_;
    std::function<double()> echelle_;
    geste_vue geste_;
};

} // namespace trajel
