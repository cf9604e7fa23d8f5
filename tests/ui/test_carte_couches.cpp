// The ground-track map, painted from its list or from its kept layers: pixel for pixel
// the plain painting of its display list; an animation frame moves only the point under the
// satellite, over the track computed for the orbit, and repaints only around it.

#include "commun/principal.h"
#include "core/geographie.h"
#include "fenetre_de_test.h"
#include "manoeuvre/bilan_tir.h"
#include "ui/image/picture1.h"
#include "ui/outils/animation.h"
#include "ui/outils/fenetre_trace_sol.h"

#include <QAction>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

using namespace trajel;
using namespace trajel::test;

namespace {

fenetre_trace_sol* ouvrir_carte(const fenetre_de_test& f) {
    f.controle<QAction>("menu_trace_sol")->trigger();
    auto* c = f.fenetre->findChild<fenetre_trace_sol*>(QStringLiteral("fenetre_trace_sol"));
    if (c == nullptr || !QTest::qWaitForWindowExposed(c)) {
        qFatal("no map shown");
    }
    return c;
}

animation_satellite& animation(const fenetre_de_test& f) {
    return *f.fenetre->findChild<animation_satellite*>(QStringLiteral("animation_satellite"));
}

// The list painted as a whole over white, as the map was painted before its layers.
QImage peinture_directe(const carte_trace_sol& carte) {
    const double ratio = carte.devicePixelRatioF();
    QImage image((QSizeF(carte.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter peintre(&image);
    rendu_image rendu;
    rendu.pixels_par_twip = 1.0 / carte.twips_par_pixel();
    peindre_liste(peintre, carte.liste().elements(), rendu, QRectF(carte.rect()));
    return image;
}

QImage vue(const QPixmap& p) {
    return p.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Runs `changement` on the window: a preset, frames, a burn, a setting.
void changer(fenetre_de_test& f, fenetre_trace_sol& c, const QString& changement) {
    if (changement.startsWith("images")) {
        animation(f).demarrer();
        for (int i = 0; i < 3; ++i) {
            QVERIFY(animation(f).avancer(1.0 / 30.0));
        }
        animation(f).arreter();
        if (changement == "images puis tir") {
            changer(f, c, "tir");
        }
    } else if (changement == "20 révolutions") {
        f.controle<QSpinBox>("revolutions_trace_sol")->setValue(20);
    } else if (changement == "tir") {
        f.coller("Text8", QStringLiteral("100"));
        f.coller("Text11", QStringLiteral("2"));
        f.controle<QPushButton>("cmd_tir")->click();
    } else if (changement == "agrandie") {
        c.resize(c.size() + QSize(180, 90));
        QApplication::processEvents();
    } else if (changement == "préréglage") {
        f.controle<QAction>("menu_kourou_circulaire")->trigger();
    }
}

} // namespace

class TestCarteCouches : public QObject {
    Q_OBJECT
private slots:
    // The last burn outlives the window: none left for the next test.
    void cleanup() { dernier_tir.reset(); }

    // Whatever changed, the map shown is its list painted at once.
    void peinte_comme_sa_liste_data() {
        QTest::addColumn<QString>("changement");
        QTest::newRow("ouverture") << "";
        QTest::newRow("images d'animation") << "images";
        QTest::newRow("20 révolutions") << "20 révolutions";
        QTest::newRow("tir") << "tir";
        QTest::newRow("images puis tir") << "images puis tir";
        QTest::newRow("fenêtre agrandie") << "agrandie";
        QTest::newRow("préréglage") << "préréglage";
    }
    void peinte_comme_sa_liste() {
        QFETCH(QString, changement);
        fenetre_de_test f;
        fenetre_trace_sol* c = ouvrir_carte(f);
        const carte_trace_sol& carte = c->carte();
        QCOMPARE(vue(const_cast<carte_trace_sol&>(carte).grab()), peinture_directe(carte));
        const auto avant = carte.liste().elements();
        changer(f, *c, changement);
        QVERIFY(f.rapports.empty());
        QCOMPARE(carte.liste().elements() != avant, !changement.isEmpty());
        QCOMPARE(vue(const_cast<carte_trace_sol&>(carte).grab()), peinture_directe(carte));
    }

    // A frame keeps the track computed for the orbit and moves the point under the
    // satellite, as a new track would put it; the region repainted around the point's
    // old and new places makes the whole map right. A hand-typed anomaly is another
    // track.
    void image_ne_deplace_que_le_satellite_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("secondes");
        QTest::newRow("ellipse de départ") << "Option_elliptique" << 0.1;
        QTest::newRow("ellipse, une seconde") << "Option_elliptique" << 1.0;
        QTest::newRow("cercle") << "Option_circulaire" << 0.5;
        QTest::newRow("hyperbole") << "Option_hyperbolique" << 0.05;
    }
    void image_ne_deplace_que_le_satellite() {
        QFETCH(QString, type);
        QFETCH(double, secondes);
        fenetre_de_test f;
        f.option(qPrintable(type))->click();
        f.coller("Text7", QStringLiteral("10"));
        fenetre_trace_sol* c = ouvrir_carte(f);
        carte_trace_sol& carte = const_cast<carte_trace_sol&>(c->carte());
        const std::vector<ligne_geo> morceaux = c->trace().morceaux;
        QPixmap ecran = carte.grab();
        const QRect avant = carte.zone_marque();
        QVERIFY(!avant.isEmpty());
        animation(f).demarrer();
        QVERIFY(animation(f).avancer(secondes));
        animation(f).arreter();
        QVERIFY(c->trace().morceaux == morceaux);
        QCOMPARE(c->trace().sous_satellite, calculer_trace(traj, terre, 3).sous_satellite);
        QVERIFY(carte.zone_marque() != avant);
        const QRegion repeinte = QRegion(avant) | carte.zone_marque();
        QVERIFY(repeinte.boundingRect().width() < carte.width() / 2);
        carte.render(&ecran, repeinte.boundingRect().topLeft(), repeinte);
        QCOMPARE(vue(ecran), peinture_directe(carte));

        f.coller("Text7", QStringLiteral("40"));
        QVERIFY(!(c->trace().morceaux == morceaux));
        QVERIFY(f.rapports.empty());
    }

    // The track stays only while the satellite runs along it: same conic, same Earth,
    // same periapsis passage, within a revolution.
    void meme_trace_data() {
        QTest::addColumn<QString>("changement");
        QTest::addColumn<bool>("meme");
        QTest::newRow("image d'animation") << "image" << true;
        QTest::newRow("anomalie tapée") << "Text7" << false;
        QTest::newRow("plus d'un tour") << "tour" << false;
        QTest::newRow("tir") << "tir" << false;
        QTest::newRow("longitude d'origine") << "origine" << false;
        QTest::newRow("temps en arrière") << "arrière" << false;
    }
    void meme_trace() {
        QFETCH(QString, changement);
        QFETCH(bool, meme);
        fenetre_de_test f;
        const trajectoire depart = traj;
        const horloge_terre h_depart = terre;
        horloge_terre h = terre;
        trajectoire t = traj;
        animation_satellite& a = animation(f);
        const double periode = *calculer_trace(traj, terre, 1).periode;
        if (changement == "image" || changement == "tour" || changement == "arrière") {
            a.demarrer();
            QVERIFY(a.avancer(changement == "tour" ? 1.01 * periode / a.acceleration() : 0.5));
            a.arreter();
            t = traj;
            h = terre;
        } else if (changement == "Text7") {
            f.coller("Text7", QStringLiteral("26"));
            t = traj;
        } else if (changement == "tir") {
            f.coller("Text8", QStringLiteral("100"));
            f.controle<QPushButton>("cmd_tir")->click();
            t = traj;
            h = terre;
        } else if (changement == "origine") {
            h.longitude_origine += 10.0;
        }
        if (changement == "arrière") {
            QCOMPARE(sur_la_meme_trace(t, h, depart, h_depart), meme);
        } else {
            QCOMPARE(sur_la_meme_trace(depart, h_depart, t, h), meme);
        }
        QVERIFY(sur_la_meme_trace(depart, h_depart, depart, h_depart));
    }
};
TRAJEL_TEST(TestCarteCouches);

#include "test_carte_couches.moc"
