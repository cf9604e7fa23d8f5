// The placement of the labels alone, as the projector does it at 1920 x 1080: the
// Earth's disc read from the display list, then the labels of a preset's scene at the
// fitted zoom placed among their candidates (their sizes measured once, in the
// projector's label font); a crowd of twelve labels on one anchor on the Earth; and the
// scene after 20 burns with the earlier orbits shown.

#include "banc_fenetre.h"
#include "render/etiquettes.h"
#include "ui/image/picture1.h"

#include <QAction>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace trajel;

namespace {

fenetre_principale* fenetre = nullptr;

// The scene's part of 1920 x 1080: its full height, its aspect kept (about 1290 wide).
constexpr double hauteur_scene = 1080.0;
double largeur_scene = 1290.0;

// The preset's scene (none: the window's) at the fitted zoom, its labels measured in the
// projector's font.
std::vector<etiquette_a_placer> etiquettes_de(const char* preset, double& ppt,
                                              std::vector<element_affichage>& liste) {
    if (preset != nullptr) {
        fenetre->findChild<QAction*>(QString::fromLatin1(preset))->trigger();
    }
    fenetre->findChild<QAction*>(QStringLiteral("menu_ajuster_vue"))->trigger();
    const Picture1* image = fenetre->findChild<Picture1*>(QStringLiteral("Picture1"));
    liste = image->elements_affiches();
    ppt = hauteur_scene / image->Height();
    largeur_scene = image->Width() * ppt;
    QImage toile(1920, 1080, QImage::Format_RGB32);
    QPainter peintre(&toile);
    rendu_image rendu;
    rendu.pixels_par_twip = ppt;
    rendu.hauteur_texte_min = std::ceil(0.025 * 1080);
    const QFontMetricsF m(police_etiquettes(peintre, rendu), &toile);
    std::vector<etiquette_a_placer> etiquettes;
    for (const element_affichage& e : liste) {
        if (e.nature == element_affichage::genre::texte) {
            etiquettes.push_back({e.x1 * ppt, e.y1 * ppt,
                                  m.horizontalAdvance(QString::fromStdString(e.texte)), m.height(),
                                  0});
        }
    }
    return etiquettes;
}

void placement_de(benchmark::State& etat, const char* preset) {
    double ppt = 1.0;
    std::vector<element_affichage> liste;
    const std::vector<etiquette_a_placer> etiquettes = etiquettes_de(preset, ppt, liste);
    const rectangle_etiquette vue{0.0, 0.0, largeur_scene, hauteur_scene};
    std::size_t renvois = 0;
    for (auto _ : etat) {
        disque_plan terre;
        if (const auto d = disque_terre(liste)) {
            terre = {d->x * ppt, d->y * ppt, d->rayon * ppt};
        }
        const auto places = placer_etiquettes(etiquettes, terre, vue);
        renvois = static_cast<std::size_t>(
            std::count_if(places.begin(), places.end(), [](const auto& p) { return p.renvoi; }));
        benchmark::DoNotOptimize(places.data());
    }
    etat.counters["etiquettes"] = static_cast<double>(etiquettes.size());
    etat.counters["renvois"] = static_cast<double>(renvois);
}
BENCHMARK_CAPTURE(placement_de, kourou, "menu_kourou_circulaire")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(placement_de, gto_iv, "menu_GTO_IV")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(placement_de, gto_v, "menu_GTO_V")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(placement_de, baikonour, "menu_baikonour_circulaire")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(placement_de, canaveral, "menu_canaveral_circulaire")
    ->Unit(benchmark::kMicrosecond);

// The scene of 20 burns at the fitted zoom (last: it leaves them in the lesson), the
// earlier orbits shown: the frame's labels and the 20 ghosts' numbers.
void placement_vingt_fantomes(benchmark::State& etat) {
    banc::tirs_et_orbites_precedentes(*fenetre, 20);
    placement_de(etat, nullptr);
    const Picture1* image = fenetre->findChild<Picture1*>(QStringLiteral("Picture1"));
    etat.counters["tirets"] = banc::traits_en_tirets(image->elements_affiches());
}

// Twelve labels of the projector's size on one point of the Earth's outline.
void placement_pile_de_douze(benchmark::State& etat) {
    std::vector<etiquette_a_placer> etiquettes;
    for (int i = 0; i < 12; ++i) {
        etiquettes.push_back({645.0 + 300.0, 540.0, 60.0 + 40.0 * (i % 4), 28.0, 0});
    }
    const disque_plan terre{645.0, 540.0, 300.0};
    const rectangle_etiquette vue{0.0, 0.0, largeur_scene, hauteur_scene};
    for (auto _ : etat) {
        const auto places = placer_etiquettes(etiquettes, terre, vue);
        benchmark::DoNotOptimize(places.data());
    }
}
BENCHMARK(placement_pile_de_douze)->Unit(benchmark::kMicrosecond);
BENCHMARK(placement_vingt_fantomes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return banc::executer(argc, argv, &fenetre);
}
