#include "about/icone.h"
#include "ui/composition.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Trajel")); // the settings' place
    QApplication::setApplicationName(QStringLiteral("Trajel"));
    QApplication::setWindowIcon(trajel::icone_programme());
    trajel::fenetre_principale Form1;
    trajel::installer_outils(Form1);
    Form1.show();
    return application.exec();
}
