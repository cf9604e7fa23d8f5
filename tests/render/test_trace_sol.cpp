// The ground track against values found independently of it (spherical trigonometry,
// Kepler's third law), its map's display list, and the coastlines on the globe.

#include "commun/principal.h"
#include "core/geographie.h"
#include "render/continents.h"
#include "render/outils_rendu.h"
#include "render/scene.h"
#include "render/trace_sol.h"
#include "soutien/faux_formulaire.h"
#include "soutien/references.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace trajel;
using trajel::test::module_de_test;
using trajel::test::orbite;

Q_DECLARE_METATYPE(trajel::trajectoire)

namespace {

constexpr double degre = 3.14159265358979323846 / 180.0;

// A circle of radius r (km), its period from Kepler's third law.
double periode_cercle(double r) {
    return 2.0 * 3.14159265358979323846 * std::sqrt(r * r * r / mu_terre);
}

std::vector<point_geo> points(const trace_au_sol& t) {
    std::vector<point_geo> r;
    for (const ligne_geo& m : t.morceaux) {
        r.insert(r.end(), m.begin(), m.end());
    }
    return r;
}

trace_au_sol trace_de(const trajectoire& t, const horloge_terre& h, int revolutions) {
    try {
        return calculer_trace(t, h, revolutions);
    } catch (const erreur_calcul& e) {
        qFatal("%s", e.what());
    }
}

// The longitudes east, from the map's first to its second, in [-180, 180).
double ecart_est(double de, double a) {
    return std::fmod(std::fmod(a - de + 180.0, 360.0) + 360.0, 360.0) - 180.0;
}

} // namespace

class TestTraceSol : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        terre = horloge_terre{};
        charger_continents({});
        continents_sur_le_globe = false;
    }

    // A circular orbit's track reaches the latitude of its inclination (180 - i for a
    // retrograde one) and never passes it.
    void latitude_bornee_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<double>("maximum");
        QTest::newRow("Kourou, 7°") << orbite("circulaire", 0, 3818, 20, 7, 0, 25) << 7.0;
        QTest::newRow("Cap Canaveral, 28,5°")
            << orbite("circulaire", 0, 3818, 20, 28.5, 0, 25) << 28.5;
        QTest::newRow("Baïkonour, 45,9°, anomalie non entière")
            << orbite("circulaire", 0, 3818, 0, 45.9, 0, 0.25) << 45.9;
        QTest::newRow("polaire") << orbite("circulaire", 0, 4500, 100, 90, 0, 0) << 90.0;
        QTest::newRow("rétrograde, 98°") << orbite("circulaire", 0, 4500, 0, 98, 0, 10) << 82.0;
        QTest::newRow("équatoriale") << orbite("circulaire", 0, 4500, 0, 0, 0, 10) << 0.0;
    }
    void latitude_bornee() {
        QFETCH(trajectoire, t);
        QFETCH(double, maximum);
        const auto p = points(trace_de(t, {}, 3));
        double plus_haut = 0.0;
        for (const point_geo& g : p) {
            plus_haut = std::max(plus_haut, std::abs(g.latitude));
        }
        QVERIFY2(plus_haut <= maximum + 1e-9, qPrintable(QString::number(plus_haut)));
        // A degree of anomaly apart, the top is missed by at most i (1 - cos 0.5°).
        QVERIFY2(plus_haut >= maximum - 1e-3, qPrintable(QString::number(plus_haut)));
    }

    // The track moves west by the Earth's turn during one period, revolution after
    // revolution: the period from Kepler's third law times 360° / 86164.1 s.
    void decalage_par_revolution_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<double>("a");
        QTest::newRow("cercle de 200 km") << orbite("circulaire", 0, 3818, 20, 7, 0, 25) << 3818.0;
        // 200 x 36000 km: rp = 3818, ra = 39618, e = (ra - rp) / (ra + rp).
        QTest::newRow("GTO") << orbite("elliptique", 35800.0 / 43436.0,
                                       3818.0 * (1.0 + 35800.0 / 43436.0), 20, 7, 0, 25)
                             << (3818.0 + 39618.0) / 2.0;
        QTest::newRow("Molniya") << orbite("elliptique", 0.74, 4000 * 1.74, 0, 63.4, 270, 100)
                                 << 4000.0 / 0.26;
        // Za below Zp: rp = 2000, ra = 3000 km.
        QTest::newRow("apsides inversées")
            << orbite("elliptique", -0.2, 2400, 0, 30, 0, 0) << 2500.0;
    }
    void decalage_par_revolution() {
        QFETCH(trajectoire, t);
        QFETCH(double, a);
        const double attendu = -periode_cercle(a) * 360.0 / 86164.1;
        const trace_au_sol trace = trace_de(t, {}, 4);
        QVERIFY(trace.decalage.has_value());
        QVERIFY2(std::abs(*trace.decalage - attendu) < 1e-5 * std::abs(attendu),
                 qPrintable(QStringLiteral("%1 %2").arg(*trace.decalage).arg(attendu)));
        // Each revolution ends where the satellite started, moved by the shift.
        const auto p = points(trace);
        const point_geo depart = *trace.sous_satellite;
        QCOMPARE(p.front(), depart);
        int revolutions = 0;
        for (std::size_t k = 1; k < p.size(); ++k) {
            const bool bord =
                std::abs(p[k].longitude) == 180.0 && std::abs(p[k - 1].longitude) == 180.0;
            if (!bord && std::abs(p[k].latitude - depart.latitude) < 1e-9 &&
                std::abs(ecart_est(depart.longitude, p[k].longitude) -
                         std::remainder(attendu * (revolutions + 1), 360.0)) < 1e-6) {
                ++revolutions;
            }
        }
        QCOMPARE(revolutions, 4);
    }

    // A circle whose period is the sidereal day, in the equator, stays over one point.
    void orbite_geostationnaire() {
        const double r = std::cbrt(mu_terre * std::pow(86164.1 / (2.0 * 3.141592658), 2.0));
        const trace_au_sol trace =
            trace_de(orbite("circulaire", 0, r, 0, 0, 0, 40), {0.0, 5000.0}, 20);
        QVERIFY(std::abs(*trace.decalage + 360.0) < 1e-9);
        QCOMPARE(trace.morceaux.size(), std::size_t(1));
        const auto p = points(trace);
        QCOMPARE(p.size(), std::size_t(20 * 360 + 1));
        for (const point_geo& g : p) {
            QVERIFY(std::abs(ecart_est(p.front().longitude, g.longitude)) < 1e-6);
            QCOMPARE(g.latitude, 0.0);
        }
        // Right ascension 40° at 5000 s: the Earth has turned 20.89°.
        QVERIFY(std::abs(p.front().longitude - (40.0 - 5000.0 * 360.0 / 86164.1)) < 1e-6);
    }

    // "Orbite tir KOUROU / Circulaire" (200 km, i = 7°, omega = 0, Omega 20° as at
    // start-up), the satellite at the argument of latitude u where sin(5.2°) =
    // sin(7°) sin(u), at right ascension Omega + atan2(cos i sin u, cos u): with that
    // meridian's opposite as the origin longitude, the track starts over Kourou.
    void kourou_a_l_origine() {
        const double u = std::asin(std::sin(5.2 * degre) / std::sin(7.0 * degre)) / degre;
        const double ascension =
            20.0 +
            std::atan2(std::cos(7.0 * degre) * std::sin(u * degre), std::cos(u * degre)) / degre;
        const horloge_terre h{-52.8 - ascension, 0.0};
        const trajectoire kourou = orbite("circulaire", 0, 3818, 20, 7, 0, u);
        const trace_au_sol trace = trace_de(kourou, h, 3);
        QVERIFY(std::abs(trace.sous_satellite->longitude - -52.8) < 1e-6);
        QVERIFY(std::abs(trace.sous_satellite->latitude - 5.2) < 1e-6);
        // On the map, "S" stands by Kourou's diamond.
        surface_enregistree carte(13500, 8000);
        dessiner_carte(carte, {}, trace, {});
        const cadre_carte c = cadre_de_carte(13500, 8000, 0);
        const auto& l = carte.elements();
        const auto s = std::find_if(l.begin(), l.end(), [](const element_affichage& e) {
            return e.nature == element_affichage::genre::texte && e.texte == "S";
        });
        QVERIFY(s != l.end());
        const element_affichage& croix = *(s - 1);
        QVERIFY(std::abs((croix.x1 + croix.x2) / 2.0 - c.x(-52.8)) < 1e-6);
        QVERIFY(std::abs((croix.y1 + croix.y2) / 2.0 - c.y(5.2)) < 1e-6);
    }

    // An open conic: no revolution, the track over the drawn range, the satellite on it.
    void conique_ouverte() {
        const trajectoire t = orbite("hyperbolique", 2, 11754, 10, 30, 0, 30, 60);
        const plage_anomalies plage = plage_tracee(t);
        const trace_au_sol trace = trace_de(t, {}, 3);
        QVERIFY(!trace.decalage && !trace.periode);
        QCOMPARE(static_cast<int>(points(trace).size()) -
                     2 * static_cast<int>(trace.morceaux.size() - 1),
                 plage.fin - plage.debut + 1);
        QVERIFY(trace.sous_satellite.has_value());
    }

    // The start-up orbit's track on the map: red, width 2, and no segment crosses the
    // map; it leaves by one edge and comes back by the other at the same latitude.
    void carte_coupee_au_bord() {
        const trajectoire demarrage =
            orbite("elliptique", 0.17827181208, 4616.4689597, 20, 20, 10, 25);
        surface_enregistree carte(13500, 8000);
        const std::vector<std::string> lignes{"décalage", "crédit"};
        dessiner_carte(carte, {}, trace_de(demarrage, {}, 3), lignes);
        const cadre_carte c = cadre_de_carte(13500, 8000, 2);
        int a_l_est = 0;
        int a_l_ouest = 0;
        int segments = 0;
        const element_affichage* precedent = nullptr;
        for (const element_affichage& e : carte.traits()) {
            if (e.couleur != couleur_trace || e.epaisseur != 2) {
                continue;
            }
            ++segments;
            QVERIFY(std::abs(e.x2 - e.x1) < c.largeur / 2.0);
            if (e.x2 == c.x(180.0)) {
                ++a_l_est;
                precedent = &e;
            } else if (e.x1 == c.x(-180.0)) {
                ++a_l_ouest;
                QVERIFY(precedent != nullptr && precedent->y2 == e.y1);
            }
        }
        QVERIFY(segments >= 3 * 360);
        QVERIFY(a_l_est >= 3);
        QCOMPARE(a_l_ouest, a_l_est);
        QCOMPARE(carte.textes().back().texte, std::string("crédit"));
    }

    // Off, the scene is the plain one; on, the coasts come right after the Earth's grid
    // in its colour and width 1, solid where their start faces the viewer and dotted
    // elsewhere, turned with the Earth: a sidereal day later they are where they were.
    void continents_globe_data() {
        QTest::addColumn<double>("temps");
        QTest::addColumn<bool>("comme_a_l_origine");
        QTest::newRow("origine") << 0.0 << true;
        QTest::newRow("un quart de tour") << 86164.1 / 4.0 << false;
        QTest::newRow("un jour sidéral") << 86164.1 << true;
    }
    void continents_globe() {
        QFETCH(double, temps);
        QFETCH(bool, comme_a_l_origine);
        module_de_test m;
        trajel::test::brancher_gestionnaires(m.fenetre);
        auto dessin = [&m] {
            try {
                rafraichissement_complet();
            } catch (const erreur_calcul& e) {
                qFatal("%s", e.what());
            }
            return m.fenetre.image.elements();
        };
        const auto simple = dessin();
        m.fenetre.image.Cls();
        SANS_ERREUR(tracer_terre());
        const auto terre_seule = static_cast<std::ptrdiff_t>(m.fenetre.image.elements().size());
        // Two lines from the viewer's side (longitude 20, latitude 40) to the far side.
        charger_continents({{{20, 40}, {20, 10}, {20, -20}}, {{200, -40}, {200, -10}, {20, 30}}});
        QCOMPARE(dessin(), simple);

        continents_sur_le_globe = true;
        const auto a_l_origine = dessin();
        terre.temps = temps;
        const auto avec = dessin();
        QCOMPARE(avec.size(), simple.size() + 4);
        QVERIFY(std::equal(simple.begin(), simple.begin() + terre_seule, avec.begin()));
        QVERIFY(
            std::equal(simple.begin() + terre_seule, simple.end(), avec.begin() + terre_seule + 4));
        const int styles[] = {style_plein, style_plein, style_pointille, style_pointille};
        bool memes_places = true;
        for (int k = 0; k < 4; ++k) {
            const element_affichage& e = avec[terre_seule + k];
            const element_affichage& o = a_l_origine[terre_seule + k];
            QCOMPARE(e.couleur, couleur_terre);
            QCOMPARE(e.epaisseur, 1);
            QCOMPARE(e.style, styles[k]);
            memes_places = memes_places && std::abs(e.x1 - o.x1) <= 1.0 &&
                           std::abs(e.y1 - o.y1) <= 1.0 && std::abs(e.x2 - o.x2) <= 1.0 &&
                           std::abs(e.y2 - o.y2) <= 1.0;
        }
        QCOMPARE(memes_places, comme_a_l_origine);
        QCOMPARE(m.fenetre.image.DrawStyle(), style_plein);
    }
};

TRAJEL_TEST(TestTraceSol);
#include "test_trace_sol.moc"
