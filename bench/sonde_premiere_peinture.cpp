// Put into each child of bench_demarrage by LD_PRELOAD, the program's own window and the
// bare one alike: as the application is made, an event filter on it, which quits the
// event loop once the first paint of any widget has been delivered (the rest of that
// frame is painted and flushed before the loop takes the quit). Then, where
// TRAJEL_SONDE_CPU names a file, it writes there the process's CPU time so far (user
// and system, seconds): the start to the first frame without the exit. QtCore alone, so
// that both processes load the same small library and nothing else.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

void noter_cpu() {
    const char* chemin = std::getenv("TRAJEL_SONDE_CPU");
    if (chemin == nullptr) {
        return;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto secondes = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    if (std::FILE* f = std::fopen(chemin, "w")) {
        std::fprintf(f, "%.6f\n", secondes(usage.ru_utime) + secondes(usage.ru_stime));
        std::fclose(f);
    }
}

struct premiere_peinture : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !vue) {
            vue = true;
            QTimer::singleShot(0, qApp, [] {
                noter_cpu();
                QCoreApplication::quit();
            });
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
