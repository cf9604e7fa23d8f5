#include "ui/picture1.h"

#include "ui/twips.h"

#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace trajel {

namespace {

QColor couleur_qt(std::int16_t n) {
    const couleur_rgb c = palette(n);
    return QColor(c.r, c.g, c.b);
}

// Liang-Barsky: the part of the segment inside `zone`, or false if none is.
bool decouper(QPointF& a, QPointF& b, const QRectF& zone) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - zone.left(), zone.right() - a.x(), a.y() - zone.top(),
                         zone.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0.0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
        }
    }
    if (t0 > t1) {
        return false;
    }
    const QPointF debut = a;
    a = debut + QPointF(dx * t0, dy * t0);
    b = debut + QPointF(dx * t1, dy * t1);
    return true;
}

QFont police_image() {
    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(8.25);
    return police;
}

} // namespace

void peindre_liste(QPainter& peintre, const std::vector<element_affichage>& elements,
                   double pixels_par_twip, const QRectF& zone) {
    const QFont police = police_image();
    peintre.setFont(police);
    const double ascendante = QFontMetricsF(police, peintre.device()).ascent();
    const QRectF limite = zone.adjusted(-4.0, -4.0, 4.0, 4.0);
    for (const element_affichage& e : elements) {
        const QPointF a(e.x1 * pixels_par_twip, e.y1 * pixels_par_twip);
        if (e.nature == element_affichage::genre::texte) {
            peintre.setPen(Qt::black);
            peintre.drawText(a + QPointF(0.0, ascendante), QString::fromStdString(e.texte));
            continue;
        }
        QPointF debut = a;
        QPointF fin(e.x2 * pixels_par_twip, e.y2 * pixels_par_twip);
        if (!decouper(debut, fin, limite)) {
            continue;
        }
        QPen stylo(couleur_qt(e.couleur));
        stylo.setCosmetic(true);
        stylo.setWidth(std::max(1, e.epaisseur));
        stylo.setStyle(e.epaisseur <= 1 && e.style == style_pointille ? Qt::DotLine
                                                                      : Qt::SolidLine);
        peintre.setPen(stylo);
        peintre.drawLine(debut, fin);
    }
}

Picture1::Picture1(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white); // the system colour of title-bar text
    setPalette(fond);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double Picture1::twips_par_pixel() const {
    return echelle_twips::de(this).twips_par_pixel_y();
}

double Picture1::Width() const {
    return width() * echelle_twips::de(this).twips_par_pixel_x();
}

double Picture1::Height() const {
    return height() * twips_par_pixel();
}

void Picture1::Line(double x1, double y1, double x2, double y2, std::int16_t n) {
    surface_enregistree::Line(x1, y1, x2, y2, n);
}

void Picture1::Print(const std::string& texte) {
    surface_enregistree::Print(texte);
}

void Picture1::Cls() {
    surface_enregistree::Cls();
}

void Picture1::valider_affichage() {
    if (affiches_ == elements()) {
        return; // nothing new drawn
    }
    affiches_ = elements();
    update();
    emit affichage_change();
}

void Picture1::annuler_affichage() {
    remettre(affiches_);
}

void Picture1::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter peintre(this);
    const QRect interieur = contentsRect();
    peintre.fillRect(interieur, Qt::white);
    peintre.setClipRect(interieur);
    peintre.translate(interieur.topLeft());
    peintre.setRenderHint(QPainter::Antialiasing, false);
    peindre_liste(peintre, affiches_, 1.0 / twips_par_pixel(),
                  QRectF(0.0, 0.0, interieur.width(), interieur.height()));
}

} // namespace trajel
