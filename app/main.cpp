#include "about/icone.h"
#include "ui/composition.h"
#include "ui/form1.h"
#include "ui/francais.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Where the tool windows' places are kept between runs.
    QApplication::setOrganizationName(QStringLiteral("Trajel"));
    QApplication::setApplicationName(QStringLiteral("trajel"));
    trajel::installer_francais(application);
    QApplication::setWindowIcon(trajel::icone_programme());
    trajel::fenetre_principale Form1;
    trajel::installer_outils(Form1);
    Form1.show();
    return application.exec();
}
