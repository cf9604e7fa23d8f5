// The handlers of the main window and the preset orbits, driven through the real
// window: the rules they apply, the nested redraws they cause, what they leave.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include "core/texte.h"

#include <QAction>
#include <QPushButton>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

class TestGestionnaires : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<fenetre_de_test>(); }
    void cleanup() { f.reset(); }

    void demarrage() {
        QCOMPARE(trajel::zoom, 1.0);
        QCOMPARE(couleur_RN, std::int16_t(1));
        QCOMPARE(couleur_trajectoire, std::int16_t(12));
        QCOMPARE(couleur_RH, std::int16_t(2));
        QCOMPARE(couleur_RP, std::int16_t(6));
        QCOMPARE(largeur_image, 10335);
        QCOMPARE(hauteur_image, 8655);
        QCOMPARE(repere_fixe.w.z, 1.0);
        QCOMPARE(traj.type_conique, std::string("elliptique"));
        QCOMPARE(traj.excentricite, 1700.0 / 9536.0);
        QCOMPARE(masse, 1000.0);
        QCOMPARE(isp, 100.0);
        // The start-up scene is on the picture: "S" at the satellite.
        bool trouve = false;
        for (const auto& t : f->image()->textes()) {
            trouve = trouve || (t.texte == "S" && t.x1 == 6326.0 && t.y1 == 5136.0);
        }
        QVERIFY(trouve);
    }

    void altitudes_egales_data() {
        QTest::addColumn<QString>("za");
        QTest::addColumn<bool>("egales");
        QTest::newRow("300") << "300" << true;
        QTest::newRow("300.00") << "300.00" << true;
        QTest::newRow("3E2") << "3E2" << true;
        QTest::newRow("3 0 0") << "3 0 0" << true;
        QTest::newRow("300.5") << "300.5" << false;
        QTest::newRow("301") << "301" << false;
    }
    // The user's edit redraws at once; the rule waits for the edit to be committed.
    void altitudes_egales() {
        QFETCH(QString, za);
        QFETCH(bool, egales);
        f->coller("Text1", za);
        QCOMPARE(f->texte("Text5")->text(), QString("10"));
        QCOMPARE(traj.za, Val(za.toStdString()));
        f->valider("Text1");
        QCOMPARE(f->texte("Text5")->text(), egales ? QString("0") : QString("10"));
        QCOMPARE(traj.petit_omega, egales ? 0.0 : 10.0);
        QVERIFY(f->rapports.empty());
    }

    void altitudes_egales_depuis_zp() {
        f->taper("Text2", "2000");
        f->valider("Text2");
        QCOMPARE(f->texte("Text5")->text(), QString("0"));
        QCOMPARE(traj.excentricite, 0.0);
    }

    void regle_valable_en_hyperbole() {
        f->option("Option_hyperbolique")->click();
        QCOMPARE(f->texte("Text1")->text(), QString("45"));
        QCOMPARE(f->legende("Label6"), QString("Phi°"));
        f->taper("Text2", "45");
        f->valider("Text2");
        QCOMPARE(f->texte("Text5")->text(), QString("0"));
    }

    void inclinaison_nulle_data() {
        QTest::addColumn<QString>("i");
        QTest::addColumn<QString>("omega");
        QTest::newRow("0") << "0"
                           << "0";
        QTest::newRow("0.0") << "0.0"
                             << "0";
        QTest::newRow("abc") << "abc"
                             << "0";
        QTest::newRow("vide") << ""
                              << "0";
        QTest::newRow("0.1") << "0.1"
                             << "20";
        QTest::newRow("-5") << "-5"
                            << "20";
    }
    void inclinaison_nulle() {
        QFETCH(QString, i);
        QFETCH(QString, omega);
        f->coller("Text4", i);
        QCOMPARE(f->texte("Text3")->text(), QString("20"));
        f->valider("Text4");
        QCOMPARE(f->texte("Text3")->text(), omega);
    }

    void elliptique_propose_za() {
        f->option("Option_circulaire")->click();
        QVERIFY(f->texte("Text1")->isHidden());
        QVERIFY(f->controle<QLabel>("Label6")->isHidden());
        f->taper("Text2", "201");
        f->option("Option_elliptique")->click();
        QCOMPARE(f->texte("Text1")->text(), QString(" 301")); // floor(301.5), leading blank
        QVERIFY(!f->texte("Text1")->isHidden());
        QCOMPARE(f->legende("Label6"), QString("Za (km)"));
        QCOMPARE(traj.za, 301.0);
    }

    void legende_avant_la_proposition_data() {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("zp");
        QTest::addColumn<QString>("choix");
        QTest::addColumn<QString>("legende");
        QTest::addColumn<QString>("proposition");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("hyperbole") << "Option_elliptique"
                                   << "300"
                                   << "Option_hyperbolique"
                                   << "Phi°"
                                   << "45" << QString();
        QTest::newRow("ellipse") << "Option_circulaire"
                                 << "201"
                                 << "Option_elliptique"
                                 << "Za (km)"
                                 << " 301" << QString();
        QTest::newRow("hyperbole, Zp 1E309") << "Option_elliptique"
                                             << "1E309"
                                             << "Option_hyperbolique"
                                             << "Phi°"
                                             << "45"
                                             << "En cause : la zone « Zp (km) »";
        QTest::newRow("ellipse, Zp -3618: par le centre") << "Option_hyperbolique"
                                                          << "-3618"
                                                          << "Option_elliptique"
                                                          << "Za (km)"
                                                          << "-5427"
                                                          << "passe par le centre de la Terre";
    }
    // Choosing a type shows Label6 with its caption before Text1 receives the proposal,
    // whose change redraws nested; an error of that redraw, raised again by the last one,
    // reaches the message box under the same caption.
    void legende_avant_la_proposition() {
        QFETCH(QString, depart);
        QFETCH(QString, zp);
        QFETCH(QString, choix);
        QFETCH(QString, legende);
        QFETCH(QString, proposition);
        QFETCH(QString, message);
        f->option(qPrintable(depart))->click();
        f->coller("Text2", zp);
        f->rapports.clear();
        f->modaux.clear();
        auto* Label6 = f->controle<QLabel>("Label6");
        const auto legende_vue = [Label6] {
            return Label6->isVisible() ? Label6->text() : QStringLiteral("(cachée)");
        };
        QStringList a_l_ecriture;
        QStringList a_la_boite;
        connect(f->texte("Text1"), &QLineEdit::textChanged, this,
                [&] { a_l_ecriture << legende_vue(); });
        f->fenetre->definir_boite_de_message(
            [&](const erreur_calcul&) { a_la_boite << legende_vue(); });

        f->option(qPrintable(choix))->click();
        QCOMPARE(f->texte("Text1")->text(), proposition);
        QCOMPARE(a_l_ecriture, QStringList{legende});
        if (message.isEmpty()) {
            QVERIFY(f->rapports.empty());
            QVERIFY(a_la_boite.isEmpty());
            return;
        }
        QCOMPARE(f->modaux.size(), std::size_t{1});
        QVERIFY2(QString::fromUtf8(f->modaux[0].what()).contains(message), f->modaux[0].what());
        QCOMPARE(a_la_boite, QStringList{legende});
    }

    void parabole_garde_za() {
        f->option("Option_parabolique")->click();
        QCOMPARE(traj.type_conique, std::string("parabolique"));
        QCOMPARE(traj.za, 2000.0);
        QCOMPARE(traj.excentricite, 1.0);
        QCOMPARE(traj.parametre, 7836.0);
    }

    void reperes_affiches() {
        f->option("Option_RH")->click();
        QVERIFY(!f->option("Option_tous")->isChecked());
        // Only the green frame and the satellite frame remain of the orbit's frames.
        int bleus = 0, verts = 0, bruns = 0;
        for (const auto& t : f->image()->traits()) {
            bleus += t.couleur == 1;
            verts += t.couleur == 2;
            bruns += t.couleur == 6;
        }
        QCOMPARE(bleus, 0);
        QCOMPARE(verts, 3);
        QCOMPARE(bruns, 0);
        f->option("Option_tous")->click();
        QVERIFY(!f->option("Option_RH")->isChecked());
    }

    void suite_de_zooms() {
        auto* moins = f->controle<QPushButton>("Command5");
        auto* plus = f->controle<QPushButton>("Command4");
        for (int i = 0; i < 9; ++i) {
            moins->click();
        }
        QVERIFY(std::abs(trajel::zoom - 0.1) < 1e-12);
        const double plus_petit = trajel::zoom;
        moins->click();
        moins->click();
        QCOMPARE(trajel::zoom, plus_petit); // the scene never collapses to a point
        plus->click();
        QVERIFY(std::abs(trajel::zoom - 0.3) < 1e-12);
        plus->click();
        QVERIFY(std::abs(trajel::zoom - 0.5) < 1e-12);
        f->controle<QPushButton>("Command1")->click();
        QCOMPARE(trajel::zoom, 1.0);
    }

    void reset() {
        f->taper("Text3", "45");
        f->taper("Text6", "5");
        f->taper("Text12", "7");
        f->controle<QPushButton>("Command4")->click();
        f->controle<QPushButton>("Command1")->click();
        QCOMPARE(f->texte("Text3")->text(), QString("20"));
        QCOMPARE(f->texte("Text6")->text(), QString("1000"));
        QCOMPARE(f->texte("Text12")->text(), QString("7")); // left alone
        QCOMPARE(trajel::zoom, 1.0);
        QCOMPARE(masse, 1000.0);
        QVERIFY(f->rapports.empty());
    }

    // Under "hyperbolique" Reset writes the angle that option proposes, and completes.
    void reset_en_hyperbole() {
        f->option("Option_hyperbolique")->click();
        f->taper("Text1", "60");
        f->taper("Text3", "99");
        f->controle<QPushButton>("Command1")->click();
        QCOMPARE(f->texte("Text1")->text(), QString("45"));
        QCOMPARE(f->texte("Text3")->text(), QString("20"));
        QCOMPARE(f->texte("Text7")->text(), QString("25"));
        QVERIFY(f->option("Option_hyperbolique")->isChecked());
        QVERIFY(f->rapports.empty());
        QCOMPARE(traj.angle_asymptote, 45.0);
        QCOMPARE(traj.type_conique, std::string("hyperbolique"));
        // Any other type keeps its 2000.
        f->option("Option_parabolique")->click();
        f->controle<QPushButton>("Command1")->click();
        QCOMPARE(f->texte("Text1")->text(), QString("2000"));
    }

    // Typing "300.5" over Za passes through "300", equal to Zp, and "-5" over i through
    // "-", which reads 0: neither wipes a box, since the rules wait for the commit, and
    // the values committed make no rule apply. A committed "300" does.
    void regles_pendant_la_frappe_data() {
        QTest::addColumn<QString>("boite");
        QTest::addColumn<QString>("frappe");
        QTest::addColumn<int>("validation"); // Qt::Key
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("Za 300.5, Entrée") << "Text1"
                                          << "300.5" << int(Qt::Key_Return) << "Text5"
                                          << "10";
        QTest::newRow("Za 300, Entrée") << "Text1"
                                        << "300" << int(Qt::Key_Return) << "Text5"
                                        << "0";
        QTest::newRow("Zp 2000, Tab") << "Text2"
                                      << "2000" << int(Qt::Key_Tab) << "Text5"
                                      << "0";
        QTest::newRow("i -5, Tab") << "Text4"
                                   << "-5" << int(Qt::Key_Tab) << "Text3"
                                   << "20";
        QTest::newRow("i 0, Entrée") << "Text4"
                                     << "0" << int(Qt::Key_Return) << "Text3"
                                     << "0";
        // Characters an input method sends: the number is the one they follow.
        QTest::newRow("Za 300٣, Entrée") << "Text1"
                                         << "300٣" << int(Qt::Key_Return) << "Text5"
                                         << "0";
        QTest::newRow("Za 300𝟑 (hors du plan de base), Entrée")
            << "Text1"
            << "300𝟑" << int(Qt::Key_Return) << "Text5"
            << "0";
        QTest::newRow("i 0∞é, Tab") << "Text4"
                                    << "0∞é" << int(Qt::Key_Tab) << "Text3"
                                    << "0";
    }
    void regles_pendant_la_frappe() {
        QFETCH(QString, boite);
        QFETCH(QString, frappe);
        QFETCH(int, validation);
        QFETCH(QString, cible);
        QFETCH(QString, attendu);
        f->fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->fenetre.get()));
        f->texte(qPrintable(boite))->setFocus();
        f->taper(qPrintable(boite), frappe);
        QCOMPARE(f->texte(qPrintable(boite))->text(), frappe);
        QCOMPARE(f->texte(qPrintable(cible))->text(),
                 cible == "Text5" ? QString("10") : QString("20"));
        QTest::keyClick(f->texte(qPrintable(boite)), Qt::Key(validation));
        QCOMPARE(f->texte(qPrintable(cible))->text(), attendu);
        QVERIFY(f->rapports.empty());
    }

    // A click on another control commits the edit first: the scroll bar takes no focus.
    void clic_ailleurs_valide() {
        f->taper("Text1", "300");
        QCOMPARE(f->texte("Text5")->text(), QString("10"));
        QTest::mouseClick(f->controle<QScrollBar>("HScroll1"), Qt::LeftButton);
        QCOMPARE(f->texte("Text5")->text(), QString("0"));
    }

    void barres_et_legendes_data() {
        QTest::addColumn<QString>("barre");
        QTest::addColumn<int>("valeur");
        QTest::addColumn<QString>("etiquette");
        QTest::addColumn<QString>("legende");
        QTest::newRow("haut") << "VScroll1" << -90 << "Label1"
                              << " 90";
        QTest::newRow("bas") << "VScroll1" << 90 << "Label1"
                             << "-90";
        QTest::newRow("gauche") << "HScroll1" << -180 << "Label2"
                                << "-180";
        QTest::newRow("droite") << "HScroll1" << 180 << "Label2"
                                << " 180";
        QTest::newRow("zero") << "HScroll1" << 0 << "Label2"
                              << " 0";
    }
    void barres_et_legendes() {
        QFETCH(QString, barre);
        QFETCH(int, valeur);
        QFETCH(QString, etiquette);
        QFETCH(QString, legende);
        f->fenetre->findChild<QScrollBar*>(barre)->setValue(valeur);
        QCOMPARE(f->legende(qPrintable(etiquette)), legende);
    }

    void vue_depuis_le_pole() {
        f->controle<QScrollBar>("VScroll1")->setValue(-90);
        // The viewer stands above the north pole: u is the polar axis.
        QVERIFY(std::abs(repere_vue.u.z - 1.0) < 1e-9);
        QVERIFY(s_imprime(f->image()));
    }

    void message_phi() {
        f->option("Option_hyperbolique")->click();
        for (const char* phi : {"90", "120", "0", "-90"}) {
            f->rapports.clear();
            f->coller("Text1", phi);
            QVERIFY2(f->rapports.size() == 1, phi);
            QCOMPARE(f->rapports[0].nature(), nature_erreur::angle_phi_invalide);
            QVERIFY(QString::fromUtf8(f->rapports[0].what()).contains("Phi"));
        }
        f->rapports.clear();
        f->taper("Text1", "60");
        QVERIFY(f->rapports.empty());
        QCOMPARE(traj.angle_asymptote, 60.0);
    }

    void anomalie_hors_bornes() {
        f->taper("Text7", "1E6");
        QCOMPARE(f->rapports.size(), std::size_t(1));
        QCOMPARE(f->rapports[0].nature(), nature_erreur::depassement_capacite);
        f->rapports.clear();
        f->taper("Text7", "25");
        QVERIFY(f->rapports.empty());
        QVERIFY(s_imprime(f->image()));
    }

    void retour_d_une_autre_fenetre() {
        f->controle<QPushButton>("Command4")->click();
        QVERIFY(trajel::zoom > 1.0);
        f->fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->fenetre.get()));

        // Another window of the program that is no form: no activation.
        QWidget autre;
        autre.setObjectName("autre");
        autre.show();
        autre.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&autre));
        f->fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->fenetre.get()));
        QVERIFY(trajel::zoom > 1.0);

        // The about box: coming back activates the main window, the zoom returns to 1.
        QWidget apropos;
        apropos.setObjectName("frmAbout");
        apropos.show();
        apropos.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&apropos));
        f->fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->fenetre.get()));
        QCOMPARE(trajel::zoom, 1.0);
    }

private:
    std::unique_ptr<fenetre_de_test> f;
};
TRAJEL_TEST(TestGestionnaires);

// The five preset orbits, from every orbit type, and twice in a row.
class TestPresets : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<fenetre_de_test>(); }
    void cleanup() { f.reset(); }

    void presets_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("za");
        QTest::addColumn<QString>("zp");
        QTest::addColumn<QString>("i");
        const char* menus[][5] = {
            {"menu_kourou_circulaire", "Option_circulaire", "200", "200", "7"},
            {"menu_GTO_IV", "Option_elliptique", "36000", "200", "7"},
            {"menu_GTO_V", "Option_elliptique", "36000", "600", "7"},
            {"menu_baikonour_circulaire", "Option_circulaire", "200", "200", "45.9"},
            {"menu_canaveral_circulaire", "Option_circulaire", "200", "200", "28.5"},
        };
        for (const auto& m : menus) {
            for (const char* depart : {"Option_circulaire", "Option_elliptique",
                                       "Option_parabolique", "Option_hyperbolique"}) {
                QTest::addRow("%s depuis %s", m[0], depart)
                    << m[0] << depart << m[1] << m[2] << m[3] << m[4];
            }
        }
    }
    void presets() {
        QFETCH(QString, menu);
        QFETCH(QString, depart);
        QFETCH(QString, type);
        QFETCH(QString, za);
        QFETCH(QString, zp);
        QFETCH(QString, i);
        f->option(qPrintable(depart))->click();
        f->rapports.clear();
        f->fenetre->findChild<QAction*>(menu)->trigger();
        QVERIFY(f->rapports.empty());
        QVERIFY(f->option(qPrintable(type))->isChecked());
        QCOMPARE(f->texte("Text1")->text(), za);
        QCOMPARE(f->texte("Text2")->text(), zp);
        QCOMPARE(f->texte("Text4")->text(), i);
        const bool circulaire = type == "Option_circulaire";
        QCOMPARE(f->texte("Text1")->isHidden(), circulaire);
        // Equal altitudes set the argument of periapsis to 0.
        QCOMPARE(f->texte("Text5")->text(), circulaire ? QString("0") : QString("10"));
        // The last nested redraw has seen every value of the preset.
        QCOMPARE(traj.zp, zp.toDouble());
        QCOMPARE(traj.inclinaison, i.toDouble());
        QCOMPARE(traj.type_conique, type.mid(7).toStdString());
        QVERIFY(s_imprime(f->image()));

        // The same preset again changes no text: nothing runs, nothing is redrawn.
        f->fenetre->legende_Label_debit("marque");
        const auto elements = f->image()->elements().size();
        f->fenetre->findChild<QAction*>(menu)->trigger();
        QCOMPARE(f->fenetre->legende_Label_debit(), std::string("marque"));
        QCOMPARE(f->image()->elements().size(), elements);
    }

    void circulaire_depuis_hyperbole_garde_phi() {
        f->option("Option_hyperbolique")->click();
        f->fenetre->findChild<QAction*>("menu_kourou_circulaire")->trigger();
        QVERIFY(f->texte("Text1")->isHidden());
        QCOMPARE(f->texte("Text1")->text(), QString("200"));
        QCOMPARE(f->legende("Label6"), QString("Phi°")); // hidden, caption kept
        QCOMPARE(f->texte("Text5")->text(), QString("0"));
    }

    void manoeuvre_libre_ne_fait_rien() {
        f->fenetre->legende_Label_debit("marque");
        f->fenetre->findChild<QAction*>("menu_libre")->trigger();
        QCOMPARE(f->fenetre->legende_Label_debit(), std::string("marque"));
    }

private:
    std::unique_ptr<fenetre_de_test> f;
};
TRAJEL_TEST(TestPresets);
#include "test_gestionnaires.moc"
