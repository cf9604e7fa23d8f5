#pragma once

#include "ui/picture1.h"

#include <QWidget>

class QAction;

namespace trajel {

// The picture in a window of its own, for the projector: the scene shown by Picture1,
// scaled to fit the window with its aspect kept, repainted whenever that scene
// changes. It paints Picture1's own display list and computes nothing. F11 toggles
// full screen, Escape leaves it; dragging, the wheel and a double-click act on the
// view as on the picture itself.
class vue_agrandie : public QWidget {
    Q_OBJECT
public:
    explicit vue_agrandie(Picture1* source, QWidget* parent = nullptr);

    // The list painted: the one Picture1 shows.
    const std::vector<element_affichage>& elements() const { return source_->elements_affiches(); }
    // Where the scene lies in the window, in logical pixels.
    QRectF zone_scene() const;

    void basculer_plein_ecran();

signals:
    void glissement(int degres_x, int degres_y);
    void molette(int crans);
    void double_clic();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSizeF taille_twips() const;

    Picture1* source_;
    QAction* plein_ecran_ = nullptr;
    geste_vue geste_;
};

} // namespace trajel
