// The guide: its pages in the resources, every internal link leading somewhere, F1
// opening it from the main window, and a tooltip on each control of the tool windows.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/outils/guide.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace trajel;
using namespace trajel::test;

namespace {

QString page(const QString& nom) {
    QFile f(QStringLiteral(":/guide/") + nom);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList captures(const QString& texte, const QString& motif) {
    QStringList c;
    auto it = QRegularExpression(motif).globalMatch(texte);
    while (it.hasNext()) {
        c << it.next().captured(1);
    }
    return c;
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void liens_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("lien");
        const QStringList pages = QDir(QStringLiteral(":/guide")).entryList(QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        QVERIFY(pages.contains(QStringLiteral("lecons.html")));
        for (const QString& p : pages) {
            for (const QString& href : captures(page(p), QStringLiteral("href=\"([^\"]*)\""))) {
                QTest::newRow(qPrintable(p + QStringLiteral(" -> ") + href)) << p << href;
            }
        }
    }
    // A link names a page of the guide and, after "#", an anchor of that page.
    void liens() {
        QFETCH(QString, source);
        QFETCH(QString, lien);
        QVERIFY2(!lien.contains(QLatin1Char(':')), "the guide leads nowhere outside itself");
        const QString cible = lien.section(QLatin1Char('#'), 0, 0);
        const QString texte = page(cible.isEmpty() ? source : cible);
        QVERIFY2(!texte.isEmpty(), "no such page");
        const QString ancre = lien.section(QLatin1Char('#'), 1);
        if (!ancre.isEmpty()) {
            const QStringList ancres = captures(texte, QStringLiteral("(?:name|id)=\"([^\"]*)\""));
            QVERIFY2(ancres.contains(ancre), "no such anchor");
        }
    }

    // What the guide must tell a new user.
    void contenu() {
        const QString tout =
            page(QStringLiteral("index.html")) + page(QStringLiteral("lecons.html"));
        for (const char* mot :
             {"3618 km", "3.141592658", "km/s²", "9,81", "bleu", "vert", "marron", "rouge clair",
              "noir", "Phi", "Hohmann", "Kepler", "Changement d'inclinaison"}) {
            QVERIFY2(tout.contains(QString::fromUtf8(mot)), mot);
        }
    }

    // F1 opens the guide on its first page, in French, once however often pressed; a
    // link followed and "Retour" come back.
    void ouvert_par_F1() {
        fenetre_de_test f;
        auto* action = f.fenetre->findChild<QAction*>(QStringLiteral("menu_guide"));
        QVERIFY(action != nullptr);
        QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(action->text(), QStringLiteral("&Guide de Trajel"));
        action->trigger();
        action->trigger();
        const auto guides = f.fenetre->findChildren<fenetre_guide*>();
        QCOMPARE(guides.size(), 1);
        QTextBrowser* n = guides[0]->navigateur();
        QVERIFY(guides[0]->isVisible());
        QCOMPARE(n->source(), fenetre_guide::sommaire());
        QVERIFY(n->toPlainText().contains(QStringLiteral("Les conventions du programme")));
        n->setSource(QUrl(QStringLiteral("qrc:/guide/lecons.html#hohmann")));
        QVERIFY(n->toPlainText().contains(QStringLiteral("altitude géostationnaire")));
        QVERIFY(n->isBackwardAvailable());
        n->backward();
        QCOMPARE(n->source(), fenetre_guide::sommaire());
        // The "Aide " item stays as specified: greyed.
        auto* aide = f.fenetre->findChild<QAction*>(QStringLiteral("menu_aide"));
        QVERIFY(!aide->isEnabled());
    }

    // Every button, box, list and message of the tool windows has its tooltip.
    void bulles_des_outils_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("fenetre");
        QTest::newRow("caractéristiques") << "menu_caracteristiques"
                                          << "fenetre_caracteristiques";
        QTest::newRow("assistant") << "menu_assistant_manoeuvre"
                                   << "assistant_manoeuvre";
        QTest::newRow("guide") << "menu_guide"
                               << "fenetre_guide";
        QTest::newRow("vue agrandie") << "menu_vue_agrandie"
                                      << "vue_agrandie";
    }
    void bulles_des_outils() {
        QFETCH(QString, action);
        QFETCH(QString, fenetre);
        fenetre_de_test f;
        auto* a = f.fenetre->findChild<QAction*>(action);
        QVERIFY2(a != nullptr, qPrintable(action));
        a->trigger();
        auto* w = f.fenetre->findChild<QWidget*>(fenetre);
        QVERIFY(w != nullptr);
        int controles = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_"))) {
                continue; // the parts Qt's widgets are made of
            }
            ++controles;
            QVERIFY2(c->toolTip().size() > 10, qPrintable(c->objectName()));
        }
        QVERIFY(w->toolTip().size() > 10 || controles > 0);
    }
};
TRAJEL_TEST(TestGuide);
#include "test_guide.moc"
