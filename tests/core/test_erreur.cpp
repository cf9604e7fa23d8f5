#include "commun/principal.h"
#include "core/erreur.h"
#include "verifications.h"

#include <QTest>

#include <cstdint>
#include <limits>

using namespace trajel;

namespace {
constexpr double infini = std::numeric_limits<double>::infinity();
const double pas_un_nombre = std::numeric_limits<double>::quiet_NaN();
} // namespace

class TestErreur : public QObject {
    Q_OBJECT
private slots:
    void quotient_valeurs_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("attendu");
        QTest::newRow("1/4") << 1.0 << 4.0 << 0.25;
        QTest::newRow("0/5") << 0.0 << 5.0 << 0.0;
        QTest::newRow("-7236/2") << -7236.0 << 2.0 << -3618.0;
        // Underflow is not a fault: the quotient is 0.
        QTest::newRow("soupassement") << 1e-300 << 1e300 << 0.0;
    }
    void quotient_valeurs() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, attendu);
        COMPARER_EXACT(quotient(a, b), attendu);
    }

    void quotient_erreurs_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<nature_erreur>("nature");
        QTest::newRow("1/0") << 1.0 << 0.0 << nature_erreur::division_par_zero;
        QTest::newRow("-1/0") << -1.0 << 0.0 << nature_erreur::division_par_zero;
        QTest::newRow("1/-0") << 1.0 << -0.0 << nature_erreur::division_par_zero;
        QTest::newRow("plus petit sous-normal/0")
            << std::numeric_limits<double>::denorm_min() << 0.0 << nature_erreur::division_par_zero;
        QTest::newRow("0/0") << 0.0 << 0.0 << nature_erreur::operation_invalide;
        QTest::newRow("1e308/1e-308") << 1e308 << 1e-308 << nature_erreur::depassement_capacite;
        QTest::newRow("infini en entrée") << infini << 2.0 << nature_erreur::depassement_capacite;
        QTest::newRow("NaN en entrée") << pas_un_nombre << 2.0 << nature_erreur::operation_invalide;
        QTest::newRow("diviseur NaN") << 1.0 << pas_un_nombre << nature_erreur::operation_invalide;
    }
    void quotient_erreurs() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(nature_erreur, nature);
        VERIFIER_ERREUR([=] { quotient(a, b); }, nature);
    }

    void controle_racine_puissance() {
        COMPARER_EXACT(controle(-3.5), -3.5);
        VERIFIER_ERREUR([] { controle(pas_un_nombre); }, nature_erreur::operation_invalide);
        VERIFIER_ERREUR([] { controle(infini); }, nature_erreur::depassement_capacite);
        VERIFIER_ERREUR([] { controle(-infini); }, nature_erreur::depassement_capacite);

        COMPARER_EXACT(racine(6.25), 2.5);
        COMPARER_EXACT(racine(0.0), 0.0);
        VERIFIER_ERREUR([] { racine(-1e-300); }, nature_erreur::operation_invalide);

        COMPARER_EXACT(puissance(25.0, 0.5), 5.0);
        COMPARER_EXACT(puissance(-2.0, 2.0), 4.0);
        COMPARER_EXACT(puissance(-2.0, 3.0), -8.0);
        COMPARER_EXACT(puissance(0.0, 0.5), 0.0);
        VERIFIER_ERREUR([] { puissance(0.0, -1.0); }, nature_erreur::division_par_zero);
        VERIFIER_ERREUR([] { puissance(-8.0, 1.0 / 3.0); }, nature_erreur::operation_invalide);
        VERIFIER_ERREUR([] { puissance(10.0, 400.0); }, nature_erreur::depassement_capacite);
    }

    void messages() {
        QVERIFY(QString::fromUtf8(erreur_calcul(nature_erreur::division_par_zero).what())
                    .contains(QStringLiteral("division par zéro")));
        QVERIFY(QString::fromUtf8(erreur_calcul(nature_erreur::depassement_capacite).what())
                    .contains(QStringLiteral("dépassement de capacité")));
        const erreur_calcul propre(nature_erreur::tir_refuse, "autre texte");
        QCOMPARE(QString::fromUtf8(propre.what()), QStringLiteral("autre texte"));
        QVERIFY(propre.nature() == nature_erreur::tir_refuse);
    }

    // 16-bit conversion: nearest, halves to the even neighbour, range checked after
    // rounding.
    void entier16_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("attendu");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("2.5001") << 2.5001 << 3;
        QTest::newRow("32767.4") << 32767.4 << 32767;
        QTest::newRow("32766.5") << 32766.5 << 32766;
        QTest::newRow("-32768") << -32768.0 << -32768;
        QTest::newRow("-32768.5 vers le pair") << -32768.5 << -32768;
    }
    void entier16() {
        QFETCH(double, x);
        QFETCH(int, attendu);
        QCOMPARE(static_cast<int>(trajel::entier16(x)), attendu);
    }

    void entier16_hors_limites_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<nature_erreur>("nature");
        QTest::newRow("32767.5") << 32767.5 << nature_erreur::depassement_capacite;
        QTest::newRow("32768") << 32768.0 << nature_erreur::depassement_capacite;
        QTest::newRow("-32768.6") << -32768.6 << nature_erreur::depassement_capacite;
        QTest::newRow("-32769") << -32769.0 << nature_erreur::depassement_capacite;
        QTest::newRow("1e300") << 1e300 << nature_erreur::depassement_capacite;
        QTest::newRow("infini") << infini << nature_erreur::depassement_capacite;
        QTest::newRow("NaN") << pas_un_nombre << nature_erreur::operation_invalide;
    }
    void entier16_hors_limites() {
        QFETCH(double, x);
        QFETCH(nature_erreur, nature);
        VERIFIER_ERREUR([x] { trajel::entier16(x); }, nature);
    }

    void entier32_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<qint64>("attendu");
        QTest::addColumn<bool>("deborde");
        QTest::newRow("10334.5 vers le pair") << 10334.5 << qint64(10334) << false;
        QTest::newRow("8655.5 vers le pair") << 8655.5 << qint64(8656) << false;
        QTest::newRow("2147483647.4") << 2147483647.4 << qint64(2147483647) << false;
        QTest::newRow("2147483647.5") << 2147483647.5 << qint64(-1) << true;
        QTest::newRow("-2147483648") << -2147483648.0 << qint64(-2147483648LL) << false;
        QTest::newRow("-2147483648.5 vers le pair")
            << -2147483648.5 << qint64(-2147483648LL) << false;
        QTest::newRow("-2147483648.6") << -2147483648.6 << qint64(-1) << true;
        QTest::newRow("32768: au-delà de 16 bits") << 32768.0 << qint64(32768) << false;
        QTest::newRow("-1e10") << -1e10 << qint64(-1) << true;
    }
    void entier32() {
        QFETCH(double, x);
        QFETCH(qint64, attendu);
        QFETCH(bool, deborde);
        if (deborde) {
            VERIFIER_ERREUR([x] { trajel::entier32(x); }, nature_erreur::depassement_capacite);
        } else {
            QCOMPARE(static_cast<qint64>(trajel::entier32(x)), attendu);
        }
    }
};
TRAJEL_TEST(TestErreur);
#include "test_erreur.moc"
