#include "ui/poste/poste.h"

#include "ecran/placement.h"
#include "ui/image/picture1.h"

#include <QApplication>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace trajel {

QRect zone_libre(const poste_de_travail& poste) {
    const Picture1* image = poste.image();
    // Inside its sunken frame: the scroll bars' titles touch its border.
    const QRect interieur = image->contentsRect();
    return {image->mapToGlobal(interieur.topLeft()), interieur.size()};
}

namespace {

// The frames of the program's other windows shown: the tools, the dialogs.
std::vector<QRect> autres_fenetres(const QWidget& outil, const QWidget& principale) {
    std::vector<QRect> cadres;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType genre = w->windowType();
        if (w != &outil && w != &principale && w->isVisible() &&
            (genre == Qt::Window || genre == Qt::Dialog || genre == Qt::Tool)) {
            cadres.push_back(w->frameGeometry());
        }
    }
    return cadres;
}

} // namespace

bool placer_outil(QWidget& outil, poste_de_travail& poste, QSize cadre, QSize moindre) {
    const QRect libre = zone_libre(poste);
    const QWidget& principale = poste.widget();
    return reprendre_geometrie(outil, outil.objectName(), principale, libre) ||
           placer_a_cote_de(outil, principale, libre, cadre, moindre,
                            principale.frameGeometry().top(), autres_fenetres(outil, principale));
}

} // namespace trajel
