#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPainter;

namespace trajel {

// The program's icon, 32 by 32 pixels in the 16 colours of the standard palette:
// an orbit around the Earth. Both need the application object to exist.
QPixmap image_icone();
// The same picture as an image, which needs no application object (for installing).
QImage dessin_icone();
// The same picture at `cote` pixels square (48, 64, 128, 256 for the desktop's icon
// sizes): the 32 x 32 cells scaled, their edges blended where they fall inside a pixel.
QImage dessin_icone(int cote);
// The same picture as an SVG document, 32 units square (the scalable icon).
QByteArray icone_svg();
// The drawing all of these come from, painted into the square (0, 0, cote, cote).
void peindre_icone(QPainter& peintre, qreal cote);
// The same image as a window icon (QApplication::setWindowIcon).
QIcon icone_programme();

} // namespace trajel
