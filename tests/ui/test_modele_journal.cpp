// The journal's table as a model: the rows a burn appends and an undo removes, the ones
// a lesson opened replaces, through the model alone and through the real window.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/francais/format_fr.h"
#include "ui/lecon/historique.h"
#include "ui/lecon/modele_journal.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

#include <memory>

using namespace trajel;
using namespace trajel::test;

namespace {

// Burns told apart by their anomaly.
std::vector<ligne_journal> tirs(const QList<int>& anomalies) {
    std::vector<ligne_journal> lignes;
    for (int a : anomalies) {
        ligne_journal l;
        l.anomalie = a;
        l.duree = 10.0 * a;
        l.avant.type_conique = "elliptique";
        l.apres.type_conique = "elliptique";
        lignes.push_back(l);
    }
    return lignes;
}

} // namespace

class TestModeleJournal : public QObject {
    Q_OBJECT
private slots:
    void suivre_data() {
        QTest::addColumn<QList<int>>("avant");
        QTest::addColumn<QList<int>>("apres");
        QTest::addColumn<int>("ajoutees");
        QTest::addColumn<int>("retirees");
        QTest::addColumn<bool>("refait");
        QTest::newRow("first burn") << QList<int>{} << QList<int>{7} << 1 << 0 << false;
        QTest::newRow("a burn after two")
            << QList<int>{1, 2} << QList<int>{1, 2, 3} << 1 << 0 << false;
        QTest::newRow("undo") << QList<int>{1, 2, 3} << QList<int>{1, 2} << 0 << 1 << false;
        QTest::newRow("undo then another burn")
            << QList<int>{1, 2, 3} << QList<int>{1, 2, 4} << 1 << 1 << false;
        QTest::newRow("every burn undone") << QList<int>{1, 2} << QList<int>{} << 0 << 2 << false;
        QTest::newRow("nothing changed") << QList<int>{1, 2} << QList<int>{1, 2} << 0 << 0 << false;
        QTest::newRow("another lesson")
            << QList<int>{1, 2} << QList<int>{5, 6, 8} << 0 << 0 << true;
    }
    void suivre() {
        QFETCH(QList<int>, avant);
        QFETCH(QList<int>, apres);
        QFETCH(int, ajoutees);
        QFETCH(int, retirees);
        QFETCH(bool, refait);
        modele_journal modele;
        modele.suivre(tirs(avant));
        QSignalSpy ajout(&modele, &QAbstractItemModel::rowsInserted);
        QSignalSpy retrait(&modele, &QAbstractItemModel::rowsRemoved);
        QSignalSpy remise(&modele, &QAbstractItemModel::modelReset);
        modele.suivre(tirs(apres));
        int n_ajoutees = 0;
        for (const QList<QVariant>& s : ajout) {
            n_ajoutees += s[2].toInt() - s[1].toInt() + 1;
        }
        int n_retirees = 0;
        for (const QList<QVariant>& s : retrait) {
            n_retirees += s[2].toInt() - s[1].toInt() + 1;
        }
        QCOMPARE(n_ajoutees, ajoutees);
        QCOMPARE(n_retirees, retirees);
        QCOMPARE(remise.size(), refait ? 1 : 0);
        QCOMPARE(modele.rowCount(), apres.size());
        for (int r = 0; r < apres.size(); ++r) {
            QCOMPARE(modele.index(r, 0).data().toString(), QString::number(r + 1));
            QCOMPARE(modele.index(r, 1).data().toString(), nombre_fr(apres[r]));
            QCOMPARE(modele.index(r, 5).data().toString(), nombre_fr(10.0 * apres[r]));
        }
        QVERIFY(!modele.index(apres.size(), 0).data().isValid());
    }

    // Each column as wide as its header and a lesson's widest cells, whatever the rows.
    void largeurs() {
        modele_journal modele;
        const QFont police;
        const QFontMetrics m(police);
        for (int c = 0; c < modele.columnCount(); ++c) {
            const QString entete = modele.headerData(c, Qt::Horizontal).toString();
            QVERIFY2(modele.largeur_colonne(c, m) > m.horizontalAdvance(entete),
                     qPrintable(entete));
        }
        const QStringList cellules = modele_journal::cellules(1, tirs({-359}).front());
        QVERIFY(modele.largeur_colonne(1, m) > m.horizontalAdvance(cellules[1]));
    }

    // Burns, undos and redos through the window, the journal shown or hidden meanwhile.
    void dans_la_fenetre_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("cache");
        QTest::addColumn<int>("lignes");
        QTest::newRow("three burns") << "ttt" << false << 3;
        QTest::newRow("three burns, one undone") << "ttta" << false << 2;
        QTest::newRow("undone, redone") << "tttaar" << false << 2;
        QTest::newRow("undone, another burn") << "ttaat" << false << 1;
        QTest::newRow("hidden meanwhile") << "tttaar" << true << 2;
    }
    void dans_la_fenetre() {
        QFETCH(QString, actions);
        QFETCH(bool, cache);
        QFETCH(int, lignes);
        fenetre_de_test f;
        auto* h = f.fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
        f.controle<QAction>("menu_journal_tirs")->trigger();
        auto* journal = f.fenetre->findChild<QWidget*>(QStringLiteral("fenetre_journal"));
        QVERIFY(journal != nullptr);
        const QAbstractItemModel* modele =
            journal->findChild<QTableView*>(QStringLiteral("table_journal"))->model();
        if (cache) {
            journal->hide();
        }
        f.coller("Text8", "100");
        f.coller("Text11", "20");
        for (const QChar a : actions) {
            if (a == QLatin1Char('t')) {
                f.controle<QPushButton>("cmd_tir")->click();
            } else if (a == QLatin1Char('a')) {
                h->annuler();
            } else {
                h->retablir();
            }
        }
        QCOMPARE(modele->rowCount(), cache ? 0 : lignes);
        journal->show();
        QCOMPARE(modele->rowCount(), lignes);
        const std::vector<ligne_journal> attendu = h->journal();
        QCOMPARE(attendu.size(), std::size_t(lignes));
        for (int r = 0; r < lignes; ++r) {
            const QStringList cellules = modele_journal::cellules(r + 1, attendu[r]);
            for (int c = 0; c < modele->columnCount(); ++c) {
                QCOMPARE(modele->index(r, c).data().toString(), cellules[c]);
            }
        }
    }
};

TRAJEL_TEST(TestModeleJournal);
#include "test_modele_journal.moc"
