#include "about/icone.h"

#include "core/surface.h"

#include <QImage>

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

} // namespace

QImage dessin_icone() {
    QImage image(cote_icone, cote_icone, QImage::Format_ARGB32);
    for (int y = 0; y < cote_icone; ++y) {
        for (int x = 0; x < cote_icone; ++x) {
            const char c = pixels_icone[y][x];
            if (c == '.') {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            const int n = c <= '9' ? c - '0' : c - 'a' + 10;
            const couleur_rgb couleur = palette(static_cast<std::int16_t>(n));
            image.setPixel(x, y, qRgb(couleur.r, couleur.g, couleur.b));
        }
    }
    return image;
}

QPixmap image_icone() {
    return QPixmap::fromImage(dessin_icone());
}

QIcon icone_programme() {
    return QIcon(image_icone());
}

} // namespace trajel
