// Cold start to the first painted frame: the program itself (trajel, as installed: its
// icon, its command line, its settings, its tools), against a bare Qt Widgets window of
// the same size (fenetre_nue, linked with Qt Widgets alone), each a process of its own on
// the same platform, with the same style and the same probe: sonde_premiere_peinture,
// preloaded, quits each at its first paint. The child's CPU time (user and system, from
// wait4) is the figure, cpu_ms; cpu_image_ms is the same up to the first frame, without
// the exit (the probe's figure). The wall time is the iteration's time. "rapport" runs
// both in turn in the same run. The children's settings go to a scratch folder.
//
// Run: bench_demarrage --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// (offscreen unless QT_QPA_PLATFORM says otherwise; on Xvfb: QT_QPA_PLATFORM=xcb)

#include "ui/fenetre/form1.h"

#include <QApplication>
#include <QSize>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string> environnement; // the children's: the probe, a scratch home
std::string fichier_sonde;              // where the probe writes its figure
QSize taille_fenetre;                   // the program's window, which the bare one takes

// The size of the program's main window on this platform.
QSize taille_de_la_fenetre(int argc, char** argv) {
    QApplication application(argc, argv);
    const trajel::fenetre_principale fenetre;
    return fenetre.size();
}

void preparer_environnement(const std::string& dossier) {
    for (char** v = environ; *v != nullptr; ++v) {
        const std::string variable = *v;
        if (variable.rfind("LD_PRELOAD=", 0) != 0 && variable.rfind("HOME=", 0) != 0 &&
            variable.rfind("XDG_", 0) != 0) {
            environnement.push_back(variable);
        }
    }
    environnement.push_back("LD_PRELOAD=" TRAJEL_SONDE);
    environnement.push_back("HOME=" + dossier);
    environnement.push_back("XDG_CONFIG_HOME=" + dossier + "/config");
    environnement.push_back("XDG_DATA_HOME=" + dossier + "/donnees");
    environnement.push_back("XDG_CACHE_HOME=" + dossier + "/cache");
    fichier_sonde = dossier + "/cpu";
    environnement.push_back("TRAJEL_SONDE_CPU=" + fichier_sonde);
}

// The child's CPU time up to its first frame, as the probe wrote it; 0 without it.
double cpu_a_la_premiere_image() {
    double secondes = 0.0;
    if (std::FILE* f = std::fopen(fichier_sonde.c_str(), "r")) {
        if (std::fscanf(f, "%lf", &secondes) != 1) {
            secondes = 0.0;
        }
        std::fclose(f);
    }
    std::remove(fichier_sonde.c_str());
    return secondes;
}

struct mesure {
    double cpu = 0.0;       // s, the whole process
    double mur = 0.0;       // s
    double cpu_image = 0.0; // s, up to the first frame
};

// One child started and waited for.
mesure lancer(const char* mode) {
    const bool nue = std::strcmp(mode, "nu") == 0;
    std::string chemin = nue ? TRAJEL_FENETRE_NUE : TRAJEL_PROGRAMME;
    std::string largeur = std::to_string(taille_fenetre.width());
    std::string hauteur = std::to_string(taille_fenetre.height());
    char* arguments[] = {chemin.data(), nue ? largeur.data() : nullptr, hauteur.data(), nullptr};
    std::vector<char*> variables;
    for (std::string& v : environnement) {
        variables.push_back(v.data());
    }
    variables.push_back(nullptr);
    const auto debut = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, chemin.c_str(), nullptr, nullptr, arguments, variables.data()) != 0) {
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
            std::chrono::duration<double>(fin - debut).count(), cpu_a_la_premiere_image()};
}

void demarrage(benchmark::State& etat, const char* mode) {
    double cpu = 0.0;
    double cpu_image = 0.0;
    for (auto _ : etat) {
        const mesure m = lancer(mode);
        etat.SetIterationTime(m.mur);
        cpu += m.cpu;
        cpu_image += m.cpu_image;
    }
    etat.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
    etat.counters["cpu_image_ms"] =
        benchmark::Counter(cpu_image * 1e3, benchmark::Counter::kAvgIterations);
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
        nue.cpu_image += n.cpu_image;
        trajel.cpu_image += t.cpu_image;
        etat.SetIterationTime(n.mur + t.mur);
    }
    etat.counters["rapport_cpu"] = nue.cpu > 0.0 ? trajel.cpu / nue.cpu : 0.0;
    etat.counters["rapport_mur"] = nue.mur > 0.0 ? trajel.mur / nue.mur : 0.0;
    etat.counters["rapport_cpu_image"] =
        nue.cpu_image > 0.0 ? trajel.cpu_image / nue.cpu_image : 0.0;
}
BENCHMARK(rapport)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    taille_fenetre = taille_de_la_fenetre(argc, argv);
    char modele[] = "/tmp/bench_demarrage.XXXXXX";
    const char* dossier = mkdtemp(modele);
    if (dossier == nullptr) {
        return 1;
    }
    preparer_environnement(dossier);
    benchmark::AddCustomContext("fenetre", std::to_string(taille_fenetre.width()) + " x " +
                                               std::to_string(taille_fenetre.height()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(dossier);
    return 0;
}
