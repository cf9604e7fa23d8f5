// The burn through the real main window: the "Tir !" button, the window's own
// change and click handlers, its error reports and its picture's display list.

#include "commun/principal.h"
#include "manoeuvre/outils_manoeuvre.h"
#include "ui/fenetre_de_test.h"

#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

namespace {

QStringList textes(const fenetre_de_test& f) {
    QStringList t;
    for (const char* nom : boites) {
        t << f.texte(nom)->text();
    }
    return t;
}

void tirer(const fenetre_de_test& f) {
    QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
}

double nombre(const fenetre_de_test& f, const char* nom) {
    return Val(f.texte(nom)->text().toStdString());
}

} // namespace

class TestTirFenetre : public QObject {
    Q_OBJECT
private slots:
    // The design window: a 10-second coast, the orbit back in the boxes, the anomaly
    // moved on, the masses shown, the arc over the picture.
    void vol_libre() {
        fenetre_de_test f;
        tirer(f);
        QVERIFY(f.rapports.empty());
        QVERIFY(f.option("Option_elliptique")->isChecked());
        PROCHE(nombre(f, "Text1"), 2000.0, 1e-6);
        PROCHE(nombre(f, "Text2"), 300.0, 1e-6);
        PROCHE(nombre(f, "Text3"), 20.0, 1e-9);
        PROCHE(nombre(f, "Text4"), 20.0, 1e-9);
        PROCHE(nombre(f, "Text5"), 10.0, 1e-9);
        const double pi_programme = 3.141592658;
        const double nu = anomalie_kepler(1700.0 / 9536.0, 4768.0, 25 * pi_programme / 180, 10);
        PROCHE(nombre(f, "Text7"), nu * 180 / pi_programme, 1e-9);
        QCOMPARE(f.texte("Text6")->text(), QString("1000"));
        QCOMPARE(f.legende("Label_debit"), QString(" 0"));
        QCOMPARE(traits_finaux(*f.image(), couleur_terre), std::size_t(99));
    }

    // An escape: the hyperbolic option, whose handler relabels Text1 "Phi°", and Phi.
    void evasion() {
        fenetre_de_test f;
        f.coller("Text8", "1000");
        tirer(f);
        QVERIFY(f.rapports.empty());
        QVERIFY(f.option("Option_hyperbolique")->isChecked());
        QVERIFY(!f.option("Option_elliptique")->isChecked());
        QCOMPARE(f.legende("Label6"), QString("Phi°"));
        const double phi = nombre(f, "Text1");
        QVERIFY(phi > 0 && phi < 90);
        QCOMPARE(traj.type_conique, std::string(hyperbolique));
        PROCHE(traj.angle_asymptote, phi, 0.0);
        PROCHE(Val(f.legende("Label_debit").toStdString()), 10 * 1000 / 981.0, 1e-10);
    }

    // A refused burn is reported, and the window stays as it was.
    void refus_data() {
        QTest::addColumn<QString>("boite");
        QTest::addColumn<QString>("texte");
        QTest::newRow("0 pas") << "Text12"
                               << "0";
        QTest::newRow("32767 pas") << "Text12"
                                   << "32767";
        QTest::newRow("masse nulle") << "Text6"
                                     << "0";
        QTest::newRow("isp nulle") << "Text13"
                                   << "0";
    }
    void refus() {
        QFETCH(QString, boite);
        QFETCH(QString, texte);
        fenetre_de_test f;
        // An earlier burn: Label_debit shows its consumed mass.
        f.coller("Text8", "100");
        tirer(f);
        QVERIFY(f.rapports.empty());
        f.coller(boite.toLatin1().constData(), texte);
        const QStringList saisis = textes(f);
        const QString label = f.legende("Label_debit");
        QVERIFY(label != QString("0"));
        const double masse_avant = masse;
        const trajectoire traj_avant = traj;
        const std::size_t elements = f.image()->elements().size();

        tirer(f);
        QCOMPARE(f.rapports.size(), std::size_t(1));
        QCOMPARE(f.rapports[0].nature(), nature_erreur::tir_refuse);
        QCOMPARE(textes(f), saisis);
        QCOMPARE(f.legende("Label_debit"), label);
        QCOMPARE(masse, masse_avant);
        QCOMPARE(traj.anomalie, traj_avant.anomalie);
        QCOMPARE(traj.za, traj_avant.za);
        QCOMPARE(f.image()->elements().size(), elements);
    }

    // Two clicks chain: the second burn starts from the mass and the place shown.
    void tirs_enchaines() {
        fenetre_de_test f;
        f.coller("Text8", "100");
        tirer(f);
        const double za = nombre(f, "Text1");
        tirer(f);
        QVERIFY(f.rapports.empty());
        QVERIFY(nombre(f, "Text1") > za);
        PROCHE(nombre(f, "Text6"), 1000 - 2 * 1000 / 981.0, 1e-9);
        PROCHE(Val(f.legende("Label_debit").toStdString()), 1000 / 981.0, 1e-9);
    }
};
TRAJEL_TEST(TestTirFenetre);
#include "test_tir_fenetre.moc"
