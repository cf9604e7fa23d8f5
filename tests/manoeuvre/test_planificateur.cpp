// The manoeuvre planner: textbook delta-v, each impulse applied to the state at its
// point gives the orbit it aims at, the finite burn it prepares, and its refusals.

#include "commun/principal.h"
#include "core/verifications.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/integration.h"
#include "manoeuvre/planificateur.h"
#include "outils_manoeuvre.h"

#include <QTest>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

Q_DECLARE_METATYPE(trajel::genre_manoeuvre)
Q_DECLARE_METATYPE(trajel::apside)

namespace {

constexpr double mu = 398603.0;

// The record calcul_trajectoire makes of these inputs, in the fake window that is Form1.
trajectoire orbite(const char* type, double za, double zp, double i, double omega,
                   double anomalie) {
    auto& f = *static_cast<faux_formulaire*>(Form1);
    f.choisir(std::string(type) == "circulaire"     ? bouton_option::Option_circulaire
              : std::string(type) == "hyperbolique" ? bouton_option::Option_hyperbolique
              : std::string(type) == "parabolique"  ? bouton_option::Option_parabolique
                                                    : bouton_option::Option_elliptique);
    f.ecrire(zone_texte::Text1, Str(za));
    f.ecrire(zone_texte::Text2, Str(zp));
    f.ecrire(zone_texte::Text4, Str(i));
    f.ecrire(zone_texte::Text5, Str(omega));
    f.ecrire(zone_texte::Text7, Str(anomalie));
    calcul_trajectoire(traj);
    return traj;
}

// The impulse applied to the satellite's state at the burn point, and the orbit it
// gives, by the program's own conversions.
trajectoire appliquer(trajectoire t, const tir_impulsionnel& tir) {
    t.anomalie = tir.anomalie;
    vecteur r;
    vecteur v;
    conversion_etat(1, t, r, v);
    const repere L = repere_local_de(r, v);
    for (int i = 1; i <= 3; ++i) {
        v(i) += tir.delta_v *
                (tir.direction.x * L.u(i) + tir.direction.y * L.v(i) + tir.direction.z * L.w(i));
    }
    trajectoire R;
    conversion_etat(2, R, r, v);
    return R;
}

// To a metre: the program's apoapsis at anomaly 180 lies 4.4e-9 rad past the true one
// (its pi), which leaves the circle made there an eccentricity of some 1e-8.
void verifier_visee(const trajectoire& R, const orbite_visee& visee) {
    PROCHE(R.zp, visee.zp, 1e-3);
    PROCHE(R.type_conique == hyperbolique ? R.zp : R.za, visee.za, 1e-3);
    PROCHE(R.inclinaison, visee.inclinaison, 1e-9);
}

demande_manoeuvre demande(genre_manoeuvre g, double altitude, apside lieu = apside::apoastre,
                          double inclinaison = 0) {
    demande_manoeuvre d;
    d.genre = g;
    d.altitude_visee = altitude;
    d.lieu = lieu;
    d.inclinaison_visee = inclinaison;
    return d;
}

} // namespace

class TestPlanificateur : public QObject {
    Q_OBJECT
    std::unique_ptr<module_de_test> module;
private slots:
    void init() { module = std::make_unique<module_de_test>(); }
    void cleanup() { module.reset(); }

    // Vallado, example 6-1: from a circle of 191.34411 km to 35781.34857 km above an
    // Earth of 6378.137 km, 2.457038 + 1.478187 = 3.935224 km/s and 5.256713 h with
    // mu = 398600.4418. The same radii with mu = 398603: the speeds scale as mu^0.5,
    // the time as mu^-0.5 (and the program's pi).
    void hohmann_vallado() {
        const double r1 = 6378.137 + 191.34411;
        const double r2 = 6378.137 + 35781.34857;
        const trajectoire t = orbite("circulaire", 0, r1 - 3618, 28.5, 0, 30);
        const plan_manoeuvre plan =
            planifier(t, demande(genre_manoeuvre::hohmann, r2 - rayon_terre));
        const double k = std::sqrt(mu / 398600.4418);
        QCOMPARE(plan.tirs.size(), std::size_t(2));
        PROCHE(plan.tirs[0].delta_v, 2.457038 * k, 1e-6);
        PROCHE(plan.tirs[1].delta_v, 1.478187 * k, 1e-6);
        PROCHE(plan.delta_v_total, 3.935224 * k, 1e-6);
        PROCHE(*plan.duree_transfert, 5.256713 * 3600 / k * 3.141592658 / M_PI, 0.01);
        // On a circle the first burn starts where the satellite stands, along the motion.
        QVERIFY(plan.tirs[0].point_libre);
        QCOMPARE(plan.tirs[0].anomalie, 30.0);
        QCOMPARE(*plan.tirs[0].attente, 0.0);
        QCOMPARE(plan.tirs[0].direction.y, 1.0);
        verifier_visee(appliquer(t, plan.tirs[0]), plan.tirs[0].apres);
    }

    // Both burns of a Hohmann transfer applied in turn, the second planned from the
    // orbit the first gave: the target circle.
    void hohmann_en_deux_tirs_data() {
        QTest::addColumn<double>("za");
        QTest::addColumn<double>("zp");
        QTest::addColumn<double>("cible");
        QTest::addColumn<int>("tirs");
        QTest::newRow("200 km vers 36000 km") << 200.0 << 200.0 << 36000.0 << 2;
        QTest::newRow("36000 km vers 500 km") << 36000.0 << 36000.0 << 500.0 << 2;
        QTest::newRow("ellipse vers un cercle plus haut") << 5000.0 << 300.0 << 20000.0 << 2;
        QTest::newRow("ellipse vers un cercle plus bas") << 5000.0 << 1000.0 << 400.0 << 2;
        QTest::newRow("GTO vers son apoastre") << 36000.0 << 200.0 << 36000.0 << 1;
    }
    void hohmann_en_deux_tirs() {
        QFETCH(double, za);
        QFETCH(double, zp);
        QFETCH(double, cible);
        QFETCH(int, tirs);
        const trajectoire t = orbite(za == zp ? "circulaire" : "elliptique", za, zp, 7, 40, 100);
        const demande_manoeuvre d = demande(genre_manoeuvre::hohmann, cible);
        const plan_manoeuvre plan = planifier(t, d);
        QCOMPARE(static_cast<int>(plan.tirs.size()), tirs);
        trajectoire R = appliquer(t, plan.tirs[0]);
        verifier_visee(R, plan.tirs[0].apres);
        if (tirs == 2) {
            const plan_manoeuvre suite = planifier_suite(R, d);
            R = appliquer(R, suite.tirs[0]);
            PROCHE(suite.tirs[0].delta_v, plan.tirs[1].delta_v, 1e-9);
        }
        PROCHE(R.zp, cible, 1e-3);
        PROCHE(R.za, cible, 1e-3);
        // From an ellipse, the cheaper apsis: no other two-burn plan costs less.
        if (za != zp) {
            const double rc = cible + rayon_terre;
            double moins_cher = 1e9;
            for (const double r1 : {zp + rayon_terre, za + rayon_terre}) {
                const double a = (za + zp) / 2 + rayon_terre;
                const double v1 = std::sqrt(mu * (2 / r1 - 1 / a));
                const double vt1 = std::sqrt(mu * (2 / r1 - 2 / (r1 + rc)));
                const double vt2 = std::sqrt(mu * (2 / rc - 2 / (r1 + rc)));
                moins_cher =
                    std::min(moins_cher, std::abs(vt1 - v1) + std::abs(std::sqrt(mu / rc) - vt2));
            }
            PROCHE(plan.delta_v_total, moins_cher, 1e-9);
        }
    }

    // One burn at an apsis: the orbit aimed at, reached by the impulse.
    void un_tir_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("za");
        QTest::addColumn<genre_manoeuvre>("genre");
        QTest::addColumn<apside>("lieu");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("dv"); // from vis-viva, rp = 3818 km, ra = 39618 km
        const double rp = 3818, ra = 39618, a = (rp + ra) / 2;
        const double vp = std::sqrt(mu * (2 / rp - 1 / a)), va = std::sqrt(mu * (2 / ra - 1 / a));
        QTest::newRow("circularisation à l'apoastre")
            << "elliptique" << 36000.0 << genre_manoeuvre::circularisation << apside::apoastre
            << 0.0 << std::sqrt(mu / ra) - va;
        QTest::newRow("circularisation au périastre")
            << "elliptique" << 36000.0 << genre_manoeuvre::circularisation << apside::periastre
            << 0.0 << std::sqrt(mu / rp) - vp;
        const double r_nouveau = 46382;
        QTest::newRow("apoastre relevé")
            << "elliptique" << 36000.0 << genre_manoeuvre::changement_apside << apside::periastre
            << r_nouveau - 3618 << std::sqrt(mu * (2 / rp - 2 / (rp + r_nouveau))) - vp;
        QTest::newRow("périastre relevé")
            << "elliptique" << 36000.0 << genre_manoeuvre::changement_apside << apside::apoastre
            << 1000.0 << std::sqrt(mu * (2 / ra - 2 / (ra + 4618))) - va;
        // Phi 45: e = 1 / cos 45°, vp^2 = (1 + e) mu / rp.
        const double e = 1 / std::cos(45 * 3.141592658 / 180);
        QTest::newRow("capture d'une hyperbole")
            << "hyperbolique" << 45.0 << genre_manoeuvre::circularisation << apside::periastre
            << 0.0 << std::sqrt(mu / rp) - std::sqrt((1 + e) * mu / rp);
    }
    void un_tir() {
        QFETCH(QString, type);
        QFETCH(double, za);
        QFETCH(genre_manoeuvre, genre);
        QFETCH(apside, lieu);
        QFETCH(double, altitude);
        QFETCH(double, dv);
        const trajectoire t = orbite(type.toLatin1().constData(), za, 200, 7, 40, 100);
        const plan_manoeuvre plan = planifier(t, demande(genre, altitude, lieu));
        QCOMPARE(plan.tirs.size(), std::size_t(1));
        QVERIFY(!plan.duree_transfert);
        const tir_impulsionnel& tir = plan.tirs[0];
        PROCHE(tir.delta_v * tir.direction.y, dv, 1e-9);
        QCOMPARE(std::abs(tir.direction.y), 1.0);
        verifier_visee(appliquer(t, tir), tir.apres);
    }

    // A change of plane at the node: the slower node (the farther one) on an ellipse,
    // the nearer one on a circle; 2 vt sin(di / 2) on a circle.
    void changement_inclinaison_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("omega");
        QTest::addColumn<double>("anomalie");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<double>("visee");
        QTest::addColumn<double>("noeud"); // the anomaly of the node chosen
        QTest::newRow("cercle, noeud descendant proche")
            << "circulaire" << 0.0 << 150.0 << 28.5 << 0.0 << 180.0;
        QTest::newRow("cercle, noeud ascendant proche")
            << "circulaire" << 0.0 << 300.0 << 28.5 << 51.6 << 0.0;
        QTest::newRow("GTO, noeud à l'apoastre")
            << "elliptique" << 0.0 << 10.0 << 7.0 << 0.0 << 180.0;
        QTest::newRow("GTO tournée, noeud à l'apoastre")
            << "elliptique" << 180.0 << 10.0 << 7.0 << 12.0 << 180.0;
        QTest::newRow("rétrograde vers polaire")
            << "elliptique" << 30.0 << 0.0 << 120.0 << 90.0 << 150.0;
    }
    void changement_inclinaison() {
        QFETCH(QString, type);
        QFETCH(double, omega);
        QFETCH(double, anomalie);
        QFETCH(double, inclinaison);
        QFETCH(double, visee);
        QFETCH(double, noeud);
        const trajectoire t =
            orbite(type.toLatin1().constData(), 36000, 200, inclinaison, omega, anomalie);
        const plan_manoeuvre plan =
            planifier(t, demande(genre_manoeuvre::changement_inclinaison, 0, {}, visee));
        QCOMPARE(plan.tirs.size(), std::size_t(1));
        const tir_impulsionnel& tir = plan.tirs[0];
        PROCHE(ecart_angle(tir.anomalie, noeud), 0.0, 1e-9);
        const trajectoire R = appliquer(t, tir);
        PROCHE(R.inclinaison, visee, 1e-9);
        PROCHE(R.zp, t.zp, 1e-6);
        PROCHE(R.type_conique == circulaire ? R.zp : R.za, t.za, 1e-6);
        if (type == "circulaire") {
            const double di = std::abs(visee - inclinaison) * 3.141592658 / 180;
            PROCHE(tir.delta_v, 2 * std::sqrt(mu / 3818.0) * std::sin(di / 2), 1e-9);
        }
    }

    // What cannot be planned is refused, with its reason.
    void refus_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<genre_manoeuvre>("genre");
        QTest::addColumn<apside>("lieu");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<QString>("raison");
        QTest::newRow("Hohmann d'une hyperbole")
            << "hyperbolique" << 7.0 << genre_manoeuvre::hohmann << apside::apoastre << 36000.0
            << "hyperbole";
        QTest::newRow("Hohmann d'une parabole") << "parabolique" << 7.0 << genre_manoeuvre::hohmann
                                                << apside::apoastre << 36000.0 << "parabole";
        QTest::newRow("cercle dans la Terre") << "circulaire" << 7.0 << genre_manoeuvre::hohmann
                                              << apside::apoastre << -100.0 << "Terre";
        QTest::newRow("cercle au sol") << "circulaire" << 7.0 << genre_manoeuvre::hohmann
                                       << apside::apoastre << 0.0 << "Terre";
        QTest::newRow("apside dans la Terre")
            << "elliptique" << 7.0 << genre_manoeuvre::changement_apside << apside::periastre
            << -3000.0 << "Terre";
        QTest::newRow("déjà sur le cercle") << "circulaire" << 7.0 << genre_manoeuvre::hohmann
                                            << apside::apoastre << 200.0 << "déjà";
        QTest::newRow("cercle à circulariser")
            << "circulaire" << 7.0 << genre_manoeuvre::circularisation << apside::apoastre << 0.0
            << "déjà circulaire";
        QTest::newRow("apoastre d'une hyperbole")
            << "hyperbolique" << 7.0 << genre_manoeuvre::circularisation << apside::apoastre << 0.0
            << "apoastre";
        QTest::newRow("même inclinaison")
            << "circulaire" << 7.0 << genre_manoeuvre::changement_inclinaison << apside::apoastre
            << 0.0 << "déjà";
    }
    void refus() {
        QFETCH(QString, type);
        QFETCH(double, inclinaison);
        QFETCH(genre_manoeuvre, genre);
        QFETCH(apside, lieu);
        QFETCH(double, altitude);
        QFETCH(QString, raison);
        const trajectoire t = orbite(type.toLatin1().constData(),
                                     type == "hyperbolique" ? 45 : 36000, 200, inclinaison, 0, 10);
        try {
            planifier(t, demande(genre, altitude, lieu, 7));
            QFAIL("planned");
        } catch (const erreur_calcul& e) {
            QCOMPARE(e.nature(), nature_erreur::tir_refuse);
            const QString message = QString::fromUtf8(e.what());
            QVERIFY2(message.startsWith("Manœuvre impossible : ") && message.contains(raison),
                     qPrintable(message));
        }
    }

    // Two nodes whose delta-v agree within the radius tolerance: the one reached sooner;
    // otherwise the cheaper, however far.
    void noeud_egal_le_plus_proche_data() {
        QTest::addColumn<double>("za");
        QTest::addColumn<double>("zp");
        QTest::addColumn<double>("anomalie");
        QTest::addColumn<double>("noeud");
        QTest::newRow("presque cercle, noeud ascendant proche")
            << 36000.5 << 36000.0 << 300.0 << 0.0;
        QTest::newRow("presque cercle, noeud descendant proche")
            << 36000.5 << 36000.0 << 100.0 << 180.0;
        QTest::newRow("e 6e-4, l'apoastre plus loin") << 36050.0 << 36000.0 << 300.0 << 180.0;
        QTest::newRow("GTO, l'apoastre plus loin") << 36000.0 << 200.0 << 300.0 << 180.0;
    }
    void noeud_egal_le_plus_proche() {
        QFETCH(double, za);
        QFETCH(double, zp);
        QFETCH(double, anomalie);
        QFETCH(double, noeud);
        const trajectoire t = orbite("elliptique", za, zp, 7, 0, anomalie);
        const plan_manoeuvre plan =
            planifier(t, demande(genre_manoeuvre::changement_inclinaison, 0, {}, 0));
        QCOMPARE(plan.tirs.size(), std::size_t(1));
        PROCHE(ecart_angle(plan.tirs[0].anomalie, noeud), 0.0, 1e-9);
        // The other node, half a turn on: its delta-v and its wait against this one's.
        const trajectoire R = appliquer(t, plan.tirs[0]);
        PROCHE(R.inclinaison, 0.0, 1e-9);
        const double a = (za + zp) / 2 + 3618;
        const double periode = 2 * 3.141592658 * std::sqrt(a * a * a / mu);
        const bool proche = std::abs(za - zp) < 1;
        QCOMPARE(*plan.tirs[0].attente < periode / 2, proche || anomalie < 180);
    }

    // A target already reached, each radius within 0.01 % and the inclination within
    // 0.001 degree: nothing to fire, and the plan refused as such; just beyond, planned.
    void orbite_atteinte_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("za");
        QTest::addColumn<double>("zp");
        QTest::addColumn<genre_manoeuvre>("genre");
        QTest::addColumn<apside>("lieu");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<bool>("atteinte");
        const auto hohmann = genre_manoeuvre::hohmann;
        const auto apsides = genre_manoeuvre::changement_apside;
        const auto cercle = genre_manoeuvre::circularisation;
        const auto plan = genre_manoeuvre::changement_inclinaison;
        const auto A = apside::apoastre;
        const auto P = apside::periastre;
        QTest::newRow("cercle visé")
            << "circulaire" << 0.0 << 36000.0 << hohmann << A << 36000.0 << 7.0 << true;
        QTest::newRow("cercle visé à 3 km")
            << "circulaire" << 0.0 << 36000.0 << hohmann << A << 36003.0 << 7.0 << true;
        QTest::newRow("cercle visé à 5 km")
            << "circulaire" << 0.0 << 36000.0 << hohmann << A << 36005.0 << 7.0 << false;
        QTest::newRow("ellipse de 2 km, cercle au milieu")
            << "elliptique" << 36002.0 << 36000.0 << hohmann << A << 36001.0 << 7.0 << true;
        QTest::newRow("circularisation à 3 km")
            << "elliptique" << 36003.0 << 36000.0 << cercle << A << 0.0 << 7.0 << true;
        QTest::newRow("circularisation à 5 km")
            << "elliptique" << 36005.0 << 36000.0 << cercle << P << 0.0 << 7.0 << false;
        QTest::newRow("apoastre à 3 km")
            << "elliptique" << 36000.0 << 200.0 << apsides << P << 36003.0 << 7.0 << true;
        QTest::newRow("apoastre à 5 km")
            << "elliptique" << 36000.0 << 200.0 << apsides << P << 35995.0 << 7.0 << false;
        QTest::newRow("inclinaison à 0,0009°")
            << "circulaire" << 0.0 << 36000.0 << plan << A << 0.0 << 7.0009 << true;
        QTest::newRow("inclinaison à 0,0011°")
            << "circulaire" << 0.0 << 36000.0 << plan << A << 0.0 << 6.9989 << false;
        QTest::newRow("hyperbole dans son plan")
            << "hyperbolique" << 45.0 << 200.0 << plan << A << 0.0 << 7.0 << true;
        QTest::newRow("Hohmann d'une hyperbole")
            << "hyperbolique" << 45.0 << 200.0 << hohmann << A << 200.0 << 7.0 << false;
    }
    void orbite_atteinte() {
        QFETCH(QString, type);
        QFETCH(double, za);
        QFETCH(double, zp);
        QFETCH(genre_manoeuvre, genre);
        QFETCH(apside, lieu);
        QFETCH(double, altitude);
        QFETCH(double, inclinaison);
        QFETCH(bool, atteinte);
        const trajectoire t = orbite(type.toLatin1().constData(), za, zp, 7, 0, 10);
        const demande_manoeuvre d = demande(genre, altitude, lieu, inclinaison);
        QCOMPARE(orbite_visee_atteinte(t, d), atteinte);
        QString message;
        try {
            const plan_manoeuvre plan = planifier(t, d);
            QVERIFY(!plan.tirs.empty());
        } catch (const erreur_calcul& e) {
            QCOMPARE(e.nature(), nature_erreur::tir_refuse);
            message = QString::fromUtf8(e.what());
        }
        QVERIFY2(message.contains("déjà") == atteinte, qPrintable(message));
    }

    // The finite burn: duration from the rocket equation, steps of at most a second,
    // the thrust of the chosen magnitude along the impulse, and a start half the burn's
    // time before the point: a coast of D / 2 integrated from there reaches the point.
    void preparation_data() {
        QTest::addColumn<double>("anomalie"); // of the satellite
        QTest::addColumn<double>("poussee");
        QTest::newRow("avant l'apoastre") << 100.0 << 100.0;
        QTest::newRow("juste avant l'apoastre") << 179.9 << 100.0;
        QTest::newRow("après l'apoastre") << 200.0 << 20.0;
    }
    void preparation() {
        QFETCH(double, anomalie);
        QFETCH(double, poussee);
        const trajectoire t = orbite("elliptique", 36000, 200, 7, 40, anomalie);
        const plan_manoeuvre plan =
            planifier(t, demande(genre_manoeuvre::circularisation, 0, apside::apoastre));
        const tir_impulsionnel& tir = plan.tirs[0];
        const tir_prepare p = preparer_tir(t, tir, poussee, 800.0, 300.0);
        const double c = 300 * 9.81;
        PROCHE(p.masse_finale, 800 * std::exp(-tir.delta_v / c), 1e-9);
        PROCHE(p.duree, (800 - p.masse_finale) * c / poussee, 1e-9);
        QCOMPARE(p.pas, static_cast<int>(std::ceil(p.duree)));
        QCOMPARE(p.poussee.x, 0.0);
        QCOMPARE(p.poussee.y, poussee);
        QCOMPARE(p.poussee.z, 0.0);

        // A coast of D / 2 from the start: the burn point, the apoapsis.
        trajectoire depart = t;
        depart.anomalie = p.anomalie_depart;
        vecteur r;
        vecteur v;
        conversion_etat(1, depart, r, v);
        const propulsion sans_poussee{{}, 0.0, 300.0};
        etat S = etat_de(r, v, 800);
        double temps = 0;
        const int n = 2000;
        integrer_n_pas(sans_poussee, S, temps, p.duree / 2 / n, n, sans_observateur);
        trajectoire point = t;
        point.anomalie = 180.0;
        conversion_etat(1, point, r, v);
        const vecteur arrivee = position_de(S);
        PROCHE(std::hypot(arrivee.x - r.x, arrivee.y - r.y, arrivee.z - r.z), 0.0, 1e-4);
    }

    void pas_bornes() {
        const trajectoire t = orbite("circulaire", 200, 200, 7, 0, 0);
        const plan_manoeuvre plan = planifier(t, demande(genre_manoeuvre::hohmann, 36000));
        // 1 mN: a burn of 40 days, in 32766 steps.
        const tir_prepare long_tir = preparer_tir(t, plan.tirs[0], 0.001, 1000, 100);
        QCOMPARE(long_tir.pas, 32766);
        QVERIFY(long_tir.duree > 32766 * 100.0);
        // 1e9 N: a fraction of a second, one step.
        QCOMPARE(preparer_tir(t, plan.tirs[0], 1e9, 1000, 100).pas, 1);
        // On a circle the burn starts where the satellite stands.
        QCOMPARE(long_tir.anomalie_depart, 0.0);
    }

    void preparation_refusee_data() {
        QTest::addColumn<double>("poussee");
        QTest::addColumn<double>("masse");
        QTest::addColumn<double>("isp");
        QTest::addColumn<QString>("raison");
        QTest::newRow("toute la masse") << 100.0 << 1000.0 << 1e-4 << "toute la masse";
        QTest::newRow("poussée nulle") << 0.0 << 1000.0 << 100.0 << "poussée";
        QTest::newRow("poussée négative") << -5.0 << 1000.0 << 100.0 << "poussée";
        QTest::newRow("masse nulle") << 100.0 << 0.0 << 100.0 << "masse";
        QTest::newRow("Isp nulle") << 100.0 << 1000.0 << 0.0 << "Isp";
    }
    void preparation_refusee() {
        QFETCH(double, poussee);
        QFETCH(double, masse);
        QFETCH(double, isp);
        QFETCH(QString, raison);
        const trajectoire t = orbite("circulaire", 200, 200, 7, 0, 0);
        const plan_manoeuvre plan = planifier(t, demande(genre_manoeuvre::hohmann, 36000));
        try {
            preparer_tir(t, plan.tirs[0], poussee, masse, isp);
            QFAIL("prepared");
        } catch (const erreur_calcul& e) {
            QCOMPARE(e.nature(), nature_erreur::tir_refuse);
            QVERIFY2(QString::fromUtf8(e.what()).contains(raison), e.what());
        }
    }
};
TRAJEL_TEST(TestPlanificateur);
#include "test_planificateur.moc"
