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

using namespace trajel;
using namespace trajel::test;

namespace {

enum class changement { saisie, tir, preset, notes };
enum class depart { quitter, fermer, ouvrir, recente, nouvelle };
constexpr int Save = QMessageBox::Save, Discard = QMessageBox::Discard,
              Cancel = QMessageBox::Cancel;

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// RFC 4180 with ";": a quoted field may hold it, a quote doubled, a line break.
QList<QStringList> lire_csv(const QString& texte) {
    QList<QStringList> lignes;
    QStringList ligne;
    QString champ;
    bool cite = false;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c == u'"' && cite && texte.mid(i + 1, 1) == u"\"") {
            champ += texte[++i];
        } else if (c == u'"') {
            cite = !cite;
        } else if (!cite && (c == u';' || c == u'\n')) {
            ligne << std::exchange(champ, {});
            if (c == u'\n') {
                lignes << std::exchange(ligne, {});
            }
        } else {
            champ += c;
        }
    }
    return lignes;
}

// A number as a French spreadsheet reads it: a decimal comma, no point, no grouping.
std::optional<double> lire_nombre_fr(const QString& champ) {
    const std::string s = QString(champ).replace(u',', u'.').toStdString();
    double x = 0.0;
    const auto [fin, erreur] = std::from_chars(s.data(), s.data() + s.size(), x);
    if (champ.contains(u'.') || erreur != std::errc() || fin != s.data() + s.size()) {
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
        dossier = std::make_unique<QTemporaryDir>();
        fichiers->avertir = [this](const QString& m) { messages << m; };
        fichiers->choisir_enregistrement = [this](const QString&) {
            ++dialogues;
            return choisi;
        };
        fichiers->poser_question = [this](QMessageBox& q) {
            questions << q.text();
            for (auto b : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
                boutons << q.button(b)->text();
            }
            return reponse;
        };
    }
    void cleanup() {
        f.reset();
        messages.clear();
        questions.clear();
        boutons.clear();
        dialogues = 0;
    }

    void titre_et_marque_data() {
        QTest::addColumn<changement>("quoi");
        QTest::newRow("saisie de i") << changement::saisie;
        QTest::newRow("tir") << changement::tir;
        QTest::newRow("préréglage") << changement::preset;
        QTest::newRow("notes") << changement::notes;
    }
    // Saved (the thrust's edit under way committed first), changed, back to the saved
    // state (undo; the notes typed back), changed again and saved without a dialog.
    void titre_et_marque() {
        QFETCH(changement, quoi);
        QCOMPARE(titre(), QStringLiteral("Calcul d'orbite"));
        f->taper("Text8", "150");
        enregistrer_sous("cours");
        QCOMPARE(titre(), QStringLiteral("cours – Calcul d'orbite"));
        QCOMPARE(f->fenetre->windowFilePath(), choisi);
        changer(quoi);
        QVERIFY(f->fenetre->isWindowModified());
        QCOMPARE(titre(), QStringLiteral("cours* – Calcul d'orbite"));
        if (quoi == changement::notes) {
            h->definir_notes(QString());
        } else {
            h->annuler();
        }
        QCOMPARE(titre(), QStringLiteral("cours – Calcul d'orbite"));
        changer(quoi);
        f->controle<QAction>("menu_enregistrer_lecon")->trigger();
        QCOMPARE(dialogues, 1); // under its own name
        QCOMPARE(titre(), QStringLiteral("cours – Calcul d'orbite"));
        QCOMPARE(lire(choisi), ecrire_lecon(fichiers->lecon_actuelle()));
        f->controle<QAction>("menu_enregistrer_lecon_sous")->trigger();
        QCOMPARE(dialogues, 2); // always asks
        QVERIFY(messages.isEmpty());
    }

    void quitter_ou_changer_data() {
        QTest::addColumn<depart>("par");
        QTest::addColumn<bool>("fichier");
        QTest::addColumn<int>("choix");
        for (depart d : {depart::quitter, depart::fermer}) {
            const char* p = d == depart::quitter ? "quitter" : "case de fermeture";
            QTest::addRow("%s, Enregistrer", p) << d << true << Save;
            QTest::addRow("%s, Ne pas enregistrer", p) << d << true << Discard;
            QTest::addRow("%s, Annuler", p) << d << true << Cancel;
            QTest::addRow("%s, sans fichier", p) << d << false << Cancel;
        }
        QTest::newRow("ouvrir, Annuler") << depart::ouvrir << true << Cancel;
        QTest::newRow("ouvrir, Ne pas enregistrer") << depart::ouvrir << true << Discard;
        QTest::newRow("récente, Annuler") << depart::recente << true << Cancel;
        QTest::newRow("récente, Enregistrer") << depart::recente << true << Save;
        QTest::newRow("nouvelle, Annuler") << depart::nouvelle << true << Cancel;
        QTest::newRow("nouvelle, Ne pas enregistrer") << depart::nouvelle << true << Discard;
    }
    // "autre" and "cours" saved with i = 30, then i = 10 typed into "cours" (not
    // committed: leaving commits it): the file on disk and the window after each answer;
    // a run that never touched a lesson file quits without a word.
    void quitter_ou_changer() {
        QFETCH(depart, par);
        QFETCH(bool, fichier);
        QFETCH(int, choix);
        reponse = choix;
        QString autre;
        if (fichier) {
            f->taper("Text4", "30");
            enregistrer_sous("autre");
            autre = std::exchange(choisi, {});
            enregistrer_sous("cours");
        }
        const QByteArray avant = lire(choisi);
        f->taper("Text4", "10");
        const bool ferme = partir(par, autre);
        const bool annule = fichier && choix == Cancel;
        const bool quitte = par == depart::quitter || par == depart::fermer;
        QCOMPARE(ferme, quitte && !annule);
        QCOMPARE(f->fenetre->isVisible(), !ferme);
        QCOMPARE(questions.size(), fichier ? 1 : 0);
        if (!fichier) {
            return;
        }
        QCOMPARE(questions[0],
                 QStringLiteral("Enregistrer les modifications de la leçon « cours » ?"));
        QCOMPARE(boutons, QString("&Enregistrer,&Ne pas enregistrer,Annuler").split(u','));
        QCOMPARE(lire(choisi) == avant, choix != Save); // otherwise byte for byte
        if (choix == Save) {
            QCOMPARE(std::get<lecon>(lire_lecon(lire(choisi))).textes[3], QStringLiteral("10"));
        }
        if (annule || quitte) {
            QCOMPARE(f->texte("Text4")->text(), QStringLiteral("10"));
            QCOMPARE(titre(), choix == Save ? QStringLiteral("cours – Calcul d'orbite")
                                            : QStringLiteral("cours* – Calcul d'orbite"));
        } else if (par == depart::nouvelle) {
            QCOMPARE(f->texte("Text4")->text(), QStringLiteral("20")); // the opening value
            QCOMPARE(titre(), QStringLiteral("Calcul d'orbite"));
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
    // header of a quantity, every field as the journal holds it, each number to the bit.
    void csv_relu() {
        QFETCH(bool, tirs_reels);
        if (tirs_reels) {
            f->coller("Text8", "150");
            f->controle<QPushButton>("cmd_tir")->click();
            f->controle<QPushButton>("cmd_tir")->click();
        } else {
            lecon l = fichiers->lecon_actuelle();
            l.journal = {{-0.0,
                          {2.6949798982636901e-05, 1500.0, -1e-300},
                          0.1,
                          32766,
                          1234567.0,
                          1234566.9999999998,
                          1.0 / 3.0,
                          {"hyperbolique", 179.99999999999997, 1e20, 0.0},
                          {"circulaire", std::nullopt, 36000.0, 7.0000000000000009},
                          std::nullopt}};
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
        const QList<QStringList> lignes = lire_csv(QString::fromUtf8(octets.mid(3)));
        QCOMPARE(lignes.size(), qsizetype(journal.size() + 1));
        QCOMPARE(lignes[0][11], QStringLiteral("Za (km) ou Phi (°) avant"));
        const int colonnes[] = {1, 2, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15, 16, 17};
        for (int c : colonnes) {
            QVERIFY2(lignes[0][c].contains(QRegularExpression("\\([^()]+\\)")),
                     qPrintable(lignes[0][c]));
        }
        for (std::size_t n = 0; n < journal.size(); ++n) {
            const ligne_journal& l = journal[n];
            const QStringList& champs = lignes[qsizetype(n + 1)];
            QCOMPARE(champs.size(), 18);
            QCOMPARE(champs[0] + " " + champs[6] + " " + champs[10] + " " + champs[14],
                     QStringLiteral("%1 %2 %3 %4")
                         .arg(n + 1)
                         .arg(l.pas)
                         .arg(QString::fromStdString(l.avant.type_conique),
                              QString::fromStdString(l.apres.type_conique)));
            const std::optional<double> attendus[] = {
                l.anomalie,          l.poussee.x,       l.poussee.y, l.poussee.z,        l.duree,
                l.masse_avant,       l.masse_apres,     l.delta_v,   l.avant.za_ou_phi,  l.avant.zp,
                l.avant.inclinaison, l.apres.za_ou_phi, l.apres.zp,  l.apres.inclinaison};
            for (std::size_t k = 0; k < std::size(colonnes); ++k) {
                const QString& champ = champs[colonnes[k]];
                const std::optional<double> lu = lire_nombre_fr(champ);
                QVERIFY2(attendus[k] ? lu.has_value() : champ == "-", qPrintable(champ));
                QCOMPARE(std::bit_cast<quint64>(lu.value_or(0)),
                         std::bit_cast<quint64>(attendus[k].value_or(0)));
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
        if (quoi == changement::saisie) {
            f->taper("Text4", "10");
            f->valider("Text4");
        } else if (quoi == changement::tir) {
            f->controle<QPushButton>("cmd_tir")->click();
        } else if (quoi == changement::preset) {
            f->controle<QAction>("menu_GTO_V")->trigger();
        } else {
            f->controle<QAction>("menu_journal_tirs")->trigger();
            QTest::keyClicks(f->controle<QPlainTextEdit>("notes_lecon"), QStringLiteral("GTO"));
        }
    }

    // True when the main window closed.
    bool partir(depart par, const QString& autre) {
        if (par == depart::quitter) {
            QTimer::singleShot(0, f->controle<QAction>("menu_quitter"), &QAction::trigger);
            QTimer garde; // the program did not quit
            connect(&garde, &QTimer::timeout, [] { QApplication::exit(7); });
            garde.start(500);
            return QApplication::exec() == 0;
        }
        if (par == depart::fermer) {
            return f->fenetre->close();
        }
        fichiers->choisir_ouverture = [autre](const QString&) { return autre; };
        auto* recentes = f->controle<QMenu>("menu_lecons_recentes");
        fichiers->remplir_recentes(recentes);
        for (QAction* a : recentes->actions()) {
            if (par == depart::recente && a->toolTip() == QDir::toNativeSeparators(autre)) {
                a->trigger();
            }
        }
        if (par != depart::recente) {
            f->controle<QAction>(par == depart::ouvrir ? "menu_ouvrir_lecon"
                                                       : "menu_nouvelle_lecon")
                ->trigger();
        }
        return false;
    }

    std::unique_ptr<fenetre_de_test> f;
    fichiers_lecon* fichiers = nullptr;
    historique_lecon* h = nullptr;
    std::unique_ptr<QTemporaryDir> dossier;
    QString choisi; // the name the save dialog answers
    int dialogues = 0;
    int reponse = Cancel;
    QStringList messages, questions, boutons;
};

TRAJEL_TEST(TestDocumentLecon);
#include "test_document_lecon.moc"
