// Build tool: writes the program's icon as a PNG file, for installing it.
// Usage: ecrire_icone FILE.png

#include "about/icone.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ecrire_icone FILE.png\n");
        return 2;
    }
    return trajel::dessin_icone().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
