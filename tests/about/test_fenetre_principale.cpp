// The about box opened from the real main window through its "Abstract" menu item.

#include "about/frmabout.h"
#include "commun/principal.h"
#include "ui/fenetre_de_test.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

using namespace trajel;
using namespace trajel::test;

namespace {

QList<QWidget*> boites_ouvertes() {
    QList<QWidget*> boites;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmAbout") && w->isVisible()) {
            boites << w;
        }
    }
    return boites;
}

} // namespace

class TestAbstract : public QObject {
    Q_OBJECT

    std::unique_ptr<fenetre_de_test> f;

    QAction* menu_abstract() const {
        return f->fenetre->findChild<QAction*>(QStringLiteral("menu_abstract"));
    }

private slots:
    void init() {
        f = std::make_unique<fenetre_de_test>();
        QVERIFY(QTest::qWaitForWindowExposed(f->fenetre.get()));
    }
    void cleanup() {
        if (frmAbout* boite = frmAbout::ouvert()) {
            boite->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f.reset();
    }

    void abstract_deux_fois_une_seule_boite() {
        QVERIFY(menu_abstract() != nullptr);
        menu_abstract()->trigger();
        QCOMPARE(boites_ouvertes().size(), 1);
        QWidget* premiere = boites_ouvertes().first();
        menu_abstract()->trigger();
        QCOMPARE(boites_ouvertes(), QList<QWidget*>{premiere});
        QCOMPARE(premiere->windowTitle(), QString("About Trajel"));
        // Not modal: the main window still takes input.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        f->taper("Text4", "30");
        QCOMPARE(f->texte("Text4")->text(), QString("30"));
    }

    void retour_apres_la_boite_remet_le_zoom() {
        QTest::mouseClick(f->controle<QPushButton>("Command4"), Qt::LeftButton); // Zoom +
        QVERIFY(trajel::zoom != 1.0);
        menu_abstract()->trigger();
        QCOMPARE(boites_ouvertes().size(), 1);
        QWidget* boite = boites_ouvertes().first();
        QTRY_VERIFY(boite->isActiveWindow());
        QTest::mouseClick(boite->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(boites_ouvertes().isEmpty());
        // Coming back to the main window runs its activation handler.
        f->fenetre->activateWindow();
        QTRY_COMPARE(trajel::zoom, 1.0);
    }
};
TRAJEL_TEST(TestAbstract);

#include "test_fenetre_principale.moc"
