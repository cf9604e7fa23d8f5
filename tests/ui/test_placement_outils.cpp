// Every tool window open at once, at 100 % on a screen of 1920 x 1080 and at 200 % on one
// of 3840 x 2160: none over another nor over the main window's controls, each within the
// screen's free area with its buttons. Each scale is a run of this program of its own, on
// a virtual screen (the offscreen platform's configuration) with QT_SCALE_FACTOR. A kept
// geometry larger than the screen is put back within it.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>

using namespace trajel;
using namespace trajel::test;

namespace {

// Set in the runs at each scale: the scale they are run at.
const char* const echelle_du_placement = "TRAJEL_ECHELLE_DU_PLACEMENT";

struct outil {
    const char* action;
    const char* fenetre;
};
const outil outils[] = {{"menu_caracteristiques", "fenetre_caracteristiques"},
                        {"menu_assistant_manoeuvre", "assistant_manoeuvre"},
                        {"menu_journal_tirs", "fenetre_journal"},
                        {"menu_trace_sol", "fenetre_trace_sol"},
                        {"menu_guide", "fenetre_guide"}};

QRect global(const QWidget* w) {
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

QWidget* ouvrir(const fenetre_de_test& f, const outil& o) {
    f.fenetre->findChild<QAction*>(QString::fromLatin1(o.action))->trigger();
    return f.fenetre->findChild<QWidget*>(QString::fromLatin1(o.fenetre));
}

// The main window's controls: its buttons, boxes, scroll bars and menu bar.
QList<const QWidget*> commandes(const fenetre_de_test& f) {
    QList<const QWidget*> liste;
    for (const QWidget* c : f.fenetre->findChildren<QWidget*>()) {
        if (c->isVisible() && c->window() == f.fenetre.get() &&
            (qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QLineEdit*>(c) ||
             qobject_cast<const QScrollBar*>(c) || qobject_cast<const QMenuBar*>(c) ||
             qobject_cast<const QAbstractSpinBox*>(c))) {
            liste << c;
        }
    }
    return liste;
}

} // namespace

// Run at each scale by TestPlacementOutils: the five tools opened in the row's order.
class TestOutilsOuverts : public QObject {
    Q_OBJECT
private slots:
    void init() { QSettings().remove(QStringLiteral("fenetres")); }
    void cleanup() { QSettings().remove(QStringLiteral("fenetres")); }

    void tous_ouverts_data() {
        QTest::addColumn<QList<int>>("ordre");
        QTest::newRow("ordre du menu") << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("ordre inverse") << QList<int>{4, 3, 2, 1, 0};
        QTest::newRow("carte et assistant d'abord") << QList<int>{3, 1, 4, 0, 2};
    }
    void tous_ouverts() {
        QFETCH(QList<int>, ordre);
        fenetre_de_test f;
        const QScreen* ecran = f.fenetre->screen();
        const QRect libre = ecran->availableGeometry();
        QCOMPARE(libre.size(), QSize(1920, 1080));
        QCOMPARE(ecran->devicePixelRatio(), qEnvironmentVariable(echelle_du_placement).toDouble());
        QList<const QWidget*> fenetres;
        for (int i : ordre) {
            fenetres << ouvrir(f, outils[i]);
            QVERIFY(fenetres.last() != nullptr && fenetres.last()->isVisible());
        }
        const QList<const QWidget*> controles = commandes(f);
        QVERIFY(controles.size() >= 25); // 13 boxes, 8 options, 4 buttons, 2 scroll bars, the menus
        for (const QWidget* w : fenetres) {
            const QRect cadre = w->frameGeometry();
            qInfo().noquote() << w->objectName() << cadre;
            QVERIFY2(libre.contains(cadre), qPrintable(w->objectName()));
            for (const QWidget* autre : fenetres) {
                QVERIFY2(autre == w || !cadre.intersects(autre->frameGeometry()),
                         qPrintable(w->objectName() + " / " + autre->objectName()));
            }
            for (const QWidget* c : controles) {
                QVERIFY2(!cadre.intersects(global(c)),
                         qPrintable(w->objectName() + " / " + c->objectName()));
            }
            const QList<QPushButton*> boutons = w->findChildren<QPushButton*>();
            QVERIFY(!boutons.isEmpty());
            for (const QPushButton* b : boutons) {
                QVERIFY2(!b->isVisible() || libre.contains(global(b)), qPrintable(b->text()));
            }
        }
    }
};
static const bool enregistrement_TestOutilsOuverts =
    qEnvironmentVariableIsSet(echelle_du_placement) &&
    (classes_de_test().push_back([] { return new TestOutilsOuverts; }), true);

class TestPlacementOutils : public QObject {
    Q_OBJECT
private slots:
    void init() { QSettings().remove(QStringLiteral("fenetres")); }
    void cleanup() { QSettings().remove(QStringLiteral("fenetres")); }

    void a_deux_echelles_data() {
        QTest::addColumn<QSize>("ecran");
        QTest::addColumn<QString>("echelle");
        QTest::newRow("100 % sur 1920 x 1080") << QSize(1920, 1080) << "1";
        QTest::newRow("200 % sur 3840 x 2160") << QSize(3840, 2160) << "2";
    }
    void a_deux_echelles() {
        QFETCH(QSize, ecran);
        QFETCH(QString, echelle);
        QTemporaryDir dossier;
        QFile configuration(dossier.filePath("ecran.json"));
        QVERIFY(configuration.open(QIODevice::WriteOnly));
        configuration.write(
            QStringLiteral("{\"screens\": [{\"name\": \"virtuel\", \"x\": 0, \"y\": 0, "
                           "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                           "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                .arg(ecran.width())
                .arg(ecran.height())
                .toUtf8());
        configuration.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + configuration.fileName());
        env.insert("QT_SCALE_FACTOR", echelle);
        env.insert("TRAJEL_CLASSES", "TestOutilsOuverts");
        env.insert(echelle_du_placement, echelle);
        QProcess essai;
        essai.setProcessEnvironment(env);
        essai.setProcessChannelMode(QProcess::MergedChannels);
        essai.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(essai.waitForFinished(240000));
        const QString sortie = QString::fromUtf8(essai.readAll());
        for (const QString& ligne : sortie.split('\n')) {
            if (ligne.startsWith("QINFO") || ligne.startsWith("FAIL") || ligne.contains("Loc:")) {
                qInfo().noquote() << ligne;
            }
        }
        QCOMPARE(essai.exitCode(), 0);
        QVERIFY(sortie.contains("Totals: 5 passed, 0 failed"));
    }

    // A geometry kept taller than the screen and past its bottom is put back within the
    // screen's free area, the buttons on it.
    void geometrie_gardee_dans_l_ecran_data() {
        QTest::addColumn<int>("outil");
        QTest::newRow("lecture") << 0;
        QTest::newRow("assistant") << 1;
        QTest::newRow("carte") << 3;
    }
    void geometrie_gardee_dans_l_ecran() {
        QFETCH(int, outil);
        {
            fenetre_de_test f;
            QWidget* w = ouvrir(f, outils[outil]);
            const QRect libre = w->screen()->availableGeometry();
            w->setGeometry(libre.right() - 200, libre.bottom() - 100, w->width(),
                           2 * libre.height());
            w->close();
        }
        fenetre_de_test g;
        const QWidget* w = ouvrir(g, outils[outil]);
        const QRect libre = w->screen()->availableGeometry();
        QVERIFY(libre.contains(w->frameGeometry()));
        for (const QPushButton* b : w->findChildren<QPushButton*>()) {
            QVERIFY2(!b->isVisible() || libre.contains(global(b)), qPrintable(b->text()));
        }
    }
};
TRAJEL_TEST(TestPlacementOutils);

#include "test_placement_outils.moc"
