// The journal's cells and texts for a spreadsheet, and the mission's totals.

#include "commun/principal.h"

#include "manoeuvre/journal_tirs.h"

#include <QTest>

using namespace trajel;

class TestJournalTirs : public QObject {
    Q_OBJECT
private slots:
    void orbite_du_journal_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("a_za_ou_phi");
        QTest::addColumn<double>("attendu");
        QTest::newRow("ellipse: Za") << "elliptique" << true << 2000.0;
        QTest::newRow("hyperbole: Phi") << "hyperbolique" << true << 45.0;
        QTest::newRow("cercle") << "circulaire" << false << 0.0;
        QTest::newRow("parabole") << "parabolique" << false << 0.0;
    }
    void orbite_du_journal() {
        QFETCH(QString, type);
        QFETCH(bool, a_za_ou_phi);
        QFETCH(double, attendu);
        trajectoire t;
        t.type_conique = type.toStdString();
        t.za = 2000.0;
        t.angle_asymptote = 45.0;
        t.zp = 300.0;
        t.inclinaison = 7.0;
        const orbite_journal o = orbite_journal_de(t);
        QCOMPARE(o.za_ou_phi.has_value(), a_za_ou_phi);
        if (a_za_ou_phi) {
            QCOMPARE(*o.za_ou_phi, attendu);
        }
        QCOMPARE(o.zp, 300.0);
        QCOMPARE(o.inclinaison, 7.0);
    }

    void totaux_et_cellules() {
        ligne_journal a;
        a.duree = 10.0;
        a.masse_avant = 1000.0;
        a.masse_apres = 990.0;
        a.delta_v = 0.01;
        a.pas = 100;
        a.avant.type_conique = "elliptique";
        a.avant.za_ou_phi = 2000.0;
        a.apres.type_conique = "circulaire";
        ligne_journal b = a;
        b.masse_avant = 990.0;
        b.masse_apres = 985.5;
        b.duree = 2.5;
        const totaux_journal t = totaux({a, b});
        QCOMPARE(t.duree, 12.5);
        QCOMPARE(t.masse_consommee, 14.5);
        QCOMPARE(t.delta_v, 0.02);
        QCOMPARE(totaux({}).delta_v, 0.0);

        const auto cellules = cellules_journal({a, b});
        QCOMPARE(cellules.size(), std::size_t(3));
        QCOMPARE(cellules[0].size(), cellules[2].size());
        QCOMPARE(cellules[2][0], std::string("2"));
        QCOMPARE(cellules[2][8], std::string("985.5"));
        QCOMPARE(cellules[1][11], std::string("2000"));
        QCOMPARE(cellules[1][15], std::string("-")); // a circle has no Za
    }

    void textes_tabule_et_csv_data() {
        QTest::addColumn<QString>("cellule");
        QTest::addColumn<QString>("csv");
        QTest::newRow("simple") << "12.5"
                                << "a,12.5\n";
        QTest::newRow("virgule") << "1,5"
                                 << "a,\"1,5\"\n";
        QTest::newRow("guillemet") << "dit \"x\""
                                   << "a,\"dit \"\"x\"\"\"\n";
    }
    void textes_tabule_et_csv() {
        QFETCH(QString, cellule);
        QFETCH(QString, csv);
        const std::vector<std::vector<std::string>> t{{"a", cellule.toStdString()}};
        QCOMPARE(QString::fromStdString(texte_csv(t)), csv);
        QCOMPARE(QString::fromStdString(texte_tabule(t)), "a\t" + cellule + "\n");
    }
};

TRAJEL_TEST(TestJournalTirs);
#include "test_journal_tirs.moc"
