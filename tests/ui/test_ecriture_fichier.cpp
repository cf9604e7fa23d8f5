// The one writer of every file: whole or not at all, an earlier file left byte for byte
// and no temporary left when it fails, and the true reason in French; then every writer
// of the program driven through its window (the lesson, the journal's CSV, the picture
// and the map in PNG, SVG and PDF) onto a full disk, a read-only file system, a missing
// folder and a good place.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "tmpfs_de_test.h"

#include "manoeuvre/journal_tirs.h"
#include "ui/image/export_image.h"
#include "ui/image/exportateur.h"
#include "ui/lecon/fenetre_journal.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"
#include "ui/outils/fenetre_trace_sol.h"
#include "ui/outils/outils_image.h"
#include "ui/poste/ecriture_fichier.h"

#include <QAction>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

#include <sys/stat.h>

using namespace trajel;
using namespace trajel::test;

namespace {

const QByteArray ancien_contenu = "le fichier d'avant\n";

const QString plein = QStringLiteral("le disque est plein");
const QString lecture_seule =
    QStringLiteral("le dossier est sur un système de fichiers en lecture seule");
const QString absent = QStringLiteral("le dossier n'existe pas");

// Every name under `dossier`, hidden ones (a temporary) included, with the sizes.
QStringList contenu(const QString& dossier) {
    QStringList noms;
    for (const QFileInfo& i : QDir(dossier).entryInfoList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        noms << QStringLiteral("%1 %2").arg(i.fileName()).arg(i.size());
    }
    return noms;
}

QByteArray lu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(illisible)");
}

void ecrire_ancien(const QString& chemin) {
    QFile f(chemin);
    f.open(QIODevice::WriteOnly);
    f.write(ancien_contenu);
}

// Where a test writes: a temporary folder holding a regular file "fichier", a folder
// "dossier" and "monte", where a tmpfs of 64 KiB goes for the places "plein" (filled
// after the earlier file is written), "tmpfs" (with its room) and "lecture seule"
// (remounted read-only after it).
struct lieu_de_test {
    QTemporaryDir racine;
    std::optional<tmpfs_de_test> tmpfs; // unmounted before the folder goes

    lieu_de_test() {
        ecrire_ancien(racine.filePath(QStringLiteral("fichier")));
        QDir(racine.path()).mkpath(QStringLiteral("dossier"));
        QDir(racine.path()).mkpath(QStringLiteral("monte"));
    }

    QString chemin(const QString& nom) const {
        return nom.isEmpty() || nom.startsWith(QLatin1Char('/')) ? nom : racine.filePath(nom);
    }
    // The place `lieu` made ready, the earlier file at `nom` when asked; an empty text,
    // else why the test cannot run here.
    QString preparer(const QString& lieu, const QString& nom, bool ancien) {
        if (!lieu.isEmpty()) {
            tmpfs.emplace(racine.filePath(QStringLiteral("monte")));
            if (!tmpfs->monte()) {
                return "no tmpfs could be mounted (mounting needs root): " + tmpfs->raison();
            }
        }
        if (ancien) {
            ecrire_ancien(chemin(nom));
        }
        if (lieu == QLatin1String("plein")) {
            tmpfs->remplir();
            if (tmpfs->libre() != 0) {
                return QStringLiteral("the tmpfs could not be filled");
            }
        } else if (lieu == QLatin1String("lecture seule") && !tmpfs->lecture_seule()) {
            return "the tmpfs could not be remounted read-only: " + tmpfs->raison();
        }
        return {};
    }
};

// A test run where mounting is impossible is skipped with its reason.
#define PREPARER(l, lieu, nom, ancien)                                                             \
    if (const QString impossible = (l).preparer(lieu, nom, ancien); !impossible.isEmpty()) {       \
        QSKIP(qPrintable(impossible));                                                             \
    }

} // namespace

class TestEcritureFichier : public QObject {
    Q_OBJECT
private slots:
    // Written and read back the same; the folder holds the file and nothing more.
    void ecrit_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("ancien");
        QTest::addColumn<QByteArray>("octets");
        const QByteArray texte = QByteArray("Trajel;1;2;3\n").repeated(100);
        QTest::newRow("fichier nouveau") << "journal.csv" << false << texte;
        QTest::newRow("sur un fichier d'avant") << "journal.csv" << true << texte;
        QTest::newRow("vide sur un fichier d'avant") << "journal.csv" << true << QByteArray();
        QTest::newRow("plus grand qu'un tampon")
            << "image.png" << true << QByteArray(1 << 20, '\x89');
        // A temporary named after the target would not fit beside it.
        QTest::newRow("nom de 255 octets") << QString(251, 'n') + ".csv" << false << texte;
        QTest::newRow("nom accentué de 255 octets")
            << QString(125, QChar(0xe9)) + "n.csv" << false << texte;
    }
    void ecrit() {
        QFETCH(QString, nom);
        QFETCH(bool, ancien);
        QFETCH(QByteArray, octets);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(nom);
        if (ancien) {
            ecrire_ancien(chemin);
        }
        const std::optional<QString> cause = ecrire_fichier(chemin, octets);
        QVERIFY2(!cause, qPrintable(cause.value_or(QString())));
        QCOMPARE(lu(chemin), octets);
        QCOMPARE(contenu(dossier.path()), QStringList{nom + " " + QString::number(octets.size())});
    }

    // Through a symbolic link the file it names is replaced and the link stays.
    void par_un_lien() {
        QTemporaryDir dossier;
        ecrire_ancien(dossier.filePath("vrai.csv"));
        QVERIFY(QFile::link(dossier.filePath("vrai.csv"), dossier.filePath("lien.csv")));
        QVERIFY(!ecrire_fichier(dossier.filePath("lien.csv"), "nouveau\n"));
        QCOMPARE(lu(dossier.filePath("vrai.csv")), QByteArray("nouveau\n"));
        QCOMPARE(QFileInfo(dossier.filePath("lien.csv")).symLinkTarget(),
                 dossier.filePath("vrai.csv"));
        QCOMPARE(
            QDir(dossier.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{"lien.csv", "vrai.csv"}));
    }

    // The file replaced keeps its permissions; a new one has those of any new file.
    void permissions_data() {
        QTest::addColumn<int>("avant"); // -1: no earlier file
        QTest::newRow("fichier nouveau") << -1;
        QTest::newRow("rw-r-----") << 0640;
        QTest::newRow("rw----r--") << 0604;
        QTest::newRow("rwxr-xr-x") << 0755;
    }
    void permissions() {
        QFETCH(int, avant);
        QTemporaryDir dossier;
        const QByteArray chemin = QFile::encodeName(dossier.filePath("lecon.trajel"));
        if (avant >= 0) {
            ecrire_ancien(chemin);
            QCOMPARE(::chmod(chemin.constData(), static_cast<mode_t>(avant)), 0);
        }
        const mode_t masque = ::umask(0);
        ::umask(masque);
        QVERIFY(!ecrire_fichier(chemin, "{}"));
        struct stat s {};
        QCOMPARE(::stat(chemin.constData(), &s), 0);
        const int attendu = avant >= 0 ? avant : 0666 & ~static_cast<int>(masque);
        QCOMPARE(static_cast<int>(s.st_mode & 07777), attendu);
    }

    // Refused: the earlier file byte for byte, nothing else in the folder, the space of
    // the file system as it was, and the true reason.
    void refuse_data() {
        QTest::addColumn<QString>("lieu");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("ancien");
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("cause");
        // Less than Qt's buffer: QSaveFile's write() took it all and commit() renamed an
        // empty file.
        QTest::newRow("disque plein, 1000 octets") << "plein"
                                                   << "monte/lecon.trajel" << true << 1000 << plein;
        QTest::newRow("disque plein, fichier nouveau")
            << "plein"
            << "monte/lecon.trajel" << false << 1000 << plein;
        // A disk with room takes part of it, then refuses the rest.
        QTest::newRow("plus grand que le disque") << "tmpfs"
                                                  << "monte/image.png" << true << 200000 << plein;
        QTest::newRow("lecture seule") << "lecture seule"
                                       << "monte/lecon.trajel" << true << 1000 << lecture_seule;
        QTest::newRow("lecture seule, fichier nouveau")
            << "lecture seule"
            << "monte/journal.csv" << false << 1000 << lecture_seule;
        QTest::newRow("dossier absent") << ""
                                        << "absent/journal.csv" << false << 1000 << absent;
        QTest::newRow("sous un fichier") << ""
                                         << "fichier/journal.csv" << false << 1000
                                         << "une partie du chemin n'est pas un dossier";
        QTest::newRow("un dossier") << ""
                                    << "dossier" << false << 1000 << "c'est un dossier";
        QTest::newRow("nom de 256 octets") << "" << QString(252, 'n') + ".csv" << false << 1000
                                           << "le nom du fichier est trop long";
        QTest::newRow("nom vide") << ""
                                  << "" << false << 1000 << "aucun nom de fichier n'a été donné";
        QTest::newRow("un dossier sans nom")
            << ""
            << "dossier/" << false << 1000 << "aucun nom de fichier n'a été donné";
        // /proc answers ENOENT, though the folder is there.
        QTest::newRow("/proc") << ""
                               << "/proc/journal.csv" << false << 1000
                               << "le dossier n'accepte pas de nouveaux fichiers";
    }
    void refuse() {
        QFETCH(QString, lieu);
        QFETCH(QString, nom);
        QFETCH(bool, ancien);
        QFETCH(int, taille);
        QFETCH(QString, cause);
        lieu_de_test l;
        PREPARER(l, lieu, nom, ancien);
        const QStringList avant = contenu(l.racine.path());
        const QStringList avant_monte = contenu(l.racine.filePath("monte"));
        const qint64 libre = l.tmpfs ? l.tmpfs->libre() : 0;

        QCOMPARE(ecrire_fichier(l.chemin(nom), QByteArray(taille, 'a')),
                 std::optional<QString>(cause));

        QCOMPARE(contenu(l.racine.path()), avant);
        QCOMPARE(contenu(l.racine.filePath("monte")), avant_monte);
        if (ancien) {
            QCOMPARE(lu(l.chemin(nom)), ancien_contenu);
        }
        if (l.tmpfs) {
            QCOMPARE(l.tmpfs->libre(), libre); // no unnamed remains either
        }
        QVERIFY(!QFileInfo::exists("/proc/journal.csv"));
    }

    // Root passes permission bits; sysfs refuses it a new file all the same.
    void permission_refusee() {
        if (QStorageInfo(QStringLiteral("/sys")).fileSystemType() != "sysfs" ||
            QStorageInfo(QStringLiteral("/sys")).isReadOnly()) {
            QSKIP("/sys is not a writable sysfs here");
        }
        QCOMPARE(ecrire_fichier(QStringLiteral("/sys/journal.csv"), "a"),
                 std::optional<QString>(QStringLiteral("permission refusée")));
        QVERIFY(!QFileInfo::exists("/sys/journal.csv"));
    }
};

// Every writer of the program, through its own window and controls, with the dialogs
// answered by the test.
class TestEcrivains : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void ecrivains_data() {
        QTest::addColumn<QString>("ecrivain");
        QTest::addColumn<QString>("lieu");
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<QString>("cause"); // empty: written
        const char* const ecrivains[] = {"leçon",     "journal",   "image PNG", "image SVG",
                                         "image PDF", "carte PNG", "carte SVG", "carte PDF"};
        struct lieu {
            const char* nom;
            const char* lieu;
            const char* dossier;
            QString cause;
        };
        const lieu lieux[] = {
            {"écrit sur le fichier d'avant", "", "dossier", {}},
            {"disque plein", "plein", "monte", plein},
            {"lecture seule", "lecture seule", "monte", lecture_seule},
            {"dossier absent", "", "absent", absent},
        };
        for (const char* e : ecrivains) {
            for (const lieu& l : lieux) {
                QTest::addRow("%s, %s", e, l.nom) << e << l.lieu << l.dossier << l.cause;
            }
        }
    }
    void ecrivains() {
        QFETCH(QString, ecrivain);
        QFETCH(QString, lieu);
        QFETCH(QString, dossier);
        QFETCH(QString, cause);
        const QString extension = ecrivain == QStringLiteral("leçon") ? "trajel"
                                  : ecrivain == QLatin1String("journal")
                                      ? "csv"
                                      : ecrivain.right(3).toLower();
        const QString nom = dossier + "/fichier." + extension;
        const bool ancien = dossier != QLatin1String("absent");
        lieu_de_test l;
        PREPARER(l, lieu, nom, ancien);
        const QString chemin = l.chemin(nom);
        const QStringList avant = contenu(l.racine.filePath(dossier));
        const QStringList avant_racine = contenu(l.racine.path());

        fenetre_de_test f;
        QStringList messages;
        const auto avertir = [&messages](const QString& m) { messages << m; };
        QByteArray attendu; // the file a success writes, or its first bytes for a picture
        QString message;    // the failure's message, the reason in it
        if (ecrivain == QStringLiteral("leçon")) {
            auto* fichiers =
                f.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
            fichiers->avertir = avertir;
            fichiers->choisir_enregistrement = [&](const QString&) { return chemin; };
            attendu = ecrire_lecon(fichiers->lecon_actuelle());
            f.controle<QAction>("menu_enregistrer_lecon")->trigger();
            message = "La leçon n'a pas pu être enregistrée dans « " + chemin + " » : " + cause;
        } else if (ecrivain == QLatin1String("journal")) {
            f.coller("Text8", "150");
            f.controle<QPushButton>("cmd_tir")->click();
            f.controle<QAction>("menu_journal_tirs")->trigger();
            auto* journal =
                f.fenetre->findChild<fenetre_journal*>(QStringLiteral("fenetre_journal"));
            journal->avertir = avertir;
            journal->choisir_fichier = [&](const QString&) { return chemin; };
            auto* h = f.fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
            QCOMPARE(h->journal().size(), std::size_t(1));
            attendu = QByteArray::fromStdString(csv_tableur_fr(h->journal()));
            f.controle<QPushButton>("bouton_exporter_journal")->click();
            message = "Le journal n'a pas pu être écrit dans « " + chemin + " » : " + cause;
        } else {
            attendu = extension == QLatin1String("png")   ? QByteArray("\x89PNG")
                      : extension == QLatin1String("svg") ? QByteArray("<?xml")
                                                          : QByteArray("%PDF");
            message = "L'image n'a pas été enregistrée dans « " + chemin + " » : " + cause + ".";
            if (ecrivain.startsWith(QLatin1String("image"))) {
                auto* outils = f.fenetre->findChild<outils_image*>(QStringLiteral("outils_image"));
                outils->exportation().avertir = avertir;
                outils->exportation().choisir_fichier = [&](const QString&) {
                    return std::optional<exportateur::choix_fichier>({chemin, {}});
                };
                f.controle<QAction>("menu_enregistrer_image")->trigger();
            } else {
                f.fenetre->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
                QTest::keyClick(f.fenetre.get(), Qt::Key_F3);
                auto* carte =
                    f.fenetre->findChild<fenetre_trace_sol*>(QStringLiteral("fenetre_trace_sol"));
                QVERIFY(carte->isVisible());
                carte->exportation().avertir = avertir;
                carte->exportation().choisir_fichier = [&](const QString&) {
                    return std::optional<exportateur::choix_fichier>({chemin, {}});
                };
                carte->findChild<QPushButton*>(QStringLiteral("enregistrer_trace_sol"))->click();
            }
        }

        if (cause.isEmpty()) {
            QCOMPARE(messages, QStringList());
            const QByteArray ecrit = lu(chemin);
            if (extension == QLatin1String("trajel") || extension == QLatin1String("csv")) {
                QCOMPARE(ecrit, attendu);
            } else {
                QVERIFY(ecrit.startsWith(attendu));
            }
            QCOMPARE(contenu(l.racine.filePath(dossier)).size(), 1);
            return;
        }
        QCOMPARE(messages, QStringList{message});
        QCOMPARE(contenu(l.racine.filePath(dossier)), avant);
        QCOMPARE(contenu(l.racine.path()), avant_racine);
        if (ancien) {
            QCOMPARE(lu(chemin), ancien_contenu);
        }
        if (l.tmpfs && lieu == QLatin1String("plein")) {
            QCOMPARE(l.tmpfs->libre(), qint64(0));
        }
    }
};

TRAJEL_TEST(TestEcritureFichier);
TRAJEL_TEST(TestEcrivains);
#include "test_ecriture_fichier.moc"
