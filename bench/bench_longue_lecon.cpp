// A long lesson through the real window, every tool open (readout, assistant, ground
// track at 20 revolutions, journal, projector): the journal opened with 1000 burns, a
// burn with the journal at 1000 rows, the undo of a burn, the undo of a preset, the
// opening of a lesson of 100 burns on disk. Each benchmark starts from a known window:
// the lesson of 1000 burns opened again, its tools shown; no modal box can stop a run
// (the errors are counted, not shown). The events the action posts (repaints of the
// windows shown) are processed inside the timing.
//
// Run: bench_longue_lecon --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "banc_fenetre.h"
#include "ui/lecon/fichier_lecon.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>

using namespace trajel;

namespace {

fenetre_principale* fenetre = nullptr;

historique_lecon& historique() {
    return *fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
}

fichiers_lecon& fichiers() {
    return *fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
}

QAction& action(const char* nom) {
    return *fenetre->findChild<QAction*>(QString::fromLatin1(nom));
}

QWidget* outil(const char* nom) {
    return fenetre->findChild<QWidget*>(QString::fromLatin1(nom));
}

void traiter_evenements() {
    QApplication::processEvents();
}

// Lessons saved once: 1000 burns of 1 N for 1 s (the mass never runs out), the same
// with its first burn's anomaly changed (every row differs from the other's), and the
// first 100 burns.
struct lecons_longues {
    QTemporaryDir dossier{QDir(QStringLiteral("/dev/shm")).exists()
                              ? QStringLiteral("/dev/shm/bench_longue_lecon-XXXXXX")
                              : QDir::temp().filePath(QStringLiteral("bench_longue_lecon-XXXXXX"))};
    QString mille = dossier.filePath(QStringLiteral("mille.trajel"));
    QString autre = dossier.filePath(QStringLiteral("autre.trajel"));
    QString cent = dossier.filePath(QStringLiteral("cent.trajel"));
    QString cent_autre = dossier.filePath(QStringLiteral("cent_autre.trajel"));

    lecons_longues() {
        fichiers().avertir = [](const QString& m) { qFatal("%s", qPrintable(m)); };
        fenetre->changer_texte(zone_texte::Text8, "1");
        fenetre->changer_texte(zone_texte::Text11, "1");
        auto* tir = fenetre->findChild<QPushButton*>(QStringLiteral("cmd_tir"));
        while (historique().journal().size() < 1000) {
            tir->click();
        }
        fichiers().enregistrer_vers(mille);
        lecon l = fichiers().lecon_actuelle();
        ecrire(autre, l, [](lecon& m) { m.journal.front().anomalie += 1.0; });
        ecrire(cent, l, [](lecon& m) { m.journal.resize(100); });
        ecrire(cent_autre, l, [](lecon& m) {
            m.journal.resize(100);
            m.journal.front().anomalie += 1.0;
        });
    }

    template <class F> static void ecrire(const QString& chemin, lecon l, F changer) {
        changer(l);
        QFile fichier(chemin);
        fichier.open(QIODevice::WriteOnly);
        fichier.write(ecrire_lecon(l));
    }
};

lecons_longues& lecons() {
    static lecons_longues l;
    return l;
}

// The known window: the lesson of 1000 burns, every tool shown and up to date.
void tous_les_outils_sur_1000_tirs() {
    fichiers().ouvrir(lecons().mille);
    action("menu_caracteristiques").trigger();
    action("menu_assistant_manoeuvre").trigger();
    action("menu_trace_sol").trigger();
    if (auto* tours = fenetre->findChild<QSpinBox*>(QStringLiteral("revolutions_trace_sol"))) {
        tours->setValue(20);
    }
    action("menu_journal_tirs").trigger();
    if (!outil("vue_agrandie") || !outil("vue_agrandie")->isVisible()) {
        action("menu_mode_projecteur").trigger();
    }
    traiter_evenements();
}

// The journal shown after a lesson of 1000 burns was opened while it was hidden: every
// row is new to it. The lessons alternate so that each opening changes every row.
void journal_ouvert_1000_tirs(benchmark::State& etat) {
    tous_les_outils_sur_1000_tirs();
    int n = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        outil("fenetre_journal")->hide();
        fichiers().ouvrir(n++ % 2 == 0 ? lecons().autre : lecons().mille);
        traiter_evenements();
        etat.ResumeTiming();
        action("menu_journal_tirs").trigger();
        outil("fenetre_journal")->repaint();
        traiter_evenements();
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
}
BENCHMARK(journal_ouvert_1000_tirs)->Unit(benchmark::kMillisecond);

// A burn of 1 N for 1 s with every tool following it and the journal at 1000 rows.
void tir_tous_outils_1000_tirs(benchmark::State& etat) {
    tous_les_outils_sur_1000_tirs();
    auto* tir = fenetre->findChild<QPushButton*>(QStringLiteral("cmd_tir"));
    for (auto _ : etat) {
        tir->click();
        traiter_evenements();
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
}
BENCHMARK(tir_tous_outils_1000_tirs)->Unit(benchmark::kMillisecond);

// The undo of the last burn, every tool open; its redo is not timed.
void annuler_tir_tous_outils(benchmark::State& etat) {
    tous_les_outils_sur_1000_tirs();
    fenetre->findChild<QPushButton*>(QStringLiteral("cmd_tir"))->click();
    traiter_evenements();
    for (auto _ : etat) {
        historique().annuler();
        traiter_evenements();
        etat.PauseTiming();
        historique().retablir();
        traiter_evenements();
        etat.ResumeTiming();
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
}
BENCHMARK(annuler_tir_tous_outils)->Unit(benchmark::kMillisecond);

// The undo of a preset (GTO Ariane IV), every tool open; the preset itself is not timed.
void annuler_preset_tous_outils(benchmark::State& etat) {
    tous_les_outils_sur_1000_tirs();
    for (auto _ : etat) {
        etat.PauseTiming();
        action("menu_GTO_IV").trigger();
        traiter_evenements();
        etat.ResumeTiming();
        historique().annuler();
        traiter_evenements();
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
}
BENCHMARK(annuler_preset_tous_outils)->Unit(benchmark::kMillisecond);

// A lesson of 100 burns opened from disk, every tool open, its redraw processed; the
// lessons alternate. The recent list is written at most once a second: one write over
// many openings here.
void ouvrir_lecon_100_tirs_tous_outils(benchmark::State& etat) {
    tous_les_outils_sur_1000_tirs();
    int n = 0;
    for (auto _ : etat) {
        fichiers().ouvrir(n++ % 2 == 0 ? lecons().cent : lecons().cent_autre);
        traiter_evenements();
    }
    etat.counters["tirs"] = static_cast<double>(historique().journal().size());
}
BENCHMARK(ouvrir_lecon_100_tirs_tous_outils)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true); // the recent lessons out of the user's settings
    return banc::executer(argc, argv, &fenetre);
}
