#include "ui/image/gestes.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

namespace trajel {

void geste_vue::commencer(QPointF position) {
    actif_ = true;
    precedente_ = position;
    reste_ = QPointF();
}

QPoint geste_vue::deplacer(QPointF position, double pixels_par_degre) {
    if (!actif_ || !(pixels_par_degre > 0.0)) {
        return {};
    }
    const QPointF cumul = reste_ + (position - precedente_);
    precedente_ = position;
    const int x = static_cast<int>(std::trunc(cumul.x() / pixels_par_degre));
    const int y = static_cast<int>(std::trunc(cumul.y() / pixels_par_degre));
    reste_ = cumul - QPointF(x * pixels_par_degre, y * pixels_par_degre);
    return {x, y};
}

int geste_vue::crans(int huitiemes_de_degre) {
    reste_molette_ += huitiemes_de_degre;
    const int n = reste_molette_ / 120;
    reste_molette_ -= n * 120;
    return n;
}

filtre_gestes::filtre_gestes(QWidget* surface, std::function<double()> echelle)
    : QObject(surface), surface_(surface), echelle_(std::move(echelle)) {
    surface_->setCursor(Qt::OpenHandCursor);
    surface_->installEventFilter(this);
}

bool filtre_gestes::deplacer_image(QEvent* evenement) {
    const QEvent::Type type = evenement->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return false; // a mouse event only is read as one
    }
    const auto* souris = static_cast<QMouseEvent*>(evenement);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (!deplacement_permis_ || geste_.actif() ||
            !(souris->button() == Qt::MiddleButton ||
              (souris->button() == Qt::LeftButton && (souris->modifiers() & Qt::ShiftModifier)))) {
            return false;
        }
        deplace_ = true;
        derniere_ = souris->position();
        surface_->setCursor(Qt::SizeAllCursor);
        return true;
    case QEvent::MouseMove:
        if (!deplace_) {
            return false;
        }
        if (const QPointF d = souris->position() - derniere_; !d.isNull()) {
            derniere_ = souris->position();
            emit deplacement(d);
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (!deplace_ || (souris->buttons() & (Qt::MiddleButton | Qt::LeftButton))) {
            return deplace_;
        }
        deplace_ = false;
        surface_->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        return false;
    }
}

bool filtre_gestes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet != surface_) {
        return false;
    }
    if (deplacer_image(evenement)) {
        evenement->accept();
        return true;
    }
    switch (evenement->type()) {
    case QEvent::MouseButtonPress: {
        const auto* souris = static_cast<QMouseEvent*>(evenement);
        if (souris->button() != Qt::LeftButton) {
            return false;
        }
        geste_.commencer(souris->position());
        surface_->setCursor(Qt::ClosedHandCursor);
        break;
    }
    case QEvent::MouseMove: {
        if (!geste_.actif()) {
            return false;
        }
        const double echelle = echelle_ ? echelle_() : 1.0;
        const QPoint degres = geste_.deplacer(static_cast<QMouseEvent*>(evenement)->position(),
                                              pixels_par_degre * echelle);
        if (!degres.isNull()) {
            emit glissement(degres.x(), degres.y());
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(evenement)->button() != Qt::LeftButton || !geste_.actif()) {
            return false;
        }
        geste_.finir();
        surface_->setCursor(Qt::OpenHandCursor);
        break;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(evenement)->button() != Qt::LeftButton) {
            return false;
        }
        geste_.finir();
        emit double_clic();
        break;
    case QEvent::Wheel: {
        const int n = geste_.crans(static_cast<QWheelEvent*>(evenement)->angleDelta().y());
        if (n != 0) {
            emit molette(n);
        }
        break;
    }
    default:
        return false;
    }
    evenement->accept();
    return true;
}

} // namespace trajel
