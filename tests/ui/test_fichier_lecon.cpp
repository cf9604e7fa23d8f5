// Lesson files through the real window: saved, opened in a new window, the same texts,
// options, journal and display list, boxes and notes as full as they get; bad files and
// places change nothing and say why; opening a lesson is the one step of a cleared history.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include "render/scene.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace trajel;
using namespace trajel::test;

namespace {

QStringList vu(const fenetre_de_test& f) {
    QStringList t;
    for (const char* nom : boites) {
        t << f.texte(nom)->text();
    }
    for (const char* nom : options) {
        t << QString::number(f.option(nom)->isChecked());
    }
    t << f.legende("Label6") << QString::number(f.controle<QScrollBar>("HScroll1")->value())
      << QString::number(f.controle<QScrollBar>("VScroll1")->value());
    return t;
}

// A valid lesson file's object, to spoil.
QJsonObject lecon_valide() {
    lecon l;
    const char* textes[] = {"2000", "300", "20", "20", "10",  "1000", "25",
                            "0",    "0",   "0",  "10", "100", "100"};
    for (std::size_t i = 0; i < 13; ++i) {
        l.textes[i] = QString::fromLatin1(textes[i]);
    }
    return QJsonDocument::fromJson(ecrire_lecon(l)).object();
}

} // namespace

class TestFichierLecon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { ouvrir_fenetre(); }
    void cleanup() { f.reset(); }

    void aller_retour_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("tirs");
        QTest::addColumn<bool>("marques");
        QTest::newRow("circulaire") << "Option_circulaire" << 0 << false;
        QTest::newRow("elliptique") << "Option_elliptique" << 0 << true;
        QTest::newRow("parabolique") << "Option_parabolique" << 0 << false;
        QTest::newRow("hyperbolique") << "Option_hyperbolique" << 0 << false;
        QTest::newRow("elliptique, deux tirs") << "Option_elliptique" << 2 << true;
        QTest::newRow("hyperbolique, un tir") << "Option_hyperbolique" << 1 << false;
    }

    // Saved, then opened in a new window: the same texts, options, view, journal, notes
    // and the same display list (the plain scene: a burn's arc is not kept).
    void aller_retour() {
        QFETCH(QString, type);
        QFETCH(int, tirs);
        QFETCH(bool, marques);
        f->option(type.toLatin1().constData())->click();
        f->fenetre->tourner_vue(-35, 12);
        f->fenetre->zoomer(2);
        f->option("Option_RH")->click();
        f->controle<QAction>("menu_marques_mouvement")->setChecked(marques);
        f->coller("Text8", "150");
        for (int i = 0; i < tirs; ++i) {
            f->controle<QPushButton>("cmd_tir")->click();
        }
        QVERIFY(f->modaux.empty());
        h()->definir_notes(QStringLiteral("Deux tirs vers un cercle.\nPuis le plan."));
        f->fenetre->evenements().executer([] { rafraichissement_complet(); });
        const QStringList attendu = vu(*f);
        const auto scene = f->image()->elements_affiches();
        const std::vector<ligne_journal> journal = h()->journal();
        QCOMPARE(journal.size(), std::size_t(tirs));
        const double zoom_enregistre = zoom;

        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("lecon.trajel");
        QVERIFY(fichiers()->enregistrer_vers(chemin));
        QCOMPARE(fichiers()->recentes().value(0), chemin);

        ouvrir_fenetre();
        QVERIFY(vu(*f) != attendu);
        QVERIFY(fichiers()->ouvrir(chemin));
        QVERIFY(messages.isEmpty());
        QCOMPARE(vu(*f), attendu);
        QCOMPARE(zoom, zoom_enregistre);
        QCOMPARE(f->controle<QAction>("menu_marques_mouvement")->isChecked(), marques);
        QVERIFY(f->image()->elements_affiches() == scene);
        QVERIFY(h()->journal() == journal);
        QCOMPARE(h()->notes(), QStringLiteral("Deux tirs vers un cercle.\nPuis le plan."));
        QCOMPARE(h()->pile().count(), 1);
        QCOMPARE(h()->action_annuler()->text(), QStringLiteral("Annuler l'ouverture de la leçon"));
    }

    void textes_les_plus_longs_data() {
        QTest::addColumn<QStringList>("zones");
        for (const char* nom : boites) {
            QTest::newRow(nom) << QStringList{QString::fromLatin1(nom)};
        }
        QStringList toutes;
        for (const char* nom : boites) {
            toutes << QString::fromLatin1(nom);
        }
        QTest::newRow("les treize zones") << toutes;
    }

    // A box filled to what it holds: its number, then U+0001 (6 bytes in JSON, the most a
    // character takes) up to the box's maxLength. Saved, the lesson opens again with the
    // same texts and picture, its file within the size the reader takes.
    void textes_les_plus_longs() {
        QFETCH(QStringList, zones);
        for (const QString& nom : zones) {
            QLineEdit* boite = f->texte(qPrintable(nom));
            QCOMPARE(boite->maxLength(), longueur_maximale_texte);
            const QString plein =
                boite->text().leftJustified(boite->maxLength(), QChar(0x0001), true);
            f->coller(qPrintable(nom), plein + QStringLiteral("9")); // one past is cut
            QCOMPARE(boite->text(), plein);
        }
        QVERIFY(f->rapports.empty());
        const QStringList attendu = vu(*f);
        const auto scene = f->image()->elements_affiches();

        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("lecon.trajel");
        QVERIFY(fichiers()->enregistrer_vers(chemin));
        QVERIFY(QFileInfo(chemin).size() <= taille_maximale_lecon);
        ouvrir_fenetre();
        QVERIFY(fichiers()->ouvrir(chemin));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.value(0)));
        QCOMPARE(vu(*f), attendu);
        QVERIFY(f->image()->elements_affiches() == scene);
    }

    void notes_longues_data() {
        QTest::addColumn<int>("caracteres");
        QTest::addColumn<QChar>("lettre");
        QTest::addColumn<bool>("enregistree");
        QTest::newRow("plus d'un million de caractères") << 1'100'000 << QChar(u'n') << true;
        // U+0001 takes 6 bytes in JSON: 2.9 million of them pass 16 MB.
        QTest::newRow("un fichier de plus de 16 Mo") << 2'900'000 << QChar(0x0001) << false;
    }

    // The notes hold whatever their editor holds: only the file's size bounds them, and a
    // lesson whose file would pass it is not written, with the reason.
    void notes_longues() {
        QFETCH(int, caracteres);
        QFETCH(QChar, lettre);
        QFETCH(bool, enregistree);
        QString notes;
        notes.reserve(caracteres);
        while (notes.size() < caracteres) { // lines of 80 characters
            notes += notes.size() % 80 == 79 ? QChar(u'\n') : lettre;
        }
        h()->definir_notes(notes);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("lecon.trajel");
        QCOMPARE(fichiers()->enregistrer_vers(chemin), enregistree);
        if (!enregistree) {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(QStringLiteral("dépasserait 16 Mo")),
                     qPrintable(messages[0]));
            QVERIFY(!QFile::exists(chemin));
            return;
        }
        ouvrir_fenetre();
        QVERIFY(fichiers()->ouvrir(chemin));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.value(0)));
        QCOMPARE(h()->notes(), notes);
    }

    void fichiers_refuses_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("message");
        const QByteArray valide = QJsonDocument(lecon_valide()).toJson();
        auto avec = [](const char* champ, const QJsonValue& v) {
            QJsonObject o = lecon_valide();
            o.insert(QLatin1String(champ), v);
            return QJsonDocument(o).toJson();
        };
        QJsonObject sans_text4 = lecon_valide();
        QJsonObject textes = sans_text4.value("textes").toObject();
        textes.remove("Text4");
        sans_text4.insert("textes", textes);
        QJsonObject zoom_texte = lecon_valide();
        QJsonObject vue = zoom_texte.value("vue").toObject();
        vue.insert("zoom", "grand");
        zoom_texte.insert("vue", vue);
        QJsonObject zoom_absurde = lecon_valide();
        vue.insert("zoom", 1e300);
        zoom_absurde.insert("vue", vue);
        QJsonObject text1_long = lecon_valide();
        textes = text1_long.value("textes").toObject();
        textes.insert("Text1", QString(longueur_maximale_texte + 1, QLatin1Char('9')));
        text1_long.insert("textes", textes);

        QTest::newRow("pas du JSON")
            << QByteArray("Trajel, leçon 1") << "n'est pas une leçon Trajel";
        QTest::newRow("tronqué") << valide.left(valide.size() / 2) << "n'est pas une leçon Trajel";
        QTest::newRow("vide") << QByteArray() << "n'est pas une leçon Trajel";
        QTest::newRow("autre JSON") << QByteArray("{\"format\": \"autre\", \"version\": 1}")
                                    << "Ce fichier n'est pas une leçon Trajel.";
        QTest::newRow("format 3") << avec("version", 3)
                                  << "Leçon enregistrée par une version plus récente (format 3)";
        QTest::newRow("champ manquant")
            << QJsonDocument(sans_text4).toJson() << "Champ « textes.Text4 » manquant";
        QTest::newRow("mauvais type")
            << QJsonDocument(zoom_texte).toJson() << "Champ « vue.zoom » : un nombre est attendu";
        QTest::newRow("nombre absurde")
            << QJsonDocument(zoom_absurde).toJson() << "Champ « vue.zoom » hors des limites";
        QTest::newRow("type inconnu") << avec("type_orbite", "spirale") << "type_orbite";
        QTest::newRow("texte plus long qu'une zone")
            << QJsonDocument(text1_long).toJson()
            << "Champ « textes.Text1 » trop long (plus de 32767 caractères)";
        QTest::newRow("journal pas une liste") << avec("journal", 7) << "Champ « journal »";
    }

    // A bad file: the message says what is wrong; nothing in the window changes.
    void fichiers_refuses() {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, message);
        f->controle<QAction>("menu_GTO_V")->trigger();
        const QStringList avant = vu(*f);
        const auto scene = f->image()->elements_affiches();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("mauvaise.trajel");
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write(contenu);
        fichier.close();
        QVERIFY(!fichiers()->ouvrir(chemin));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(message), qPrintable(messages[0]));
        QCOMPARE(vu(*f), avant);
        QVERIFY(f->image()->elements_affiches() == scene);
        QCOMPARE(h()->pile().count(), 1);
    }

    // What cannot be read or written: a message, nothing changed.
    void lieux_refuses() {
        QTemporaryDir dossier;
        const QStringList avant = vu(*f);
        QFile enorme(dossier.filePath("enorme.trajel")); // 100 MB, sparse
        QVERIFY(enorme.open(QIODevice::WriteOnly));
        QVERIFY(enorme.resize(100 * 1024 * 1024));
        enorme.close();
        QVERIFY(!fichiers()->ouvrir(enorme.fileName()));
        QVERIFY(messages.value(0).contains(QStringLiteral("trop volumineux")));
        QVERIFY(!fichiers()->ouvrir(dossier.filePath("absente.trajel")));
        QVERIFY(!fichiers()->ouvrir(dossier.path()));
        QVERIFY(messages.value(2).contains(QStringLiteral("c'est un dossier")));
        QVERIFY(!fichiers()->enregistrer_vers(dossier.filePath("nulle/part/lecon.trajel")));
        QVERIFY(!fichiers()->enregistrer_vers(dossier.path()));
        QCOMPARE(messages.size(), 5);
        QVERIFY(messages[3].startsWith(QStringLiteral("La leçon n'a pas pu être enregistrée")));
        QCOMPARE(vu(*f), avant);
        QVERIFY(!QFile::exists(dossier.filePath("nulle")));
    }

    // Opening clears the history, and is undone as one step, journal included.
    void ouverture_annulee() {
        f->coller("Text8", "150");
        f->controle<QPushButton>("cmd_tir")->click();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("lecon.trajel");
        QVERIFY(fichiers()->enregistrer_vers(chemin));
        f->controle<QAction>("menu_GTO_IV")->trigger();
        f->controle<QPushButton>("cmd_tir")->click();
        const QStringList avant = vu(*f);
        QCOMPARE(h()->journal().size(), std::size_t(2));
        QVERIFY(fichiers()->ouvrir(chemin));
        QCOMPARE(h()->journal().size(), std::size_t(1));
        QCOMPARE(h()->pile().count(), 1);
        h()->annuler();
        QCOMPARE(vu(*f), avant);
        QCOMPARE(h()->journal().size(), std::size_t(2));
        h()->retablir();
        QCOMPARE(h()->journal().size(), std::size_t(1));
    }

private:
    void ouvrir_fenetre() {
        f.reset();
        f = std::make_unique<fenetre_de_test>();
        messages.clear();
        fichiers()->avertir = [this](const QString& m) { messages << m; };
    }
    historique_lecon* h() const {
        return f->fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
    }
    fichiers_lecon* fichiers() const {
        return f->fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
    }

    std::unique_ptr<fenetre_de_test> f;
    QStringList messages;
};

TRAJEL_TEST(TestFichierLecon);
#include "test_fichier_lecon.moc"
