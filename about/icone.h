#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace trajel {

// The program's icon, 32 by 32 pixels in the 16 colours of the standard palette:
// an orbit around the Earth. Both need the application object to exist.
QPixmap image_icone();
// The same picture as an image, which needs no application object (for installing).
QImage dessin_icone();
// The same image as a window icon (QApplication::setWindowIcon).
QIcon icone_programme();

} // namespace trajel
