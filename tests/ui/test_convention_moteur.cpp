// The Δv shown as the orbit's, once in km/s; the engine's convention in its own rows: the
// thrust in SI units and a real engine's propellant for the same Δv (Tsiolkovsky).

#include "commun/principal.h"
#include "core/texte.h"
#include "fenetre_de_test.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTreeWidget>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

namespace {

// Every text of a tree, "name = value" row by row.
void lignes_de(const QTreeWidgetItem* item, QStringList& lignes) {
    lignes << item->text(0) + QStringLiteral(" = ") + item->text(1);
    for (int i = 0; i < item->childCount(); ++i) {
        lignes_de(item->child(i), lignes);
    }
}

} // namespace

class TestConventionMoteur : public QObject {
    Q_OBJECT
private slots:
    void lignes_data() {
        QTest::addColumn<double>("poussee");
        QTest::addColumn<double>("delta_v");
        QTest::addColumn<double>("masse");
        QTest::addColumn<double>("isp");
        QTest::addColumn<bool>("convention");
        QTest::addColumn<int>("nombre");
        QTest::newRow("Hohmann, tir 1") << 200.0 << 3.58262 << 1000.0 << 100.0 << true << 2;
        QTest::newRow("petit tir") << 20.0 << 0.01 << 1000.0 << 300.0 << true << 2;
        QTest::newRow("Isp nulle") << 200.0 << 3.58 << 1000.0 << 0.0 << true << 1;
        QTest::newRow("masse nulle") << 200.0 << 3.58 << 0.0 << 100.0 << true << 1;
        QTest::newRow("poussée en SI") << 200.0 << 3.58 << 1000.0 << 100.0 << false << 0;
    }
    void lignes() {
        QFETCH(double, poussee);
        QFETCH(double, delta_v);
        QFETCH(double, masse);
        QFETCH(double, isp);
        QFETCH(bool, convention);
        QFETCH(int, nombre);
        const auto l = lignes_convention_moteur(poussee, delta_v, masse, isp, convention);
        QCOMPARE(static_cast<int>(l.size()), nombre);
        if (nombre == 0) {
            return;
        }
        // F newtons here accelerate as 1000 F newtons in SI: F kN.
        QCOMPARE(l[0].valeur, valeur_fr(poussee, QStringLiteral("kN")));
        QVERIFY(l[0].valeur.endsWith(QStringLiteral("kN")));
        QVERIFY(l[0].bulle.contains(QStringLiteral("1000 fois")));
        if (nombre == 2) {
            // mf = m0 exp(-Δv / (Isp g0)), Δv in m/s.
            const double mf = masse * std::exp(-delta_v * 1000.0 / (isp * 9.80665));
            QCOMPARE(l[1].valeur, valeur_fr(masse - mf, QStringLiteral("kg")));
            QVERIFY(l[1].bulle.contains(QStringLiteral("Tsiolkovsky")));
        }
    }

    // The plan in the assistant: each burn's Δv once in km/s, its engine rows beside its
    // propellant, no "SI" Δv, no qualifier on a Δv.
    void plan_de_l_assistant() {
        fenetre_de_test f;
        f.fenetre->findChild<QAction*>(QStringLiteral("menu_kourou_circulaire"))->trigger();
        f.fenetre->findChild<QAction*>(QStringLiteral("menu_assistant_manoeuvre"))->trigger();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(0);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(36000);
        f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(200);
        auto* plan = f.controle<QTreeWidget>("plan_manoeuvre");
        QStringList lignes;
        for (int i = 0; i < plan->topLevelItemCount(); ++i) {
            lignes_de(plan->topLevelItem(i), lignes);
        }
        QCOMPARE(lignes.filter(QStringLiteral("Δv impulsionnel = ")).size(), 2);
        QCOMPARE(lignes.filter(QStringLiteral("Poussée équivalente en SI = 200")).size(), 2);
        QCOMPARE(lignes.filter(QStringLiteral("Ergols d'un vrai moteur de même Isp = ")).size(), 2);
        QCOMPARE(lignes.filter(QStringLiteral("Δv total = ")).size(), 1);
        for (const QString& l : lignes) {
            QVERIFY2(!l.contains(QStringLiteral("m/s)")) && !l.contains(QStringLiteral("SI :")),
                     qPrintable(l));
            if (l.startsWith(QStringLiteral("Δv"))) {
                QVERIFY2(!l.contains(QStringLiteral("convention")), qPrintable(l));
                QVERIFY2(l.endsWith(QStringLiteral("km/s")), qPrintable(l));
            }
        }
        // The first burn: a real engine of Isp 100 s would burn most of the 1000 kg,
        // the program's engine a few kilograms.
        const QTreeWidgetItem* tir1 = plan->topLevelItem(0);
        auto valeur = [tir1](const QString& nom) {
            for (int j = 0; j < tir1->childCount(); ++j) {
                if (tir1->child(j)->text(0) == nom) {
                    QString t = tir1->child(j)->text(1);
                    return Val(t.remove(QChar(0x202F)).replace(',', '.').toStdString());
                }
            }
            return -1.0;
        };
        const double dv = valeur(QStringLiteral("Δv impulsionnel"));
        const double ergols = valeur(QStringLiteral("Ergols d'un vrai moteur de même Isp"));
        QVERIFY(std::abs(ergols - 1000.0 * (1.0 - std::exp(-dv * 1000.0 / 980.665))) < 0.01);
        QVERIFY(ergols > 900.0);
        QVERIFY(valeur(QStringLiteral("Masse consommée")) < 10.0);
    }
};
TRAJEL_TEST(TestConventionMoteur);
#include "test_convention_moteur.moc"
