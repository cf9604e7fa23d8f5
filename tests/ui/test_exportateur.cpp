// The one exporter behind the picture's menu items and the ground track's buttons: copy,
// save as PNG, SVG and PDF, print to a PDF file and a refused place, for both scenes,
// each exporter with its own scene, caption, proposed name and folder.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/image/export_image.h"
#include "ui/image/exportateur.h"
#include "ui/outils/fenetre_trace_sol.h"
#include "ui/outils/outils_image.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace trajel;
using namespace trajel::test;

namespace {

// The start-up orbit and view, as the printed caption says them (pdftotext's narrow
// spaces made plain).
const QString legende_depart =
    QStringLiteral("Trajectoire elliptique : Za 2 000 km, Zp 300 km, Omega 20°, i 20°, omega "
                   "10°, anomalie 25° — vue : longitude 20°, latitude 40°, zoom ");

QString texte_pdf(const QString& chemin) {
    QProcess texte;
    texte.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {chemin, "-"});
    texte.waitForFinished();
    return QString::fromUtf8(texte.readAllStandardOutput()).simplified();
}

QImage rgb(const QImage& i) {
    return i.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestExportateur : public QObject {
    Q_OBJECT
private slots:
    void init() {
        f = std::make_unique<fenetre_de_test>();
        image =
            &f->fenetre->findChild<outils_image*>(QStringLiteral("outils_image"))->exportation();
        f->controle<QAction>("menu_trace_sol")->trigger();
        trace = f->fenetre->findChild<fenetre_trace_sol*>(QStringLiteral("fenetre_trace_sol"));
        QVERIFY(trace->isVisible());
        messages.clear();
        for (exportateur* e : {image, &trace->exportation()}) {
            e->avertir = [this](const QString& m) { messages << m; };
        }
    }
    void cleanup() { f.reset(); }

    void exporter_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("operation");
        for (const char* source : {"image", "trace"}) {
            for (const char* operation :
                 {"copier", "PNG", "SVG", "PDF", "imprimer", "imprimer après Zoom +", "refusé"}) {
                QTest::addRow("%s, %s", source, operation) << source << operation;
            }
        }
    }
    // Each exporter puts out its own scene, whatever the other shows.
    void exporter() {
        QFETCH(QString, source);
        QFETCH(QString, operation);
        const bool de_l_image = source == QLatin1String("image");
        exportateur& e = de_l_image ? *image : trace->exportation();
        exportateur& autre = de_l_image ? trace->exportation() : *image;
        const auto scene = [&] {
            return de_l_image ? scene_de(*f->image()) : trace->carte().scene();
        };
        QTemporaryDir dossier;
        if (operation == QLatin1String("copier")) {
            QApplication::clipboard()->clear();
            e.copier();
            const QMimeData* copie = QApplication::clipboard()->mimeData();
            QVERIFY(copie != nullptr && copie->hasImage());
            QCOMPARE(rgb(qvariant_cast<QImage>(copie->imageData())), rgb(image_de(scene(), 1)));
            QCOMPARE(copie->data("image/svg+xml"), svg_de(scene()));
        } else if (operation == QStringLiteral("refusé")) {
            const QString chemin = dossier.filePath("absent/fichier.png");
            QVERIFY(!e.enregistrer_sous(chemin, exportateur::filtres()[0]));
            QCOMPARE(messages, QStringList{"L'image n'a pas été enregistrée dans « " + chemin +
                                           " » : le dossier n'existe pas."});
            QCOMPARE(e.dossier(), dossier_images_par_defaut());
            QVERIFY(QDir(dossier.path()).isEmpty());
            return;
        } else if (operation.startsWith(QLatin1String("imprimer"))) {
            imprimer(e, de_l_image, operation.endsWith(QLatin1String("+")));
        } else {
            enregistrer(e, de_l_image, operation, dossier, scene());
            QCOMPARE(autre.dossier(), dossier_images_par_defaut());
        }
        QCOMPARE(messages, QStringList());
    }

private:
    // Saved through the dialog's hook at the proposed name, then proposed again in the
    // folder saved into.
    void enregistrer(exportateur& e, bool de_l_image, const QString& format,
                     const QTemporaryDir& dossier, const scene_image& scene) {
        const QString nom = de_l_image ? "orbite.png" : "trace_au_sol.png";
        QStringList proposes;
        e.choisir_fichier = [&](const QString& p) {
            proposes << p;
            return std::optional<exportateur::choix_fichier>(
                {dossier.filePath("fichier"), exportateur::filtres()[format == "PNG"   ? 0
                                                                     : format == "SVG" ? 3
                                                                                       : 4]});
        };
        e.enregistrer();
        const QString fichier = dossier.filePath("fichier." + format.toLower());
        QFile lu(fichier);
        QVERIFY2(lu.open(QIODevice::ReadOnly), qPrintable(messages.join('\n')));
        const QByteArray octets = lu.readAll();
        if (format == QLatin1String("PNG")) {
            QCOMPARE(rgb(QImage::fromData(octets, "PNG")), rgb(image_de(scene, 1)));
        } else if (format == QLatin1String("SVG")) {
            QCOMPARE(octets, svg_de(scene));
        } else {
            QVERIFY(octets.startsWith("%PDF-"));
            if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
                QVERIFY(texte_pdf(fichier).contains(de_l_image ? "périastre" : "Kourou"));
            }
        }
        QCOMPARE(e.dossier(), dossier.path());
        e.enregistrer();
        QCOMPARE(proposes, QStringList({QDir(dossier_images_par_defaut()).filePath(nom),
                                        dossier.filePath(nom)}));
    }

    // Landscape, under the exporter's job name, the caption read from the scene as it
    // stands when printing.
    void imprimer(exportateur& e, bool de_l_image, bool zoom_plus) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        if (zoom_plus) {
            f->controle<QPushButton>("Command4")->click();
        }
        QTemporaryDir dossier;
        QString document;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        e.preparer_impression = [&](QPrinter& p) {
            document = p.docName();
            orientation = p.pageLayout().orientation();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(dossier.filePath("impression.pdf"));
            return true;
        };
        e.imprimer();
        QCOMPARE(document, QString(de_l_image ? "Calcul d'orbite" : "Trace au sol"));
        QCOMPARE(orientation, QPageLayout::Landscape);
        QString legende = legende_depart + (zoom_plus ? "1,2" : "1");
        if (!de_l_image) {
            legende += " – trace au sol, 3 révolution(s)";
        }
        const QString lu = texte_pdf(dossier.filePath("impression.pdf"));
        QVERIFY2(lu.contains(legende), qPrintable(lu));
        QVERIFY(lu.contains(de_l_image ? "périastre" : "Kourou"));
    }

    std::unique_ptr<fenetre_de_test> f;
    exportateur* image = nullptr;
    fenetre_trace_sol* trace = nullptr;
    QStringList messages;
};
TRAJEL_TEST(TestExportateur);

#include "test_exportateur.moc"
