// The window's rules on the fake window: what they write, and when.

#include "commun/principal.h"
#include "soutien/faux_formulaire.h"

#include <QTest>

using namespace trajel;
using namespace trajel::test;

class TestRegles : public QObject {
    Q_OBJECT
private slots:
    // Za and Zp equal as numbers, however written, set omega to "0"; Text1 counts even
    // when it is Phi.
    void altitudes_egales_data() {
        QTest::addColumn<QString>("za");
        QTest::addColumn<QString>("zp");
        QTest::addColumn<QString>("omega");
        QTest::newRow("mêmes textes") << "300"
                                      << "300"
                                      << "0";
        QTest::newRow("300.00 et 3E2") << "300.00"
                                       << " 3E2"
                                       << "0";
        QTest::newRow("blancs dedans") << "3 00"
                                       << "300"
                                       << "0";
        QTest::newRow("sans nombre") << "abc"
                                     << ""
                                     << "0";
        QTest::newRow("différents") << "300"
                                    << "300.0001"
                                    << "10";
        QTest::newRow("Phi 45 et Zp 45") << "45"
                                         << "45"
                                         << "0";
    }
    void altitudes_egales() {
        QFETCH(QString, za);
        QFETCH(QString, zp);
        QFETCH(QString, omega);
        faux_formulaire f;
        f.ecrire(zone_texte::Text1, za.toStdString());
        f.ecrire(zone_texte::Text2, zp.toStdString());
        QVERIFY(regle_de_changement(zone_texte::Text2, f));
        QCOMPARE(QString::fromStdString(f.texte(zone_texte::Text5)), omega);
    }

    void inclinaison_nulle_data() {
        QTest::addColumn<QString>("i");
        QTest::addColumn<QString>("Omega");
        QTest::newRow("0") << "0"
                           << "0";
        QTest::newRow("-0") << "-0"
                            << "0";
        QTest::newRow("vide") << ""
                              << "0";
        QTest::newRow("1E-300") << "1E-300"
                                << "20";
        QTest::newRow("7") << "7"
                           << "20";
    }
    void inclinaison_nulle() {
        QFETCH(QString, i);
        QFETCH(QString, Omega);
        faux_formulaire f;
        f.ecrire(zone_texte::Text4, i.toStdString());
        QVERIFY(regle_de_changement(zone_texte::Text4, f));
        QCOMPARE(QString::fromStdString(f.texte(zone_texte::Text3)), Omega);
    }

    // The boxes without a change handler run no rule and no redraw.
    void boites_sans_gestionnaire() {
        faux_formulaire f;
        f.ecrire(zone_texte::Text1, "300");
        f.ecrire(zone_texte::Text4, "0");
        for (zone_texte z :
             {zone_texte::Text6, zone_texte::Text8, zone_texte::Text9, zone_texte::Text10,
              zone_texte::Text11, zone_texte::Text12, zone_texte::Text13}) {
            QVERIFY(!regle_de_changement(z, f));
        }
        QVERIFY(f.journal.empty());
    }

    void propositions_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("zp");
        QTest::addColumn<QString>("propose");
        QTest::newRow("elliptique 300") << int(bouton_option::Option_elliptique) << "300"
                                        << " 450";
        QTest::newRow("elliptique 201") << int(bouton_option::Option_elliptique) << "201"
                                        << " 301";
        QTest::newRow("elliptique -201") << int(bouton_option::Option_elliptique) << "-201"
                                         << "-302";
        QTest::newRow("hyperbolique") << int(bouton_option::Option_hyperbolique) << "300"
                                      << "45";
        QTest::newRow("circulaire") << int(bouton_option::Option_circulaire) << "300"
                                    << "";
        QTest::newRow("parabolique") << int(bouton_option::Option_parabolique) << "300"
                                     << "";
        QTest::newRow("tous") << int(bouton_option::Option_tous) << "300"
                              << "";
    }
    void propositions() {
        QFETCH(int, option);
        QFETCH(QString, zp);
        QFETCH(QString, propose);
        faux_formulaire f;
        f.ecrire(zone_texte::Text2, zp.toStdString());
        const auto texte = proposition_Text1(static_cast<bouton_option>(option), f);
        QCOMPARE(texte.has_value(), !propose.isEmpty());
        if (texte) {
            QCOMPARE(QString::fromStdString(*texte), propose);
        }
    }
};
TRAJEL_TEST(TestRegles);
#include "test_regles.moc"
