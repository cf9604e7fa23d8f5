// The projector through the real window at 1920 x 1080: "Ajuster la vue" centres and
// fills with the drawn conic, the picture moved by the mouse and brought back by
// Ctrl+0, the main window's picture untouched; "Couleurs pour projecteur" and the lines
// actually painted.

#include "appareil_enregistreur.h"
#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/panneau_projecteur.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <set>

using namespace trajel;
using namespace trajel::test;

namespace {

QColor qcouleur(const couleur_rgb& c) {
    return QColor(c.r, c.g, c.b);
}

double distance(const QColor& a, const QColor& b) {
    return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

// Relative luminance (sRGB) and the contrast of a colour against white.
double contraste_sur_blanc(const QColor& c) {
    auto lineaire = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    const double l =
        0.2126 * lineaire(c.red()) + 0.7152 * lineaire(c.green()) + 0.0722 * lineaire(c.blue());
    return 1.05 / (l + 0.05);
}

// The projector of the real window, 1920 x 1080.
vue_agrandie* projecteur(fenetre_de_test& f) {
    f.controle<QAction>("menu_mode_projecteur")->trigger();
    auto* outils = f.fenetre->findChild<outils_image*>(QStringLiteral("outils_image"));
    vue_agrandie* vue = outils->vue();
    vue->showNormal();
    vue->setFixedSize(1920, 1080);
    return vue;
}

// The box of the conic's steps in the display list: lines of the trajectory's colour,
// drawn solid at width 2 or dotted, none from the Earth's centre (the frames' origin,
// where the list's first line, the equatorial X0 axis, starts).
QRectF boite_conique(const std::vector<element_affichage>& liste) {
    const QPointF origine(liste.front().x1, liste.front().y1);
    QRectF boite;
    for (const element_affichage& e : liste) {
        const QPointF a(e.x1, e.y1), b(e.x2, e.y2);
        if (e.nature != element_affichage::genre::trait || e.couleur != couleur_trajectoire ||
            !(e.epaisseur == 2 || e.style == style_pointille) || a == origine || b == origine) {
            continue;
        }
        boite = boite.united(QRectF(a, b).normalized().adjusted(0, 0, 1e-9, 1e-9));
    }
    return boite;
}

QRectF dans_la_vue(const vue_agrandie* vue, const QRectF& boite) {
    return QRectF(vue->vers_fenetre(boite.topLeft()), vue->vers_fenetre(boite.bottomRight()));
}

void souris(QWidget* w, QEvent::Type type, QPointF p, Qt::MouseButton bouton,
            Qt::MouseButtons boutons, Qt::KeyboardModifiers touches) {
    QMouseEvent e(type, p, w->mapToGlobal(p), bouton, boutons, touches);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestProjecteur : public QObject {
    Q_OBJECT
private slots:
    // "Ajuster la vue" in the projector: the conic's box centred within 5 % of the view,
    // filling its height or width within the 8 % margin; the main window's view and
    // picture as they were. Ctrl+0 brings back the picture as the main window shows it.
    void ajuster_centre_data() {
        QTest::addColumn<QString>("orbite");
        for (const char* preset : {"menu_kourou_circulaire", "menu_GTO_IV", "menu_GTO_V",
                                   "menu_baikonour_circulaire", "menu_canaveral_circulaire"}) {
            QTest::newRow(preset) << QString::fromLatin1(preset);
        }
        QTest::newRow("hyperbole") << QStringLiteral("Option_hyperbolique");
        QTest::newRow("hyperbole, zoom 3") << QStringLiteral("Option_hyperbolique+zoom");
    }
    void ajuster_centre() {
        QFETCH(QString, orbite);
        fenetre_de_test f;
        if (orbite.startsWith("Option_hyperbolique")) {
            f.option("Option_hyperbolique")->click();
            if (orbite.endsWith("+zoom")) {
                for (int i = 0; i < 10; ++i) {
                    f.controle<QPushButton>("Command4")->click(); // "Zoom +": 3
                }
            }
        } else {
            f.controle<QAction>(orbite.toLatin1().constData())->trigger();
        }
        QVERIFY(f.rapports.empty());
        const std::vector<element_affichage> avant = f.image()->elements_affiches();
        const double zoom_avant = zoom;
        vue_agrandie* vue = projecteur(f);
        vue->findChild<QAction*>(QStringLiteral("vue_agrandie_ajuster"))->trigger();
        QVERIFY(f.rapports.empty());
        QCOMPARE(zoom, zoom_avant);
        QVERIFY(f.image()->elements_affiches() == avant);

        const QRectF visible = vue->zone_visible();
        const QRectF boite = dans_la_vue(vue, boite_conique(avant));
        QVERIFY(!boite.isEmpty());
        QVERIFY2(std::abs(boite.center().x() - visible.center().x()) <= 0.05 * visible.width() &&
                     std::abs(boite.center().y() - visible.center().y()) <= 0.05 * visible.height(),
                 qPrintable(QStringLiteral("centre %1,%2 de la vue %3,%4")
                                .arg(boite.center().x())
                                .arg(boite.center().y())
                                .arg(visible.center().x())
                                .arg(visible.center().y())));
        // With the Earth's disc, 3618 km about its centre (the list's first point), the
        // picture fills the height or the width but for the margin.
        const double rayon = 3618.0 * f.image()->Height() * zoom / 16000.0;
        const QPointF centre(avant.front().x1, avant.front().y1);
        const QRectF cadre =
            dans_la_vue(vue, boite_conique(avant).united(QRectF(centre - QPointF(rayon, rayon),
                                                                centre + QPointF(rayon, rayon))));
        const double remplie =
            std::max(cadre.width() / visible.width(), cadre.height() / visible.height());
        QVERIFY2(std::abs(remplie - 0.92) < 0.005, qPrintable(QString::number(remplie)));

        vue->findChild<QAction*>(QStringLiteral("vue_agrandie_vue_initiale"))->trigger();
        QCOMPARE(vue->facteur_cadrage(), 1.0);
        QCOMPARE(vue->vers_fenetre(QPointF(0, 0)), vue->zone_scene().topLeft());
        QVERIFY(f.image()->elements_affiches() == avant);
    }

    // The picture moved by the middle button or Shift + left drag, by the drag's
    // pixels; a plain left drag turns the view as before and moves nothing.
    void deplacer_data() {
        QTest::addColumn<int>("bouton");
        QTest::addColumn<int>("touches");
        QTest::addColumn<bool>("deplace");
        QTest::newRow("bouton du milieu") << int(Qt::MiddleButton) << int(Qt::NoModifier) << true;
        QTest::newRow("Maj + gauche") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << true;
        QTest::newRow("gauche: la vue tourne")
            << int(Qt::LeftButton) << int(Qt::NoModifier) << false;
    }
    void deplacer() {
        QFETCH(int, bouton);
        QFETCH(int, touches);
        QFETCH(bool, deplace);
        fenetre_de_test f;
        vue_agrandie* vue = projecteur(f);
        const int longitude = f.fenetre->scene().longitude;
        const QPointF repere = vue->vers_fenetre(QPointF(1000, 1000));
        const auto b = static_cast<Qt::MouseButton>(bouton);
        const auto m = static_cast<Qt::KeyboardModifiers>(touches);
        souris(vue, QEvent::MouseButtonPress, {400, 400}, b, b, m);
        souris(vue, QEvent::MouseMove, {430, 380}, Qt::NoButton, b, m);
        souris(vue, QEvent::MouseMove, {460, 390}, Qt::NoButton, b, m);
        souris(vue, QEvent::MouseButtonRelease, {460, 390}, b, Qt::NoButton, m);
        const QPointF apres = vue->vers_fenetre(QPointF(1000, 1000));
        if (deplace) {
            QVERIFY(std::abs(apres.x() - repere.x() - 60) < 1e-6);
            QVERIFY(std::abs(apres.y() - repere.y() + 10) < 1e-6);
            QCOMPARE(f.fenetre->scene().longitude, longitude);
        } else {
            QCOMPARE(apres, repere);
            QVERIFY(f.fenetre->scene().longitude != longitude);
        }
        // Ctrl+0 there: no more pan.
        vue->findChild<QAction*>(QStringLiteral("vue_agrandie_vue_initiale"))->trigger();
        QCOMPARE(vue->vers_fenetre(QPointF(0, 0)), vue->zone_scene().topLeft());
    }

    // The lines actually painted at 1920 x 1080, after the Kourou circle (its far side
    // hidden by the Earth). With the
    // projector's colours: each at least 3 pixels wide, the hidden steps still dotted,
    // every frame's colour apart from black and from the others and standing out on
    // white, the legend in those colours; without, the palette's own colours, the
    // frames' check failing on the navy node line.
    void couleurs_data() {
        QTest::addColumn<bool>("mode_projecteur");
        QTest::addColumn<int>("choix"); // -1: as the mode sets it, else checked or not
        QTest::addColumn<bool>("couleurs");
        QTest::newRow("projecteur") << true << -1 << true;
        QTest::newRow("projecteur, décochées") << true << 0 << false;
        QTest::newRow("vue agrandie") << false << -1 << false;
        QTest::newRow("vue agrandie, cochées") << false << 1 << true;
    }
    void couleurs() {
        QFETCH(bool, mode_projecteur);
        QFETCH(int, choix);
        QFETCH(bool, couleurs);
        fenetre_de_test f;
        f.controle<QAction>("menu_kourou_circulaire")->trigger();
        vue_agrandie* vue = projecteur(f);
        vue->definir_mode_projecteur(mode_projecteur);
        if (choix >= 0) {
            vue->findChild<QAction*>(QStringLiteral("vue_agrandie_couleurs_projecteur"))
                ->setChecked(choix == 1);
        }
        QCOMPARE(vue->couleurs_projecteur(), couleurs);
        appareil_enregistreur toile;
        vue->render(&toile);
        QVERIFY(toile.traits.size() > 400);

        const std::vector<element_affichage>& liste = f.image()->elements_affiches();
        auto peinte = [&](std::int16_t n) {
            return couleurs ? qcouleur(palette_projecteur()[static_cast<std::size_t>(n)])
                            : qcouleur(palette(n));
        };
        // Every colour painted is the one the list's palette number maps to.
        std::set<QRgb> attendues;
        for (const element_affichage& e : liste) {
            if (e.nature == element_affichage::genre::trait) {
                attendues.insert(peinte(e.couleur).rgb());
            }
        }
        int pointilles = 0;
        for (const auto& t : toile.traits) {
            if (couleurs) {
                QVERIFY2(t.stylo.widthF() >= 3.0, qPrintable(QString::number(t.stylo.widthF())));
            }
            pointilles += t.stylo.style() == Qt::CustomDashLine ? 1 : 0;
        }
        // Every hidden step still dotted.
        const auto caches = std::count_if(liste.begin(), liste.end(), [](const auto& e) {
            return e.epaisseur == 1 && e.style == style_pointille;
        });
        QVERIFY(caches > 100);
        QCOMPARE(pointilles, caches);

        // The legend's strokes, in the panel, in the frames' painted colours.
        // Past the panel's own margin: scene lines are cut a few pixels beyond the scene.
        const QRectF panneau = vue->zone_panneau().adjusted(20, 0, 0, 0);
        std::vector<QColor> legende;
        for (const auto& t : toile.traits) {
            if (panneau.contains(t.ligne.p1())) {
                legende.push_back(t.stylo.color());
            } else if (t.stylo.color() != couleur_renvoi) { // a moved label's leader line
                QVERIFY(attendues.count(t.stylo.color().rgb()) == 1);
            }
        }
        const std::vector<std::int16_t> cadres = {couleur_terre, couleur_RN, couleur_RH, couleur_RP,
                                                  couleur_trajectoire};
        if (mode_projecteur) {
            QCOMPARE(legende.size(), cadres.size());
            for (std::size_t i = 0; i < cadres.size(); ++i) {
                QCOMPARE(legende[i], peinte(cadres[i]));
            }
        }
        bool distinctes = true;
        for (std::size_t i = 0; i < cadres.size(); ++i) {
            const QColor a = peinte(cadres[i]);
            distinctes = distinctes && contraste_sur_blanc(a) >= 3.0;
            if (cadres[i] != couleur_terre) {
                distinctes = distinctes && distance(a, Qt::black) >= 160.0;
            }
            for (std::size_t j = i + 1; j < cadres.size(); ++j) {
                distinctes = distinctes && distance(a, peinte(cadres[j])) >= 120.0;
            }
        }
        QCOMPARE(distinctes, couleurs);
    }
};
TRAJEL_TEST(TestProjecteur);

#include "test_projecteur.moc"
