#include "ui/poste/poste.h"

#include "ecran/placement.h"
#include "ui/image/picture1.h"

#include <QRect>
#include <QSize>

namespace trajel {

QRect zone_libre(const poste_de_travail& poste) {
    const Picture1* image = poste.image();
    // Inside its sunken frame: the scroll bars' titles touch its border.
    const QRect interieur = image->contentsRect();
    return {image->mapToGlobal(interieur.topLeft()), interieur.size()};
}

void placer_outil(QWidget& outil, poste_de_travail& poste, QSize cadre) {
    const QRect libre = zone_libre(poste);
    if (!reprendre_geometrie(outil, outil.objectName(), poste.widget(), libre)) {
        placer_a_cote_de(outil, poste.widget(), libre, cadre, poste.widget().frameGeometry().top());
    }
}

} // namespace trajel
