// The window's costs: painting the start-up picture, and one keystroke in Text4
// through the real window (change handler, full redraw, repaint).

#include "banc_fenetre.h"
#include "core/module1.h"
#include "ui/fenetre/form1.h"
#include "ui/image/picture1.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QWindow>

using namespace trajel;

namespace {

fenetre_principale* fenetre = nullptr;

// (b) The display list of the start-up scene painted into an image of the picture's size.
void peinture_de_la_scene(benchmark::State& etat) {
    auto* image = fenetre->findChild<Picture1*>(QStringLiteral("Picture1"));
    QImage rendu(689, 577, QImage::Format_RGB32);
    for (auto _ : etat) {
        rendu.fill(Qt::white);
        QPainter peintre(&rendu);
        peindre_liste(peintre, image->elements(), rendu_image{1.0 / 15.0}, QRectF(0, 0, 689, 577));
        peintre.end();
        benchmark::DoNotOptimize(rendu.constBits());
    }
    etat.counters["elements"] = static_cast<double>(image->elements().size());
}
BENCHMARK(peinture_de_la_scene)->Unit(benchmark::kMillisecond);

// (c) A keystroke in Text4: the text changes, Text4_Change recomputes and redraws
// the scene, and the picture repaints.
void frappe_dans_Text4(benchmark::State& etat) {
    auto* boite = fenetre->findChild<QLineEdit*>(QStringLiteral("Text4"));
    auto* image = fenetre->findChild<Picture1*>(QStringLiteral("Picture1"));
    banc::compteur_de_peintures compteur;
    image->installEventFilter(&compteur);
    boite->setText(QStringLiteral("2"));
    boite->setFocus();
    boite->end(false);
    int n = 0;
    for (auto _ : etat) {
        // Alternately types a digit and erases it: "2" <-> "23".
        const bool chiffre = n++ % 2 == 0;
        QKeyEvent appui(QEvent::KeyPress, chiffre ? Qt::Key_3 : Qt::Key_Backspace, Qt::NoModifier,
                        chiffre ? QStringLiteral("3") : QString());
        QApplication::sendEvent(boite, &appui);
        image->repaint();
    }
    etat.counters["peintures"] = compteur.n;
    etat.counters["texte"] = boite->text().toDouble();
    etat.counters["inclinaison"] = traj.inclinaison;
}
BENCHMARK(frappe_dans_Text4)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return banc::executer(argc, argv, &fenetre);
}
