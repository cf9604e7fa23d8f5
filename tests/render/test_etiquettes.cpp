// The labels' placement of the large view: piles on one anchor, labels on and inside the
// Earth's disc, labels at the view's edges; and the Earth's disc read back from the
// display list the scene draws.

#include "commun/principal.h"
#include "render/etiquettes.h"
#include "render/outils_rendu.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"

#include <QTest>

#include <cmath>

using namespace trajel;
using trajel::test::module_de_test;

namespace {

using etiquettes = std::vector<etiquette_a_placer>;

// n labels of 20 px high, of growing widths, all anchored at (x, y).
etiquettes pile(int n, double x, double y) {
    etiquettes e;
    for (int i = 0; i < n; ++i) {
        e.push_back({x, y, 30.0 + 25.0 * (i % 3), 20.0, 0});
    }
    return e;
}

QString cadre_texte(const rectangle_etiquette& r) {
    return QString("(%1, %2, %3 x %4)").arg(r.x).arg(r.y).arg(r.largeur).arg(r.hauteur);
}

double distance_ancre(const etiquette_a_placer& e, const rectangle_etiquette& r) {
    return std::hypot(e.ancre_x - std::clamp(e.ancre_x, r.x, r.droite()),
                      e.ancre_y - std::clamp(e.ancre_y, r.y, r.bas()));
}

} // namespace

Q_DECLARE_METATYPE(trajel::etiquette_a_placer)
Q_DECLARE_METATYPE(trajel::disque_plan)
Q_DECLARE_METATYPE(trajel::rectangle_etiquette)

class TestEtiquettes : public QObject {
    Q_OBJECT
private slots:
    // Whatever the crowd: no two frames overlap, none touches the Earth's disc, each
    // stays inside the view, its own size, near its anchor (`loin` line heights at
    // most), and has a leader line exactly when it stands off its anchor.
    void sans_chevauchement_data() {
        QTest::addColumn<etiquettes>("entree");
        QTest::addColumn<disque_plan>("terre");
        QTest::addColumn<rectangle_etiquette>("vue");
        QTest::addColumn<double>("loin");
        const rectangle_etiquette vue{0, 0, 1000, 800};
        const disque_plan sans_terre{0, 0, 0};
        for (int n = 2; n <= 6; ++n) {
            QTest::addRow("pile de %d", n) << pile(n, 500, 400) << sans_terre << vue << 4.0;
        }
        const disque_plan terre{500, 400, 150};
        QTest::newRow("pile de 4 sur le contour") << pile(4, 650, 400) << terre << vue << 5.0;
        QTest::newRow("pile de 3 au-dessus du contour") << pile(3, 500, 245) << terre << vue << 5.0;
        QTest::newRow("dans le disque") << pile(2, 560, 380) << terre << vue << 10.0;
        QTest::newRow("au centre de la Terre") << pile(3, 500, 400) << terre << vue << 12.0;
        QTest::newRow("bord droit") << pile(3, 995, 400) << sans_terre << vue << 4.0;
        QTest::newRow("coin bas droit") << pile(4, 999, 799) << sans_terre << vue << 5.0;
        QTest::newRow("coin haut gauche, ancre au bord")
            << pile(3, 0, 0) << sans_terre << vue << 5.0;
        QTest::newRow("bord et Terre")
            << pile(5, 990, 400) << disque_plan{900, 400, 60} << vue << 8.0;
        etiquettes repere = pile(3, 300, 300);
        repere.push_back({310, 305, 60, 20, 0});
        repere.push_back({295, 290, 40, 20, 0});
        repere.push_back({700, 200, 50, 20, 0});
        QTest::newRow("ancres voisines") << repere << terre << vue << 5.0;
    }
    void sans_chevauchement() {
        QFETCH(etiquettes, entree);
        QFETCH(disque_plan, terre);
        QFETCH(rectangle_etiquette, vue);
        QFETCH(double, loin);
        const std::vector<etiquette_placee> sortie = placer_etiquettes(entree, terre, vue);
        QCOMPARE(sortie.size(), entree.size());
        for (std::size_t i = 0; i < sortie.size(); ++i) {
            const rectangle_etiquette& r = sortie[i].cadre;
            const etiquette_a_placer& e = entree[i];
            QCOMPARE(r.largeur, e.largeur);
            QCOMPARE(r.hauteur, e.hauteur);
            QVERIFY2(r.x >= vue.x && r.y >= vue.y && r.droite() <= vue.droite() &&
                         r.bas() <= vue.bas(),
                     qPrintable(cadre_texte(r)));
            QVERIFY2(!(terre.rayon > 0) || !terre.touche(r), qPrintable(cadre_texte(r)));
            const double d = distance_ancre(e, r);
            QVERIFY2(d <= loin * e.hauteur, qPrintable(QString::number(d)));
            QCOMPARE(sortie[i].renvoi, d > 0.6 * e.hauteur);
            if (sortie[i].renvoi) {
                QCOMPARE(std::hypot(sortie[i].renvoi_x - e.ancre_x, sortie[i].renvoi_y - e.ancre_y),
                         d);
            }
            for (std::size_t j = 0; j < i; ++j) {
                QVERIFY2(!r.chevauche(sortie[j].cadre),
                         qPrintable(QString("%1 %2 / %3 %4")
                                        .arg(i)
                                        .arg(cadre_texte(r))
                                        .arg(j)
                                        .arg(cadre_texte(sortie[j].cadre))));
            }
        }
    }

    // A label with room keeps its own place, its top-left corner on its anchor, with no
    // leader; of two on one anchor the first keeps it, or the higher priority.
    void place_propre_data() {
        QTest::addColumn<etiquettes>("entree");
        QTest::addColumn<int>("garde"); // the label that keeps its place
        QTest::newRow("seule") << etiquettes{{100, 100, 40, 20, 0}} << 0;
        QTest::newRow("deux, la première")
            << etiquettes{{100, 100, 40, 20, 0}, {100, 100, 60, 20, 0}} << 0;
        QTest::newRow("deux, la prioritaire")
            << etiquettes{{100, 100, 40, 20, 0}, {100, 100, 60, 20, 1}} << 1;
    }
    void place_propre() {
        QFETCH(etiquettes, entree);
        QFETCH(int, garde);
        const auto sortie = placer_etiquettes(entree, disque_plan{600, 600, 50},
                                              rectangle_etiquette{0, 0, 800, 800});
        const etiquette_placee& p = sortie[static_cast<std::size_t>(garde)];
        QCOMPARE(p.cadre.x, entree[static_cast<std::size_t>(garde)].ancre_x);
        QCOMPARE(p.cadre.y, entree[static_cast<std::size_t>(garde)].ancre_y);
        QVERIFY(!p.renvoi);
        for (std::size_t i = 0; i < sortie.size(); ++i) {
            QVERIFY(!sortie[i].renvoi); // the others stay beside the anchor
            QVERIFY(i == static_cast<std::size_t>(garde) ||
                    !(sortie[i].cadre.x == entree[i].ancre_x &&
                      sortie[i].cadre.y == entree[i].ancre_y));
        }
    }

    // A label wholly outside the view is not seen: it stays where it is and does not push
    // a seen one off its place.
    void hors_de_la_vue() {
        const etiquettes e{{-500, -500, 40, 20, 1}, {10, 10, 40, 20, 0}};
        const auto sortie =
            placer_etiquettes(e, disque_plan{}, rectangle_etiquette{0, 0, 200, 200});
        QCOMPARE(sortie[0].cadre.x, -500.0);
        QCOMPARE(sortie[1].cadre.x, 10.0);
        QCOMPARE(sortie[1].cadre.y, 10.0);
    }

    // The Earth's disc read from the scene's list: centred on the picture's centre, of
    // 3618 km at k = Hc zoom / 16000 twips a km (the list's whole units).
    void disque_de_la_scene_data() {
        QTest::addColumn<int>("longitude");
        QTest::addColumn<int>("latitude");
        QTest::addColumn<double>("zoom_vue");
        QTest::newRow("démarrage") << 20 << 40 << 1.0;
        QTest::newRow("vue du pôle") << 0 << 90 << 1.0;
        QTest::newRow("équateur, zoom 0,3") << -60 << 0 << 0.3;
        QTest::newRow("zoom 3") << 150 << -30 << 3.0;
    }
    void disque_de_la_scene() {
        QFETCH(int, longitude);
        QFETCH(int, latitude);
        QFETCH(double, zoom_vue);
        module_de_test m;
        m.fenetre.hscroll = longitude;
        m.fenetre.vscroll = -latitude;
        zoom = zoom_vue;
        SANS_ERREUR(tracer_terre());
        const std::optional<disque_plan> d = disque_terre(m.fenetre.image.elements());
        QVERIFY(d.has_value());
        QCOMPARE(d->x, std::floor(largeur_image / 2.0));
        QCOMPARE(d->y, std::floor(hauteur_image / 2.0));
        const double rayon = rayon_terre * hauteur_image * zoom_vue / 16000.0;
        QVERIFY2(std::abs(d->rayon - rayon) <= 2.0, qPrintable(QString::number(d->rayon)));
    }

    // No line, or a list that starts elsewhere than at the Earth's centre: no disc.
    void sans_disque() {
        QVERIFY(!disque_terre({}).has_value());
        element_affichage texte;
        texte.nature = element_affichage::genre::texte;
        texte.texte = "S";
        QVERIFY(!disque_terre({texte}).has_value());
        element_affichage axe; // from the centre only
        axe.x1 = 100;
        axe.y1 = 100;
        axe.x2 = 300;
        axe.y2 = 50;
        QVERIFY(!disque_terre({axe, texte, axe}).has_value());
    }
};
TRAJEL_TEST(TestEtiquettes);

#include "test_etiquettes.moc"
