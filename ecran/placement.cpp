#include "ecran/placement.h"

#include <QRect>
#include <QScreen>
#include <QSettings>
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

namespace {

// A frame geometry the window takes: its client rectangle moved and sized so that its
// frame is `cadre`.
void donner_cadre(QWidget& fenetre, const QRect& cadre) {
    const QRect actuel = fenetre.frameGeometry();
    const QRect client = fenetre.geometry();
    const QMargins bords(client.left() - actuel.left(), client.top() - actuel.top(),
                         actuel.right() - client.right(), actuel.bottom() - client.bottom());
    fenetre.resize(cadre.size().shrunkBy(bords).expandedTo(fenetre.minimumSize()));
    fenetre.move(cadre.topLeft());
}

// Whether the frame stays clear of the main window, except over its free part.
bool hors_des_commandes(const QRect& cadre, const QRect& principale, const QRect& libre) {
    return !cadre.intersects(principale) || libre.contains(cadre);
}

} // namespace

void placer_a_cote_de(QWidget& fenetre, const QWidget& principale, const QRect& libre, QSize voulue,
                      int haut) {
    const QRect cadre_principal = principale.frameGeometry();
    constexpr int ecart = 8;
    const QScreen* ecran = principale.screen();
    const QRect ecran_libre = ecran != nullptr ? ecran->availableGeometry() : QRect();
    if (ecran_libre.isEmpty()) {
        donner_cadre(fenetre, QRect(QPoint(cadre_principal.right() + ecart, haut), voulue));
        return;
    }
    const int hauteur = std::min(voulue.height(), ecran_libre.height());
    const int y = std::clamp(haut, ecran_libre.top(), ecran_libre.bottom() + 1 - hauteur);
    const int place_droite = ecran_libre.right() - (cadre_principal.right() + ecart);
    const int place_gauche = cadre_principal.left() - ecart - ecran_libre.left();
    const int minimum = fenetre.minimumSizeHint().width();
    // The side with room for the whole width, else the wider side with room enough.
    if (place_droite >= voulue.width() ||
        (place_droite >= minimum && place_droite >= place_gauche)) {
        donner_cadre(fenetre, QRect(cadre_principal.right() + ecart + 1, y,
                                    std::min(voulue.width(), place_droite), hauteur));
        return;
    }
    if (place_gauche >= minimum) {
        const int largeur = std::min(voulue.width(), place_gauche);
        donner_cadre(fenetre, QRect(cadre_principal.left() - ecart - largeur, y, largeur, hauteur));
        return;
    }
    // No room beside it: over the picture, as much of it as the screen shows.
    const QRect sur_image = libre.intersected(ecran_libre);
    if (!sur_image.isEmpty()) {
        const QSize taille = voulue.boundedTo(sur_image.size());
        const int y_image =
            std::clamp(haut, sur_image.top(), sur_image.bottom() + 1 - taille.height());
        donner_cadre(fenetre, QRect(QPoint(sur_image.left(), y_image), taille));
        return;
    }
    donner_cadre(fenetre, QRect(QPoint(cadre_principal.right() + ecart + 1, y), voulue));
}

bool reprendre_geometrie(QWidget& fenetre, const QString& nom, const QWidget& principale,
                         const QRect& libre) {
    const QSettings reglages;
    const QByteArray geometrie = reglages.value(QStringLiteral("fenetres/") + nom).toByteArray();
    if (geometrie.isEmpty()) {
        return false;
    }
    const QRect avant = fenetre.geometry();
    if (!fenetre.restoreGeometry(geometrie)) {
        return false;
    }
    if (!hors_des_commandes(fenetre.frameGeometry(), principale.frameGeometry(), libre)) {
        fenetre.move(avant.topLeft()); // the size kept, the place chosen again
        return false;
    }
    return true;
}

void garder_geometrie(const QWidget& fenetre, const QString& nom) {
    QSettings reglages;
    reglages.setValue(QStringLiteral("fenetres/") + nom, fenetre.saveGeometry());
}

} // namespace trajel
