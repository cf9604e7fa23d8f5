// The main window's boxes: rounded to six significant digits while they do not have the
// focus, the exact text in text(), the tooltip and with the focus; the same rounding in
// the printed caption.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/fenetre/boite_lisible.h"
#include "ui/image/export_image.h"
#include "ui/poste/poste.h"

#include <QApplication>
#include <QImage>

#include <clocale>
#include <string>

using namespace trajel;
using namespace trajel::test;

class TestBoitesLisibles : public QObject {
    Q_OBJECT
private slots:
    void arrondi_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("affiche");
        // The program's own texts: 15 digits, the exponent last.
        QTest::newRow("i après un changement de plan") << " 1.47877933029813E-06"
                                                       << " 1.47878E-06";
        QTest::newRow("poussée radiale") << " 2.69497989822459E-05"
                                         << " 2.69498E-05";
        QTest::newRow("exposant positif") << "-1.23456789012345E+20"
                                          << "-1.23457E+20";
        QTest::newRow("bruit sous 7") << " 6.99999999999999"
                                      << " 7";
        QTest::newRow("bruit sous 200") << " 199.999999999998"
                                        << " 200";
        QTest::newRow("bruit sur 36000") << " 36000.0000000001"
                                         << " 36000";
        QTest::newRow("arrondi vers le haut") << " 35983.4567891"
                                              << " 35983.5";
        QTest::newRow("petit sans exposant") << " .00123456789"
                                             << " .00123457";
        QTest::newRow("petit, exposant") << " 1.23456789E-05"
                                         << " 1.23457E-05";
        QTest::newRow("négatif") << "-3.14159265358979"
                                 << "-3.14159";
        // Typed texts: a short one as typed, a long one rounded in the program's style.
        QTest::newRow("tapé court") << "28,5"
                                    << "28,5";
        QTest::newRow("six chiffres") << "123456"
                                      << "123456";
        QTest::newRow("sept chiffres") << "1234567"
                                       << "1234570";
        QTest::newRow("virgule longue") << "1,23456789"
                                        << "1.23457";
        QTest::newRow("exposant tapé") << "1e-6"
                                       << "1e-6";
        QTest::newRow("exposant D") << "2.7182818284D+3"
                                    << "2718.28";
        QTest::newRow("zéros en tête") << "0.000001"
                                       << "0.000001";
        QTest::newRow("mot") << "abc1234567890"
                             << "abc1234567890";
        QTest::newRow("vide") << ""
                              << "";
        QTest::newRow("au-delà d'un double") << "1.234567E+999"
                                             << "1.234567E+999";
    }
    void arrondi() {
        QFETCH(QString, texte);
        QFETCH(QString, affiche);
        QCOMPARE(texte_lisible(texte), affiche);
    }

    // The same under a C library whose decimal point is a comma.
    void arrondi_locale_francaise_data() { arrondi_data(); }
    void arrondi_locale_francaise() {
        QFETCH(QString, texte);
        QFETCH(QString, affiche);
        const std::string avant = std::setlocale(LC_NUMERIC, nullptr);
        if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) {
            QSKIP("no French locale on this machine");
        }
        const QString vu = texte_lisible(texte);
        std::setlocale(LC_NUMERIC, avant.c_str());
        QCOMPARE(vu, affiche);
    }

    // In the real window: what a box paints, with and without the focus; text() exact.
    void focus_data() {
        QTest::addColumn<QString>("boite");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("affiche");
        QTest::newRow("i") << "Text4"
                           << " 1.47877933029813E-06"
                           << " 1.47878E-06";
        QTest::newRow("poussée radiale") << "Text9"
                                         << " 2.69497989822459E-05"
                                         << " 2.69498E-05";
        QTest::newRow("Zp") << "Text2"
                            << " 199.999999999998"
                            << " 200";
        QTest::newRow("tapé") << "Text6"
                              << "1000"
                              << "1000";
    }
    void focus() {
        QFETCH(QString, boite);
        QFETCH(QString, texte);
        QFETCH(QString, affiche);
        fenetre_de_test f;
        f.fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
        auto* b = qobject_cast<boite_lisible*>(f.texte(qPrintable(boite)));
        QVERIFY(b != nullptr);
        f.coller(qPrintable(boite), texte);
        f.texte("Text13")->setFocus();
        QCOMPARE(b->text(), texte);
        QCOMPARE(b->texte_affiche(), affiche);
        const QImage sans_focus = b->grab().toImage();
        if (affiche != texte) {
            QVERIFY(b->bulle().contains(texte.trimmed()));
            QVERIFY(b->bulle().startsWith(b->toolTip()));
        } else {
            QCOMPARE(b->bulle(), b->toolTip());
        }
        b->setFocus();
        QCOMPARE(QApplication::focusWidget(), b);
        QCOMPARE(b->texte_affiche(), texte);
        QCOMPARE(b->text(), texte);
        if (affiche != texte) {
            b->home(false); // the same start as the rounded picture
            QVERIFY(b->grab().toImage() != sans_focus);
        }
        f.texte("Text13")->setFocus();
        QCOMPARE(b->texte_affiche(), affiche);
        QCOMPARE(b->text(), texte);
        QCOMPARE(b->grab().toImage(), sans_focus);
        // The rounded picture is the one of a box that holds the rounded text.
        f.coller(qPrintable(boite), affiche);
        QCOMPARE(b->grab().toImage(), sans_focus);
    }

    // The start-up boxes hold short texts: each shows as it stands.
    void ouverture() {
        fenetre_de_test f;
        for (const char* nom : boites) {
            auto* b = qobject_cast<boite_lisible*>(f.texte(nom));
            QVERIFY2(b != nullptr, nom);
            QCOMPARE(b->texte_affiche(), b->text());
        }
    }

    // The printed caption rounds the same numbers to the same six digits.
    void legende_imprimee() {
        fenetre_de_test f;
        saisir(f, QStringLiteral("Text4= 1.47877933029813E-06|Text3= 199.999999999998"));
        const instantane_scene s = f.fenetre->scene();
        const QString legende = legende_orbite(s.valeurs.traj, s.longitude, s.latitude, s.zoom);
        QVERIFY2(legende.contains(QStringLiteral("i 1,47878 × 10⁻⁶")), qPrintable(legende));
        QVERIFY2(legende.contains(QStringLiteral("Omega 200°")), qPrintable(legende));
    }
};
TRAJEL_TEST(TestBoitesLisibles);
#include "test_boites_lisibles.moc"
