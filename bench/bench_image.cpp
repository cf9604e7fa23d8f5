// The picture tools' costs: one step of a drag on the picture through the real window
// (the bar's value, its handler's view redraw, the repaint), the large view repainted
// at 1920 x 1080, and the start-up scene written as SVG and as PDF.

#include "banc_fenetre.h"
#include "core/module1.h"
#include "ui/image/export_image.h"
#include "ui/fenetre/form1.h"
#include "ui/outils/outils_image.h"
#include "ui/image/picture1.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>

using namespace trajel;

namespace {

fenetre_principale* fenetre = nullptr;

Picture1* image() {
    return fenetre->findChild<Picture1*>(QStringLiteral("Picture1"));
}

void souris(QWidget* w, QEvent::Type type, QPointF p, Qt::MouseButton bouton,
            Qt::MouseButtons boutons) {
    QMouseEvent e(type, p, w->mapToGlobal(p), bouton, boutons, {});
    QApplication::sendEvent(w, &e);
}

// A drag 3 pixels across, back and forth: each step turns HScroll1 by a degree, whose
// handler redraws the view; the picture then repaints.
void pas_de_glissement(benchmark::State& etat) {
    Picture1* p = image();
    auto* barre = fenetre->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    banc::compteur_de_peintures compteur;
    p->installEventFilter(&compteur);
    const QPointF centre = p->rect().center();
    souris(p, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    int n = 0;
    int changements = 0;
    const auto connexion =
        QObject::connect(barre, &QScrollBar::valueChanged, [&changements] { ++changements; });
    for (auto _ : etat) {
        const QPointF position = centre + QPointF(n++ % 2 == 0 ? 3.0 : 0.0, 0.0);
        souris(p, QEvent::MouseMove, position, Qt::NoButton, Qt::LeftButton);
        p->repaint();
    }
    QObject::disconnect(connexion);
    souris(p, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    p->removeEventFilter(&compteur);
    etat.counters["changements"] = changements;
    etat.counters["peintures"] = compteur.n;
    etat.counters["elements"] = static_cast<double>(p->elements_affiches().size());
}
BENCHMARK(pas_de_glissement)->Unit(benchmark::kMillisecond);

// The large view of the start-up scene, 1920 x 1080, repainted.
void vue_agrandie_1920x1080(benchmark::State& etat) {
    fenetre->findChild<QAction*>(QStringLiteral("menu_vue_agrandie"))->trigger();
    auto* vue = fenetre->findChild<vue_agrandie*>(QStringLiteral("vue_agrandie"));
    vue->resize(1920, 1080);
    banc::attendre_affichage(*vue);
    banc::repeindre(etat, *vue);
    vue->close();
}
BENCHMARK(vue_agrandie_1920x1080)->Unit(benchmark::kMillisecond);

// The start-up scene written whole into a file: SVG, then PDF.
template <bool (*ecrire)(const scene_image&, const QString&, QString&)>
void fichier(benchmark::State& etat, const char* nom) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QString::fromLatin1(nom));
    const scene_image scene = scene_de(*image());
    QString erreur;
    for (auto _ : etat) {
        if (!ecrire(scene, chemin, erreur)) {
            etat.SkipWithError(erreur.toStdString().c_str());
            break;
        }
    }
    etat.counters["octets"] = static_cast<double>(QFileInfo(chemin).size());
    etat.counters["elements"] = static_cast<double>(scene.elements->size());
}
void svg_de_la_scene(benchmark::State& etat) {
    fichier<enregistrer_svg>(etat, "orbite.svg");
}
void pdf_de_la_scene(benchmark::State& etat) {
    fichier<enregistrer_pdf>(etat, "orbite.pdf");
}
BENCHMARK(svg_de_la_scene)->Unit(benchmark::kMillisecond);
BENCHMARK(pdf_de_la_scene)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return banc::executer(argc, argv, &fenetre);
}
