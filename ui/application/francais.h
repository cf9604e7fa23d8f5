#pragma once

class QObject;

namespace trajel {

// Qt's own texts in French: the catalogue "qtbase" of the system's Qt translations
// (file, print and colour dialogs, the boxes' context menus, the standard buttons),
// installed into the application and owned by `proprietaire`, which uninstalls it when
// destroyed; and the French locale as the default for the standard dialogs. The boxes
// keep their own number format ("."). False when the catalogue is not found.
bool installer_francais(QObject& proprietaire);

} // namespace trajel
