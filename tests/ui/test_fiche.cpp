// The lesson's worksheet: its PDF read back by pdftotext (the name, the period, each
// burn's delta-v, the notes), one page or two, the picture in vectors; printed through
// its menu item; the earlier orbits dashed in its picture when shown. The printed caption,
// wrapped whole.

#include "commun/principal.h"
#include "core/constantes.h"
#include "fenetre_de_test.h"
#include "ui/francais/format_fr.h"
#include "ui/image/export_image.h"
#include "ui/lecon/fiche_lecon.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace trajel;
using namespace trajel::test;

namespace {

// The dash patterns a PDF's pages stroke with, from its content streams (deflated as
// Qt writes them, or plain): each pattern's first two lengths.
QList<std::pair<double, double>> tirets_du_pdf(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray pdf = fichier.readAll();
    QByteArray contenu = pdf;
    for (qsizetype debut = pdf.indexOf(">>\nstream\n"); debut >= 0;
         debut = pdf.indexOf(">>\nstream\n", debut + 1)) {
        const qsizetype donnees = debut + 10;
        const qsizetype fin = pdf.indexOf("endstream", donnees);
        const qsizetype dictionnaire = pdf.lastIndexOf("<<", debut);
        if (fin < 0 || !pdf.mid(dictionnaire, debut - dictionnaire).contains("/FlateDecode")) {
            continue;
        }
        // qUncompress wants the length first; a guess, it grows as it needs.
        QByteArray zlib("\x00\x10\x00\x00", 4);
        zlib += pdf.mid(donnees, fin - donnees);
        contenu += qUncompress(zlib);
    }
    static const QRegularExpression motif(
        QStringLiteral("\\[\\s*([0-9.]+)\\s+([0-9.]+)[^\\]]*\\]\\s*[0-9.]+\\s+d\\b"));
    QList<std::pair<double, double>> tirets;
    for (auto it = motif.globalMatch(QString::fromLatin1(contenu)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        tirets.push_back({m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return tirets;
}

// What a poppler tool prints about a file.
QString lire_avec(const char* outil, const QStringList& arguments) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QString::fromLatin1(outil)), arguments);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestFiche : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        f = std::make_unique<fenetre_de_test>();
        fiche = f->fenetre->findChild<fiche_lecon*>(QStringLiteral("fiche_lecon"));
        h = f->fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
        QVERIFY(fiche != nullptr && h != nullptr);
        fiche->avertir = [this](const QString& m) { messages << m; };
    }
    void cleanup() {
        f.reset();
        messages.clear();
    }

    void fiche_pdf_data() {
        QTest::addColumn<int>("tirs");
        QTest::addColumn<int>("lignes_ouvertes"); // a lesson opened with this journal
        QTest::addColumn<QString>("fichier");     // the lesson's file, saved before the sheet
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("pages");
        QTest::newRow("sans tir, sans titre") << 0 << 0 << QString() << "Sans titre" << 1;
        QTest::newRow("deux tirs, leçon nommée") << 2 << 0 << "Transfert GTO.trajel"
                                                 << "Transfert GTO" << 1;
        QTest::newRow("journal long") << 1 << 30 << "Mission.trajel"
                                      << "Mission" << 2;
    }
    void fiche_pdf() {
        QFETCH(int, tirs);
        QFETCH(int, lignes_ouvertes);
        QFETCH(QString, fichier);
        QFETCH(QString, nom);
        QFETCH(int, pages);
        f->coller("Text8", "2"); // 2 N for 20 s: the orbit stays an ellipse
        f->coller("Text11", "20");
        for (int i = 0; i < tirs; ++i) {
            f->controle<QPushButton>("cmd_tir")->click();
        }
        if (lignes_ouvertes > 0) {
            auto* fichiers =
                f->fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
            lecon l = fichiers->lecon_actuelle();
            l.journal.assign(lignes_ouvertes, l.journal.front());
            fichiers->appliquer(l);
        }
        const QString notes = QStringLiteral("Comparer Za avant et après le tir.\nÀ rendre lundi.");
        h->definir_notes(notes);
        QCOMPARE(int(h->journal().size()), std::max(tirs, lignes_ouvertes));

        QTemporaryDir dossier;
        if (!fichier.isEmpty()) {
            auto* fichiers =
                f->fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
            QVERIFY(fichiers->enregistrer_vers(dossier.filePath(fichier)));
        }
        const QString pdf = dossier.filePath(QStringLiteral("fiche.pdf"));
        QVERIFY(fiche->enregistrer_pdf_vers(pdf));
        const QString brut = lire_avec("pdftotext", {pdf, "-"});
        QCOMPARE(int(brut.count(QLatin1Char('\f'))), pages);
        const QString lu = brut.simplified();
        QVERIFY2(lu.contains(QStringLiteral("Fiche de la leçon « %1 »").arg(nom)), qPrintable(lu));
        // The period of the orbit the boxes show, by Kepler's third law.
        const double a =
            (f->texte("Text1")->text().toDouble() + f->texte("Text2")->text().toDouble()) / 2.0 +
            rayon_terre;
        const double periode = 2.0 * std::numbers::pi * std::sqrt(a * a * a / mu_terre);
        QVERIFY2(lu.contains(duree_fr(periode)), qPrintable(duree_fr(periode)));
        for (const ligne_journal& l : h->journal()) {
            QVERIFY2(lu.contains(nombre_fr(l.delta_v)), qPrintable(nombre_fr(l.delta_v)));
        }
        for (const QString& ligne : notes.split('\n')) {
            QVERIFY(lu.contains(ligne));
        }
        QVERIFY(lu.contains(tirs + lignes_ouvertes == 0 ? "Aucun tir." : "Total : Δv"));
        // The picture in vectors: no raster image in the file.
        if (!QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty()) {
            QCOMPARE(lire_avec("pdfimages", {"-list", pdf}).trimmed().split('\n').size(), 2);
        }
        QVERIFY(messages.isEmpty());
    }

    // The earlier orbits reach the sheet's picture: dashes of 4 and blanks of 3 pen widths
    // with the option on and a burn in the journal, none otherwise (the hidden parts'
    // dots, 1 and 2, are not theirs).
    void fiche_orbites_precedentes_data() {
        QTest::addColumn<bool>("actif");
        QTest::addColumn<int>("tirs");
        QTest::addColumn<int>("annules");
        QTest::addColumn<bool>("tirets");
        QTest::newRow("désactivé, deux tirs") << false << 2 << 0 << false;
        QTest::newRow("activé, sans tir") << true << 0 << 0 << false;
        QTest::newRow("activé, deux tirs") << true << 2 << 0 << true;
        QTest::newRow("activé, deux tirs annulés") << true << 2 << 2 << false;
    }
    void fiche_orbites_precedentes() {
        QFETCH(bool, actif);
        QFETCH(int, tirs);
        QFETCH(int, annules);
        QFETCH(bool, tirets);
        f->controle<QAction>("menu_orbites_precedentes")->setChecked(actif);
        f->coller("Text8", "100");
        f->coller("Text11", "20");
        for (int i = 0; i < tirs; ++i) {
            f->controle<QPushButton>("cmd_tir")->click();
        }
        for (int i = 0; i < annules; ++i) {
            h->annuler();
        }
        QTemporaryDir dossier;
        const QString pdf = dossier.filePath(QStringLiteral("fiche.pdf"));
        QVERIFY(fiche->enregistrer_pdf_vers(pdf));
        const auto motifs = tirets_du_pdf(pdf);
        const auto fantomes = std::count_if(motifs.begin(), motifs.end(), [](const auto& m) {
            return std::abs(m.first / m.second - 4.0 / 3.0) < 1e-3;
        });
        QCOMPARE(fantomes > 0, tirets);
        const QString lu = lire_avec("pdftotext", {pdf, "-"}).simplified();
        QVERIFY(lu.contains(tirs > annules ? "Total : Δv" : "Aucun tir."));
        QVERIFY(messages.isEmpty());
    }

    // The menu item asks for a printer, then prints the same worksheet; none chosen,
    // nothing printed.
    void imprimer_par_le_menu() {
        QTemporaryDir dossier;
        const QString sortie = dossier.filePath(QStringLiteral("impression.pdf"));
        for (bool accepte : {false, true}) {
            QPageSize::PageSizeId format = QPageSize::Letter;
            fiche->preparer_impression = [&](QPrinter& p) {
                format = p.pageLayout().pageSize().id();
                p.setOutputFormat(QPrinter::PdfFormat);
                p.setOutputFileName(sortie);
                return accepte;
            };
            f->controle<QAction>("menu_imprimer_fiche")->trigger();
            QCOMPARE(format, QPageSize::A4);
            QCOMPARE(QFile::exists(sortie), accepte);
        }
        QVERIFY(lire_avec("pdftotext", {sortie, "-"}).contains("Fiche de la leçon « Sans titre »"));
        QVERIFY(messages.isEmpty());
    }

private:
    std::unique_ptr<fenetre_de_test> f;
    fiche_lecon* fiche = nullptr;
    historique_lecon* h = nullptr;
    QStringList messages;
};
TRAJEL_TEST(TestFiche);

// The printed caption wraps at the picture's width instead of being cut: every field is
// on the page, over as many lines as it needs.
class TestLegendeImprimee : public QObject {
    Q_OBJECT
private slots:
    void legende_entiere_data() {
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<int>("repetitions"); // the caption said that many times
        QTest::addColumn<int>("lignes_min");
        QTest::newRow("paysage") << QPageLayout::Landscape << 1 << 1;
        QTest::newRow("portrait") << QPageLayout::Portrait << 1 << 2;
        QTest::newRow("paysage, quatre fois") << QPageLayout::Landscape << 4 << 3;
    }
    void legende_entiere() {
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(int, repetitions);
        QFETCH(int, lignes_min);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        fenetre_de_test f;
        trajectoire t;
        t.type_conique = hyperbolique;
        t.angle_asymptote = 32.4923456;
        t.zp = 363.287123;
        t.inclinaison = 1.47877933e-6;
        t.anomalie = 175.4123456;
        QStringList parties(repetitions, legende_orbite(t, -160, -85, 0.0123456));
        const QString legende = parties.join(QStringLiteral(" ; "));
        QTemporaryDir dossier;
        QPrinter imprimante(QPrinter::HighResolution);
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(dossier.filePath(QStringLiteral("legende.pdf")));
        imprimante.setPageOrientation(orientation);
        QVERIFY(imprimer_scene(imprimante, scene_de(*f.image()), legende));
        const QString brut = lire_avec("pdftotext", {imprimante.outputFileName(), "-"});
        QVERIFY2(brut.simplified().contains(legende.simplified()), qPrintable(brut));
        // From its first line to its last, "zoom" ending it (whole lines matched).
        const QStringList lignes = brut.split('\n');
        const qsizetype premiere = lignes.indexOf(QRegularExpression("Trajectoire.*"));
        const qsizetype derniere = lignes.lastIndexOf(QRegularExpression(".*zoom 0,0123456 *"));
        QVERIFY(premiere >= 0 && derniere >= premiere);
        QVERIFY2(derniere - premiere + 1 >= lignes_min, qPrintable(brut));
    }
};
TRAJEL_TEST(TestLegendeImprimee);

#include "test_fiche.moc"
