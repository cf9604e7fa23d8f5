// The Earth models in the computations: the geostationary circle of each, the plan to it
// against the textbook formulas (Hohmann, and the plane change combined at the transfer's
// apoapsis), each impulse applied giving the orbit it aims at, and a burn of the real
// Earth against the rocket equation in SI.

#include "commun/principal.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/planificateur.h"
#include "manoeuvre/vol_propulse.h"
#include "outils_manoeuvre.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace trajel;
using namespace trajel::test;

namespace {

const modele_terre& modele_nomme(const QString& nom) {
    return nom == "reelle" ? terre_reelle : terre_du_programme;
}

// A circle of altitude z and inclination i, as calcul_trajectoire makes it in the fake
// window, around `m`.
// The speeds of a Hohmann transfer from the circle of r1 to the circle of r2: the first
// circle's, the transfer's at r1 and at r2, the second circle's.
struct vitesses {
    double v1, vt1, vt2, v2;
};
vitesses vitesses_hohmann(const modele_terre& m, double r1, double r2) {
    return {std::sqrt(m.mu / r1), std::sqrt(m.mu * (2.0 / r1 - 2.0 / (r1 + r2))),
            std::sqrt(m.mu * (2.0 / r2 - 2.0 / (r1 + r2))), std::sqrt(m.mu / r2)};
}

trajectoire cercle(double z, double i, double anomalie, const modele_terre& m) {
    auto& f = *static_cast<faux_formulaire*>(Form1);
    f.choisir(bouton_option::Option_circulaire);
    f.ecrire(zone_texte::Text2, Str(z));
    f.ecrire(zone_texte::Text4, Str(i));
    f.ecrire(zone_texte::Text5, "0");
    f.ecrire(zone_texte::Text7, Str(anomalie));
    calcul_trajectoire(traj, m);
    return traj;
}

// An ellipse of apsis altitudes zp, za, inclination i and argument of periapsis w, around
// `m`.
trajectoire ellipse(double zp, double za, double i, double w, const modele_terre& m) {
    auto& f = *static_cast<faux_formulaire*>(Form1);
    f.choisir(bouton_option::Option_elliptique);
    f.ecrire(zone_texte::Text1, Str(za));
    f.ecrire(zone_texte::Text2, Str(zp));
    f.ecrire(zone_texte::Text4, Str(i));
    f.ecrire(zone_texte::Text5, Str(w));
    f.ecrire(zone_texte::Text7, "25");
    calcul_trajectoire(traj, m);
    return traj;
}

// The impulse applied to the state at its point, around `m`.
trajectoire appliquer(trajectoire t, const tir_impulsionnel& tir, const modele_terre& m) {
    t.anomalie = tir.anomalie;
    vecteur r;
    vecteur v;
    conversion_etat(1, t, r, v, m);
    const repere L = repere_local_de(r, v);
    for (int i = 1; i <= 3; ++i) {
        v(i) += tir.delta_v *
                (tir.direction.x * L.u(i) + tir.direction.y * L.v(i) + tir.direction.z * L.w(i));
    }
    trajectoire R;
    conversion_etat(2, R, r, v, m);
    return R;
}

demande_manoeuvre vers_geo(const modele_terre& m) {
    demande_manoeuvre d;
    d.genre = genre_manoeuvre::geostationnaire;
    d.modele = m;
    return d;
}

} // namespace

class TestModeleTerre : public QObject {
    Q_OBJECT
    std::unique_ptr<module_de_test> module;
private slots:
    void init() { module = std::make_unique<module_de_test>(); }
    void cleanup() { module.reset(); }

    // The circle of one sidereal day: 38546 km above this program's Earth, 35786 km
    // above the real one; its period is the day to 1e-12.
    void rayon_geostationnaire_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("altitude");
        QTest::newRow("programme") << "programme" << 38546.0;
        QTest::newRow("reelle") << "reelle" << 35786.0;
    }
    void rayon_geostationnaire() {
        QFETCH(QString, modele);
        QFETCH(double, altitude);
        const modele_terre& m = modele_nomme(modele);
        const double r = trajel::rayon_geostationnaire(m);
        QCOMPARE(std::round(r - m.rayon), altitude);
        const double periode = 2.0 * m.pi * std::sqrt(r * r * r / m.mu);
        PROCHE(periode / m.jour_sideral, 1.0, 1e-12);
    }

    // From an equatorial circle of 200 km: the Hohmann transfer, each burn against
    // (mu / r)^0.5 and the transfer ellipse's speeds, both applied in turn giving the
    // geostationary circle. The real Earth gives the textbook 2.455 + 1.478 km/s.
    void hohmann_geostationnaire_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("total_arrondi"); // km/s, to 0.01; 0 when not stated
        QTest::newRow("programme") << "programme" << 0.0;
        QTest::newRow("reelle") << "reelle" << 3.93;
    }
    void hohmann_geostationnaire() {
        QFETCH(QString, modele);
        QFETCH(double, total_arrondi);
        const modele_terre& m = modele_nomme(modele);
        const trajectoire t = cercle(200.0, 0.0, 30.0, m);
        const plan_manoeuvre plan = planifier(t, vers_geo(m));
        QCOMPARE(plan.tirs.size(), std::size_t(2));
        const double r1 = m.rayon + 200.0;
        const double r2 = trajel::rayon_geostationnaire(m);
        const auto [v1, vt1, vt2, v2] = vitesses_hohmann(m, r1, r2);
        PROCHE(plan.tirs[0].delta_v, vt1 - v1, 1e-9);
        PROCHE(plan.tirs[1].delta_v, v2 - vt2, 1e-9);
        if (total_arrondi != 0.0) {
            PROCHE(std::round(plan.delta_v_total * 100.0) / 100.0, total_arrondi, 1e-12);
        }
        const double demi = m.pi * std::sqrt(std::pow((r1 + r2) / 2.0, 3) / m.mu);
        PROCHE(*plan.duree_transfert, demi, 1e-6);

        const trajectoire transfert = appliquer(t, plan.tirs[0], m);
        PROCHE(transfert.za, r2 - m.rayon, 1e-3);
        const plan_manoeuvre suite = planifier_suite(transfert, vers_geo(m));
        QCOMPARE(suite.tirs.size(), std::size_t(1));
        const trajectoire arrivee = appliquer(transfert, suite.tirs[0], m);
        PROCHE(arrivee.zp, r2 - m.rayon, 1e-3);
        PROCHE(arrivee.za, r2 - m.rayon, 1e-3);
    }

    // From an inclined circle: the plane change made with the second burn, at the
    // transfer's apoapsis (a node), (vt2^2 + v2^2 - 2 vt2 v2 cos i)^0.5, said so in the
    // plan; cheaper than the transfer plus the plane change alone; both burns applied
    // give the equatorial geostationary circle.
    void geostationnaire_incline_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("inclinaison");
        QTest::newRow("Cap Canaveral, Terre réelle") << "reelle" << 28.5;
        QTest::newRow("Baïkonour, Terre réelle") << "reelle" << 51.6;
        QTest::newRow("Kourou, Terre du programme") << "programme" << 7.0;
    }
    void geostationnaire_incline() {
        QFETCH(QString, modele);
        QFETCH(double, inclinaison);
        const modele_terre& m = modele_nomme(modele);
        const trajectoire t = cercle(200.0, inclinaison, 30.0, m);
        const plan_manoeuvre plan = planifier(t, vers_geo(m));
        QCOMPARE(plan.tirs.size(), std::size_t(2));
        const double r1 = m.rayon + 200.0;
        const double r2 = trajel::rayon_geostationnaire(m);
        const auto [v1, vt1, vt2, v2] = vitesses_hohmann(m, r1, r2);
        const double i = inclinaison * std::numbers::pi / 180.0;
        PROCHE(plan.tirs[0].delta_v, vt1 - v1, 1e-9);
        PROCHE(plan.tirs[1].delta_v, std::sqrt(vt2 * vt2 + v2 * v2 - 2.0 * vt2 * v2 * std::cos(i)),
               1e-7);
        QVERIFY(plan.delta_v_total < (vt1 - v1) + (v2 - vt2) + 2.0 * v2 * std::sin(i / 2.0));
        QVERIFY(plan.tirs[1].lieu.find("apoastre du transfert") != std::string::npos);
        QVERIFY(plan.tirs[1].lieu.find("moins coûteux") != std::string::npos);

        const trajectoire transfert = appliquer(t, plan.tirs[0], m);
        PROCHE(transfert.inclinaison, inclinaison, 1e-9);
        const plan_manoeuvre suite = planifier_suite(transfert, vers_geo(m));
        QCOMPARE(suite.tirs.size(), std::size_t(1));
        PROCHE(suite.tirs[0].delta_v, plan.tirs[1].delta_v, 1e-6);
        const trajectoire arrivee = appliquer(transfert, suite.tirs[0], m);
        PROCHE(arrivee.inclinaison, 0.0, 1e-6);
        PROCHE(arrivee.zp, r2 - m.rayon, 1e-2);
        PROCHE(arrivee.za, r2 - m.rayon, 1e-2);
    }

    // From an inclined ellipse (the launch menu's GTO): with its apsides on the line of
    // nodes (w = 0), a tangent burn at the periapsis bringing the apoapsis to rc, then at
    // the apoapsis the circle and the plane change in one burn, (va^2 + vc^2 - 2 va vc
    // cos i)^0.5, said so; one burn when the apoapsis is at rc already. With w = 10 the
    // first burn, at a node, also cancels the radial speed. Every plan, applied burn by
    // burn (the second as planifier_suite plans it), gives the equatorial circle of rc.
    void geostationnaire_gto_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("za"); // km; negative: the model's geostationary altitude
        QTest::addColumn<double>("w");  // degrees
        QTest::addColumn<int>("tirs");
        QTest::newRow("GTO, Terre du programme") << "programme" << 36000.0 << 0.0 << 2;
        QTest::newRow("GTO, Terre réelle (apoastre abaissé)") << "reelle" << 36000.0 << 0.0 << 2;
        QTest::newRow("GTO à l'altitude géostationnaire, réelle") << "reelle" << -1.0 << 0.0 << 1;
        QTest::newRow("GTO à l'altitude géostationnaire, programme")
            << "programme" << -1.0 << 180.0 << 1;
        QTest::newRow("GTO w = 10, Terre du programme") << "programme" << 36000.0 << 10.0 << 2;
        QTest::newRow("GTO w = 10, Terre réelle") << "reelle" << 36000.0 << 10.0 << 2;
    }
    void geostationnaire_gto() {
        QFETCH(QString, modele);
        QFETCH(double, za);
        QFETCH(double, w);
        QFETCH(int, tirs);
        const modele_terre& m = modele_nomme(modele);
        const double rc = trajel::rayon_geostationnaire(m);
        const double i = 7.0 * std::numbers::pi / 180.0;
        const double zp = 200.0;
        if (za < 0.0) {
            za = rc - m.rayon;
        }
        const trajectoire t = ellipse(zp, za, 7.0, w, m);
        const plan_manoeuvre plan = planifier(t, vers_geo(m));
        QCOMPARE(int(plan.tirs.size()), tirs);
        const tir_impulsionnel& dernier = plan.tirs.back();
        QVERIFY(dernier.lieu.find("changement de plan en un seul tir") != std::string::npos);
        QVERIFY(dernier.lieu.find("moins coûteux") != std::string::npos);
        // Off the nodes, the first burn says it also cancels the radial speed.
        QCOMPARE(plan.tirs.front().lieu.find("vitesse radiale annulée") != std::string::npos,
                 w == 10.0);
        const double rp = m.rayon + zp;
        const double ra = m.rayon + za;
        const double vc = std::sqrt(m.mu / rc);
        const auto combine = [&](double v) {
            return std::sqrt(v * v + vc * vc - 2.0 * v * vc * std::cos(i));
        };
        if (w == 0.0 && tirs == 2) {
            const double vp = std::sqrt(m.mu * (2.0 / rp - 2.0 / (rp + ra)));
            const double vt1 = std::sqrt(m.mu * (2.0 / rp - 2.0 / (rp + rc)));
            const double vt2 = std::sqrt(m.mu * (2.0 / rc - 2.0 / (rp + rc)));
            PROCHE(plan.tirs[0].delta_v, std::abs(vt1 - vp), 1e-9);
            PROCHE(plan.tirs[1].delta_v, combine(vt2), 1e-7);
        } else if (tirs == 1) {
            PROCHE(plan.tirs[0].delta_v, combine(std::sqrt(m.mu * (2.0 / ra - 2.0 / (rp + ra)))),
                   1e-7);
        }
        trajectoire etat = t;
        tir_impulsionnel fin = dernier;
        if (tirs == 2) {
            // The second burn as the follow-up plans it on the orbit the first one gave.
            etat = appliquer(t, plan.tirs[0], m);
            PROCHE(etat.inclinaison, 7.0, 1e-9);
            const plan_manoeuvre suite = planifier_suite(etat, vers_geo(m));
            QCOMPARE(suite.tirs.size(), std::size_t(1));
            PROCHE(suite.tirs[0].delta_v, plan.tirs[1].delta_v, 1e-6);
            fin = suite.tirs[0];
        }
        const trajectoire arrivee = appliquer(etat, fin, m);
        PROCHE(arrivee.inclinaison, 0.0, 1e-6);
        PROCHE(arrivee.zp, rc - m.rayon, 1e-2);
        PROCHE(arrivee.za, rc - m.rayon, 1e-2);
    }

    // A prograde burn from a circle, integrated by RK4, against the same flight without
    // thrust (same steps): the velocity the engine added is Isp g0 ln(m0 / mf), in m/s on
    // the real Earth (N / kg is m/s^2 there, with g0 = 9.80665) and in km/s on the
    // program's (N / kg added to km/s^2). What is left is gravity acting on the slightly
    // different paths, some 1e-5 of it over these short burns (a longer one also turns its
    // thrust with the local frame): a wrong g0 (9.81 against
    // 9.80665) is 3.4e-4, a wrong unit a factor of 1000.
    void tir_contre_tsiolkovski_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("poussee"); // N
        QTest::addColumn<double>("duree");   // s
        QTest::addColumn<double>("isp");     // s
        QTest::addColumn<double>("unite");   // km/s per (Isp g0 ln) unit
        QTest::newRow("réelle, 20 kN 2 s") << "reelle" << 20000.0 << 2.0 << 300.0 << 1e-3;
        QTest::newRow("réelle, 5 kN 8 s") << "reelle" << 5000.0 << 8.0 << 450.0 << 1e-3;
        QTest::newRow("programme, 20 N 2 s") << "programme" << 20.0 << 2.0 << 300.0 << 1.0;
    }
    void tir_contre_tsiolkovski() {
        QFETCH(QString, modele);
        QFETCH(double, poussee);
        QFETCH(double, duree);
        QFETCH(double, isp);
        QFETCH(double, unite);
        const modele_terre& m = modele_nomme(modele);
        trajectoire t = cercle(400.0, 0.0, 0.0, m);
        const double m0 = 1000.0;
        const auto voler_avec = [&](double F) {
            const propulsion moteur{{0.0, F, 0.0}, F, isp, m};
            const consigne_vol vol = consigne_du_vol(t, moteur, duree, 200.0, m0);
            etat S = etat_initial(t, m0, m);
            voler(vol, S, [](const etat&, double) {});
            return S;
        };
        const etat pousse = voler_avec(poussee);
        const etat libre = voler_avec(0.0);
        const double mf = pousse.m;
        PROCHE(mf, m0 - poussee * duree / (isp * m.g0), 1e-9);
        const double tsiolkovski = isp * m.g0 * std::log(m0 / mf) * unite;
        vecteur ecart;
        for (int i = 1; i <= 3; ++i) {
            ecart(i) = pousse.y(i) - libre.y(i);
        }
        PROCHE(norme(ecart) / tsiolkovski, 1.0, 1e-4);
        bilan_tir b;
        b.depart = etat_initial(t, m0, m);
        b.arrivee = pousse;
        b.moteur = {{0.0, poussee, 0.0}, poussee, isp, m};
        PROCHE(chiffres_du_tir(b).delta_v, tsiolkovski, 1e-12 * tsiolkovski);
    }
};

TRAJEL_TEST(TestModeleTerre);

#include "test_modele_terre.moc"
