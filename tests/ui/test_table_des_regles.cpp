// The real window runs the box rules of the shared table: a box typed and committed in
// the window leaves the same thirteen texts as the fake window of the tests running
// the table's rule for that box, and only the boxes the table defers wait for the commit.

#include "commun/principal.h"
#include "core/regles.h"
#include "fenetre_de_test.h"
#include "soutien/faux_formulaire.h"

#include <QTest>

using namespace trajel;
using namespace trajel::test;

class TestTableDesRegles : public QObject {
    Q_OBJECT
private slots:
    void fenetre_et_table_data() {
        QTest::addColumn<int>("boite");
        QTest::addColumn<QString>("texte");
        QTest::newRow("Za equal to Zp") << 0 << "300";
        QTest::newRow("Za above Zp") << 0 << "4000";
        QTest::newRow("Zp equal to Za") << 1 << "2000";
        QTest::newRow("i zero") << 3 << "0";
        QTest::newRow("i zero, decimal comma") << 3 << "0,0";
        QTest::newRow("i not zero") << 3 << "12";
        QTest::newRow("Omega") << 2 << "0";
        QTest::newRow("omega") << 4 << "5";
        QTest::newRow("anomaly") << 6 << "90";
    }
    void fenetre_et_table() {
        QFETCH(int, boite);
        QFETCH(QString, texte);
        const auto zone = static_cast<zone_texte>(boite);

        faux_formulaire faux;
        faux.ecrire(zone, texte.toStdString());
        regle_de_changement(zone, faux);

        fenetre_de_test f;
        f.taper(boites[boite], texte);
        // Typed, the rule of a deferred box has not run yet.
        if (regle_differee(zone)) {
            QCOMPARE(f.texte("Text5")->text(), QString("10"));
            QCOMPARE(f.texte("Text3")->text(), QString("20"));
        }
        f.valider(boites[boite]);
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(f.texte(boites[i])->text().toStdString(),
                     faux.texte(static_cast<zone_texte>(i)));
        }
    }
};

TRAJEL_TEST(TestTableDesRegles);
#include "test_table_des_regles.moc"
