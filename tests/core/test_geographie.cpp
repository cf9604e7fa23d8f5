// The turning Earth's geography: the reduced longitude, the point under a position,
// lines cut at the map's edge, the coastline reader and the converted coastline file.

#include "commun/principal.h"
#include "core/geographie.h"
#include "core/module1.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace trajel;

Q_DECLARE_METATYPE(trajel::ligne_geo)

namespace {

bool proches(const point_geo& a, const point_geo& b, double tolerance = 1e-9) {
    return std::abs(a.longitude - b.longitude) <= tolerance &&
           std::abs(a.latitude - b.latitude) <= tolerance;
}

} // namespace

class TestGeographie : public QObject {
    Q_OBJECT
private slots:
    void longitude_reduite_data() {
        QTest::addColumn<double>("degres");
        QTest::addColumn<double>("reduite");
        QTest::newRow("dans l'intervalle") << -52.8 << -52.8;
        QTest::newRow("bord ouest gardé") << -180.0 << -180.0;
        QTest::newRow("bord est ramené à l'ouest") << 180.0 << -180.0;
        QTest::newRow("juste avant le bord est") << 179.999 << 179.999;
        QTest::newRow("un tour de plus") << 370.0 << 10.0;
        QTest::newRow("négatif au-delà") << -190.0 << 170.0;
        QTest::newRow("plusieurs tours") << -3.0 * 360.0 + 5.0 << 5.0;
    }
    void longitude_reduite() {
        QFETCH(double, degres);
        QFETCH(double, reduite);
        QVERIFY(std::abs(trajel::longitude_reduite(degres) - reduite) < 1e-9);
    }

    // Right ascension minus the Earth's angle, and the declination; the centre has none.
    void point_sous_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("z");
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("latitude");
        QTest::newRow("sur X0") << 7000.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("sur y0, la Terre tournée de 30°")
            << 0.0 << 7000.0 << 0.0 << 30.0 << 60.0 << 0.0;
        QTest::newRow("à 45° de latitude") << 5000.0 << 0.0 << 5000.0 << -10.0 << 10.0 << 45.0;
        QTest::newRow("pôle sud") << 0.0 << 0.0 << -4000.0 << 0.0 << 0.0 << -90.0;
        QTest::newRow("passage du bord") << -7000.0 << -1.0 << 0.0 << 0.0 << -179.99181 << 0.0;
    }
    void point_sous() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, z);
        QFETCH(double, angle);
        QFETCH(double, longitude);
        QFETCH(double, latitude);
        const point_geo g = trajel::point_sous({x, y, z}, angle);
        QVERIFY2(proches(g, {longitude, latitude}, 1e-5),
                 qPrintable(QStringLiteral("%1 %2").arg(g.longitude).arg(g.latitude)));
    }
    void point_sous_centre() {
        QVERIFY_THROWS_EXCEPTION(erreur_calcul, trajel::point_sous({0.0, 0.0, 0.0}, 0.0));
    }

    // The Earth turns eastwards: a sidereal day is a whole turn; Greenwich lies on X0 at
    // the origin unless another meridian is put there.
    void angle_de_la_terre() {
        QCOMPARE(angle_terre({}, 0.0), 0.0);
        QVERIFY(std::abs(angle_terre({}, jour_sideral) - 360.0) < 1e-9);
        QVERIFY(std::abs(angle_terre({}, 3600.0) - 15.0410672) < 1e-6);
        QCOMPARE(angle_terre({-52.8, 0.0}, 0.0), 52.8);
        // A place on the globe and the point under it agree, whatever the angle.
        const point_geo kourou{-52.8, 5.2};
        QVERIFY(proches(trajel::point_sous(point_du_globe(kourou, 123.4), 123.4), kourou, 1e-6));
    }

    void couper_au_bord_data() {
        QTest::addColumn<ligne_geo>("ligne");
        QTest::addColumn<QList<ligne_geo>>("morceaux");
        QTest::newRow("vide") << ligne_geo{} << QList<ligne_geo>{};
        QTest::newRow("sans passage") << ligne_geo{{-10, 0}, {10, 5}, {170, 6}}
                                      << QList<ligne_geo>{{{-10, 0}, {10, 5}, {170, 6}}};
        QTest::newRow("vers l'est par 180")
            << ligne_geo{{170, 0}, {-170, 10}}
            << QList<ligne_geo>{{{170, 0}, {180, 5}}, {{-180, 5}, {-170, 10}}};
        QTest::newRow("vers l'ouest par -180, à un quart")
            << ligne_geo{{-175, 0}, {165, -20}}
            << QList<ligne_geo>{{{-175, 0}, {-180, -5}}, {{180, -5}, {165, -20}}};
        QTest::newRow("deux passages")
            << ligne_geo{{179, 0}, {-179, 2}, {179, 4}}
            << QList<ligne_geo>{
                   {{179, 0}, {180, 1}}, {{-180, 1}, {-179, 2}, {-180, 3}}, {{180, 3}, {179, 4}}};
        QTest::newRow("pas de 180° tout juste, gardé")
            << ligne_geo{{-90, 0}, {90, 0}} << QList<ligne_geo>{{{-90, 0}, {90, 0}}};
    }
    void couper_au_bord() {
        QFETCH(ligne_geo, ligne);
        QFETCH(QList<ligne_geo>, morceaux);
        const std::vector<ligne_geo> r = trajel::couper_au_bord(ligne);
        QCOMPARE(r.size(), static_cast<std::size_t>(morceaux.size()));
        for (std::size_t i = 0; i < r.size(); ++i) {
            QCOMPARE(r[i].size(), morceaux[i].size());
            for (std::size_t k = 0; k < r[i].size(); ++k) {
                QVERIFY(proches(r[i][k], morceaux[i][k]));
            }
        }
    }

    void lire_cotes_data() {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QList<int>>("tailles");
        QTest::newRow("vide") << QByteArray() << QList<int>{};
        QTest::newRow("deux lignes")
            << QByteArray("# c\n>\n1 2\n3 4\n>\n5 6\n7 8\n9 10\n") << QList<int>{2, 3};
        QTest::newRow("sans '>' initial, sans fin de ligne")
            << QByteArray("1 2\n3 4") << QList<int>{2};
        QTest::newRow("ligne d'un point abandonnée")
            << QByteArray(">\n1 2\n>\n3 4\n5 6\n") << QList<int>{2};
        QTest::newRow("rangs illisibles sautés")
            << QByteArray(">\n1 2\nabc\n3\n4 x\n5  6\n7 8 9\nnan 1\n10 11\n") << QList<int>{2};
    }
    void lire_cotes() {
        QFETCH(QByteArray, texte);
        QFETCH(QList<int>, tailles);
        const auto lignes = trajel::lire_cotes(std::string_view(texte.constData(), texte.size()));
        QCOMPARE(lignes.size(), static_cast<std::size_t>(tailles.size()));
        for (std::size_t i = 0; i < lignes.size(); ++i) {
            QCOMPARE(static_cast<int>(lignes[i].size()), tailles[i]);
        }
    }

    // The file of the resources: a few thousand points, the count its header states,
    // the whole globe in longitude, from the Antarctic ice front (about 78.6° S at the
    // Ross and Ronne shelves) to the north of Greenland (83.6° N); the coast passes by
    // the three launch sites, which stand on it.
    void fichier_des_cotes() {
        QFile f(QStringLiteral(TRAJEL_COTES));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray texte = f.readAll();
        const auto lignes = trajel::lire_cotes(std::string_view(texte.constData(), texte.size()));
        std::size_t points = 0;
        point_geo min{1e9, 1e9}, max{-1e9, -1e9};
        for (const ligne_geo& l : lignes) {
            points += l.size();
            for (const point_geo& p : l) {
                min = {std::min(min.longitude, p.longitude), std::min(min.latitude, p.latitude)};
                max = {std::max(max.longitude, p.longitude), std::max(max.latitude, p.latitude)};
            }
        }
        QVERIFY(texte.contains(
            QStringLiteral("# %1 lines, %2 points\n").arg(lignes.size()).arg(points).toLatin1()));
        QVERIFY(points >= 2000 && points <= 8000);
        QCOMPARE(min.longitude, -180.0);
        QCOMPARE(max.longitude, 180.0);
        QVERIFY(std::abs(min.latitude - -78.6) < 0.5);
        QVERIFY(std::abs(max.latitude - 83.6) < 0.5);
        for (const point_geo site : {point_geo{-52.8, 5.2}, point_geo{-80.6, 28.5}}) {
            double plus_pres = 1e9; // degrees, from the site to the coast's segments
            for (const ligne_geo& l : lignes) {
                for (std::size_t k = 1; k < l.size(); ++k) {
                    const double ax = l[k - 1].longitude, ay = l[k - 1].latitude;
                    const double dx = l[k].longitude - ax, dy = l[k].latitude - ay;
                    const double d2 = dx * dx + dy * dy;
                    const double f =
                        d2 == 0.0
                            ? 0.0
                            : std::clamp(((site.longitude - ax) * dx + (site.latitude - ay) * dy) /
                                             d2,
                                         0.0, 1.0);
                    plus_pres = std::min(plus_pres, std::hypot(ax + f * dx - site.longitude,
                                                               ay + f * dy - site.latitude));
                }
            }
            QVERIFY2(plus_pres < 0.5, qPrintable(QString::number(plus_pres)));
        }
    }
};

TRAJEL_TEST(TestGeographie);
#include "test_geographie.moc"
