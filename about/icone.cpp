#include "about/icone.h"

#include "core/surface.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <numeric>

namespace trajel {

namespace {

// The icon, one character a pixel: a hexadecimal digit is an index in the standard
// 16-colour palette, "." is transparent. The Earth (blue seas, green lands, its
// night side dark) inside a tilted orbit drawn in yellow, hidden where it passes
// behind the Earth, and the satellite on the near side.
constexpr int cote_icone = 32;
// clang-format off
constexpr const char* pixels_icone[cote_icone] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "............99999999eeeeeeee....",
    "...........9999999999......eee..",
    ".........99aaaa99999991......e..",
    ".........9aaaaa999aaa99......ee.",
    "........9aaaaa999aaaa291......e.",
    ".......99aaaaa9999aaa2911....ee.",
    "......e999aaaaaa99aaa2911....e..",
    ".....ee99999aaaaa999a9911...ee..",
    "....ee.99999aaaaa99999911..ee...",
    "...ee..99999aaaa999999111.ee....",
    "..ee...999999aa9999991111ee.....",
    "..e....99999999999229111ee......",
    ".ee....999999999922221eee.......",
    ".e......999999999222eee1........",
    ".ee......999999991eee11.........",
    "..e......1119111eee1111.........",
    "..eee....7.fe7eee1111...........",
    "....eeeee7fcf7111111............",
    ".........7.f.7..................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
// clang-format on

// The palette index of a cell, or -1 where it is transparent.
int indice_cellule(int x, int y) {
    const char c = pixels_icone[y][x];
    if (c == '.') {
        return -1;
    }
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

} // namespace

void peindre_icone(QPainter& peintre, qreal cote) {
    // The cells of each colour, the colours in decreasing order of area.
    std::array<QPainterPath, 16> cellules;
    std::array<int, 16> aires{};
    for (int y = 0; y < cote_icone; ++y) {
        for (int x = 0; x < cote_icone; ++x) {
            const int n = indice_cellule(x, y);
            if (n >= 0) {
                cellules[n].addRect(x, y, 1, 1);
                ++aires[n];
            }
        }
    }
    std::array<int, 16> ordre;
    std::iota(ordre.begin(), ordre.end(), 0);
    std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) { return aires[a] > aires[b]; });
    // Each colour is painted over its own cells and those of every colour painted after
    // it: where two colours meet inside a pixel, the later one covers the earlier one
    // by its share of the pixel, and no gap lets the background through.
    QPainterPath calque;
    std::array<QPainterPath, 16> calques;
    for (auto n = ordre.rbegin(); n != ordre.rend(); ++n) {
        calque.addPath(cellules[*n]);
        calques[*n] = calque.simplified();
    }
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setPen(Qt::NoPen);
    peintre.scale(cote / cote_icone, cote / cote_icone);
    for (const int n : ordre) {
        if (aires[n] == 0) {
            continue;
        }
        const couleur_rgb couleur = palette(static_cast<std::int16_t>(n));
        peintre.fillPath(calques[n], QColor(couleur.r, couleur.g, couleur.b));
    }
    peintre.restore();
}

QImage dessin_icone(int cote) {
    QImage image(cote, cote, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (cote == cote_icone) {
        // At its own size a cell is a pixel: the same image as painted, without the
        // union of paths (the window icon is made before the first frame).
        for (int y = 0; y < cote_icone; ++y) {
            for (int x = 0; x < cote_icone; ++x) {
                if (const int n = indice_cellule(x, y); n >= 0) {
                    const couleur_rgb c = palette(static_cast<std::int16_t>(n));
                    image.setPixel(x, y, qRgb(c.r, c.g, c.b));
                }
            }
        }
        return image;
    }
    QPainter peintre(&image);
    peindre_icone(peintre, cote);
    return image;
}

QImage dessin_icone() {
    return dessin_icone(cote_icone);
}

QByteArray icone_svg() {
    QBuffer tampon;
    QSvgGenerator svg;
    svg.setOutputDevice(&tampon);
    svg.setSize(QSize(cote_icone, cote_icone));
    svg.setResolution(96); // 32 pixels of a 96 dpi screen
    svg.setViewBox(QRect(0, 0, cote_icone, cote_icone));
    svg.setTitle(QStringLiteral("Trajel"));
    svg.setDescription(QStringLiteral("Une orbite autour de la Terre"));
    QPainter peintre(&svg);
    peindre_icone(peintre, cote_icone);
    peintre.end();
    return tampon.data();
}

QPixmap image_icone() {
    return QPixmap::fromImage(dessin_icone());
}

QIcon icone_programme() {
    return QIcon(image_icone());
}

} // namespace trajel
