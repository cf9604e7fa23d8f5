// The costs of a lasting lesson, through the real window: saving and opening a lesson of
// 100 burns, undoing a burn (texts put back, full redraw, repaint), and the memory the
// history holds for 1000 and 5000 steps (counted by this program's own operator new).
//
// Run: bench_historique --benchmark_repetitions=7 --benchmark_report_aggregates_only=true

#include "banc_fenetre.h"
#include "core/module1.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"
#include "ui/image/picture1.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>

namespace {

// The bytes allocated and not yet freed: each block carries its size before it.
std::atomic<long long> octets_vivants{0};
constexpr std::size_t entete = alignof(std::max_align_t);

void* allouer(std::size_t taille) {
    auto* bloc = static_cast<unsigned char*>(std::malloc(taille + entete));
    if (bloc == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(bloc) = taille;
    octets_vivants += static_cast<long long>(taille);
    return bloc + entete;
}

void liberer(void* p) noexcept {
    if (p == nullptr) {
        return;
    }
    auto* bloc = static_cast<unsigned char*>(p) - entete;
    octets_vivants -= static_cast<long long>(*reinterpret_cast<std::size_t*>(bloc));
    std::free(bloc);
}

} // namespace

void* operator new(std::size_t taille) {
    return allouer(taille);
}
void* operator new[](std::size_t taille) {
    return allouer(taille);
}
void operator delete(void* p) noexcept {
    liberer(p);
}
void operator delete[](void* p) noexcept {
    liberer(p);
}
void operator delete(void* p, std::size_t) noexcept {
    liberer(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    liberer(p);
}

using namespace trajel;

namespace {

fenetre_principale* fenetre = nullptr;

historique_lecon& historique() {
    return *fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
}

fichiers_lecon& fichiers() {
    return *fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
}

void tirer(int n) {
    auto* tir = fenetre->findChild<QPushButton*>(QStringLiteral("cmd_tir"));
    for (int i = 0; i < n; ++i) {
        tir->click();
    }
}

// Two lessons of 100 burns each (ortho-radial 20 N, then radial 20 N from where the
// first ended), saved once.
struct deux_lecons {
    // In memory where the system has it: the disk's own sync of a saved file (the
    // writer syncs it before the rename) is left out of the program's cost.
    QTemporaryDir dossier{QDir(QStringLiteral("/dev/shm")).exists()
                              ? QStringLiteral("/dev/shm/bench_historique-XXXXXX")
                              : QDir::temp().filePath(QStringLiteral("bench_historique-XXXXXX"))};
    QString a = dossier.filePath(QStringLiteral("a.trajel"));
    QString b = dossier.filePath(QStringLiteral("b.trajel"));

    deux_lecons() {
        fichiers().avertir = [](const QString& m) { qFatal("%s", qPrintable(m)); };
        fenetre->changer_texte(zone_texte::Text8, "20");
        tirer(100);
        fichiers().enregistrer_vers(a);
        fenetre->changer_texte(zone_texte::Text8, "0");
        fenetre->changer_texte(zone_texte::Text9, "20");
        tirer(100);
        lecon l = fichiers().lecon_actuelle();
        l.journal.erase(l.journal.begin(), l.journal.begin() + 100); // its own 100 burns
        QFile fichier(b);
        fichier.open(QIODevice::WriteOnly);
        fichier.write(ecrire_lecon(l));
    }
};

deux_lecons& lecons() {
    static deux_lecons l;
    return l;
}

void enregistrer_lecon_100_tirs(benchmark::State& etat) {
    const QString chemin = lecons().dossier.filePath(QStringLiteral("c.trajel"));
    fichiers().ouvrir(lecons().a);
    for (auto _ : etat) {
        fichiers().enregistrer_vers(chemin);
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
    etat.counters["octets"] = static_cast<double>(QFileInfo(chemin).size());
}
BENCHMARK(enregistrer_lecon_100_tirs)->Unit(benchmark::kMillisecond);

// Each opening changes the window: the two lessons alternate.
void ouvrir_lecon_100_tirs(benchmark::State& etat) {
    int n = 0;
    for (auto _ : etat) {
        fichiers().ouvrir(n++ % 2 == 0 ? lecons().a : lecons().b);
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
}
BENCHMARK(ouvrir_lecon_100_tirs)->Unit(benchmark::kMillisecond);

// The undo of a burn: its texts put back, the full redraw, the repaint; the redo that
// brings it back is not timed.
void annuler_un_tir(benchmark::State& etat) {
    fenetre->changer_texte(zone_texte::Text8, "50");
    tirer(1);
    Picture1* image = fenetre->image();
    for (auto _ : etat) {
        const auto debut = std::chrono::steady_clock::now();
        historique().annuler();
        image->repaint();
        const auto fin = std::chrono::steady_clock::now();
        etat.SetIterationTime(std::chrono::duration<double>(fin - debut).count());
        historique().retablir();
    }
    etat.counters["elements"] = static_cast<double>(image->elements_affiches().size());
}
BENCHMARK(annuler_un_tir)->UseManualTime()->Unit(benchmark::kMillisecond);

// The memory the history holds after n steps (burns and presets alternating with typed
// edits), what clearing it frees, and what the heap grew by over the n steps (the journal's
// burns included). Past its 1000 steps the history drops the oldest: 5000 steps hold what
// 1000 do. Each repetition starts from a known window (Reset, a full tank), so that the
// mass never runs out across repetitions.
void memoire_des_pas(benchmark::State& etat) {
    const int n = static_cast<int>(etat.range(0));
    auto* reset = fenetre->findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* gto_iv = fenetre->findChild<QAction*>(QStringLiteral("menu_GTO_IV"));
    auto* gto_v = fenetre->findChild<QAction*>(QStringLiteral("menu_GTO_V"));
    for (auto _ : etat) {
        etat.PauseTiming();
        reset->click();
        fenetre->changer_texte(zone_texte::Text6, "1000");
        fenetre->changer_texte(zone_texte::Text8, "1");
        historique().pile().clear();
        const long long depart = octets_vivants;
        etat.ResumeTiming();
        for (int i = 0; i < n; i += 4) {
            gto_iv->trigger();
            tirer(1);
            gto_v->trigger();
            fenetre->changer_texte(zone_texte::Text11, i % 8 == 0 ? "12" : "10");
            tirer(1); // closes the edit of Text11 as a step, then fires
        }
        etat.PauseTiming();
        const int pas = historique().pile().count();
        const long long avant = octets_vivants;
        historique().pile().clear();
        const long long libere = avant - octets_vivants;
        etat.ResumeTiming();
        etat.counters["pas_gardes"] = pas;
        etat.counters["Mo_pile"] = static_cast<double>(libere) / (1024.0 * 1024.0);
        etat.counters["Mo_croissance"] = static_cast<double>(avant - depart) / (1024.0 * 1024.0);
    }
}
BENCHMARK(memoire_des_pas)->Arg(1000)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true); // the recent lessons out of the user's settings
    return banc::executer(argc, argv, &fenetre);
}
