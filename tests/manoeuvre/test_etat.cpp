#include "commun/principal.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/equations.h"
#include "manoeuvre/integration.h"
#include "manoeuvre/runge_kutta.h"
#include "outils_manoeuvre.h"

#include <QTest>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace trajel;
using namespace trajel::test;

namespace {

// The equations of motion written out plainly with the toolkit, in the order of
// the physics: the integrator must reproduce them to the last bit.
void derivees_reference(const etat& S, etat& D) {
    const vecteur r = position_de(S);
    const vecteur v = vitesse_de(S);
    const repere L = repere_local_de(r, v);
    vecteur a;
    vecteur b;
    vecteur c;
    mult_scalaire(poussee.x, L.u, a);
    mult_scalaire(poussee.y, L.v, b);
    mult_scalaire(poussee.z, L.w, c);
    const vecteur F{(a.x + b.x) + c.x, (a.y + b.y) + c.y, (a.z + b.z) + c.z};
    const double k = -398603.0 / std::pow(norme(r), 2.0);
    vecteur g;
    mult_scalaire(k, L.u, g);
    for (int i = 1; i <= 3; ++i) {
        D.y(i) = F(i) / S.m + g(i);
        D.y(i + 3) = S.y(i);
    }
    D.m = -module_poussee / (isp * 9.81);
}

void pas_reference(const etat& S, double h, etat& S1) {
    etat k1, k2, k3, k4, Y;
    derivees_reference(S, k1);
    for (int i = 1; i <= 6; ++i) {
        Y.y(i) = S.y(i) + (h / 2) * k1.y(i);
    }
    Y.m = S.m + (h / 2) * k1.m;
    derivees_reference(Y, k2);
    for (int i = 1; i <= 6; ++i) {
        Y.y(i) = S.y(i) + (h / 2) * k2.y(i);
    }
    Y.m = S.m + (h / 2) * k2.m;
    derivees_reference(Y, k3);
    for (int i = 1; i <= 6; ++i) {
        Y.y(i) = S.y(i) + h * k3.y(i);
    }
    Y.m = S.m + h * k3.m;
    derivees_reference(Y, k4);
    for (int i = 1; i <= 6; ++i) {
        S1.y(i) = S.y(i) + (h / 6) * (((2 * k2.y(i) + k1.y(i)) + 2 * k3.y(i)) + k4.y(i));
    }
    S1.m = S.m + (h / 6) * (((2 * k2.m + k1.m) + 2 * k3.m) + k4.m);
}

bool identiques(const etat& a, const etat& b) {
    for (int i = 1; i <= 6; ++i) {
        if (a.y(i) != b.y(i)) {
            return false;
        }
    }
    return a.m == b.m;
}

vecteur moment(const etat& S) {
    vecteur h;
    prod_vectoriel(position_de(S), vitesse_de(S), h);
    return h;
}

double longueur(const vecteur& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// The satellite of the design window (elliptic 2000 x 300 km, anomaly 25).
etat etat_de_conception() {
    calcul_trajectoire(traj);
    vecteur r;
    vecteur v;
    trajectoire T = traj;
    conversion_etat(1, T, r, v);
    return etat_de(r, v, masse);
}

void fixer_poussee(const vecteur& p, double isp_s) {
    poussee = p;
    module_poussee = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    isp = isp_s;
}

// Integrates n steps of h from S.
etat integrer(etat S, double h, int n) {
    double t = 0.0;
    integrer_n_pas(propulsion_partagee(), S, t, h, n, sans_observateur);
    return S;
}

} // namespace

class TestEtat : public QObject {
    Q_OBJECT
private slots:
    void derivees_et_pas_au_bit_pres_data() {
        QTest::addColumn<double>("fx");
        QTest::addColumn<double>("fy");
        QTest::addColumn<double>("fz");
        QTest::addColumn<double>("h");
        QTest::newRow("vol libre") << 0.0 << 0.0 << 0.0 << 0.1;
        QTest::newRow("poussée quelconque") << 1000.0 << -250.5 << 33.3 << 0.37;
        QTest::newRow("grand pas arrière") << -7.0 << 1e4 << 0.5 << -120.0;
    }
    void derivees_et_pas_au_bit_pres() {
        QFETCH(double, fx);
        QFETCH(double, fy);
        QFETCH(double, fz);
        QFETCH(double, h);
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({fx, fy, fz}, 100.0);

        etat D;
        etat D_ref;
        derivees_etat(S, 0.0, D);
        derivees_reference(S, D_ref);
        QVERIFY(identiques(D, D_ref));

        etat S1;
        etat S1_ref;
        pas_runge_kutta(S, 0.0, h, S1);
        pas_reference(S, h, S1_ref);
        QVERIFY(identiques(S1, S1_ref));
    }

    // The guarded and the plain instance of the equations give the same bits on valid
    // states, from low orbit to far out, light to heavy, with any thrust; the plain one
    // says so.
    void deux_arithmetiques_memes_bits() {
        module_de_test m;
        std::mt19937_64 hasard(20261207);
        auto au_hasard = [&](double a, double b) {
            return std::uniform_real_distribution<double>(a, b)(hasard);
        };
        for (int k = 0; k < 2000; ++k) {
            const double echelle = std::pow(10.0, au_hasard(3.0, 9.0)); // km
            const vecteur r{au_hasard(-1, 1) * echelle, au_hasard(-1, 1) * echelle,
                            au_hasard(-1, 1) * echelle};
            const vecteur v{au_hasard(-12, 12), au_hasard(-12, 12), au_hasard(-12, 12)};
            const etat S = etat_de(r, v, std::pow(10.0, au_hasard(-2.0, 6.0)));
            fixer_poussee({au_hasard(-1e4, 1e4), au_hasard(-1e4, 1e4), au_hasard(-1e4, 1e4)},
                          au_hasard(-500.0, 500.0));
            etat gardee;
            etat directe;
            equations_du_mouvement<arithmetique_gardee>(propulsion_partagee(), S, gardee);
            QVERIFY(
                equations_du_mouvement<arithmetique_directe>(propulsion_partagee(), S, directe));
            QVERIFY2(identiques(gardee, directe), qPrintable(QString("state %1").arg(k)));
            vecteur F;
            const repere L = repere_local_de(r, v);
            poussee_inertielle(L, F);
            const double ax = F.x / S.m - mu_terre / std::pow(norme(r), 2.0) * L.u.x;
            PROCHE(gardee.y(1), ax, 1e-12 * std::abs(ax) + 1e-300);
        }
    }

    // Where the plain arithmetic meets a fault it answers false, and the guarded one
    // raises the error of that fault.
    void arithmetique_directe_se_retire_data() {
        QTest::addColumn<double>("masse_kg");
        QTest::addColumn<double>("isp_s");
        QTest::addColumn<double>("rx");
        QTest::addColumn<int>("nature");
        QTest::newRow("masse nulle")
            << 0.0 << 100.0 << 7000.0 << int(nature_erreur::division_par_zero);
        QTest::newRow("isp nulle")
            << 1000.0 << 0.0 << 7000.0 << int(nature_erreur::division_par_zero);
        QTest::newRow("au centre")
            << 1000.0 << 100.0 << 0.0 << int(nature_erreur::division_par_zero);
        QTest::newRow("démesurée")
            << 1000.0 << 100.0 << 1e300 << int(nature_erreur::depassement_capacite);
    }
    void arithmetique_directe_se_retire() {
        QFETCH(double, masse_kg);
        QFETCH(double, isp_s);
        QFETCH(double, rx);
        QFETCH(int, nature);
        module_de_test m;
        fixer_poussee({10, 20, 30}, isp_s);
        const etat S = etat_de({rx, 0, 0}, {0, 7.5, 0.1}, masse_kg);
        etat D;
        QVERIFY(!equations_du_mouvement<arithmetique_directe>(propulsion_partagee(), S, D));
        try {
            equations_du_mouvement<arithmetique_gardee>(propulsion_partagee(), S, D);
            QFAIL("no error raised");
        } catch (const erreur_calcul& e) {
            QCOMPARE(int(e.nature()), nature);
        }
    }

    // The loop: the observer sees each state just reached with its time, the last one
    // is the state returned, and n steps of the loop are n steps of the stepper.
    void integration_et_observateur_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("aucun pas") << 0;
        QTest::newRow("un pas") << 1;
        QTest::newRow("deux pas") << 2;
        QTest::newRow("impair") << 7;
    }
    void integration_et_observateur() {
        QFETCH(int, n);
        module_de_test m;
        fixer_poussee({5, 50, -3}, 300.0);
        const etat depart = etat_de_conception();
        const double h = 0.75;
        etat S = depart;
        double t = 10.0;
        std::vector<std::pair<etat, double>> vus;
        integrer_n_pas(propulsion_partagee(), S, t, h, n, [&](const etat& e, double instant) {
            vus.push_back({e, instant});
        });
        QCOMPARE(int(vus.size()), n);
        QVERIFY(t == 10.0 + n * h);
        etat attendu = depart;
        for (int j = 0; j < n; ++j) {
            etat suivant;
            pas_reference(attendu, h, suivant);
            attendu = suivant;
            QVERIFY(identiques(vus[static_cast<std::size_t>(j)].first, attendu));
            QVERIFY(vus[static_cast<std::size_t>(j)].second == 10.0 + (j + 1) * h);
        }
        QVERIFY(identiques(S, attendu));
    }

    // The step given its engine is the step of the shared values, to the bit, and reads
    // nothing shared: other shared values set afterwards do not change it. So are the
    // equations, the thrust in the reference frame and n steps of the loop.
    void moteur_explicite_data() {
        QTest::addColumn<double>("px");
        QTest::addColumn<double>("py");
        QTest::addColumn<double>("pz");
        QTest::addColumn<double>("isp_s");
        QTest::addColumn<double>("masse_kg");
        QTest::addColumn<double>("h");
        QTest::newRow("sans poussée") << 0.0 << 0.0 << 0.0 << 100.0 << 1000.0 << 1.0;
        QTest::newRow("ortho-radiale") << 0.0 << 200.0 << 0.0 << 300.0 << 800.0 << 5.0;
        QTest::newRow("trois composantes") << -50.0 << 30.0 << -7.0 << 250.0 << 1200.0 << 0.5;
        QTest::newRow("en arrière") << 10.0 << -20.0 << 30.0 << 100.0 << 1000.0 << -2.0;
        QTest::newRow("isp négative") << 0.0 << 10.0 << 0.0 << -100.0 << 1000.0 << 3.0;
        QTest::newRow("pas nul") << 5.0 << 5.0 << 5.0 << 100.0 << 1000.0 << 0.0;
    }
    void moteur_explicite() {
        QFETCH(double, px);
        QFETCH(double, py);
        QFETCH(double, pz);
        QFETCH(double, isp_s);
        QFETCH(double, masse_kg);
        QFETCH(double, h);
        module_de_test m;
        etat S = etat_de_conception();
        S.m = masse_kg;
        const repere L = repere_local_de(position_de(S), vitesse_de(S));
        constexpr int n = 5;

        fixer_poussee({px, py, pz}, isp_s);
        const propulsion moteur{{px, py, pz}, module_poussee, isp_s};
        etat D_partage;
        etat S1_partage;
        vecteur F_partage;
        derivees_etat(S, 0.0, D_partage);
        pas_runge_kutta(S, 0.0, h, S1_partage);
        poussee_inertielle(L, F_partage);
        etat n_pas_partages = S;
        for (int j = 0; j < n; ++j) {
            etat suivant;
            pas_runge_kutta(n_pas_partages, j * h, h, suivant);
            n_pas_partages = suivant;
        }

        fixer_poussee({1000.0, -1000.0, 7.0}, 1.0);
        etat D;
        etat S1;
        vecteur F;
        derivees_etat(moteur, S, 0.0, D);
        pas_runge_kutta(moteur, S, 0.0, h, S1);
        poussee_inertielle(moteur, L, F);
        etat boucle = S;
        double t = 0.0;
        integrer_n_pas(moteur, boucle, t, h, n, sans_observateur);
        QVERIFY(identiques(D, D_partage));
        QVERIFY(identiques(S1, S1_partage));
        QVERIFY(F == F_partage);
        QVERIFY(identiques(boucle, n_pas_partages));
        // The shared values now in force would give another step (but for h = 0).
        etat autre;
        pas_runge_kutta(S, 0.0, h, autre);
        QCOMPARE(identiques(autre, S1), h == 0.0);
    }

    // Step k ends at start + k h exactly, where a running sum of h drifts (0.1 is not a
    // binary fraction); the equations do not depend on time, so the states are those of
    // the running sum, to the bit.
    void temps_sans_derive_data() {
        QTest::addColumn<double>("debut");
        QTest::addColumn<double>("h");
        QTest::addColumn<int>("n");
        QTest::newRow("dixièmes, tir le plus long") << 0.0 << 0.1 << 32766;
        QTest::newRow("départ non nul") << 1000.0 << 0.3 << 5000;
        QTest::newRow("en arrière") << 0.0 << -0.7 << 3001;
    }
    void temps_sans_derive() {
        QFETCH(double, debut);
        QFETCH(double, h);
        QFETCH(int, n);
        module_de_test m;
        const etat depart = etat_de_conception();
        fixer_poussee({0, 10, 0}, 300.0);
        etat S = depart;
        double t = debut;
        int k = 0;
        bool temps_exacts = true;
        integrer_n_pas(propulsion_partagee(), S, t, h, n, [&](const etat&, double instant) {
            ++k;
            temps_exacts = temps_exacts && instant == debut + k * h;
        });
        QVERIFY(temps_exacts);
        QVERIFY(t == debut + n * h);

        etat somme = depart;
        double t_somme = debut;
        for (int j = 0; j < n; ++j) {
            etat suivant;
            pas_runge_kutta(somme, t_somme, h, suivant);
            somme = suivant;
            t_somme += h;
        }
        QVERIFY2(t_somme != t, "the running sum should drift here"); // what the loop avoids
        QVERIFY(identiques(S, somme));
    }

    // 1000 N radial on 1000 kg with Isp 100 s: dm/dt = -1000 / 981 kg/s, and the
    // thrust adds 1 km/s^2 along the radial axis (no newton-to-km conversion).
    void debit_et_acceleration_de_poussee() {
        module_de_test m;
        const etat S = etat_de_conception();
        QCOMPARE(S.m, 1000.0);
        fixer_poussee({0, 0, 0}, 100.0);
        etat gravite;
        derivees_etat(S, 0.0, gravite);
        QCOMPARE(gravite.m, 0.0);

        fixer_poussee({1000, 0, 0}, 100.0);
        etat D;
        derivees_etat(S, 0.0, D);
        QVERIFY(D.m == -1000.0 / (100.0 * 9.81));
        PROCHE(D.m, -1000.0 / 981.0, 1e-12);
        vecteur u;
        unitaire(position_de(S), u);
        for (int i = 1; i <= 3; ++i) {
            PROCHE(D.y(i) - gravite.y(i), u(i), 1e-14);
            QCOMPARE(D.y(i + 3), S.y(i));
        }
        // Gravity alone: mu / r^2 towards the centre.
        const double r = longueur(position_de(S));
        PROCHE(longueur(vitesse_de(gravite)), 398603.0 / (r * r), 1e-15);
    }

    void pas_nul_negatif_et_temps() {
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({300, -50, 20}, 250.0);

        etat S1;
        pas_runge_kutta(S, 0.0, 0.0, S1);
        QVERIFY(identiques(S1, S));

        // Backwards the engine gives the mass back; forwards again returns to S.
        etat arriere;
        pas_runge_kutta(S, 0.0, -2.0, arriere);
        QVERIFY(arriere.m > S.m);
        PROCHE(arriere.m, S.m + 2.0 * module_poussee / (250.0 * 9.81), 1e-12);
        etat retour;
        pas_runge_kutta(arriere, 0.0, 2.0, retour);
        for (int i = 1; i <= 6; ++i) {
            PROCHE(retour.y(i), S.y(i), 1e-9 * std::max(1.0, std::abs(S.y(i))));
        }
        PROCHE(retour.m, S.m, 1e-12);

        // The forces do not depend on time.
        etat a;
        etat b;
        pas_runge_kutta(S, 0.0, 0.5, a);
        pas_runge_kutta(S, 12345.678, 0.5, b);
        QVERIFY(identiques(a, b));
    }

    // A radial thrust has no torque: r x v is kept.
    void poussee_radiale_garde_le_moment() {
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({500, 0, 0}, 300.0);
        const etat fin = integrer(S, 0.1, 200);
        const vecteur h0 = moment(S);
        const vecteur h1 = moment(fin);
        for (int i = 1; i <= 3; ++i) {
            PROCHE(h1(i), h0(i), 1e-11 * longueur(h0));
        }
        // The thrust did act: the orbit energy changed.
        QVERIFY(std::abs(energie(fin) - energie(S)) > 1.0);
    }

    // An ortho-radial thrust changes |r x v| in the plane of the orbit.
    void poussee_ortho_radiale_tourne_dans_le_plan() {
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({0, 100, 0}, 300.0);
        const etat fin = integrer(S, 0.1, 100);
        const vecteur h0 = moment(S);
        const vecteur h1 = moment(fin);
        QVERIFY(longueur(h1) > longueur(h0) * 1.05);
        QVERIFY(energie(fin) > energie(S));
        const double cosinus =
            (h0.x * h1.x + h0.y * h1.y + h0.z * h1.z) / (longueur(h0) * longueur(h1));
        PROCHE(cosinus, 1.0, 1e-14);
    }

    // A normal thrust turns the orbit plane about the radial axis: over a short
    // burn, h turns about r (h0 x h1 along r) by |r| f dt / |h|, and |h| stays.
    void poussee_normale_tourne_le_plan() {
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({0, 0, 100}, 300.0);
        const double dt = 0.01;
        const etat fin = integrer(S, dt / 10, 10);
        const vecteur h0 = moment(S);
        const vecteur h1 = moment(fin);
        vecteur axe;
        prod_vectoriel(h0, h1, axe);
        vecteur u0;
        unitaire(position_de(S), u0);
        const double cos_axe = (axe.x * u0.x + axe.y * u0.y + axe.z * u0.z) / longueur(axe);
        QVERIFY2(cos_axe > 1.0 - 1e-9, qPrintable(QString::number(cos_axe, 'g', 17)));
        const double angle = std::asin(longueur(axe) / (longueur(h0) * longueur(h1)));
        const double attendu = longueur(position_de(S)) * (100.0 / 1000.0) * dt / longueur(h0);
        PROCHE(angle, attendu, 1e-4 * attendu);
        PROCHE(longueur(h1), longueur(h0), 1e-7 * longueur(h0));
    }

    // A coast over one period comes back to its start (Kepler), with the fourth-order
    // convergence of the scheme, and keeps its energy.
    void revolution_kepler() {
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({0, 0, 0}, 100.0);
        const double a = 4768.0; // (5618 + 3918) / 2
        const double periode = 2.0 * std::numbers::pi * std::sqrt(a * a * a / 398603.0);

        double erreurs[3];
        const int pas[3] = {500, 1000, 2000};
        for (int k = 0; k < 3; ++k) {
            const etat fin = integrer(S, periode / pas[k], pas[k]);
            vecteur d{fin.y(4) - S.y(4), fin.y(5) - S.y(5), fin.y(6) - S.y(6)};
            erreurs[k] = longueur(d);
            QCOMPARE(fin.m, S.m);
            const double derive = std::abs((energie(fin) - energie(S)) / energie(S));
            if (pas[k] == 1000) {
                QVERIFY2(erreurs[k] < 1e-3, qPrintable(QString::number(erreurs[k])));
                QVERIFY2(derive < 1e-9, qPrintable(QString::number(derive)));
            }
        }
        for (int k = 0; k < 2; ++k) {
            const double rapport = erreurs[k] / erreurs[k + 1];
            QVERIFY2(rapport > 12.0 && rapport < 20.0, qPrintable(QString::number(rapport)));
        }

        // A quarter period: the anomaly that Kepler's equation gives.
        const etat quart = integrer(S, periode / 4000, 1000);
        const double e = 1700.0 / 9536.0;
        const double nu0 = 25.0 * 3.141592658 / 180.0;
        const double nu = anomalie_kepler(e, a, nu0, periode / 4);
        const double p = a * (1 - e * e);
        const double r_attendu = p / (1 + e * std::cos(nu));
        PROCHE(longueur(position_de(quart)), r_attendu, 1e-6);
        vecteur u0;
        unitaire(position_de(S), u0);
        vecteur u1;
        unitaire(position_de(quart), u1);
        PROCHE(std::acos(u0.x * u1.x + u0.y * u1.y + u0.z * u1.z), nu - nu0, 1e-9);
    }

    // A step so long that the trial states overflow, or of no finite size at all.
    void pas_demesure_data() {
        QTest::addColumn<double>("h");
        QTest::addColumn<int>("nature");
        QTest::newRow("1e305") << 1e305 << int(nature_erreur::depassement_capacite);
        QTest::newRow("infini") << HUGE_VAL << int(nature_erreur::depassement_capacite);
        QTest::newRow("-infini") << -HUGE_VAL << int(nature_erreur::depassement_capacite);
        QTest::newRow("NaN") << std::nan("") << int(nature_erreur::operation_invalide);
    }
    void pas_demesure() {
        QFETCH(double, h);
        QFETCH(int, nature);
        module_de_test m;
        const etat S = etat_de_conception();
        fixer_poussee({0, 0, 0}, 100.0);
        etat S1;
        try {
            pas_runge_kutta(S, 0.0, h, S1);
            QFAIL("no error raised");
        } catch (const erreur_calcul& e) {
            QCOMPARE(int(e.nature()), nature);
        }
    }

    // States where the equations are undefined raise the arithmetic error.
    void etats_indefinis_data() {
        QTest::addColumn<double>("masse_kg");
        QTest::addColumn<double>("isp_s");
        QTest::addColumn<double>("vx");
        QTest::addColumn<double>("rx");
        QTest::addColumn<int>("nature");
        const int zero_sur_zero = int(nature_erreur::operation_invalide);
        const int division = int(nature_erreur::division_par_zero);
        QTest::newRow("masse nulle") << 0.0 << 100.0 << 0.0 << 7000.0 << division;
        QTest::newRow("isp nulle sans poussée") << 1000.0 << 0.0 << 0.0 << 7000.0 << zero_sur_zero;
        QTest::newRow("vitesse radiale") << 1000.0 << 100.0 << 5.0 << 7000.0 << division;
        QTest::newRow("centre de la Terre") << 1000.0 << 100.0 << 0.0 << 0.0 << division;
        const int depassement = int(nature_erreur::depassement_capacite);
        QTest::newRow("Isp démesurée") << 1000.0 << 1e308 << 0.0 << 7000.0 << depassement;
        QTest::newRow("masse infinie") << HUGE_VAL << 100.0 << 0.0 << 7000.0 << depassement;
        QTest::newRow("position démesurée") << 1000.0 << 100.0 << 0.0 << 1e200 << depassement;
    }
    void etats_indefinis() {
        QFETCH(double, masse_kg);
        QFETCH(double, isp_s);
        QFETCH(double, vx);
        QFETCH(double, rx);
        QFETCH(int, nature);
        module_de_test m;
        if (isp_s == 0.0) {
            fixer_poussee({0, 0, 0}, 0.0);
        } else {
            fixer_poussee({10, 10, 0}, isp_s);
        }
        const etat S = etat_de({rx, 0, 0}, {vx, vx != 0.0 ? 0.0 : 7.5, 0}, masse_kg);
        etat D;
        D.m = 42.0;
        try {
            derivees_etat(S, 0.0, D);
            QFAIL("no error raised");
        } catch (const erreur_calcul& e) {
            QCOMPARE(int(e.nature()), nature);
        }
        etat S1;
        QVERIFY_THROWS_EXCEPTION(erreur_calcul, pas_runge_kutta(S, 0.0, 1.0, S1));
    }
};
TRAJEL_TEST(TestEtat);
#include "test_etat.moc"
