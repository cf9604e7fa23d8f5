// What a lesson runs into, through the real window: errors of the typing shown without
// a dialog, the last complete scene kept, the decimal comma, far orbits drawn, commands
// carried to their end, the satellite marked after a burn.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include "core/texte.h"

#include <QAction>
#include <QPushButton>

using namespace trajel;
using namespace trajel::test;

namespace {

bool marquee(const QLineEdit* boite) {
    return boite->styleSheet().contains(QStringLiteral("#d00000"));
}

} // namespace

class TestLecon : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<fenetre_de_test>(); }
    void cleanup() { f.reset(); }

    // An error of the typing: no dialog, a strip over the picture saying what failed,
    // the box framed in red, the last complete scene kept; a zoom does not clear it
    // (the boxes differ from the picture), a full redraw that succeeds does.
    void erreur_de_frappe_sans_dialogue() {
        const auto scene = f->image()->elements_affiches();
        f->coller("Text7", "1E6");
        QVERIFY(f->modaux.empty());
        QCOMPARE(f->non_modaux.size(), std::size_t(1));
        QVERIFY(f->bandeau()->isVisible());
        QCOMPARE(f->bandeau()->text(), QString::fromUtf8(f->non_modaux[0].what()));
        QVERIFY(marquee(f->texte("Text7")));
        QVERIFY(f->image()->elements() == scene);
        QVERIFY(f->image()->elements_affiches() == scene);

        f->controle<QPushButton>("Command4")->click();
        QVERIFY(f->bandeau()->isVisible());

        f->taper("Text7", "30");
        QVERIFY(!f->bandeau()->isVisible());
        QVERIFY(!marquee(f->texte("Text7")));
        QVERIFY(f->modaux.empty());
    }

    // Errors of buttons, menus and "Tir !" keep the dialog.
    void erreur_d_un_bouton_avec_dialogue() {
        f->coller("Text2", "-7236");
        f->coller("Text1", "0"); // ra + rp = 0
        QCOMPARE(f->non_modaux.size(), std::size_t(1));
        f->controle<QPushButton>("Command4")->click(); // the view redraws the last good orbit
        QVERIFY(f->modaux.empty());
        f->controle<QPushButton>("cmd_tir")->click();
        QCOMPARE(f->modaux.size(), std::size_t(1));
    }

    // The failing quantity is named: a huge thrust makes every later computation
    // overflow, and the message says it is the thrust.
    void grandeur_nommee_data() {
        QTest::addColumn<QString>("boite");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("nomme");
        QTest::newRow("poussée") << "Text8"
                                 << "1E200"
                                 << "module de la poussée";
        QTest::newRow("masse") << "Text6"
                               << "1E999"
                               << "« Masse (kg) »";
        QTest::newRow("Zp et Za") << "Text1"
                                  << "0"
                                  << "forme de la conique (Za, Zp)";
    }
    void grandeur_nommee() {
        QFETCH(QString, boite);
        QFETCH(QString, texte);
        QFETCH(QString, nomme);
        f->coller("Text2", "-7236"); // with Za 0, ra + rp = 0
        f->rapports.clear();
        f->coller(qPrintable(boite), texte);
        f->coller("Text3", "33");
        QVERIFY(!f->rapports.empty());
        QVERIFY2(f->bandeau()->text().contains(nomme), qPrintable(f->bandeau()->text()));
    }

    // Every failing event leaves the display list it replaced: the kept scene of an
    // earlier burn, with its arc, after a burn that overflows; the hyperbola's scene
    // after a Phi that describes none.
    void scene_gardee() {
        f->coller("Text8", "100");
        f->controle<QPushButton>("cmd_tir")->click();
        QVERIFY(f->rapports.empty());
        const auto apres_tir = f->image()->elements();
        f->coller("Text11", "1E300");
        f->controle<QPushButton>("cmd_tir")->click();
        QCOMPARE(f->rapports.size(), std::size_t(1));
        QVERIFY(f->image()->elements() == apres_tir);

        // A Phi that describes no hyperbola: the hyperbola's scene stays, and traj with it.
        f->option("Option_hyperbolique")->click();
        const auto hyperbole = f->image()->elements_affiches();
        const double phi = traj.angle_asymptote;
        f->coller("Text1", "120");
        QVERIFY(f->image()->elements_affiches() == hyperbole);
        QVERIFY(f->image()->elements() == hyperbole);
        QCOMPARE(traj.angle_asymptote, phi);
        // A preset then draws its own complete scene.
        f->fenetre->findChild<QAction*>("menu_GTO_IV")->trigger();
        QVERIFY(f->image()->elements_affiches() != hyperbole);
    }

    // "28,5" reads 28.5 in every box.
    void virgule_decimale() {
        f->coller("Text4", "28,5");
        QCOMPARE(traj.inclinaison, 28.5);
        f->coller("Text2", "300,25");
        QCOMPARE(traj.zp, 300.25);
    }

    // A far apoapsis is drawn as far as it crosses the canvas, not refused.
    void orbite_lointaine_dessinee() {
        f->coller("Text1", "1E10");
        QVERIFY(f->rapports.empty());
        QCOMPARE(traj.za, 1e10);
        for (const auto& e : f->image()->elements()) {
            QVERIFY(std::abs(e.x1) < 2e8 && std::abs(e.y1) < 2e8);
        }
    }

    // Commands carried to their end: a preset and Reset with an impossible Zp, an orbit
    // type whose proposal fails; Label6 and Text1 always follow the type.
    void commandes_menees_a_terme() {
        f->coller("Text2", "-3618");
        f->coller("Text1", "-3618");
        f->rapports.clear();
        f->fenetre->findChild<QAction*>("menu_GTO_IV")->trigger();
        QCOMPARE(f->texte("Text1")->text(), QString("36000"));
        QCOMPARE(f->texte("Text2")->text(), QString("200"));
        QCOMPARE(f->texte("Text4")->text(), QString("7"));
        QVERIFY(f->rapports.empty());

        f->coller("Text2", "-3618");
        f->coller("Text1", "-3618");
        f->rapports.clear();
        f->controle<QPushButton>("Command1")->click();
        QCOMPARE(f->texte("Text1")->text(), QString("2000"));
        QCOMPARE(f->texte("Text2")->text(), QString("300"));
        QCOMPARE(f->texte("Text7")->text(), QString("25"));
        QVERIFY(f->rapports.empty());

        f->option("Option_hyperbolique")->click();
        f->coller("Text2", "-3618");
        f->option("Option_elliptique")->click();
        QCOMPARE(f->legende("Label6"), QString("Za (km)"));
        QVERIFY(!f->texte("Text1")->isHidden());
        f->option("Option_parabolique")->click();
        QVERIFY(f->texte("Text1")->isHidden());
    }

    // After an escape burn Reset completes at once; after any burn the satellite is
    // marked where it is.
    void apres_un_tir() {
        f->controle<QPushButton>("cmd_tir")->click();
        QVERIFY(s_imprime(f->image()));
        f->coller("Text8", "1000");
        f->controle<QPushButton>("cmd_tir")->click();
        QVERIFY(f->option("Option_hyperbolique")->isChecked());
        QVERIFY(s_imprime(f->image()));
        f->rapports.clear();
        f->controle<QPushButton>("Command1")->click();
        QVERIFY(f->rapports.empty());
        QCOMPARE(f->texte("Text1")->text(), QString("45"));
        QCOMPARE(f->texte("Text2")->text(), QString("300"));
    }

    // The window's own memory puts back texts exactly, a lone surrogate and a leading
    // U+FEFF included, without running a handler.
    void memoire_exacte() {
        const QString bizarre = QString(QChar(0xFEFF)) + QStringLiteral("25");
        const QString seul = QString(QChar(0xD800)) + QStringLiteral("7");
        f->coller("Text7", bizarre);
        f->coller("Text13", seul);
        const auto memoire = f->fenetre->memoriser();
        f->coller("Text7", "40");
        f->coller("Text13", "100");
        f->option("Option_hyperbolique")->click();
        f->fenetre->legende_Label_debit("0");
        f->rapports.clear();
        const double anomalie = traj.anomalie;
        f->fenetre->restituer(*memoire);
        QCOMPARE(f->texte("Text7")->text(), bizarre);
        QCOMPARE(f->texte("Text13")->text(), seul);
        QVERIFY(f->option("Option_elliptique")->isChecked());
        QCOMPARE(f->legende("Label6"), QString("Za (km)"));
        QCOMPARE(traj.anomalie, anomalie); // nothing recomputed
    }

private:
    std::unique_ptr<fenetre_de_test> f;
};
TRAJEL_TEST(TestLecon);
#include "test_lecon.moc"
