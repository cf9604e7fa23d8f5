#include "commun/principal.h"
#include "core/vecteur.h"
#include "verifications.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace trajel;
using trajel::test::erreur_levee;

class TestVecteur : public QObject {
    Q_OBJECT
private slots:
    void deg_rad_utilise_le_pi_du_programme_data() {
        QTest::addColumn<double>("degres");
        QTest::addColumn<double>("radians");
        QTest::newRow("180: le pi du programme") << 180.0 << 3.141592658;
        QTest::newRow("90: demi-tour / 2") << 90.0 << 1.570796329;
        QTest::newRow("360") << 360.0 << 6.283185316;
        QTest::newRow("-180") << -180.0 << -3.141592658;
        QTest::newRow("0") << 0.0 << 0.0;
    }
    void deg_rad_utilise_le_pi_du_programme() {
        QFETCH(double, degres);
        QFETCH(double, radians);
        COMPARER_EXACT(deg_rad(degres), radians);
    }

    void deg_rad_deborde() {
        VERIFIER_ERREUR([] { deg_rad(1e308); }, nature_erreur::depassement_capacite);
        VERIFIER_ERREUR([] { deg_rad(-1e308); }, nature_erreur::depassement_capacite);
    }

    // The quarter turn of arccos is the true one (from atan), not 3.141592658 / 2.
    void arccos_valeurs_data() {
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("attendu");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("0: quart de tour vrai") << 0.0 << 1.5707963267948966 << 0.0;
        QTest::newRow("0.5") << 0.5 << 1.0471975511965976 << 1e-15;
        QTest::newRow("-0.5") << -0.5 << 2.0943951023931953 << 1e-15;
        // Just inside the domain: the square root is 2^-26, no division by zero.
        QTest::newRow("juste sous 1")
            << std::nextafter(1.0, 0.0) << 1.4901161193847656e-08 << 1e-15;
        QTest::newRow("juste au-dessus de -1")
            << std::nextafter(-1.0, 0.0) << 3.1415926535897931 - 1.4901161193847656e-08 << 1e-15;
    }
    void arccos_valeurs() {
        QFETCH(double, c);
        QFETCH(double, attendu);
        QFETCH(double, tolerance);
        COMPARER_PROCHE(arccos(c), attendu, tolerance);
    }

    void arccos_de_0_5_n_est_pas_le_tiers_du_pi_du_programme() {
        // The true pi / 3, about 1.5e-9 below 3.141592658 / 3.
        QVERIFY(std::fabs(arccos(0.5) - 3.141592658 / 3.0) > 1e-9);
        COMPARER_EXACT(arccos(0.5), std::atan(-0.5 / std::sqrt(0.75)) + 2.0 * std::atan(1.0));
    }

    void arccos_hors_domaine_data() {
        QTest::addColumn<double>("c");
        QTest::addColumn<nature_erreur>("nature");
        QTest::newRow("1") << 1.0 << nature_erreur::division_par_zero;
        QTest::newRow("-1") << -1.0 << nature_erreur::division_par_zero;
        QTest::newRow("juste au-dessus de 1")
            << std::nextafter(1.0, 2.0) << nature_erreur::operation_invalide;
        QTest::newRow("juste sous -1")
            << std::nextafter(-1.0, -2.0) << nature_erreur::operation_invalide;
        QTest::newRow("2") << 2.0 << nature_erreur::operation_invalide;
        QTest::newRow("-1.5") << -1.5 << nature_erreur::operation_invalide;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN()
                             << nature_erreur::operation_invalide;
    }
    void arccos_hors_domaine() {
        QFETCH(double, c);
        QFETCH(nature_erreur, nature);
        VERIFIER_ERREUR([c] { arccos(c); }, nature);
    }

    void angle_oriente_cas_data() {
        QTest::addColumn<vecteur>("a");
        QTest::addColumn<vecteur>("b");
        QTest::addColumn<vecteur>("ref");
        QTest::addColumn<double>("attendu");
        QTest::addColumn<double>("tolerance");
        const vecteur x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1}, mz{0, 0, -1};
        QTest::newRow("a vers a") << vecteur{1, 2, 3} << vecteur{1, 2, 3} << z << 0.0 << 0.0;
        QTest::newRow("opposés") << x << vecteur{-3, 0, 0} << z << 180.0 << 0.0;
        QTest::newRow("opposés, longueurs différentes")
            << vecteur{2, 0, 0} << vecteur{-0.5, 0, 0} << y << 180.0 << 0.0;
        // |a| |b| = 2.0000000000000004 while a . b = -2: still a half turn.
        QTest::newRow("opposés avec arrondi")
            << vecteur{1, 1, 0} << vecteur{-1, -1, 0} << z << 180.0 << 0.0;
        QTest::newRow("même sens avec arrondi")
            << vecteur{1, 1, 0} << vecteur{2, 2, 0} << z << 0.0 << 0.0;
        QTest::newRow("b nul") << x << vecteur{0, 0, 0} << z << 0.0 << 0.0;
        QTest::newRow("a nul") << vecteur{0, 0, 0} << x << z << 0.0 << 0.0;
        QTest::newRow("perpendiculaires, ref +z") << x << y << z << 90.0 << 0.0;
        QTest::newRow("perpendiculaires, ref -z") << x << y << mz << 270.0 << 0.0;
        QTest::newRow("perpendiculaires, ref dans le plan") << x << y << x << 0.0 << 0.0;
        // arccos turns with the true pi, degrees with 3.141592658.
        QTest::newRow("45, ref +z") << x << vecteur{1, 1, 0} << z << 44.999999936828442 << 1e-12;
        QTest::newRow("45, ref -z") << x << vecteur{1, 1, 0} << mz << 315.00000006317156 << 1e-12;
        QTest::newRow("45, ref dans le plan") << x << vecteur{1, 1, 0} << x << 270.0 << 0.0;
        QTest::newRow("60, ref +z")
            << x << vecteur{0.5, std::sqrt(0.75), 0} << z << 59.999999915771255 << 1e-9;
        QTest::newRow("120, ref -z")
            << x << vecteur{-0.5, std::sqrt(0.75), 0} << mz << 240.00000016845749 << 1e-9;
        // Nearly parallel, normal not zero, but d / (|a||b|) rounds past +-1.
        QTest::newRow("c arrondi au-delà de 1")
            << vecteur{8.2271609582235357, -0.58495735019535289, -8.511499198576665}
            << vecteur{11.492874696902462, -0.81715206046958477, -11.890079004015211} << z << 0.0
            << 0.0;
        QTest::newRow("c arrondi au-delà de -1")
            << vecteur{5.8041106183845077, -2.149521381588305, 0.5987461947694257}
            << vecteur{-11.797375789644454, 4.3690951420100932, -1.2170053823475591} << z << 180.0
            << 0.0;
    }
    void angle_oriente_cas() {
        QFETCH(vecteur, a);
        QFETCH(vecteur, b);
        QFETCH(vecteur, ref);
        QFETCH(double, attendu);
        QFETCH(double, tolerance);
        double angle = -1.0;
        const auto erreur = erreur_levee([&] { angle = angle_oriente(a, b, ref); });
        QVERIFY2(!erreur, qPrintable(trajel::test::texte_nature(erreur)));
        COMPARER_PROCHE(angle, attendu, tolerance);
    }

    // Turning about -ref gives the complement to 360 for any non-degenerate pair.
    void angle_oriente_sens_inverse() {
        const vecteur a{3, -1, 2}, b{-1, 4, 0.5}, ref{0.2, 0.3, 1};
        const vecteur moins_ref{-ref.x, -ref.y, -ref.z};
        const double direct = angle_oriente(a, b, ref);
        const double inverse = angle_oriente(a, b, moins_ref);
        QVERIFY(direct > 0.0 && direct < 360.0);
        COMPARER_PROCHE(direct + inverse, 360.0, 1e-12);
    }

    void angle_oriente_deborde() {
        VERIFIER_ERREUR(
            [] {
                angle_oriente({1e200, 0, 0}, {0, 1e200, 0}, {0, 0, 1});
            },
            nature_erreur::depassement_capacite);
    }

    void produit_vectoriel_data() {
        QTest::addColumn<vecteur>("a");
        QTest::addColumn<vecteur>("b");
        QTest::addColumn<vecteur>("attendu");
        QTest::newRow("x ^ y = z") << vecteur{1, 0, 0} << vecteur{0, 1, 0} << vecteur{0, 0, 1};
        QTest::newRow("y ^ x = -z") << vecteur{0, 1, 0} << vecteur{1, 0, 0} << vecteur{0, 0, -1};
        QTest::newRow("y ^ z = x") << vecteur{0, 1, 0} << vecteur{0, 0, 1} << vecteur{1, 0, 0};
        QTest::newRow("z ^ x = y") << vecteur{0, 0, 1} << vecteur{1, 0, 0} << vecteur{0, 1, 0};
        QTest::newRow("quelconques") << vecteur{1, 2, 3} << vecteur{4, 5, 6} << vecteur{-3, 6, -3};
        QTest::newRow("parallèles") << vecteur{1, 2, 3} << vecteur{-2, -4, -6} << vecteur{0, 0, 0};
    }
    void produit_vectoriel() {
        QFETCH(vecteur, a);
        QFETCH(vecteur, b);
        QFETCH(vecteur, attendu);
        vecteur n{7, 7, 7};
        prod_vectoriel(a, b, n);
        COMPARER_VECTEUR(n, attendu, 0.0);
    }

    void produit_scalaire_et_norme() {
        COMPARER_EXACT(prod_scalaire({1, 2, 3}, {4, 5, 6}), 32.0);
        COMPARER_EXACT(prod_scalaire({1, 2, 0}, {-2, 1, 7}), 0.0);
        COMPARER_EXACT(norme({3, 4, 0}), 5.0);
        COMPARER_EXACT(norme({0, -3, 4}), 5.0);
        COMPARER_EXACT(norme({0, 0, 0}), 0.0);
        COMPARER_EXACT(norme({2, 3, 6}), 7.0);
    }

    // Huge terms overflow; opposite overflowing terms must not pass for inf - inf.
    void debordements_des_produits() {
        VERIFIER_ERREUR([] { norme({1e200, 0, 0}); }, nature_erreur::depassement_capacite);
        VERIFIER_ERREUR(
            [] {
                prod_scalaire({1e200, 1e200, 0}, {1e200, -1e200, 0});
            },
            nature_erreur::depassement_capacite);
        VERIFIER_ERREUR(([] {
                            vecteur n;
                            prod_vectoriel({0, 1e200, 1e200}, {0, 1e200, 1e200}, n);
                        }),
                        nature_erreur::depassement_capacite);
        VERIFIER_ERREUR(([] {
                            vecteur v{1e300, 0, 0};
                            mult_scalaire(1e10, v, v);
                        }),
                        nature_erreur::depassement_capacite);
    }

    void unitaire_ecrit_dans_un_autre_vecteur_ou_sur_place() {
        const vecteur v{0, 0, 5};
        vecteur u{9, 9, 9};
        unitaire(v, u);
        COMPARER_VECTEUR(u, (vecteur{0, 0, 1}), 0.0);

        vecteur w{0, 0, 5};
        unitaire(w, w);
        COMPARER_VECTEUR(w, (vecteur{0, 0, 1}), 0.0);

        vecteur t{3, -4, 0};
        unitaire(t, t); // the length is taken before the first component is overwritten
        COMPARER_VECTEUR(t, (vecteur{0.6, -0.8, 0}), 1e-16);
    }

    void unitaire_du_vecteur_nul() {
        VERIFIER_ERREUR(([] {
                            vecteur v{0, 0, 0};
                            unitaire(v, v);
                        }),
                        nature_erreur::division_par_zero);
    }

    void mult_scalaire_sur_place() {
        vecteur v{1, -2, 3};
        mult_scalaire(2.5, v, v);
        COMPARER_VECTEUR(v, (vecteur{2.5, -5, 7.5}), 0.0);
    }

    void composantes_par_numero() {
        vecteur v{1, 2, 3};
        COMPARER_EXACT(v(1), 1.0);
        COMPARER_EXACT(v(2), 2.0);
        COMPARER_EXACT(v(3), 3.0);
        v(2) = -8;
        COMPARER_EXACT(v.y, -8.0);
    }

    void projeter_ignore_le_premier_axe_data() {
        QTest::addColumn<vecteur>("p");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        // Frame: u = (0, 1, 0) the line of sight, v = (0, 0, 1), w = (1, 0, 0).
        QTest::newRow("le long de u") << vecteur{0, 7, 0} << 0.0 << 0.0;
        QTest::newRow("quelconque") << vecteur{1, 7, 2} << 2.0 << 1.0;
        QTest::newRow("le long de w") << vecteur{-4, 0, 0} << 0.0 << -4.0;
    }
    void projeter_ignore_le_premier_axe() {
        QFETCH(vecteur, p);
        QFETCH(double, x);
        QFETCH(double, y);
        const repere r{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
        point_vue q{5, 5};
        projeter(r, p, q);
        COMPARER_EXACT(q.x, x);
        COMPARER_EXACT(q.y, y);
    }
};
TRAJEL_TEST(TestVecteur);
#include "test_vecteur.moc"
