#pragma once

// What the benchmarks of the real window share: the window shown offscreen, a count of
// the paint events a widget receives, burns fired with the earlier orbits shown, and the
// programs' main.

#include "core/surface.h"
#include "ui/application/composition.h"
#include "ui/fenetre/form1.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QWindow>

#include <vector>

#include <benchmark/benchmark.h>

namespace trajel::banc {

// Counts the paint events a widget really receives.
struct compteur_de_peintures : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++n;
        }
        return false;
    }
    int n = 0;
};

// Waits until a shown widget's window is on screen.
inline void attendre_affichage(const QWidget& w) {
    while (w.windowHandle() == nullptr || !w.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Repaints `w` once an iteration; the paints counted and its size as counters.
inline void repeindre(benchmark::State& etat, QWidget& w) {
    compteur_de_peintures compteur;
    w.installEventFilter(&compteur);
    for (auto _ : etat) {
        w.repaint();
    }
    w.removeEventFilter(&compteur);
    etat.counters["peintures"] = compteur.n;
    etat.counters["largeur"] = w.width();
    etat.counters["hauteur"] = w.height();
}

// The lesson's earlier orbits shown, and burns fired through the window until the
// journal has `n` (a benchmark's function runs several times), each of 50 N
// ortho-radial for 100 s from where the last ended.
inline void tirs_et_orbites_precedentes(fenetre_principale& fenetre, std::size_t n) {
    fenetre.findChild<QAction*>(QStringLiteral("menu_orbites_precedentes"))->setChecked(true);
    fenetre.changer_texte(zone_texte::Text8, "50");
    fenetre.changer_texte(zone_texte::Text11, "100");
    auto* tir = fenetre.findChild<QPushButton*>(QStringLiteral("cmd_tir"));
    const auto* historique =
        fenetre.findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
    while (historique->journal().size() < n) {
        tir->click();
    }
}

// The dashed lines of a display list: the earlier orbits and their powered arcs.
inline int traits_en_tirets(const std::vector<element_affichage>& liste) {
    int n = 0;
    for (const element_affichage& e : liste) {
        n += e.nature == element_affichage::genre::trait && e.style == style_tirets;
    }
    return n;
}

// Shows the window and waits until it is on screen.
inline void montrer(fenetre_principale& fenetre) {
    fenetre.show();
    while (fenetre.windowHandle() == nullptr || !fenetre.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// The benchmarks under a QApplication (offscreen unless told otherwise), with the main
// window shown as `fenetre` when asked for.
inline int executer(int argc, char** argv, fenetre_principale** fenetre = nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    std::unique_ptr<fenetre_principale> principale;
    if (fenetre != nullptr) {
        principale = std::make_unique<fenetre_principale>();
        installer_outils(*principale);
        // An error is told on the console: no modal box can stop a benchmark.
        principale->evenements().definir_rapporteur(
            [](const erreur_calcul& e) { qWarning("%s", e.what()); });
        montrer(*principale);
        *fenetre = principale.get();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace trajel::banc
