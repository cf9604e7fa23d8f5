#include "ui/application/francais.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace trajel {

bool installer_francais(QObject& proprietaire) {
    const QLocale francais(QLocale::French, QLocale::France);
    QLocale::setDefault(francais);
    auto* traduction = new QTranslator(&proprietaire);
    if (!traduction->load(francais, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    return QCoreApplication::installTranslator(traduction);
}

} // namespace trajel
