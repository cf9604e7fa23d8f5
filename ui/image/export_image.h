#pragma once

#include "core/module1.h"
#include "core/surface.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

#include <vector>

class QPrinter;

namespace trajel {

class Picture1;

// A scene to put out of the program: a display list, the size it was drawn for
// (twips) and the twips of one pixel of the picture.
struct scene_image {
    const std::vector<element_affichage>* elements = nullptr;
    QSizeF twips;
    double twips_par_pixel = 15.0;
};

// The scene Picture1 shows.
scene_image scene_de(const Picture1& image);

// The scene as a raster image, `facteur` device pixels a pixel of the picture.
QImage image_de(const scene_image& scene, int facteur);
// The scene as an SVG document: one element a line, one a text.
QByteArray svg_de(const scene_image& scene);

// Each writes its file whole or not at all (a temporary file beside it, renamed when
// complete). On failure nothing is left, and `erreur` tells why, in French.
bool enregistrer_png(const scene_image& scene, const QString& chemin, int facteur, QString& erreur);
bool enregistrer_svg(const scene_image& scene, const QString& chemin, QString& erreur);
// A page of the picture's own size, the drawing in vectors.
bool enregistrer_pdf(const scene_image& scene, const QString& chemin, QString& erreur);

// The file-type filters of the save dialogs, PNG at 1, 2 and 4 times first.
QStringList filtres_enregistrement();
// Saves in the format the name's extension gives, else the filter's (its extension is
// then added). The file written, or nothing and `erreur` telling why.
std::optional<QString> enregistrer_scene(const scene_image& scene, const QString& chemin,
                                         const QString& filtre, QString& erreur);

// The scene fitted to the printer's page, with a caption line under it; false when
// the printer could not start.
bool imprimer_scene(QPrinter& imprimante, const scene_image& scene, const QString& legende);

// What the user is told when imprimer_scene cannot start.
QString impression_impossible();

// The scene on the clipboard, as an image at the device pixel ratio `ratio` (whole
// device pixels, at least 1) and as SVG.
void copier_scene(const scene_image& scene, double ratio);

// Where an image is first proposed: the pictures folder, else the home folder.
QString dossier_images_par_defaut();

// One line describing the orbit t and the view: its type, its elements, the angles of
// the view and the zoom.
QString legende_orbite(const trajectoire& t, int longitude_vue, int latitude_vue,
                       double facteur_zoom);

} // namespace trajel
