// The pace of the tools in a long lesson: the map's first opening, an animation frame
// (the main window alone, with the map at 20 revolutions, with the map and the
// projector at 1920 x 1080), the large view resized from 1080p to 4K, and the intervals
// between the animation's frames against its timer's. Each repetition starts from a
// window in a known state.

#include "banc_fenetre.h"
#include "ui/outils/animation.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace trajel;

namespace {

fenetre_principale* principale = nullptr;

QWidget* outil(const char* nom) {
    return principale->findChild<QWidget*>(QString::fromLatin1(nom));
}

void declencher(const char* action) {
    principale->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    QApplication::processEvents();
}

// Runs events until `w` has received one paint more, at most a few rounds.
void jusqu_a_la_peinture(QWidget& w) {
    banc::compteur_de_peintures compteur;
    w.installEventFilter(&compteur);
    for (int tour = 0; tour < 50 && compteur.n == 0; ++tour) {
        QApplication::processEvents();
    }
    w.removeEventFilter(&compteur);
}

// Every tool window hidden and the animation stopped: the known window.
void remettre_a_zero() {
    auto* animation = principale->findChild<animation_satellite*>();
    animation->arreter();
    for (const char* nom : {"fenetre_trace_sol", "vue_agrandie"}) {
        if (QWidget* w = outil(nom)) {
            w->hide();
        }
    }
    QApplication::processEvents();
}

} // namespace

// An animation frame: 1/30 s moved on and every window's repaint. 0: the main window
// alone; 1: with the map at 20 revolutions; 2: and the projector at 1920 x 1080.
static void BM_image_animation(benchmark::State& etat) {
    remettre_a_zero();
    if (etat.range(0) >= 1) {
        declencher("menu_trace_sol");
        outil("fenetre_trace_sol")->findChild<QSpinBox*>("revolutions_trace_sol")->setValue(20);
        banc::attendre_affichage(*outil("fenetre_trace_sol"));
    }
    if (etat.range(0) >= 2) {
        declencher("menu_mode_projecteur");
        QWidget* vue = outil("vue_agrandie");
        vue->showNormal();
        vue->resize(1920, 1080);
        banc::attendre_affichage(*vue);
    }
    QApplication::processEvents();
    auto* animation = principale->findChild<animation_satellite*>();
    animation->demarrer();
    // The frames are the benchmark's, not the timer's.
    animation->findChild<QTimer*>(QStringLiteral("minuterie_animation"))->stop();
    QApplication::processEvents();
    for (auto _ : etat) {
        animation->avancer(1.0 / 30.0);
        QApplication::processEvents();
    }
    remettre_a_zero();
}
BENCHMARK(BM_image_animation)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The large view at 1920 x 1080 resized to 3840 x 2160 and painted.
static void BM_vue_agrandie_1080p_vers_4k(benchmark::State& etat) {
    remettre_a_zero();
    declencher("menu_vue_agrandie");
    QWidget* vue = outil("vue_agrandie");
    for (auto _ : etat) {
        etat.PauseTiming();
        vue->resize(1920, 1080);
        jusqu_a_la_peinture(*vue);
        etat.ResumeTiming();
        vue->resize(3840, 2160);
        jusqu_a_la_peinture(*vue);
    }
    etat.counters["largeur"] = vue->width();
    remettre_a_zero();
}
BENCHMARK(BM_vue_agrandie_1080p_vers_4k)->Unit(benchmark::kMillisecond);

// The same resize of an empty top-level QWidget, for comparison: what the toolkit and the
// system cost to make and fill a new 4K backing store, none of the program's painting.
static void BM_fenetre_nue_1080p_vers_4k(benchmark::State& etat) {
    QWidget nue;
    nue.setObjectName(QStringLiteral("fenetre_nue"));
    nue.resize(1920, 1080);
    nue.show();
    jusqu_a_la_peinture(nue);
    for (auto _ : etat) {
        etat.PauseTiming();
        nue.resize(1920, 1080);
        jusqu_a_la_peinture(nue);
        etat.ResumeTiming();
        nue.resize(3840, 2160);
        jusqu_a_la_peinture(nue);
    }
    etat.counters["largeur"] = nue.width();
}
BENCHMARK(BM_fenetre_nue_1080p_vers_4k)->Unit(benchmark::kMillisecond);

// The animation run by its own timer for 3 s with the map at 20 revolutions: the
// intervals between frames, their median and 99th percentile against the timer's.
static void BM_intervalle_images(benchmark::State& etat) {
    remettre_a_zero();
    declencher("menu_trace_sol");
    outil("fenetre_trace_sol")->findChild<QSpinBox*>("revolutions_trace_sol")->setValue(20);
    auto* animation = principale->findChild<animation_satellite*>();
    auto* minuterie = animation->findChild<QTimer*>(QStringLiteral("minuterie_animation"));
    std::vector<double> intervalles;
    for (auto _ : etat) {
        intervalles.clear();
        QElapsedTimer horloge;
        qint64 avant = -1;
        const auto connexion = QObject::connect(minuterie, &QTimer::timeout, [&] {
            const qint64 t = horloge.nsecsElapsed();
            if (avant >= 0) {
                intervalles.push_back((t - avant) / 1e6);
            }
            avant = t;
        });
        animation->demarrer();
        horloge.start();
        QEventLoop boucle;
        QTimer::singleShot(3000, &boucle, &QEventLoop::quit);
        boucle.exec();
        animation->arreter();
        QObject::disconnect(connexion);
    }
    std::sort(intervalles.begin(), intervalles.end());
    if (!intervalles.empty()) {
        const auto rang = [&](double q) {
            return intervalles[static_cast<std::size_t>(q * (intervalles.size() - 1))];
        };
        etat.counters["minuterie_ms"] = minuterie->interval();
        etat.counters["mediane_ms"] = rang(0.5);
        etat.counters["p99_ms"] = rang(0.99);
        etat.counters["images"] = static_cast<double>(intervalles.size() + 1);
    }
    remettre_a_zero();
}
BENCHMARK(BM_intervalle_images)->Unit(benchmark::kMillisecond)->Iterations(1);

// A fresh main window with its tools each iteration, its map opened with F3's action.
// Last: the core's shared state follows the window made last, which the others no
// longer are.
static void BM_carte_premiere_ouverture(benchmark::State& etat) {
    for (auto _ : etat) {
        etat.PauseTiming();
        auto fenetre = std::make_unique<fenetre_principale>();
        installer_outils(*fenetre);
        banc::montrer(*fenetre);
        auto* action = fenetre->findChild<QAction*>(QStringLiteral("menu_trace_sol"));
        etat.ResumeTiming();
        action->trigger();
        QWidget* carte = fenetre->findChild<QWidget*>(QStringLiteral("carte_trace_sol"));
        banc::attendre_affichage(*carte->window());
        jusqu_a_la_peinture(*carte);
        etat.PauseTiming();
        fenetre.reset();
        QApplication::processEvents();
        etat.ResumeTiming();
    }
}
BENCHMARK(BM_carte_premiere_ouverture)->Unit(benchmark::kMillisecond)->Iterations(8);

int main(int argc, char** argv) {
    return banc::executer(argc, argv, &principale);
}
