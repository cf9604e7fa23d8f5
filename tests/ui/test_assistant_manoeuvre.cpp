// The manoeuvre assistant through the real window: a target already reached is said so,
// with no plan; of two nodes as cheap, the nearer; one anomaly row for a burn whose start
// is its point, two that say which is which otherwise.

#include "commun/principal.h"
#include "core/texte.h"
#include "fenetre_de_test.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>
#include <limits>

using namespace trajel;
using namespace trajel::test;

namespace {

void ouvrir(const fenetre_de_test& f, int manoeuvre) {
    f.fenetre->findChild<QAction*>(QStringLiteral("menu_assistant_manoeuvre"))->trigger();
    f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(manoeuvre);
}

const QTreeWidgetItem* premier_tir(const fenetre_de_test& f) {
    const QTreeWidgetItem* g = f.controle<QTreeWidget>("plan_manoeuvre")->topLevelItem(0);
    return g != nullptr && g->text(0).startsWith("Tir 1 ") ? g : nullptr;
}

QList<const QTreeWidgetItem*> lignes_anomalie(const QTreeWidgetItem* g) {
    QList<const QTreeWidgetItem*> lignes;
    for (int j = 0; j < g->childCount(); ++j) {
        if (g->child(j)->text(0).startsWith("Anomalie")) {
            lignes << g->child(j);
        }
    }
    return lignes;
}

} // namespace

class TestAssistantManoeuvre : public QObject {
    Q_OBJECT
private slots:
    // Within 0.01 % in radius and 0.001 degree: "Orbite visée atteinte", no burn, nothing
    // to prepare; just beyond, a plan of burns.
    void orbite_atteinte_data() {
        QTest::addColumn<QString>("saisies");
        QTest::addColumn<int>("manoeuvre");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<bool>("atteinte");
        const QString cercle = "Option_circulaire|Text2=36000|Text4=7";
        QTest::newRow("Hohmann vers le cercle actuel") << cercle << 0 << 36000.0 << 0.0 << true;
        QTest::newRow("Hohmann à 3 km") << cercle << 0 << 36003.0 << 0.0 << true;
        QTest::newRow("Hohmann à 5 km") << cercle << 0 << 36005.0 << 0.0 << false;
        QTest::newRow("circularisation d'un cercle") << cercle << 1 << 0.0 << 0.0 << true;
        QTest::newRow("ellipse de 2 km circularisée")
            << "Text1=36002|Text2=36000|Text4=7" << 1 << 0.0 << 0.0 << true;
        QTest::newRow("même plan") << cercle << 3 << 0.0 << 7.0 << true;
        QTest::newRow("plan à 0,002°") << cercle << 3 << 0.0 << 7.002 << false;
    }
    void orbite_atteinte() {
        QFETCH(QString, saisies);
        QFETCH(int, manoeuvre);
        QFETCH(double, altitude);
        QFETCH(double, inclinaison);
        QFETCH(bool, atteinte);
        fenetre_de_test f;
        saisir(f, saisies);
        ouvrir(f, manoeuvre);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(altitude);
        f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(inclinaison);
        // "Nouveau plan" starts again from the orbit as it stands.
        QTest::mouseClick(f.controle<QPushButton>("bouton_nouveau_plan"), Qt::LeftButton);
        const QString message = f.controle<QLabel>("message_assistant")->text();
        QCOMPARE(message.startsWith("Orbite visée atteinte"), atteinte);
        QCOMPARE(f.controle<QPushButton>("bouton_preparer")->isEnabled(), !atteinte);
        QCOMPARE(premier_tir(f) == nullptr, atteinte);
        QCOMPARE(f.controle<QTreeWidget>("plan_manoeuvre")->isVisible(), !atteinte);
        QVERIFY(f.rapports.empty());
    }

    // A plane change from an ellipse within 1 km of a circle (the two nodes' delta-v
    // within 0.01 %) burns at the node reached sooner; from a transfer ellipse, at its
    // apoapsis, however far.
    void noeud_le_plus_proche_data() {
        QTest::addColumn<QString>("saisies");
        QTest::addColumn<QString>("noeud");
        QTest::newRow("presque cercle, ascendant proche")
            << "Text1=36000.5|Text2=36000|Text5=0|Text7=300"
            << "au nœud ascendant";
        QTest::newRow("presque cercle, descendant proche")
            << "Text1=36000.5|Text2=36000|Text5=0|Text7=100"
            << "au nœud descendant";
        QTest::newRow("ellipse de transfert, apoastre loin")
            << "Text1=36000|Text2=200|Text5=0|Text7=300"
            << "au nœud descendant";
    }
    void noeud_le_plus_proche() {
        QFETCH(QString, saisies);
        QFETCH(QString, noeud);
        fenetre_de_test f;
        saisir(f, saisies);
        ouvrir(f, 3);
        f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(0);
        const QTreeWidgetItem* g = premier_tir(f);
        QVERIFY(g != nullptr);
        QCOMPARE(g->text(0), "Tir 1 " + noeud);
    }

    // One burn: its start and its point in one row when they read alike (a circle's burn
    // from where the satellite stands, a burn too short to move it), in two rows that say
    // what each is when half the burn leads it.
    void lignes_d_anomalie_data() {
        QTest::addColumn<QString>("saisies");
        QTest::addColumn<int>("manoeuvre");
        QTest::addColumn<double>("poussee");
        QTest::addColumn<int>("lignes");
        QTest::newRow("cercle, apside opposée") << "Option_circulaire" << 2 << 100.0 << 1;
        QTest::newRow("circularisation à 100 N") << "" << 1 << 100.0 << 2;
        QTest::newRow("circularisation à 1e9 N") << "" << 1 << 1e9 << 1;
    }
    void lignes_d_anomalie() {
        QFETCH(QString, saisies);
        QFETCH(int, manoeuvre);
        QFETCH(double, poussee);
        QFETCH(int, lignes);
        fenetre_de_test f;
        saisir(f, saisies);
        ouvrir(f, manoeuvre);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(5000);
        f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(poussee);
        const QTreeWidgetItem* g = premier_tir(f);
        QVERIFY(g != nullptr);
        const QList<const QTreeWidgetItem*> anomalies = lignes_anomalie(g);
        QCOMPARE(anomalies.size(), lignes);
        QCOMPARE(anomalies[0]->text(0), QString("Anomalie du point de tir"));
        for (const QTreeWidgetItem* l : anomalies) {
            QVERIFY(!l->toolTip(0).isEmpty());
            QCOMPARE(l->toolTip(1), l->toolTip(0));
        }
        if (lignes == 2) {
            QCOMPARE(anomalies[1]->text(0), QString("Anomalie de départ (demi-tir avant)"));
            QVERIFY(anomalies[1]->text(1) != anomalies[0]->text(1));
            QVERIFY(anomalies[1]->toolTip(0) != anomalies[0]->toolTip(0));
        }
        // What "Préparer le tir" writes (corrected by the targeter) is near the start the
        // rows give, nearer than the point when half the burn leads it.
        const auto degres = [](const QString& texte) {
            QString nombre = texte;
            nombre.remove(QChar(0x00B0)).remove(QChar(0x202F)).replace(',', '.');
            bool lu = false;
            const double x = nombre.toDouble(&lu);
            return lu ? x : std::numeric_limits<double>::quiet_NaN();
        };
        const double point = degres(anomalies.first()->text(1));
        const double depart = degres(anomalies.last()->text(1));
        QTest::mouseClick(f.controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
        QVERIFY(f.controle<QLabel>("message_assistant")->text().startsWith("Tir 1 préparé"));
        const double ecrite = Val(f.texte("Text7")->text().toStdString());
        QVERIFY2(std::abs(ecrite - depart) < 0.05, qPrintable(f.texte("Text7")->text()));
        QVERIFY(lignes == 1 || std::abs(ecrite - depart) < std::abs(ecrite - point));
    }
};
TRAJEL_TEST(TestAssistantManoeuvre);

#include "test_assistant_manoeuvre.moc"
