// Put into each child of bench_demarrage by LD_PRELOAD, the program's own window and the
// bare one alike: as the application is made, an event filter on it, which quits the
// event loop once the first paint of any widget has been delivered (the rest of that
// frame is painted and flushed before the loop takes the quit). QtCore alone, so that
// both processes load the same small library and nothing else.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

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

void guetter() {
    // Parented to the application, destroyed with it.
    auto* guet = new premiere_peinture;
    guet->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(guet);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(guetter)
