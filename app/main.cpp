#include "ui/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    trajel::fenetre_principale Form1;
    Form1.show();
    return application.exec();
}
