// The ground track: the track of 20 revolutions at a degree of anomaly with its map's
// display list, the map painted at 1920 x 1080, and the coasts on the globe's share of
// a full redraw of the start-up scene.

#include "banc_fenetre.h"
#include "core/geographie.h"
#include "core/surface.h"
#include "core/trajectoire.h"
#include "render/continents.h"
#include "render/scene.h"
#include "render/trace_sol.h"
#include "soutien/faux_formulaire.h"
#include "soutien/references.h"
#include "ui/image/picture1.h"

#include <QFile>
#include <QImage>
#include <QPainter>

using namespace trajel;

namespace {

constexpr double twips_par_pixel = 15.0;

const std::vector<ligne_geo>& cotes() {
    static const std::vector<ligne_geo> lues = [] {
        QFile f(QStringLiteral(":/trajel/cotes.txt"));
        f.open(QIODevice::ReadOnly);
        const QByteArray texte = f.readAll();
        return lire_cotes(std::string_view(texte.constData(), texte.size()));
    }();
    return lues;
}

const trajectoire demarrage =
    test::orbite("elliptique", 0.17827181208, 4616.4689597, 20, 20, 10, 25);

const std::vector<std::string> lignes_sous{"Décalage de la trace par révolution", "Côtes : GSHHG"};

} // namespace

static void BM_trace_20_revolutions_et_liste(benchmark::State& state) {
    surface_enregistree carte(1920 * twips_par_pixel, 1080 * twips_par_pixel);
    for (auto _ : state) {
        const trace_au_sol trace = calculer_trace(demarrage, {}, 20);
        dessiner_carte(carte, cotes(), trace, lignes_sous);
        benchmark::DoNotOptimize(carte.elements().data());
    }
    state.counters["elements"] = static_cast<double>(carte.elements().size());
}
BENCHMARK(BM_trace_20_revolutions_et_liste)->Unit(benchmark::kMillisecond);

static void BM_carte_peinte_1920x1080(benchmark::State& state) {
    surface_enregistree carte(1920 * twips_par_pixel, 1080 * twips_par_pixel);
    dessiner_carte(carte, cotes(), calculer_trace(demarrage, {}, 3), lignes_sous);
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    rendu_image rendu;
    rendu.pixels_par_twip = 1.0 / twips_par_pixel;
    for (auto _ : state) {
        QPainter peintre(&image);
        peintre.fillRect(image.rect(), Qt::white);
        peindre_liste(peintre, carte.elements(), rendu, QRectF(image.rect()));
    }
    state.counters["elements"] = static_cast<double>(carte.elements().size());
}
BENCHMARK(BM_carte_peinte_1920x1080)->Unit(benchmark::kMillisecond);

// A full redraw of the start-up scene, the coasts on the globe off (0) or on (1): the
// difference is their cost.
static void BM_redessin_complet_continents(benchmark::State& state) {
    test::module_de_test m;
    test::brancher_gestionnaires(m.fenetre);
    charger_continents(cotes());
    continents_sur_le_globe = state.range(0) != 0;
    for (auto _ : state) {
        rafraichissement_complet();
        benchmark::DoNotOptimize(m.fenetre.image.elements().data());
    }
    state.counters["elements"] = static_cast<double>(m.fenetre.image.elements().size());
    continents_sur_le_globe = false;
}
BENCHMARK(BM_redessin_complet_continents)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return banc::executer(argc, argv);
}
