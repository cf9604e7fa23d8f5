// The tool windows' one lifecycle: placed beside the main window on the first show, never
// over its controls; the geometry kept under the objectName when hidden and taken back
// at the next show and in the next run; shown, brought to the front or toggled from an
// action; and every tool window of the "Outils" menu built on it.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/poste/fenetre_outil.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QScreen>
#include <QSettings>

#include <memory>

using namespace trajel;
using namespace trajel::test;

namespace {

// The smallest tool window: it counts its shows.
class outil_essai : public QWidget, public fenetre_outil {
public:
    outil_essai(poste_de_travail& principale, memoire m)
        : QWidget(&principale.widget(), Qt::Tool), fenetre_outil(*this, principale, m) {
        setObjectName(QStringLiteral("outil_essai"));
        resize(240, 180);
    }
    int affichages = 0;

protected:
    void a_l_affichage() override { ++affichages; }
};

// A tool window that follows the events: it counts its refreshes, those it was spared
// while hidden and its shows.
class outil_suivant : public QWidget, public fenetre_outil {
public:
    explicit outil_suivant(poste_de_travail& principale)
        : QWidget(&principale.widget(), Qt::Tool), fenetre_outil(*this, principale) {
        setObjectName(QStringLiteral("outil_suivant"));
        resize(240, 180);
        suivre_les_evenements([this](bool) { ++rafraichissements; }, [this](bool) { ++epargnes; });
    }
    int rafraichissements = 0;
    int epargnes = 0;
    int affichages = 0;

protected:
    void a_l_affichage() override { ++affichages; }
};

QByteArray geometrie_gardee() {
    return QSettings().value(QStringLiteral("fenetres/outil_essai")).toByteArray();
}

} // namespace

class TestFenetreOutil : public QObject {
    Q_OBJECT
private slots:
    void init() { QSettings().remove(QStringLiteral("fenetres")); }
    void cleanup() { QSettings().remove(QStringLiteral("fenetres")); }

    // The main window at the screen's left leaves room on its right, at its right on
    // its left: the tool goes there, at its top, clear of the main window; on a screen
    // too narrow for either, over the picture only.
    void premiere_place_data() {
        QTest::addColumn<bool>("principale_a_gauche");
        QTest::newRow("main window on the left") << true;
        QTest::newRow("main window on the right") << false;
    }
    void premiere_place() {
        QFETCH(bool, principale_a_gauche);
        fenetre_de_test f;
        const QRect ecran = f.fenetre->screen()->availableGeometry();
        const int largeur = f.fenetre->frameGeometry().width();
        f.fenetre->move(principale_a_gauche ? ecran.left() : ecran.right() + 1 - largeur,
                        ecran.top());
        outil_essai outil(*f.fenetre, fenetre_outil::memoire::sous_son_nom);
        outil.montrer();
        QVERIFY(outil.isVisible());
        QCOMPARE(outil.affichages, 1);
        const QRect principale = f.fenetre->frameGeometry();
        const QRect cadre = outil.frameGeometry();
        QVERIFY(ecran.contains(cadre));
        const int place = principale_a_gauche ? ecran.right() - principale.right()
                                              : principale.left() - ecran.left();
        if (place >= cadre.width() + 8) {
            QVERIFY(!cadre.intersects(principale));
            QVERIFY(principale_a_gauche ? cadre.left() > principale.right()
                                        : cadre.right() < principale.left());
            QCOMPARE(cadre.top(), principale.top());
        } else {
            QVERIFY(zone_libre(*f.fenetre).contains(cadre));
        }
    }

    // Moved and hidden, the window is shown again where it was left, in this run (the
    // place is chosen once) and, when its geometry is kept, in the next.
    void geometrie_data() {
        QTest::addColumn<bool>("gardee");
        QTest::newRow("kept under its name") << true;
        QTest::newRow("not kept") << false;
    }
    void geometrie() {
        QFETCH(bool, gardee);
        const auto memoire =
            gardee ? fenetre_outil::memoire::sous_son_nom : fenetre_outil::memoire::aucune;
        QRect laissee;
        {
            fenetre_de_test f;
            f.fenetre->move(0, 0);
            outil_essai outil(*f.fenetre, memoire);
            outil.montrer();
            outil.setGeometry(outil.geometry().adjusted(7, 9, -11, -13));
            laissee = outil.geometry();
            outil.cacher();
            QVERIFY(!outil.isVisible());
            QCOMPARE(geometrie_gardee().isEmpty(), !gardee);
            outil.montrer();
            QCOMPARE(outil.geometry(), laissee);
            QCOMPARE(outil.affichages, 2);
        }
        fenetre_de_test g;
        g.fenetre->move(0, 0);
        outil_essai encore(*g.fenetre, memoire);
        encore.montrer();
        QCOMPARE(encore.geometry() == laissee, gardee);
    }

    // An action toggles the window or only shows it (a second time bringing it to the
    // front); each show brings its figures up to date once.
    void action_data() {
        QTest::addColumn<bool>("basculer");
        QTest::addColumn<QList<bool>>("visible");
        QTest::addColumn<int>("affichages");
        QTest::newRow("toggle") << true << QList<bool>{true, false, true} << 2;
        QTest::newRow("show") << false << QList<bool>{true, true, true} << 1;
    }
    void action() {
        QFETCH(bool, basculer);
        QFETCH(QList<bool>, visible);
        QFETCH(int, affichages);
        fenetre_de_test f;
        outil_essai outil(*f.fenetre, fenetre_outil::memoire::aucune);
        QAction a;
        if (basculer) {
            connect(&a, &QAction::triggered, &outil, [&outil] { outil.basculer(); });
        } else {
            outil.montrer_par(a);
        }
        for (int i = 0; i < visible.size(); ++i) {
            a.trigger();
            QCOMPARE(outil.isVisible(), visible[i]);
        }
        QCOMPARE(outil.affichages, affichages);
    }

    // Shown, a window refreshes once per event: a state put back by the event it has just
    // refreshed for adds nothing, one put back after an abandoned event does. Hidden, it
    // recomputes nothing until shown. e: an event completed, x: abandoned, r: a state put
    // back.
    void rafraichissements_data() {
        QTest::addColumn<QString>("annonces");
        QTest::addColumn<bool>("montre");
        QTest::addColumn<int>("rafraichissements");
        QTest::newRow("two events") << "ee" << true << 2;
        QTest::newRow("a state put back by its event") << "er" << true << 1;
        QTest::newRow("an abandoned event, its state put back") << "xr" << true << 2;
        QTest::newRow("a state put back alone") << "r" << true << 1;
        QTest::newRow("states put back twice") << "rr" << true << 2;
        QTest::newRow("a state put back, then an event") << "ere" << true << 2;
        QTest::newRow("hidden") << "eexr" << false << 0;
    }
    void rafraichissements() {
        QFETCH(QString, annonces);
        QFETCH(bool, montre);
        QFETCH(int, rafraichissements);
        fenetre_de_test f;
        outil_suivant outil(*f.fenetre);
        if (montre) {
            outil.montrer();
        }
        QCOMPARE(outil.affichages, montre ? 1 : 0);
        annonceur_evenements& a = f.fenetre->annonces();
        for (const QChar c : annonces) {
            if (c == QLatin1Char('r')) {
                emit a.etat_restitue();
            } else {
                a.commencer(QString());
                a.terminer(c == QLatin1Char('e'));
            }
        }
        QCOMPARE(outil.rafraichissements, rafraichissements);
        QCOMPARE(outil.epargnes, montre ? 0 : int(annonces.size()));
        if (!montre) {
            outil.montrer();
            QCOMPARE(outil.affichages, 1); // brought up to date at its show
            QCOMPARE(outil.rafraichissements, 0);
        }
    }

    // Every tool window of the menu is one, shown by its item once however often chosen.
    void cinq_fenetres_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("fenetre");
        QTest::newRow("readout") << "menu_caracteristiques"
                                 << "fenetre_caracteristiques";
        QTest::newRow("assistant") << "menu_assistant_manoeuvre"
                                   << "assistant_manoeuvre";
        QTest::newRow("map") << "menu_trace_sol"
                             << "fenetre_trace_sol";
        QTest::newRow("journal") << "menu_journal_tirs"
                                 << "fenetre_journal";
        QTest::newRow("guide") << "menu_guide"
                               << "fenetre_guide";
    }
    void cinq_fenetres() {
        QFETCH(QString, action);
        QFETCH(QString, fenetre);
        fenetre_de_test f;
        auto* a = f.fenetre->findChild<QAction*>(action);
        QVERIFY(a != nullptr);
        a->trigger();
        a->trigger();
        const QList<QWidget*> trouvees = f.fenetre->findChildren<QWidget*>(fenetre);
        QCOMPARE(trouvees.size(), 1);
        auto* outil = dynamic_cast<fenetre_outil*>(trouvees[0]);
        QVERIFY(outil != nullptr);
        QCOMPARE(&outil->fenetre(), trouvees[0]);
        QVERIFY(trouvees[0]->isVisible());
        QVERIFY(trouvees[0]->isWindow());
        outil->basculer();
        QVERIFY(!trouvees[0]->isVisible());
    }
};
TRAJEL_TEST(TestFenetreOutil);

#include "test_fenetre_outil.moc"
