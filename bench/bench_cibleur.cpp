// The targeter's preparation of each burn of the Hohmann transfer from "Orbite tir
// KOUROU / Circulaire" to 36000 km at 200 N (steps of about a second): the differential
// correction with every trial integrated by the program's own loop. Target: under 100 ms
// a burn.
//
// Run: bench_cibleur --benchmark_repetitions=7 --benchmark_report_aggregates_only=true

#include "core/texte.h"
#include "core/trajectoire.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/cibleur.h"
#include "manoeuvre/planificateur.h"
#include "manoeuvre/tir.h"
#include "soutien/faux_formulaire.h"

#include <benchmark/benchmark.h>

using namespace trajel;

namespace {

constexpr double poussee_choisie = 200.0; // N

// The fake window on the Kourou circle (200 km, i 7), its handlers wired; `tirs_faits`
// corrected burns of the transfer already fired.
struct transfert_kourou {
    test::module_de_test module;
    demande_manoeuvre demande;

    explicit transfert_kourou(int tirs_faits) {
        test::brancher_gestionnaires(module.fenetre);
        module.fenetre.choisir(bouton_option::Option_circulaire);
        module.fenetre.ecrire(zone_texte::Text1, "200");
        module.fenetre.ecrire(zone_texte::Text2, "200");
        module.fenetre.ecrire(zone_texte::Text4, "7");
        rafraichissement_complet();
        demande.genre = genre_manoeuvre::hohmann;
        demande.altitude_visee = 36000.0;
        for (int i = 0; i < tirs_faits; ++i) {
            const ciblage c = preparer(plan(i));
            ecrire_tir(module.fenetre, c.tir);
            cmd_tir_Click();
        }
    }
    plan_manoeuvre plan(int tirs_faits) const {
        return tirs_faits == 0 ? planifier(traj, demande) : planifier_suite(traj, demande);
    }
    ciblage preparer(const plan_manoeuvre& p) const {
        const depart_tir depart{traj, Val(module.fenetre.texte(zone_texte::Text6)),
                                Val(module.fenetre.texte(zone_texte::Text13))};
        return cibler(depart, p.tirs.front(), cible_de(demande, p), poussee_choisie);
    }
};

void preparation_du_tir(benchmark::State& etat_banc) {
    const int tirs_faits = static_cast<int>(etat_banc.range(0));
    const transfert_kourou contexte(tirs_faits);
    const plan_manoeuvre p = contexte.plan(tirs_faits);
    ciblage c;
    for (auto _ : etat_banc) {
        c = contexte.preparer(p);
        benchmark::DoNotOptimize(c);
    }
    etat_banc.counters["converge"] = c.converge ? 1 : 0;
    etat_banc.counters["iterations"] = static_cast<double>(c.iterations.size() - 1);
    etat_banc.counters["pas"] = c.tir.pas;
}
BENCHMARK(preparation_du_tir)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
