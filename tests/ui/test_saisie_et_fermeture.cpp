// The committed edit's rules carried to their end, an animation frame's error on the
// strip, shortcut keys stopping the animation, the caption of Label6 put back by the
// burn's undo, and the window closed with an edit pending.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/application/composition.h"
#include "ui/outils/animation.h"

#include <QAction>
#include <QApplication>

using namespace trajel;
using namespace trajel::test;

class TestSaisieEtFermeture : public QObject {
    Q_OBJECT
private slots:
    // Za typed equal to Zp, then i typed 0, then one commit: the equal-altitude rule's
    // redraw fails, yet the zero-inclination rule runs too; one error is reported.
    void regles_validees_jusqu_au_bout_data() {
        QTest::addColumn<QString>("boite_qui_casse");
        QTest::addColumn<QString>("texte_qui_casse");
        QTest::addColumn<QString>("omega_attendu"); // Text5 after the commit
        // Every redraw fails on the anomaly: both rules still write their "0".
        QTest::newRow("anomaly 1e999") << "Text7"
                                       << "1e999"
                                       << "0";
        // Za unreadable: the equal-altitude rule itself fails, the other one runs.
        QTest::newRow("Za 1e309") << "Text1"
                                  << "1e309"
                                  << "10";
    }
    void regles_validees_jusqu_au_bout() {
        QFETCH(QString, boite_qui_casse);
        QFETCH(QString, texte_qui_casse);
        QFETCH(QString, omega_attendu);
        fenetre_de_test f;
        f.taper("Text1", "300");
        f.taper("Text4", "0");
        f.coller(boite_qui_casse.toLatin1().constData(), texte_qui_casse);
        const std::size_t avant = f.rapports.size();
        QCOMPARE(f.texte("Text3")->text(), QString("20"));
        f.valider("Text4");
        QCOMPARE(f.texte("Text3")->text(), QString("0"));
        QCOMPARE(f.texte("Text5")->text(), omega_attendu);
        QCOMPARE(f.rapports.size(), avant + 1);
        QVERIFY(f.modaux.empty());
    }

    // An animation frame that cannot be computed stops the animation and tells it on
    // the strip, framing the box the error names; no dialog.
    void erreur_d_une_image_sur_le_bandeau() {
        fenetre_de_test f;
        auto* outils = f.fenetre->findChild<outils_lecon*>(QStringLiteral("outils_lecon"));
        animation_satellite& a = outils->animation();
        a.demarrer();
        QVERIFY(a.en_cours());
        QVERIFY(a.avancer(0.1));
        f.coller("Text6", "1e999"); // no change handler: nothing computed yet
        QVERIFY(f.rapports.empty());
        QVERIFY(!a.avancer(0.1));
        QVERIFY(!a.en_cours());
        QVERIFY(f.modaux.empty());
        QCOMPARE(f.non_modaux.size(), std::size_t(1));
        QVERIFY(f.bandeau()->isVisibleTo(f.fenetre.get()));
        QVERIFY(f.bandeau()->text().contains(QStringLiteral("Masse (kg)")));
        QVERIFY(f.texte("Text6")->styleSheet().contains("d00000"));
        QVERIFY(f.texte("Text7")->styleSheet().isEmpty());
    }

    // Shortcut keys stop the animation as other keys do; its own shortcut toggles it.
    void raccourcis_arretent_l_animation_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("modificateurs");
        QTest::newRow("F2, the readout") << int(Qt::Key_F2) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+M, the assistant") << int(Qt::Key_M) << int(Qt::ControlModifier);
    }
    void raccourcis_arretent_l_animation() {
        QFETCH(int, touche);
        QFETCH(int, modificateurs);
        fenetre_de_test f;
        f.fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
        auto* outils = f.fenetre->findChild<outils_lecon*>(QStringLiteral("outils_lecon"));
        animation_satellite& a = outils->animation();
        f.image()->setFocus();
        QTest::keyClick(f.image(), Qt::Key_Space);
        QVERIFY(a.en_cours());
        QTest::keyClick(f.image(), Qt::Key(touche), Qt::KeyboardModifiers(modificateurs));
        QVERIFY(!a.en_cours());
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != f.fenetre.get() && w->isVisible()) {
                w->close();
            }
        }
    }

    // What the burn's undo puts back includes the caption and visibility of Label6 and
    // Text1, which an abandoned burn from a circle to a hyperbola changed.
    void memoire_de_la_legende_Label6() {
        fenetre_de_test f;
        f.option("Option_circulaire")->click();
        auto* Label6 = f.controle<QLabel>("Label6");
        QVERIFY(Label6->isHidden() && f.texte("Text1")->isHidden());
        const auto memoire = f.fenetre->memoriser();
        f.option("Option_hyperbolique")->click();
        QCOMPARE(Label6->text(), QString("Phi°"));
        QVERIFY(!Label6->isHidden() && !f.texte("Text1")->isHidden());
        f.fenetre->restituer(*memoire);
        QCOMPARE(Label6->text(), QString("Za (km)"));
        QVERIFY(Label6->isHidden() && f.texte("Text1")->isHidden());
        QVERIFY(f.option("Option_circulaire")->isChecked());
    }

    // The red frame of a typing error goes with its correction, and the box keeps the
    // font of the window's other boxes.
    void police_apres_le_cadre_rouge() {
        fenetre_de_test f;
        const QFont police = f.texte("Text3")->font();
        QCOMPARE(f.texte("Text7")->font(), police);
        f.taper("Text7", "1e999");
        QVERIFY(f.texte("Text7")->styleSheet().contains("d00000"));
        f.taper("Text7", "25");
        QVERIFY(f.texte("Text7")->styleSheet().isEmpty());
        QCOMPARE(f.texte("Text7")->font(), police);
        QCOMPARE(QFontInfo(f.texte("Text7")->font()).pixelSize(), QFontInfo(police).pixelSize());
    }

    // Closed with an edit pending: the boxes lose the focus while the window goes, and
    // nothing of theirs may reach it (the sanitizers' build reads freed memory here).
    void fermeture_avec_saisie_en_attente() {
        for (const char* boite : {"Text1", "Text2", "Text4"}) {
            fenetre_de_test f;
            f.fenetre->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
            f.texte(boite)->setFocus();
            QTest::keyClicks(f.texte(boite), "5");
            QVERIFY(f.texte(boite)->hasFocus());
            f.fenetre.reset();
            QVERIFY(Form1 == nullptr);
        }
    }
};

TRAJEL_TEST(TestSaisieEtFermeture);
#include "test_saisie_et_fermeture.moc"
