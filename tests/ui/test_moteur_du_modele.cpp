// The engine's convention through the real window, in each Earth model: its rows and
// texts where the engine's figures are shown in the program's model, none of them in the
// real one (thrust in SI), and the texts that name the Earth's radius.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/francais/convention_poussee.h"
#include "ui/outils/fenetre_caracteristiques.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

using namespace trajel;
using namespace trajel::test;

namespace {

QAction* action(const fenetre_de_test& f, const char* nom) {
    return f.controle<QAction>(nom);
}

// The model chosen through its menu item; "aller-retour": the real one, then back.
void choisir(const fenetre_de_test& f, const QString& modele) {
    if (modele == "programme") {
        return;
    }
    action(f, "modele_terre_reelle")->trigger();
    if (modele == "aller-retour") {
        action(f, "modele_terre_programme")->trigger();
    }
}

// The rows of `arbre` named `nom`, shown.
int lignes_visibles(const QTreeWidget* arbre, const QString& nom) {
    int n = 0;
    for (const QTreeWidgetItem* i : arbre->findItems(nom, Qt::MatchExactly | Qt::MatchRecursive)) {
        n += i->isHidden() ? 0 : 1;
    }
    return n;
}

// The text of the form label of `champ`.
QString etiquette(QWidget* champ) {
    const auto* formulaire = qobject_cast<QFormLayout*>(champ->parentWidget()->layout());
    for (QLayout* l : champ->parentWidget()->findChildren<QLayout*>()) {
        if (auto* f = qobject_cast<QFormLayout*>(l); f != nullptr && f->labelForField(champ)) {
            formulaire = f;
        }
    }
    const auto* label = qobject_cast<QLabel*>(formulaire->labelForField(champ));
    return label == nullptr ? QString() : label->text();
}

} // namespace

class TestMoteurDuModele : public QObject {
    Q_OBJECT
private slots:
    void donnees_modeles() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<bool>("convention");
        QTest::addColumn<QString>("rayon");
        QTest::newRow("programme") << "programme" << true << "rayon 3618 km";
        QTest::newRow("réelle") << "reelle" << false << "rayon 6378,137 km";
        QTest::newRow("réelle puis programme") << "aller-retour" << true << "rayon 3618 km";
    }

    // The main window's tooltips: the thrust's frame and the radius of the picture and
    // of Zp; back in the program's model, exactly those of the start.
    void bulles_fenetre_data() { donnees_modeles(); }
    void bulles_fenetre() {
        QFETCH(QString, modele);
        QFETCH(bool, convention);
        QFETCH(QString, rayon);
        fenetre_de_test f;
        const QString cadre_au_depart = f.controle<QGroupBox>("Frame_Poussee")->toolTip();
        const QString zp_au_depart = f.texte("Text2")->toolTip();
        choisir(f, modele);
        const QString cadre = f.controle<QGroupBox>("Frame_Poussee")->toolTip();
        QCOMPARE(cadre.contains(explication_convention_poussee()), convention);
        QCOMPARE(cadre.contains(QStringLiteral("kN")), convention);
        QCOMPARE(cadre.contains(QStringLiteral("F / m m/s²")), !convention);
        QVERIFY(f.texte("Text2")->toolTip().contains(rayon));
        QVERIFY(f.image()->toolTip().contains(rayon));
        QCOMPARE(cadre == cadre_au_depart, convention);
        QCOMPARE(f.texte("Text2")->toolTip() == zp_au_depart, convention);
        QVERIFY(f.rapports.empty());
    }

    // The readout's "Dernier tir": the SI thrust and a real engine's propellant in the
    // program's model only; the burn's Δv in both.
    void dernier_tir_data() { donnees_modeles(); }
    void dernier_tir() {
        QFETCH(QString, modele);
        QFETCH(bool, convention);
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        auto* lecture = f.fenetre->findChild<fenetre_caracteristiques*>();
        QVERIFY(lecture != nullptr && lecture->isVisible());
        const auto* arbre =
            lecture->findChild<QTreeWidget*>(QStringLiteral("arbre_caracteristiques"));
        choisir(f, modele);
        f.taper("Text8", "20");
        QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        QVERIFY(f.rapports.empty());
        QCOMPARE(lignes_visibles(arbre, titre_delta_v()), 1);
        const int attendues = convention ? 1 : 0;
        QCOMPARE(lignes_visibles(arbre, QStringLiteral("Poussée équivalente en SI")), attendues);
        QCOMPARE(lignes_visibles(arbre, QStringLiteral("Ergols d'un vrai moteur de même Isp")),
                 attendues);
        QCOMPARE(lecture->texte().contains(QStringLiteral("Poussée équivalente en SI")),
                 convention);
    }

    // The assistant: the thrust's label and tooltip, the altitude's radius, and the
    // convention rows of each planned burn.
    void assistant_data() { donnees_modeles(); }
    void assistant() {
        QFETCH(QString, modele);
        QFETCH(bool, convention);
        QFETCH(QString, rayon);
        fenetre_de_test f;
        action(f, "menu_kourou_circulaire")->trigger();
        choisir(f, modele);
        action(f, "menu_assistant_manoeuvre")->trigger();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(0);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(20000);
        auto* poussee = f.controle<QDoubleSpinBox>("poussee_choisie");
        // The same engine in the model's unit: 100 N of the convention, 100 kN in SI.
        QCOMPARE(poussee->value(), convention ? 100.0 : 100000.0);
        QCOMPARE(etiquette(poussee).contains(QStringLiteral("convention de Trajel")), convention);
        QCOMPARE(poussee->toolTip().contains(explication_convention_poussee()), convention);
        QCOMPARE(poussee->toolTip().contains(QStringLiteral("km/s²")), convention);
        QVERIFY(f.controle<QDoubleSpinBox>("altitude_visee")->toolTip().contains(rayon));
        const auto* plan = f.controle<QTreeWidget>("plan_manoeuvre");
        QCOMPARE(lignes_visibles(plan, QStringLiteral("Δv impulsionnel")), 2);
        QCOMPARE(lignes_visibles(plan, QStringLiteral("Poussée équivalente en SI")),
                 convention ? 2 : 0);
        QVERIFY(f.rapports.empty());
    }

    // The journal's Δv: its header's and its totals' tooltips say how the model's
    // engine works.
    void journal_data() { donnees_modeles(); }
    void journal() {
        QFETCH(QString, modele);
        QFETCH(bool, convention);
        fenetre_de_test f;
        action(f, "menu_journal_tirs")->trigger();
        choisir(f, modele);
        f.taper("Text8", "20");
        QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        const auto* table = f.controle<QTableView>("table_journal");
        const QAbstractItemModel* m = table->model();
        QString bulle;
        for (int c = 0; c < m->columnCount(); ++c) {
            if (m->headerData(c, Qt::Horizontal).toString().startsWith(QStringLiteral("Δv"))) {
                bulle = m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
            }
        }
        QVERIFY(!bulle.isEmpty());
        QCOMPARE(bulle == explication_convention_poussee(), convention);
        QCOMPARE(f.controle<QLabel>("totaux_journal")->toolTip(), bulle);
        QVERIFY(f.rapports.empty());
    }
};

TRAJEL_TEST(TestMoteurDuModele);

#include "test_moteur_du_modele.moc"
