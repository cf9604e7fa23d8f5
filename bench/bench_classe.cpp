// The class tools' costs: the large view repainted at 1920 x 1080 in projector mode
// (scene, panel and legend), as it opens and fitted to GTO Ariane IV, the panel's numbers
// computed after a redraw, the fitted zoom's computation for the start-up orbit and for
// GTO Ariane IV, and the fitted projector with the earlier orbits of 20 burns.

#include "banc_fenetre.h"
#include "core/module1.h"
#include "manoeuvre/lecture.h"
#include "render/cadrage.h"
#include "render/scene.h"
#include "ui/fenetre/form1.h"
#include "ui/image/picture1.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/panneau_projecteur.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QApplication>
#include <QWindow>

using namespace trajel;

namespace {

fenetre_principale* fenetre = nullptr;

void vue_projecteur_1920x1080(benchmark::State& etat) {
    fenetre->findChild<QAction*>(QStringLiteral("menu_vue_agrandie"))->trigger();
    auto* vue = fenetre->findChild<vue_agrandie*>(QStringLiteral("vue_agrandie"));
    vue->resize(1920, 1080);
    vue->definir_mode_projecteur(true);
    banc::attendre_affichage(*vue);
    banc::repeindre(etat, *vue);
    vue->definir_mode_projecteur(false);
    vue->close();
}
BENCHMARK(vue_projecteur_1920x1080)->Unit(benchmark::kMillisecond);

// What the panel does after each completed event: the readout's figures, the lines.
void panneau_apres_un_rafraichissement(benchmark::State& etat) {
    std::size_t n = 0;
    for (auto _ : etat) {
        const std::vector<ligne_panneau> lignes = lignes_panneau(traj, lire_orbite(traj));
        n += lignes.size();
        benchmark::DoNotOptimize(n);
    }
    etat.counters["lignes"] = static_cast<double>(n) / static_cast<double>(etat.iterations());
}
BENCHMARK(panneau_apres_un_rafraichissement)->Unit(benchmark::kMicrosecond);

void zoom_ajuste_de(benchmark::State& etat, const char* preset) {
    if (preset != nullptr) {
        fenetre->findChild<QAction*>(QString::fromLatin1(preset))->trigger();
    }
    mise_en_place_vue();
    double z = 0.0;
    for (auto _ : etat) {
        z = zoom_ajuste(traj);
        benchmark::DoNotOptimize(z);
    }
    etat.counters["zoom"] = z;
}
void zoom_ajuste_demarrage(benchmark::State& etat) {
    zoom_ajuste_de(etat, nullptr);
}
void zoom_ajuste_gto(benchmark::State& etat) {
    zoom_ajuste_de(etat, "menu_GTO_IV");
}
BENCHMARK(zoom_ajuste_demarrage)->Unit(benchmark::kMicrosecond);
BENCHMARK(zoom_ajuste_gto)->Unit(benchmark::kMicrosecond);

// The projector after "Ajuster la vue" there on GTO Ariane IV (last: it leaves that orbit): the
// scene moved and scaled to the conic, in the projector's colours.
void vue_projecteur_ajustee_1920x1080(benchmark::State& etat) {
    fenetre->findChild<QAction*>(QStringLiteral("menu_GTO_IV"))->trigger();
    fenetre->findChild<QAction*>(QStringLiteral("menu_vue_agrandie"))->trigger();
    auto* vue = fenetre->findChild<vue_agrandie*>(QStringLiteral("vue_agrandie"));
    vue->resize(1920, 1080);
    vue->definir_mode_projecteur(true);
    vue->findChild<QAction*>(QStringLiteral("vue_agrandie_ajuster"))->trigger();
    etat.counters["facteur"] = vue->facteur_cadrage();
    banc::attendre_affichage(*vue);
    banc::repeindre(etat, *vue);
    vue->retablir_cadrage();
    vue->definir_mode_projecteur(false);
    vue->close();
}
BENCHMARK(vue_projecteur_ajustee_1920x1080)->Unit(benchmark::kMillisecond);

// The projector fitted to the orbit after 20 burns, the earlier orbits shown: the 20
// dashed ghosts with their powered arcs and numbers, the labels placed among them.
void vue_projecteur_vingt_fantomes_1920x1080(benchmark::State& etat) {
    banc::tirs_et_orbites_precedentes(*fenetre, 20);
    const Picture1* image = fenetre->findChild<Picture1*>(QStringLiteral("Picture1"));
    etat.counters["tirets"] = banc::traits_en_tirets(image->elements_affiches());
    fenetre->findChild<QAction*>(QStringLiteral("menu_vue_agrandie"))->trigger();
    auto* vue = fenetre->findChild<vue_agrandie*>(QStringLiteral("vue_agrandie"));
    vue->resize(1920, 1080);
    vue->definir_mode_projecteur(true);
    vue->findChild<QAction*>(QStringLiteral("vue_agrandie_ajuster"))->trigger();
    banc::attendre_affichage(*vue);
    banc::repeindre(etat, *vue);
    vue->retablir_cadrage();
    vue->definir_mode_projecteur(false);
    vue->close();
}
BENCHMARK(vue_projecteur_vingt_fantomes_1920x1080)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return banc::executer(argc, argv, &fenetre);
}
