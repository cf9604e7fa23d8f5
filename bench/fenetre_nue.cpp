// The bare Qt Widgets window bench_demarrage compares the program's start with: an empty
// window of the program's own size (its width and height are the first two arguments),
// shown. Linked with Qt Widgets alone; bench_demarrage's probe, preloaded, quits it at
// its first paint as it quits the program.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QWidget nue;
    nue.resize(arguments.value(1, QStringLiteral("800")).toInt(),
               arguments.value(2, QStringLiteral("600")).toInt());
    nue.show();
    return QApplication::exec();
}
