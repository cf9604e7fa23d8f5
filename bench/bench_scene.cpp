#include "core/trajectoire.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"

#include <benchmark/benchmark.h>

using namespace trajel;

// One full redraw of the start-up scene onto the recording surface: clear, compute
// the trajectory from the window, the Earth, then the orbit's scene.
static void BM_redessin_complet_demarrage(benchmark::State& state) {
    test::module_de_test m;
    auto& image = m.fenetre.image;
    for (auto _ : state) {
        image.Cls();
        calcul_trajectoire(traj);
        tracer_terre();
        tracer_scene(traj);
        benchmark::DoNotOptimize(image.elements().data());
    }
    state.counters["elements"] = static_cast<double>(image.elements().size());
}
BENCHMARK(BM_redessin_complet_demarrage)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
