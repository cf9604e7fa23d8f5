// The bare Qt Widgets window bench_demarrage compares the program's start with: an empty
// window of 800 x 600 shown, the program quitting at its first paint. Linked with Qt
// Widgets alone.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

struct premiere_peinture : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !vue) {
            vue = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
    bool vue = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    premiere_peinture guet;
    QWidget nue;
    nue.resize(800, 600);
    nue.installEventFilter(&guet);
    nue.show();
    return QApplication::exec();
}
