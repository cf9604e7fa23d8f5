#pragma once

#include "ui/picture1.h"

#include <QWidget>

class QAction;

namespace trajel {

class filtre_gestes;

// The picture in a window of its own, for the projector: the scene shown by Picture1,
// scaled to fit the window with its aspect kept, repainted whenever that scene
// changes. It paints Picture1's own display list and computes nothing. F11 toggles
// full screen, Escape leaves it; its gestures act on the view as on the picture itself.
class vue_agrandie : public QWidget {
    Q_OBJECT
public:
    explicit vue_agrandie(Picture1* source, QWidget* parent = nullptr);

    // The list painted: the one Picture1 shows.
    const std::vector<element_affichage>& elements() const { return source_->elements_affiches(); }
    // Where the scene lies in the window, in logical pixels.
    QRectF zone_scene() const;

    void basculer_plein_ecran();

    // The mouse on the large view: a degree of drag per 3 pixels of the picture.
    filtre_gestes* gestes() const { return gestes_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSizeF taille_twips() const;

    Picture1* source_;
    QAction* plein_ecran_ = nullptr;
    filtre_gestes* gestes_;
};

} // namespace trajel
