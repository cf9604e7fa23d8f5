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
// for the opening view. Where the picture can be moved (the large view), a drag with
// the middle button, or with the left one and Shift held, moves it instead. An event
// filter on the widget, its child: it takes those events, which the widget then never
// sees, and lets every other one through. The open hand shows the picture can be
// dragged, the closed hand that it is.
class filtre_gestes : public QObject {
    Q_OBJECT
public:
    // `echelle` gives the logical pixels of the widget a pixel of the picture, at the
    // time of each move; none is 1.
    explicit filtre_gestes(QWidget* surface, std::function<double()> echelle = {});

    // Pixels of the picture of drag a degree of view.
    static constexpr double pixels_par_degre = 3.0;

    // Whether the middle button and Shift + left drag move the picture (off at first).
    void permettre_deplacement(bool permis) { deplacement_permis_ = permis; }

signals:
    // A drag moved by whole degrees, across (to the right) and down.
    void glissement(int degres_x, int degres_y);
    // The wheel turned by whole notches, positive away from the user.
    void molette(int crans);
    // A double-click: back to the opening view.
    void double_clic();
    // The picture moved by a drag, logical pixels of the widget, across and down.
    void deplacement(QPointF pixels);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // The press, move or release of a drag moving the picture; false for any other.
    bool deplacer_image(QEvent* evenement);

    QWidget* surface_;
    std::function<double()> echelle_;
    geste_vue geste_;
    bool deplacement_permis_ = false;
    bool deplace_ = false; // a drag moving the picture under way
    QPointF derniere_;
};

} // namespace trajel
