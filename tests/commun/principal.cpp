#include "commun/principal.h"

#ifdef TRAJEL_SANS_FENETRE
#include <QCoreApplication>
using application_de_test = QCoreApplication;
#else
#include <QApplication>
using application_de_test = QApplication;
#endif
#include <QStandardPaths>
#include <QTest>

#include <memory>

std::vector<std::function<QObject*()>>& classes_de_test() {
    static std::vector<std::function<QObject*()>> classes;
    return classes;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    application_de_test application(argc, argv);
    // Settings the program keeps between runs go to a test folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    application_de_test::setOrganizationName(QStringLiteral("Trajel-tests"));
    // TRAJEL_CLASSES="TestA,TestB" runs those classes alone.
    const QStringList choisies =
        qEnvironmentVariable("TRAJEL_CLASSES").split(QLatin1Char(','), Qt::SkipEmptyParts);
    int echecs = 0;
    for (const auto& creer : classes_de_test()) {
        std::unique_ptr<QObject> test(creer());
        if (!choisies.isEmpty() &&
            !choisies.contains(QLatin1String(test->metaObject()->className()))) {
            continue;
        }
        echecs += QTest::qExec(test.get(), argc, argv);
    }
    return echecs == 0 ? 0 : 1;
}
