// The main window's tab order and tooltips; Qt's own texts in French once the program's
// installer has run, the boxes' number format unchanged.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/application/francais.h"
#include "ui/francais/convention_poussee.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

using namespace trajel;
using namespace trajel::test;

namespace {

QStringList textes_sans_raccourci(const QList<QAction*>& actions) {
    QStringList t;
    for (const QAction* a : actions) {
        t << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    }
    return t;
}

} // namespace

class TestFrancaisEtClavier : public QObject {
    Q_OBJECT
private slots:
    void tabulation_data() {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("suivant");
        const char* ordre[] = {"Text1",  "Text2", "Text3", "Text4",  "Text5",  "Text7",  "Text6",
                               "Text13", "Text9", "Text8", "Text10", "Text11", "Text12", "cmd_tir"};
        for (std::size_t i = 0; i + 1 < std::size(ordre); ++i) {
            QTest::newRow(ordre[i]) << ordre[i] << ordre[i + 1];
        }
    }
    // From each box, Tab goes to the next in reading order.
    void tabulation() {
        QFETCH(QString, depart);
        QFETCH(QString, suivant);
        fenetre_de_test f;
        QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
        auto* boite = f.texte(qPrintable(depart));
        boite->setFocus();
        QCOMPARE(QApplication::focusWidget(), boite);
        QTest::keyClick(boite, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), suivant);
    }

    // Every control of the main window carries a French tooltip.
    void bulles() {
        fenetre_de_test f;
        int controles = 0;
        for (QWidget* w : f.fenetre->centralWidget()->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName() == QLatin1String("bandeau_erreur") ||
                w->parent() == nullptr || w->parent()->objectName().isEmpty()) {
                continue; // the strip, and the inner parts of composite widgets
            }
            ++controles;
            QVERIFY2(w->toolTip().size() > 10, qPrintable(w->objectName()));
        }
        QCOMPARE(controles, 54); // the design's controls under the client area
        QVERIFY(f.texte("Text13")->toolTip().contains(QStringLiteral("9,81")));
        QVERIFY(
            f.controle<QGroupBox>("Frame_Poussee")->toolTip().contains(QStringLiteral("km/s²")));
        QVERIFY(f.controle<QGroupBox>("Frame_Poussee")
                    ->toolTip()
                    .endsWith(explication_convention_poussee()));
    }

    void init() {
        proprietaire_ = std::make_unique<QObject>();
        QVERIFY(installer_francais(*proprietaire_));
    }
    void cleanup() {
        proprietaire_.reset(); // uninstalls the catalogue
        QLocale::setDefault(QLocale::c());
    }

    void menu_contextuel_des_boites() {
        fenetre_de_test f;
        std::unique_ptr<QMenu> menu(f.texte("Text4")->createStandardContextMenu());
        const QStringList textes = textes_sans_raccourci(menu->actions());
        for (const char* attendu : {"Copier", "Coller", "Couper", "Tout sélectionner"}) {
            QVERIFY2(textes.contains(QString::fromUtf8(attendu)), qPrintable(textes.join('|')));
        }
        QVERIFY(!textes.contains(QStringLiteral("Copy")));
        // The number format of the boxes is the program's, not the locale's.
        f.taper("Text4", QStringLiteral("28.5"));
        QCOMPARE(f.texte("Text4")->text(), QStringLiteral("28.5"));
    }

    void dialogue_de_fichier() {
        QFileDialog dialogue(nullptr, QStringLiteral("Ouvrir"));
        dialogue.setOption(QFileDialog::DontUseNativeDialog);
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        dialogue.show();
        QStringList boutons;
        for (const QPushButton* b :
             dialogue.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>()) {
            boutons << b->text().remove(QLatin1Char('&'));
        }
        boutons.sort();
        QCOMPARE(boutons, (QStringList{"Annuler", "Enregistrer"}));
        QCOMPARE(QLocale().language(), QLocale::French);
    }

private:
    std::unique_ptr<QObject> proprietaire_;
};

TRAJEL_TEST(TestFrancaisEtClavier);
#include "test_francais_et_clavier.moc"
