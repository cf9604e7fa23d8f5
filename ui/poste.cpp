#include "ui/poste.h"

#include "ui/picture1.h"

#include <QRect>

namespace trajel {

QRect zone_libre(const poste_de_travail& poste) {
    const Picture1* image = poste.image();
    // Inside its sunken frame: the scroll bars' titles touch its border.
    const QRect interieur = image->contentsRect();
    return {image->mapToGlobal(interieur.topLeft()), interieur.size()};
}

} // namespace trajel
