#include "ui/poste.h"

#include "ui/picture1.h"

#include <QRect>

namespace trajel {

QRect zone_libre(const poste_de_travail& poste) {
    const Picture1* image = poste.image();
    return {image->mapToGlobal(QPoint(0, 0)), image->size()};
}

} // namespace trajel
