#include "ecran/placement.h"

#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <cstddef>

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

// Distance between two rectangles along x and y (0 where they overlap).
int distance(const QRect& a, const QRect& b) {
    const int dx = std::max({0, a.left() - b.right() - 1, b.left() - a.right() - 1});
    const int dy = std::max({0, a.top() - b.bottom() - 1, b.top() - a.bottom() - 1});
    return dx + dy;
}

// The frame put within the screen's free area, shrunk to it when larger.
void garder_dans_l_ecran(QWidget& fenetre) {
    const QScreen* ecran = fenetre.screen();
    if (ecran == nullptr || ecran->availableGeometry().isEmpty()) {
        return;
    }
    const QRect libre = ecran->availableGeometry();
    QRect cadre = fenetre.frameGeometry();
    cadre.setSize(cadre.size().boundedTo(libre.size()));
    cadre.moveLeft(std::clamp(cadre.left(), libre.left(), libre.right() + 1 - cadre.width()));
    cadre.moveTop(std::clamp(cadre.top(), libre.top(), libre.bottom() + 1 - cadre.height()));
    if (cadre != fenetre.frameGeometry()) {
        donner_cadre(fenetre, cadre);
    }
}

// Whether the frame stays clear of the main window, except over its free part.
bool hors_des_commandes(const QRect& cadre, const QRect& principale, const QRect& libre) {
    return !cadre.intersects(principale) || libre.contains(cadre);
}

} // namespace

void donner_cadre(QWidget& fenetre, const QRect& cadre) {
    const QRect actuel = fenetre.frameGeometry();
    const QRect client = fenetre.geometry();
    const QMargins bords(client.left() - actuel.left(), client.top() - actuel.top(),
                         actuel.right() - client.right(), actuel.bottom() - client.bottom());
    fenetre.resize(cadre.size().shrunkBy(bords).expandedTo(fenetre.minimumSize()));
    fenetre.move(cadre.topLeft());
}

std::vector<QRect> rectangles_libres(const QRect& ecran, const std::vector<QRect>& occupes) {
    std::vector<QRect> libres{ecran};
    for (const QRect& o : occupes) {
        std::vector<QRect> suite;
        for (const QRect& r : libres) {
            if (!r.intersects(o)) {
                suite.push_back(r);
                continue;
            }
            // What is left of r on each side of o.
            const QRect morceaux[] = {
                QRect(QPoint(r.left(), r.top()), QPoint(o.left() - 1, r.bottom())),
                QRect(QPoint(o.right() + 1, r.top()), r.bottomRight()),
                QRect(r.topLeft(), QPoint(r.right(), o.top() - 1)),
                QRect(QPoint(r.left(), o.bottom() + 1), r.bottomRight())};
            for (const QRect& m : morceaux) {
                if (m.isValid()) {
                    suite.push_back(m);
                }
            }
        }
        libres.clear();
        for (std::size_t i = 0; i < suite.size(); ++i) {
            bool contenu = false;
            for (std::size_t j = 0; j < suite.size() && !contenu; ++j) {
                contenu = j != i && suite[j].contains(suite[i]) && (suite[j] != suite[i] || j < i);
            }
            if (!contenu) {
                libres.push_back(suite[i]);
            }
        }
    }
    return libres;
}

std::optional<QRect> cadre_libre(const QRect& ecran, const std::vector<QRect>& occupes,
                                 const QRect& principale, QSize voulue, QSize minimum, int ecart) {
    std::vector<QRect> elargis;
    for (const QRect& o : occupes) {
        elargis.push_back(o.adjusted(-ecart, -ecart, ecart, ecart));
    }
    std::optional<QRect> meilleur;
    auto mieux = [&](const QRect& c) {
        const bool entier = c.size() == voulue;
        const bool entier_m = meilleur->size() == voulue;
        if (entier != entier_m) {
            return entier;
        }
        const long long aire = 1LL * c.width() * c.height();
        const long long aire_m = 1LL * meilleur->width() * meilleur->height();
        if (!entier && aire != aire_m) {
            return aire > aire_m;
        }
        const int d = distance(c, principale);
        const int d_m = distance(*meilleur, principale);
        return d != d_m                     ? d < d_m
               : c.top() != meilleur->top() ? c.top() < meilleur->top()
                                            : c.left() < meilleur->left();
    };
    for (const QRect& r : rectangles_libres(ecran, elargis)) {
        if (r.width() < minimum.width() || r.height() < minimum.height()) {
            continue;
        }
        // In a corner: what stays free around it is in one piece.
        const QSize s = voulue.boundedTo(r.size());
        const int droite = r.right() + 1 - s.width();
        const int bas = r.bottom() + 1 - s.height();
        for (const QPoint coin :
             {r.topLeft(), QPoint(droite, r.top()), QPoint(r.left(), bas), QPoint(droite, bas)}) {
            const QRect c(coin, s);
            if (!meilleur || mieux(c)) {
                meilleur = c;
            }
        }
    }
    return meilleur;
}

std::vector<QRect> bandes_de_commandes(const QRect& principale, const QRect& libre) {
    const QRect image = libre.intersected(principale);
    if (image.isEmpty()) {
        return {principale};
    }
    return rectangles_libres(principale, {image});
}

std::optional<QRect> place_libre(const QRect& ecran, const std::vector<QRect>& autres,
                                 const QRect& principale, const QRect& libre,
                                 const demande_cadre& d) {
    std::vector<QRect> a_cote = autres;
    a_cote.push_back(principale);
    std::vector<QRect> sur_l_image = autres;
    for (const QRect& bande : bandes_de_commandes(principale, libre)) {
        sur_l_image.push_back(bande);
    }
    for (const std::vector<QRect>* occupes : {&a_cote, &sur_l_image}) {
        for (const QSize taille : {d.voulue, d.moindre}) {
            if (const auto cadre = cadre_libre(ecran, *occupes, principale, d.voulue, taille)) {
                return cadre;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::vector<QRect>> disposer_ensemble(const QRect& ecran,
                                                    const std::vector<QRect>& fixes,
                                                    const QRect& principale, const QRect& libre,
                                                    const std::vector<demande_cadre>& demandes) {
    std::vector<std::size_t> ordre(demandes.size());
    for (std::size_t i = 0; i < ordre.size(); ++i) {
        ordre[i] = i;
    }
    do {
        std::vector<QRect> autres = fixes;
        std::vector<QRect> cadres(demandes.size());
        bool tous = true;
        for (std::size_t i : ordre) {
            const std::optional<QRect> c =
                place_libre(ecran, autres, principale, libre, demandes[i]);
            if (!c) {
                tous = false;
                break;
            }
            cadres[i] = *c;
            autres.push_back(*c);
        }
        if (tous) {
            return cadres;
        }
    } while (std::next_permutation(ordre.begin(), ordre.end()));
    return std::nullopt;
}

QSize moindre_cadre(const QWidget& fenetre, QSize voulue, QSize moindre) {
    const QSize bords = fenetre.frameGeometry().size() - fenetre.size();
    return moindre.expandedTo(fenetre.minimumSizeHint().expandedTo(fenetre.minimumSize()) + bords)
        .boundedTo(voulue);
}

bool placer_a_cote_de(QWidget& fenetre, const QWidget& principale, const QRect& libre, QSize voulue,
                      QSize moindre, int haut, const std::vector<QRect>& autres) {
    const QRect cadre_principal = principale.frameGeometry();
    constexpr int ecart = 8;
    const QScreen* ecran = principale.screen();
    const QRect ecran_libre = ecran != nullptr ? ecran->availableGeometry() : QRect();
    if (ecran_libre.isEmpty()) {
        donner_cadre(fenetre, QRect(QPoint(cadre_principal.right() + ecart, haut), voulue));
        return false;
    }
    if (const auto cadre = place_libre(ecran_libre, autres, cadre_principal, libre,
                                       {voulue, moindre_cadre(fenetre, voulue, moindre)})) {
        donner_cadre(fenetre, *cadre);
        return true;
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
        return false;
    }
    if (place_gauche >= minimum) {
        const int largeur = std::min(voulue.width(), place_gauche);
        donner_cadre(fenetre, QRect(cadre_principal.left() - ecart - largeur, y, largeur, hauteur));
        return false;
    }
    // No room beside it: over the picture, as much of it as the screen shows.
    const QRect sur_image = libre.intersected(ecran_libre);
    if (!sur_image.isEmpty()) {
        const QSize taille = voulue.boundedTo(sur_image.size());
        const int y_image =
            std::clamp(haut, sur_image.top(), sur_image.bottom() + 1 - taille.height());
        donner_cadre(fenetre, QRect(QPoint(sur_image.left(), y_image), taille));
        return false;
    }
    donner_cadre(fenetre, QRect(QPoint(cadre_principal.right() + ecart + 1, y), voulue));
    return false;
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
    garder_dans_l_ecran(fenetre);
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
