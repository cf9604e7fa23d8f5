// Build tool: writes the program's icon for installing it, as a PNG file of a given side
// (32 pixels by default) or as an SVG file.
// Usage: ecrire_icone FILE.png [SIDE] | ecrire_icone FILE.svg

#include "about/icone.h"

#include <QFile>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QString fichier = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (fichier.endsWith(QLatin1String(".svg")) && argc == 2) {
        QFile svg(fichier);
        const QByteArray contenu = trajel::icone_svg();
        return svg.open(QIODevice::WriteOnly) && svg.write(contenu) == contenu.size() ? 0 : 1;
    }
    bool nombre = true;
    const int cote = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt(&nombre) : 32;
    if (!fichier.endsWith(QLatin1String(".png")) || argc > 3 || !nombre || cote < 1 ||
        cote > 1024) {
        std::fprintf(stderr, "usage: ecrire_icone FILE.png [SIDE] | ecrire_icone FILE.svg\n");
        return 2;
    }
    return trajel::dessin_icone(cote).save(fichier, "PNG") ? 0 : 1;
}
