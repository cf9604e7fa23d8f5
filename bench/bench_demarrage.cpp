// Cold start to the first painted frame: Trajel's main window with its tools (this
// program started again with --enfant=trajel), against a bare Qt Widgets window
// (fenetre_nue, beside it, linked with Qt Widgets alone); each child quits once its
// window has received its first paint. The child's CPU time (user and system, from wait4)
// is the figure; the wall time is the iteration's time. "rapport" runs both in turn in
// the same run.
//
// Run: bench_demarrage --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// (offscreen unless QT_QPA_PLATFORM says otherwise; on Xvfb: QT_QPA_PLATFORM=xcb)

#include "ui/application/composition.h"
#include "ui/application/francais.h"
#include "ui/fenetre/form1.h"
#include "ui/image/picture1.h"

#include <QApplication>
#include <QEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string programme;   // this program
std::string fenetre_nue; // the bare window, beside it

// Quits the application at the first paint the widget receives.
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

int enfant(int argc, char** argv) {
    QApplication application(argc, argv);
    premiere_peinture guet;
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("Trajel"));
    QApplication::setApplicationName(QStringLiteral("trajel"));
    trajel::installer_francais(application);
    trajel::fenetre_principale fenetre;
    trajel::installer_outils(fenetre);
    fenetre.image()->installEventFilter(&guet);
    fenetre.show();
    return QApplication::exec();
}

struct mesure {
    double cpu = 0.0; // s
    double mur = 0.0; // s
};

// One child started and waited for.
mesure lancer(const char* mode) {
    const bool nue = std::strcmp(mode, "nu") == 0;
    std::string chemin = nue ? fenetre_nue : programme;
    std::string option = "--enfant=trajel";
    char* arguments[] = {chemin.data(), nue ? nullptr : option.data(), nullptr};
    const auto debut = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, chemin.c_str(), nullptr, nullptr, arguments, environ) != 0) {
        return {};
    }
    int statut = 0;
    rusage usage{};
    wait4(pid, &statut, 0, &usage);
    const auto fin = std::chrono::steady_clock::now();
    const auto secondes = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return {secondes(usage.ru_utime) + secondes(usage.ru_stime),
            std::chrono::duration<double>(fin - debut).count()};
}

void demarrage(benchmark::State& etat, const char* mode) {
    double cpu = 0.0;
    for (auto _ : etat) {
        const mesure m = lancer(mode);
        etat.SetIterationTime(m.mur);
        cpu += m.cpu;
    }
    etat.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(demarrage, fenetre_nue, "nu")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(demarrage, trajel, "trajel")->UseManualTime()->Unit(benchmark::kMillisecond);

// Both in turn: the ratio of their CPU times and of their wall times (target: 1.35).
void rapport(benchmark::State& etat) {
    mesure nue;
    mesure trajel;
    for (auto _ : etat) {
        const mesure n = lancer("nu");
        const mesure t = lancer("trajel");
        nue.cpu += n.cpu;
        nue.mur += n.mur;
        trajel.cpu += t.cpu;
        trajel.mur += t.mur;
        etat.SetIterationTime(n.mur + t.mur);
    }
    etat.counters["rapport_cpu"] = nue.cpu > 0.0 ? trajel.cpu / nue.cpu : 0.0;
    etat.counters["rapport_mur"] = nue.mur > 0.0 ? trajel.mur / nue.mur : 0.0;
}
BENCHMARK(rapport)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--enfant=trajel") == 0) {
            return enfant(argc, argv);
        }
    }
    char chemin[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", chemin, sizeof chemin - 1);
    programme = n > 0 ? std::string(chemin, static_cast<std::size_t>(n)) : std::string(argv[0]);
    fenetre_nue = programme.substr(0, programme.rfind('/') + 1) + "fenetre_nue";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
