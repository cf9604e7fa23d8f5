// The command line: help and version in French, an unknown option or a lesson that
// cannot be opened refused with a French message and a non-zero code, a lesson read.

#include "commun/principal.h"

#include "ui/application/ligne_de_commande.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace trajel;

class TestLigneDeCommande : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(dossier.isValid());
        lecon l;
        l.textes.fill(QStringLiteral("1"));
        l.notes = QStringLiteral("notes");
        ecrire(QStringLiteral("bonne.trajel"), ecrire_lecon(l));
        ecrire(QStringLiteral("mauvaise.trajel"), "{\"format\": \"trajel-lecon\", \"version\": 3}");
    }

    void analyse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code"); // -1: the program goes on
        QTest::addColumn<QString>("message");
        QTest::newRow("rien") << QStringList{} << -1 << "";
        QTest::newRow("aide") << QStringList{"--help"} << 0 << "Utilisation : trajel";
        QTest::newRow("aide courte") << QStringList{"-h"} << 0 << "Affiche la version de Trajel.";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Trajel 1.0.0\n";
        QTest::newRow("option inconnue")
            << QStringList{"--vitesse"} << 2 << "trajel : option inconnue « vitesse »";
        QTest::newRow("deux leçons")
            << QStringList{"a.trajel", "b.trajel"} << 2 << "une seule leçon à la fois";
        QTest::newRow("absente") << QStringList{"@/absente.trajel"} << 1
                                 << "ne peut pas être lue : le fichier n'existe pas";
        QTest::newRow("dossier") << QStringList{"@"} << 1 << "c'est un dossier";
        QTest::newRow("format 3") << QStringList{"@/mauvaise.trajel"} << 1
                                  << "Leçon enregistrée par une version plus récente (format 3)";
        QTest::newRow("bonne") << QStringList{"@/bonne.trajel"} << -1 << "";
    }

    void analyse() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        QStringList ligne{QStringLiteral("trajel")};
        for (const QString& a : arguments) {
            ligne << QString(a).replace(QLatin1Char('@'), dossier.path());
        }
        const ligne_de_commande l = analyser_ligne_de_commande(ligne);
        QCOMPARE(l.code_de_sortie.value_or(-1), code);
        QVERIFY2(l.message.contains(message), qPrintable(l.message));
        QCOMPARE(l.lecon_a_ouvrir.has_value(), QTest::currentDataTag() == QByteArray("bonne"));
        if (l.lecon_a_ouvrir) {
            QCOMPARE(l.lecon_a_ouvrir->notes, QStringLiteral("notes"));
        }
    }

private:
    void ecrire(const QString& nom, const QByteArray& octets) {
        QFile f(dossier.filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    QTemporaryDir dossier;
};

TRAJEL_TEST(TestLigneDeCommande);
#include "test_ligne_de_commande.moc"
