// The lesson as a document, through the real window: the title names the lesson's file
// and marks unsaved changes; quitting, closing, opening another lesson or a new one asks
// first once a file was touched; the journal's CSV read back as a French spreadsheet does.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include "ui/lecon/fenetre_journal.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <bit>
#include <charconv>
#include <cstdint>
#include <utility>

using namespace trajel;
using namespace trajel::test;

namespace {

enum class changement { saisie, tir, preset, notes };
enum class depart { quitter, fermer, ouvrir, recente, nouvelle };

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// RFC 4180 with a separator of choice: quoted fields may hold it, quotes doubled.
QList<QStringList> lire_csv(const QString& texte, QChar separateur) {
    QList<QStringList> lignes{{}};
    QString champ;
    bool entre_guillemets = false;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (entre_guillemets) {
            if (c == u'"' && i + 1 < texte.size() && texte[i + 1] == u'"') {
                champ += c;
                ++i;
            } else if (c == u'"') {
                entre_guillemets = false;
            } else {
                champ += c;
            }
        } else if (c == u'"') {
            entre_guillemets = true;
        } else if (c == separateur) {
            lignes.last() << std::exchange(champ, {});
        } else if (c == u'\n') {
            lignes.last() << std::exchange(champ, {});
            lignes.append(QStringList());
        } else {
            champ += c;
        }
    }
    if (lignes.last().isEmpty() && champ.isEmpty()) {
        lignes.removeLast();
    }
    return lignes;
}

// A number as a French spreadsheet reads it: a decimal comma, no point, no grouping.
std::optional<double> lire_nombre_fr(const QString& champ) {
    if (champ.contains(u'.') || champ.contains(u' ') || champ.contains(QChar(0x202F))) {
        return std::nullopt;
    }
    const std::string s = QString(champ).replace(u',', u'.').toStdString();
    double x = 0.0;
    const auto [fin, erreur] = std::from_chars(s.data(), s.data() + s.size(), x);
    if (erreur != std::errc() || fin != s.data() + s.size()) {
        return std::nullopt;
    }
    return x;
}

} // namespace

Q_DECLARE_METATYPE(changement)
Q_DECLARE_METATYPE(depart)

class TestDocumentLecon : public QObject {
    Q_OBJECT
private slots:
    void init() {
        f = std::make_unique<fenetre_de_test>();
        fichiers = f->fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
        h = f->fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
        QVERIFY(fichiers != nullptr && h != nullptr);
        dossier = std::make_unique<QTemporaryDir>();
        fichiers->avertir = [this](const QString& m) { messages << m; };
        fichiers->choisir_enregistrement = [this](const QString&) {
            ++dialogues;
            return choisi;
        };
        fichiers->poser_question = [this](QMessageBox& q) {
            questions << q.text();
            boutons = {q.button(QMessageBox::Save)->text(), q.button(QMessageBox::Discard)->text(),
                       q.button(QMessageBox::Cancel)->text()};
            return reponse;
        };
    }
    void cleanup() {
        f.reset();
        messages.clear();
        questions.clear();
        dialogues = 0;
    }

    void titre_et_marque_data() {
        QTest::addColumn<changement>("quoi");
        QTest::newRow("saisie de i") << changement::saisie;
        QTest::newRow("tir") << changement::tir;
        QTest::newRow("préréglage") << changement::preset;
        QTest::newRow("notes") << changement::notes;
    }
    // Saved, changed, back to the saved state by undo (the notes by typing them back):
    // the title as the window shows it, and a second save without any dialog.
    void titre_et_marque() {
        QFETCH(changement, quoi);
        QCOMPARE(titre(), QStringLiteral("Calcul d'orbite"));
        f->coller("Text8", "150"); // the thrust of the burn, before the saved state
        f->valider("Text8");
        QCOMPARE(titre(), QStringLiteral("Sans titre* – Calcul d'orbite"));
        enregistrer_sous("cours");
        QCOMPARE(dialogues, 1);
        QCOMPARE(titre(), QStringLiteral("cours – Calcul d'orbite"));
        QCOMPARE(f->fenetre->windowFilePath(), choisi);
        QVERIFY(!f->fenetre->isWindowModified());

        changer(quoi);
        QVERIFY(f->fenetre->isWindowModified());
        QCOMPARE(titre(), QStringLiteral("cours* – Calcul d'orbite"));
        if (quoi == changement::notes) {
            h->definir_notes(QString());
        } else {
            h->annuler();
        }
        QCOMPARE(titre(), QStringLiteral("cours – Calcul d'orbite"));
        if (quoi != changement::notes) {
            h->retablir();
            QCOMPARE(titre(), QStringLiteral("cours* – Calcul d'orbite"));
        } else {
            changer(quoi);
        }
        f->controle<QAction>("menu_enregistrer_lecon")->trigger();
        QCOMPARE(dialogues, 1); // under its own name
        QVERIFY(messages.isEmpty());
        QCOMPARE(titre(), QStringLiteral("cours – Calcul d'orbite"));
        QCOMPARE(lire(choisi), ecrire_lecon(fichiers->lecon_actuelle()));
        f->controle<QAction>("menu_enregistrer_lecon_sous")->trigger();
        QCOMPARE(dialogues, 2); // always asks
    }

    void quitter_data() {
        QTest::addColumn<bool>("menu");
        QTest::addColumn<bool>("fichier");
        QTest::addColumn<int>("choix");
        for (const bool menu : {true, false}) {
            const char* par = menu ? "quitter" : "case de fermeture";
            QTest::addRow("%s, Enregistrer", par) << menu << true << int(QMessageBox::Save);
            QTest::addRow("%s, Ne pas enregistrer", par)
                << menu << true << int(QMessageBox::Discard);
            QTest::addRow("%s, Annuler", par) << menu << true << int(QMessageBox::Cancel);
            QTest::addRow("%s, sans fichier", par) << menu << false << int(QMessageBox::Cancel);
        }
    }
    // i = 10 typed, then "quitter" or the close box: the file on disk and the window after
    // each answer; a run that never touched a lesson file quits without a word.
    void quitter() {
        QFETCH(bool, menu);
        QFETCH(bool, fichier);
        QFETCH(int, choix);
        reponse = choix;
        if (fichier) {
            enregistrer_sous("cours");
        }
        const QByteArray avant = lire(choisi);
        f->taper("Text4", "10"); // not committed: quitting commits it
        bool quitte = false;
        if (menu) {
            QTimer::singleShot(0, f->controle<QAction>("menu_quitter"), &QAction::trigger);
            QTimer garde; // the program did not quit
            garde.setSingleShot(true);
            connect(&garde, &QTimer::timeout, [] { QApplication::exit(7); });
            garde.start(500);
            quitte = QApplication::exec() == 0;
        } else {
            quitte = f->fenetre->close();
        }
        QCOMPARE(quitte, !fichier || choix != QMessageBox::Cancel);
        QCOMPARE(f->fenetre->isVisible(), !quitte);
        if (!fichier) {
            QVERIFY(questions.isEmpty());
            return;
        }
        QCOMPARE(questions, QStringList{QStringLiteral(
                                "Enregistrer les modifications de la leçon « cours » ?")});
        QCOMPARE(boutons,
                 (QStringList{QStringLiteral("&Enregistrer"), QStringLiteral("&Ne pas enregistrer"),
                              QStringLiteral("Annuler")}));
        if (choix == QMessageBox::Save) {
            const auto lu = lire_lecon(lire(choisi));
            QCOMPARE(std::get<lecon>(lu).textes[3], QStringLiteral("10"));
        } else {
            QCOMPARE(lire(choisi), avant); // byte for byte
        }
        if (choix == QMessageBox::Cancel) {
            QCOMPARE(f->texte("Text4")->text(), QStringLiteral("10"));
            QCOMPARE(titre(), QStringLiteral("cours* – Calcul d'orbite"));
        }
    }

    void autre_lecon_data() {
        QTest::addColumn<depart>("par");
        QTest::addColumn<int>("choix");
        QTest::newRow("ouvrir, Annuler") << depart::ouvrir << int(QMessageBox::Cancel);
        QTest::newRow("ouvrir, Ne pas enregistrer") << depart::ouvrir << int(QMessageBox::Discard);
        QTest::newRow("récente, Annuler") << depart::recente << int(QMessageBox::Cancel);
        QTest::newRow("récente, Enregistrer") << depart::recente << int(QMessageBox::Save);
        QTest::newRow("nouvelle, Annuler") << depart::nouvelle << int(QMessageBox::Cancel);
        QTest::newRow("nouvelle, Ne pas enregistrer")
            << depart::nouvelle << int(QMessageBox::Discard);
    }
    // "autre" saved with i = 30, "cours" with i = 30, then i = 10 typed into "cours";
    // another lesson, a recent one or a new one: Annuler keeps "cours" as it is.
    void autre_lecon() {
        QFETCH(depart, par);
        QFETCH(int, choix);
        reponse = choix;
        f->taper("Text4", "30");
        f->valider("Text4");
        enregistrer_sous("autre");
        const QString autre = choisi;
        enregistrer_sous("cours");
        const QByteArray avant = lire(choisi);
        f->taper("Text4", "10");
        f->valider("Text4");
        int ouvertures = 0;
        fichiers->choisir_ouverture = [&](const QString&) {
            ++ouvertures;
            return autre;
        };
        if (par == depart::ouvrir) {
            f->controle<QAction>("menu_ouvrir_lecon")->trigger();
        } else if (par == depart::recente) {
            auto* recentes = f->controle<QMenu>("menu_lecons_recentes");
            fichiers->remplir_recentes(recentes);
            for (QAction* a : recentes->actions()) {
                if (a->toolTip() == QDir::toNativeSeparators(autre)) {
                    a->trigger();
                }
            }
        } else {
            f->controle<QAction>("menu_nouvelle_lecon")->trigger();
        }
        QCOMPARE(questions.size(), 1);
        QCOMPARE(lire(choisi) == avant, choix != QMessageBox::Save);
        if (choix == QMessageBox::Cancel) {
            QCOMPARE(ouvertures, 0);
            QCOMPARE(f->texte("Text4")->text(), QStringLiteral("10"));
            QCOMPARE(titre(), QStringLiteral("cours* – Calcul d'orbite"));
            return;
        }
        if (par == depart::nouvelle) {
            QCOMPARE(f->texte("Text4")->text(), QStringLiteral("20")); // the opening value
            QCOMPARE(titre(), QStringLiteral("Calcul d'orbite"));
            QVERIFY(f->fenetre->windowFilePath().isEmpty());
        } else {
            QCOMPARE(f->texte("Text4")->text(), QStringLiteral("30"));
            QCOMPARE(titre(), QStringLiteral("autre – Calcul d'orbite"));
        }
    }

    void csv_relu_data() {
        QTest::addColumn<bool>("tirs_reels");
        QTest::newRow("deux tirs de la fenêtre") << true;
        QTest::newRow("nombres de toutes tailles") << false;
    }
    // "Exporter en CSV...": the byte-order mark, ";" between fields, a unit in every
    // header of a quantity, and every field read back as the journal holds it, each
    // number to the last bit.
    void csv_relu() {
        QFETCH(bool, tirs_reels);
        if (tirs_reels) {
            f->coller("Text8", "150");
            f->controle<QPushButton>("cmd_tir")->click();
            f->controle<QPushButton>("cmd_tir")->click();
        } else {
            lecon l = fichiers->lecon_actuelle();
            ligne_journal a;
            a.anomalie = -0.0;
            a.poussee = {2.6949798982636901e-05, 1500.0, -1e-300};
            a.duree = 0.1;
            a.pas = 32766;
            a.masse_avant = 1234567.0;
            a.masse_apres = 1234566.9999999998;
            a.delta_v = 1.0 / 3.0;
            a.avant = {"hyperbolique", 179.99999999999997, 1e20, 0.0};
            a.apres = {"circulaire", std::nullopt, 36000.0, 7.0000000000000009};
            l.journal = {a};
            fichiers->appliquer(l);
        }
        const std::vector<ligne_journal> journal = h->journal();
        QCOMPARE(journal.size(), std::size_t(tirs_reels ? 2 : 1));
        f->controle<QAction>("menu_journal_tirs")->trigger();
        auto* fenetre = f->fenetre->findChild<fenetre_journal*>(QStringLiteral("fenetre_journal"));
        const QString chemin = dossier->filePath(QStringLiteral("journal.csv"));
        fenetre->choisir_fichier = [&](const QString&) { return chemin; };
        fenetre->findChild<QPushButton*>(QStringLiteral("bouton_exporter_journal"))->click();

        const QByteArray octets = lire(chemin);
        QVERIFY(octets.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> lignes =
            lire_csv(QString::fromUtf8(octets.mid(3)), QLatin1Char(';'));
        QCOMPARE(lignes.size(), qsizetype(journal.size() + 1));
        const QStringList& entetes = lignes[0];
        QCOMPARE(entetes.size(), 18);
        QCOMPARE(entetes[9], QStringLiteral("Δv convention de Trajel (km/s)"));
        QCOMPARE(entetes[11], QStringLiteral("Za (km) ou Phi (°) avant"));
        const QRegularExpression unite(QStringLiteral("\\([^()]+\\)"));
        for (int c : {1, 2, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15, 16, 17}) {
            QVERIFY2(entetes[c].contains(unite), qPrintable(entetes[c]));
        }
        for (std::size_t n = 0; n < journal.size(); ++n) {
            const ligne_journal& l = journal[n];
            const QStringList& champs = lignes[qsizetype(n + 1)];
            QCOMPARE(champs.size(), 18);
            QCOMPARE(champs[0], QString::number(n + 1));
            QCOMPARE(champs[6], QString::number(l.pas));
            QCOMPARE(champs[10], QString::fromStdString(l.avant.type_conique));
            QCOMPARE(champs[14], QString::fromStdString(l.apres.type_conique));
            const std::optional<double> attendus[] = {
                l.anomalie,          l.poussee.x,       l.poussee.y, l.poussee.z,        l.duree,
                l.masse_avant,       l.masse_apres,     l.delta_v,   l.avant.za_ou_phi,  l.avant.zp,
                l.avant.inclinaison, l.apres.za_ou_phi, l.apres.zp,  l.apres.inclinaison};
            const int colonnes[] = {1, 2, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15, 16, 17};
            for (std::size_t k = 0; k < std::size(colonnes); ++k) {
                const QString& champ = champs[colonnes[k]];
                if (!attendus[k]) {
                    QCOMPARE(champ, QStringLiteral("-"));
                    continue;
                }
                const std::optional<double> lu = lire_nombre_fr(champ);
                QVERIFY2(lu, qPrintable(champ));
                QCOMPARE(std::bit_cast<std::uint64_t>(*lu),
                         std::bit_cast<std::uint64_t>(*attendus[k]));
            }
        }
    }

private:
    // The title as the window's frame shows it.
    QString titre() const { return f->fenetre->windowHandle()->title(); }

    void enregistrer_sous(const QString& nom) {
        choisi = dossier->filePath(nom + QStringLiteral(".trajel"));
        f->controle<QAction>("menu_enregistrer_lecon_sous")->trigger();
        QVERIFY(messages.isEmpty());
    }

    void changer(changement quoi) {
        switch (quoi) {
        case changement::saisie:
            f->taper("Text4", "10");
            f->valider("Text4");
            break;
        case changement::tir:
            f->controle<QPushButton>("cmd_tir")->click();
            break;
        case changement::preset:
            f->controle<QAction>("menu_GTO_V")->trigger();
            break;
        case changement::notes:
            f->controle<QAction>("menu_journal_tirs")->trigger();
            QTest::keyClicks(f->fenetre->findChild<QPlainTextEdit*>(QStringLiteral("notes_lecon")),
                             QStringLiteral("GTO"));
            break;
        }
    }

    std::unique_ptr<fenetre_de_test> f;
    fichiers_lecon* fichiers = nullptr;
    historique_lecon* h = nullptr;
    std::unique_ptr<QTemporaryDir> dossier;
    QString choisi; // the name the save dialog answers
    int dialogues = 0;
    int reponse = QMessageBox::Cancel;
    QStringList messages;
    QStringList questions;
    QStringList boutons;
};

TRAJEL_TEST(TestDocumentLecon);
#include "test_document_lecon.moc"
