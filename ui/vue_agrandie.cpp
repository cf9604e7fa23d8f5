#include "ui/vue_agrandie.h"

#include "ui/gestes.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace trajel {

namespace {

// Around the scene, where the window's aspect differs from the picture's.
const QColor couleur_pourtour(72, 72, 72);

} // namespace

vue_agrandie::vue_agrandie(Picture1* source, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(source),
      // A pixel of the picture is as many of the window as the enlargement.
      gestes_(new filtre_gestes(this, [this] {
          return zone_scene().width() * source_->twips_par_pixel() / taille_twips().width();
      })) {
    setObjectName(QStringLiteral("vue_agrandie"));
    setWindowTitle(QStringLiteral("Vue agrandie – Calcul d'orbite"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
    setToolTip(QStringLiteral(
        "La scène agrandie : glisser fait tourner la vue, la molette zoome ; F11 : plein "
        "écran, Échap : en sortir, Ctrl+W : fermer ; clic droit : ces commandes"));

    plein_ecran_ = new QAction(QStringLiteral("Plein écran"), this);
    plein_ecran_->setObjectName(QStringLiteral("vue_agrandie_plein_ecran"));
    plein_ecran_->setCheckable(true);
    plein_ecran_->setShortcut(Qt::Key_F11);
    connect(plein_ecran_, &QAction::triggered, this, &vue_agrandie::basculer_plein_ecran);
    auto* fermer = new QAction(QStringLiteral("Fermer la vue agrandie"), this);
    fermer->setObjectName(QStringLiteral("vue_agrandie_fermer"));
    fermer->setShortcut(QKeySequence::Close);
    connect(fermer, &QAction::triggered, this, &QWidget::close);
    addAction(plein_ecran_);
    addAction(fermer);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    // Twice the picture, within the screen.
    QSize taille = source_->size() * 2;
    if (const QScreen* ecran = source_->screen()) {
        taille = taille.boundedTo(ecran->availableGeometry().size() * 9 / 10);
    }
    resize(taille);

    connect(source_, &Picture1::affichage_change, this, qOverload<>(&QWidget::update));
}

QSizeF vue_agrandie::taille_twips() const {
    return {source_->Width(), source_->Height()};
}

QRectF vue_agrandie::zone_scene() const {
    const QSizeF twips = taille_twips();
    const QSizeF scene = twips / source_->twips_par_pixel();
    QSizeF ajustee = scene.scaled(QSizeF(size()), Qt::KeepAspectRatio);
    QRectF r(QPointF(), ajustee);
    r.moveCenter(QRectF(rect()).center());
    return r;
}

void vue_agrandie::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.fillRect(rect(), couleur_pourtour);
    const QRectF zone = zone_scene();
    peintre.fillRect(zone, Qt::white);
    peindre_scene_ajustee(peintre, elements(), taille_twips(), source_->twips_par_pixel(),
                          QRectF(rect()), true);
}

void vue_agrandie::basculer_plein_ecran() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void vue_agrandie::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void vue_agrandie::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        plein_ecran_->setChecked(isFullScreen());
    }
    QWidget::changeEvent(event);
}

} // namespace trajel
