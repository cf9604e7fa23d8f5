// The burn's costs: the 32766 Runge-Kutta steps of the longest burn, alone and with
// the 32765 segments of the powered arc drawn into a recording surface; the same
// integration by Boost.Odeint's runge_kutta4 on the same equations of motion; the
// whole "Tir !" click; and the energy drift of a one-revolution coast.
//
// Run: bench_tir --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/integration.h"
#include "manoeuvre/runge_kutta.h"
#include "manoeuvre/tir.h"
#include "render/projection.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"
#include "soutien/references.h"

#include <boost/numeric/odeint/stepper/runge_kutta4.hpp>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

using namespace trajel;

namespace {

constexpr int pas_maximum = 32766;

// The design window with a 10 N ortho-radial thrust, burning for one period of the
// design orbit (a = 4768 km): 32766 steps of 0.1 s.
struct contexte {
    test::module_de_test module;
    etat depart;
    double duree = 2.0 * std::numbers::pi * std::sqrt(4768.0 * 4768.0 * 4768.0 / mu_terre);

    explicit contexte(const char* poussee_ortho = "10") {
        module.fenetre.ecrire(zone_texte::Text8, poussee_ortho);
        module.fenetre.ecrire(zone_texte::Text11, format_general(duree));
        module.fenetre.ecrire(zone_texte::Text12, "32766");
        calcul_trajectoire(traj);
        mise_en_place_vue();
        trajectoire T = traj;
        vecteur r;
        vecteur v;
        conversion_etat(1, T, r, v);
        depart = etat_de(r, v, masse);
    }
};

void integration_trajel(benchmark::State& etat_banc) {
    contexte c;
    const double h = c.duree / pas_maximum;
    for (auto _ : etat_banc) {
        etat S = c.depart;
        double t = 0.0;
        integrer_n_pas(propulsion_partagee(), S, t, h, pas_maximum, sans_observateur);
        benchmark::DoNotOptimize(S);
    }
    etat_banc.counters["pas"] = pas_maximum;
}
BENCHMARK(integration_trajel)->Unit(benchmark::kMillisecond);

// Odeint's state: the seven components of an etat in one array; the system evaluates
// the very same derivees_etat with the engine it carries.
using etat_odeint = std::array<double, 7>;

struct systeme {
    propulsion moteur;
    void operator()(const etat_odeint& x, etat_odeint& dxdt, double t) const {
        etat S;
        for (std::size_t i = 0; i < 6; ++i) {
            S.composantes[i] = x[i];
        }
        S.m = x[6];
        etat D;
        derivees_etat(moteur, S, t, D);
        for (std::size_t i = 0; i < 6; ++i) {
            dxdt[i] = D.composantes[i];
        }
        dxdt[6] = D.m;
    }
};

void integration_odeint(benchmark::State& etat_banc) {
    contexte c;
    const double h = c.duree / pas_maximum;
    boost::numeric::odeint::runge_kutta4<etat_odeint> pas;
    const propulsion moteur = propulsion_partagee();
    for (auto _ : etat_banc) {
        etat_odeint x;
        for (std::size_t i = 0; i < 6; ++i) {
            x[i] = c.depart.composantes[i];
        }
        x[6] = c.depart.m;
        double t = 0.0;
        for (int j = 0; j < pas_maximum; ++j) {
            pas.do_step(systeme{moteur}, x, t, h);
            t += h;
        }
        benchmark::DoNotOptimize(x);
    }
    etat_banc.counters["pas"] = pas_maximum;
}
BENCHMARK(integration_odeint)->Unit(benchmark::kMillisecond);

// The burn's loop with its drawing: every state projected on the view plane, then
// the n - 1 segments of the arc into the recording surface.
void integration_et_arc(benchmark::State& etat_banc) {
    contexte c;
    const double h = c.duree / pas_maximum;
    surface_enregistree& image = c.module.fenetre.image;
    std::vector<point_vue> arc(pas_maximum);
    for (auto _ : etat_banc) {
        image.Cls();
        etat S = c.depart;
        double t = 0.0;
        std::size_t j = 0;
        integrer_n_pas(propulsion_partagee(), S, t, h, pas_maximum, [&](const etat& etape, double) {
            projeter(repere_vue, position_de(etape), arc[j++]);
        });
        for (std::size_t i = 1; i < arc.size(); ++i) {
            tracer_segment(arc[i - 1], arc[i], couleur_terre);
        }
        benchmark::DoNotOptimize(image.elements().data());
    }
    etat_banc.counters["segments"] = static_cast<double>(image.elements().size());
}
BENCHMARK(integration_et_arc)->Unit(benchmark::kMillisecond);

// The whole click on the design window without its handlers: reading the boxes,
// checks, conversions, 32766 steps, the writes, the two scenes and the arc.
void tir_complet(benchmark::State& etat_banc) {
    contexte c;
    test::faux_formulaire& f = c.module.fenetre;
    const auto textes = f.textes;
    const auto options = f.options;
    for (auto _ : etat_banc) {
        f.textes = textes; // the next burn starts from the same window
        f.options = options;
        f.image.Cls();
        cmd_tir_Click();
        benchmark::DoNotOptimize(f.image.elements().data());
    }
    etat_banc.counters["elements"] = static_cast<double>(f.image.elements().size());
}
BENCHMARK(tir_complet)->Unit(benchmark::kMillisecond);

// One revolution of the design orbit without thrust in n steps: the relative drift
// of the specific energy v^2 / 2 - mu / r, and how far from its start the satellite
// ends (km).
void revolution_sans_poussee(benchmark::State& etat_banc) {
    contexte c("0");
    const int n = static_cast<int>(etat_banc.range(0));
    const double h = c.duree / n;
    etat S;
    for (auto _ : etat_banc) {
        S = c.depart;
        double t = 0.0;
        integrer_n_pas(propulsion_partagee(), S, t, h, n, sans_observateur);
        benchmark::DoNotOptimize(S);
    }
    const double e0 = test::energie(c.depart);
    etat_banc.counters["derive_energie"] = (test::energie(S) - e0) / std::abs(e0);
    etat_banc.counters["ecart_position_km"] =
        std::hypot(S.y(4) - c.depart.y(4), S.y(5) - c.depart.y(5), S.y(6) - c.depart.y(6));
}
BENCHMARK(revolution_sans_poussee)->Arg(1000)->Arg(pas_maximum)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
