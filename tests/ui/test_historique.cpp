// The lesson's history and its journal of burns, through the real window: each kind of
// step undone and redone with its texts, options and picture; keystrokes of one box one
// step; refused commands no step; the journal following burns, undo and redo.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/francais/format_fr.h"

#include "core/texte.h"
#include "render/scene.h"
#include "ui/lecon/fenetre_journal.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using namespace trajel;
using namespace trajel::test;

namespace {

// Everything a step puts back that the user sees, but the picture.
QStringList vu(const fenetre_de_test& f) {
    QStringList t;
    for (const char* nom : boites) {
        t << f.texte(nom)->text() + (f.texte(nom)->isHidden() ? "/cachée" : "");
    }
    for (const char* nom : options) {
        t << QString::number(f.option(nom)->isChecked());
    }
    t << f.legende("Label_debit") << f.legende("Label6")
      << QString::number(f.controle<QLabel>("Label6")->isHidden());
    return t;
}

enum class pas_teste { preset, reset, type_orbite, saisie, tir };

} // namespace

Q_DECLARE_METATYPE(pas_teste)

class TestHistorique : public QObject {
    Q_OBJECT
private slots:
    void init() {
        f = std::make_unique<fenetre_de_test>();
        h = f->fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
        QVERIFY(h != nullptr);
    }
    void cleanup() { f.reset(); }

    void annuler_et_retablir_chaque_pas_data() {
        QTest::addColumn<pas_teste>("pas");
        QTest::addColumn<QString>("annuler");
        QTest::newRow("préréglage") << pas_teste::preset << "Annuler GTO Ariane V";
        QTest::newRow("reset") << pas_teste::reset << "Annuler Reset";
        QTest::newRow("type") << pas_teste::type_orbite << "Annuler le type hyperbolique";
        QTest::newRow("saisie") << pas_teste::saisie << "Annuler la saisie de i";
        QTest::newRow("tir") << pas_teste::tir << "Annuler le tir";
    }

    // Undo puts back the texts, options and captions, and the scene of that state;
    // redo the state after the step, with its scene (for a burn: its texts to the digit
    // and the orbit reached with the powered arc over it).
    void annuler_et_retablir_chaque_pas() {
        QFETCH(pas_teste, pas);
        QFETCH(QString, annuler);
        f->coller("Text3", "35"); // a state of its own before the step
        f->valider("Text3");
        if (pas == pas_teste::reset) {
            f->coller("Text8", "40");
            f->valider("Text8");
        }
        if (pas == pas_teste::tir) {
            f->coller("Text8", "60");
            f->valider("Text8");
        }
        const QStringList avant = vu(*f);
        const auto scene_avant = f->image()->elements_affiches();
        const int pas_avant = h->pile().count();

        switch (pas) {
        case pas_teste::preset:
            f->controle<QAction>("menu_GTO_V")->trigger();
            break;
        case pas_teste::reset:
            f->controle<QPushButton>("Command1")->click();
            break;
        case pas_teste::type_orbite:
            f->option("Option_hyperbolique")->click();
            break;
        case pas_teste::saisie:
            f->taper("Text4", "0");
            f->valider("Text4");
            QCOMPARE(f->texte("Text3")->text(), QStringLiteral("0")); // the rule ran once
            break;
        case pas_teste::tir:
            f->controle<QPushButton>("cmd_tir")->click();
            break;
        }
        QCOMPARE(h->pile().count(), pas_avant + 1);
        QCOMPARE(h->action_annuler()->text(), annuler);
        QVERIFY(h->action_annuler()->isEnabled());
        const QStringList apres = vu(*f);
        QVERIFY(apres != avant);
        const valeurs_calculees valeurs_apres = valeurs_calculees::actuelles();
        const auto scene_apres = f->image()->elements_affiches();

        h->action_annuler()->trigger();
        QCOMPARE(vu(*f), avant);
        QVERIFY(f->image()->elements_affiches() == scene_avant);
        QVERIFY(h->action_retablir()->text().startsWith(QStringLiteral("Rétablir ")));

        h->action_retablir()->trigger();
        QCOMPARE(vu(*f), apres);
        QVERIFY(valeurs_calculees::actuelles() == valeurs_apres);
        // The scene as it was seen after the step, a burn's powered arc included.
        QVERIFY(f->image()->elements_affiches() == scene_apres);
        QVERIFY(f->modaux.empty());
    }

    // The keys typed in one box make one step, closed by the commit.
    void frappes_d_une_boite_un_seul_pas() {
        f->taper("Text2", "450");
        QCOMPARE(h->pile().count(), 0);
        f->valider("Text2");
        QCOMPARE(h->pile().count(), 1);
        QCOMPARE(h->action_annuler()->text(), QStringLiteral("Annuler la saisie de Zp"));
        f->taper("Text1", "30");
        f->taper("Text4", "12"); // another box: the edit of Text1 is a step
        QCOMPARE(h->pile().count(), 2);
        QCOMPARE(h->action_annuler()->text(), QStringLiteral("Annuler la saisie de Za"));
        h->annuler(); // commits the edit of Text4, then undoes it
        QCOMPARE(f->texte("Text4")->text(), QStringLiteral("20"));
        QCOMPARE(f->texte("Text1")->text(), QStringLiteral("30"));
        h->annuler();
        h->annuler();
        QCOMPARE(f->texte("Text1")->text(), QStringLiteral("2000"));
        QCOMPARE(f->texte("Text2")->text(), QStringLiteral("300"));
        QVERIFY(!h->action_annuler()->isEnabled());
    }

    // A refused burn, a failed command, a preset chosen twice: no step.
    void commande_refusee_ou_sans_effet_aucun_pas() {
        f->controle<QAction>("menu_GTO_IV")->trigger();
        f->controle<QAction>("menu_GTO_IV")->trigger();
        QCOMPARE(h->pile().count(), 1);
        f->coller("Text12", "0");
        f->controle<QPushButton>("cmd_tir")->click();
        QCOMPARE(f->modaux.size(), std::size_t(1)); // refused, reported
        QCOMPARE(h->pile().count(), 2);             // the typing only
        QCOMPARE(h->action_annuler()->text(), QStringLiteral("Annuler la saisie du nombre de pas"));
        QVERIFY(h->journal().empty());
    }

    // A burn undone after a later preset, then both redone: the burn's texts to the
    // digit, its row back in the journal.
    void tir_annule_apres_un_prereglage() {
        const QStringList depart = vu(*f);
        f->coller("Text8", "80");
        f->controle<QPushButton>("cmd_tir")->click();
        const QStringList apres_tir = vu(*f);
        QCOMPARE(h->journal().size(), std::size_t(1));
        f->controle<QAction>("menu_kourou_circulaire")->trigger();
        const QStringList apres_preset = vu(*f);
        h->annuler();
        QCOMPARE(vu(*f), apres_tir);
        h->annuler();
        h->annuler(); // the thrust typed
        QCOMPARE(vu(*f), depart);
        QVERIFY(h->journal().empty());
        h->retablir();
        h->retablir();
        QCOMPARE(vu(*f), apres_tir);
        QCOMPARE(h->journal().size(), std::size_t(1));
        h->retablir();
        QCOMPARE(vu(*f), apres_preset);
        // A new step after an undo drops what could be redone.
        h->annuler();
        f->option("Option_parabolique")->click();
        QVERIFY(!h->action_retablir()->isEnabled());
    }

    void au_moins_cent_pas() {
        QVERIFY(h->pile().undoLimit() >= 100);
        const QStringList depart = vu(*f);
        for (int i = 0; i < 60; ++i) {
            f->controle<QAction>("menu_GTO_IV")->trigger();
            f->controle<QAction>("menu_GTO_V")->trigger();
        }
        QCOMPARE(h->pile().count(), 120);
        for (int i = 0; i < 120; ++i) {
            h->annuler();
        }
        QCOMPARE(vu(*f), depart);
    }

    // Three burns, one undone: two rows, their totals, copied and exported.
    void journal_de_trois_tirs() {
        f->controle<QAction>("menu_journal_tirs")->trigger(); // shown, it follows
        f->coller("Text8", "100");
        f->coller("Text11", "20");
        for (int i = 0; i < 3; ++i) {
            f->controle<QPushButton>("cmd_tir")->click();
        }
        const std::vector<ligne_journal> trois = h->journal();
        QCOMPARE(trois.size(), std::size_t(3));
        for (std::size_t i = 1; i < 3; ++i) {
            QCOMPARE(trois[i].masse_avant, trois[i - 1].masse_apres);
            QVERIFY(trois[i].avant.zp != trois[i - 1].avant.zp);
        }
        QCOMPARE(trois[0].duree, 20.0);
        QCOMPARE(trois[0].poussee.y, 100.0);
        QCOMPARE(trois[0].masse_avant, 1000.0);
        QCOMPARE(trois[0].avant.za_ou_phi, std::optional<double>(2000.0));
        h->annuler();
        auto* journal = f->fenetre->findChild<fenetre_journal*>(QStringLiteral("fenetre_journal"));
        QVERIFY(journal != nullptr);
        auto* table = journal->findChild<QTableView*>(QStringLiteral("table_journal"));
        QCOMPARE(table->model()->rowCount(), 2);
        const totaux_journal t = totaux(h->journal());
        QCOMPARE(t.duree, 40.0);
        QCOMPARE(t.masse_consommee, 1000.0 - trois[1].masse_apres);
        QVERIFY(journal->texte_des_totaux().contains(QStringLiteral("durée des tirs 40 s")));
        // The delta-v once, in km/s, with no qualifier: it is the orbit's, not the engine's.
        QVERIFY(journal->texte_des_totaux().contains(
            QStringLiteral("Total : Δv %1,").arg(valeur_fr(t.delta_v, QStringLiteral("km/s")))));
        QVERIFY(!journal->texte_des_totaux().contains(QStringLiteral("SI")));

        journal->findChild<QPushButton*>(QStringLiteral("bouton_copier_journal"))->click();
        const QStringList copie = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(copie.size(), 3);
        QCOMPARE(copie[2].split('\t').size(), 18);
        QCOMPARE(copie[2].split('\t')[0], QStringLiteral("2"));

        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("journal.csv");
        QVERIFY(journal->exporter_vers(chemin));
        QFile lu(chemin);
        QVERIFY(lu.open(QIODevice::ReadOnly));
        QCOMPARE(lu.readAll().count('\n'), 3);
        QString message;
        journal->avertir = [&](const QString& m) { message = m; };
        QVERIFY(!journal->exporter_vers(dossier.path())); // a folder
        QVERIFY(message.startsWith(QStringLiteral("Le journal n'a pas pu être écrit")));

        h->retablir();
        QVERIFY(h->journal() == trois);
        QCOMPARE(table->model()->rowCount(), 3);
        QCOMPARE(table->model()->index(2, 0).data().toString(), QStringLiteral("3"));
        QCOMPARE(table->model()->index(2, 5).data().toString(), QStringLiteral("20"));

        // Hidden, it is brought up to date when shown again.
        journal->close();
        h->annuler();
        h->annuler();
        QCOMPARE(table->model()->rowCount(), 3);
        journal->show();
        QCOMPARE(table->model()->rowCount(), 1);
    }

private:
    std::unique_ptr<fenetre_de_test> f;
    historique_lecon* h = nullptr;
};

TRAJEL_TEST(TestHistorique);
#include "test_historique.moc"
