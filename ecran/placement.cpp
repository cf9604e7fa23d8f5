#include "ecran/placement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace trajel {

void placer_dans_l_ecran(QWidget& fenetre, const QWidget& principale, QPoint coin) {
    if (const QScreen* ecran = principale.screen()) {
        const QRect libre = ecran->availableGeometry();
        const QRect cadre = fenetre.frameGeometry();
        coin.setX(std::max(libre.left(), std::min(coin.x(), libre.right() - cadre.width())));
        coin.setY(std::max(libre.top(), std::min(coin.y(), libre.bottom() - cadre.height())));
    }
    fenetre.move(coin);
}

} // namespace trajel
