// The student's side of an exercise through the real window: made in the dialog from
// the GTO of the launch menu (the geostationary circle at i = 0 as target), saved, opened
// in a fresh window, flown with the assistant's burns, scored, undone, handed in and read
// back; bad input refused in the dialog with nothing written; the exercise's Earth kept.

#include "commun/principal.h"
#include "core/texte.h"
#include "core/trajectoire.h"
#include "fenetre_de_test.h"
#include "render/fantomes.h"
#include "ui/exercice/dialogue_exercice.h"
#include "ui/exercice/eleve.h"
#include "ui/exercice/fenetre_exercice.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <variant>

using namespace trajel;
using namespace trajel::test;

namespace {

// The GTO of the launch menu, a 2000 kg satellite with an Isp of 300 s.
const QString gto = "Option_elliptique|Text1=36000|Text2=200|Text4=7|Text6=2000|Text13=300";

// The choices of the dialog a test makes; an empty text leaves the field as it is.
struct saisie_dialogue {
    QString za = "36000";
    QString zp = "36000";
    QString i = "0";
    QString tolerance_za;
    QString budget;
    QString tirs;
    bool assistant = true;
    bool releve_entier = true;
    bool aucun_coche = false;
};

exercice_eleve* eleve(const fenetre_de_test& f) {
    return f.fenetre->findChild<exercice_eleve*>(QStringLiteral("exercice_eleve"));
}
fichiers_lecon* fichiers(const fenetre_de_test& f) {
    return f.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
}
historique_lecon* historique(const fenetre_de_test& f) {
    return f.fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
}
QAction* action(const fenetre_de_test& f, const char* nom) {
    return f.fenetre->findChild<QAction*>(QString::fromLatin1(nom));
}

// The dialog filled and "Enregistrer l'exercice..." clicked in a window left on the GTO;
// the message it shows (empty when saved) and whether the file name was asked.
std::pair<QString, bool> creer_exercice(const QString& chemin, const saisie_dialogue& s) {
    fenetre_de_test f;
    saisir(f, gto);
    bool demande = false;
    eleve(f)->choisir_exercice = [&](const QString&) {
        demande = true;
        return chemin;
    };
    action(f, "menu_creer_exercice")->trigger();
    auto* d = f.fenetre->findChild<dialogue_creer_exercice*>("dialogue_creer_exercice");
    d->findChild<QLineEdit*>("cible_Za")->setText(s.za);
    d->findChild<QLineEdit*>("cible_Zp")->setText(s.zp);
    d->findChild<QLineEdit*>("cible_i")->setText(s.i);
    if (!s.tolerance_za.isEmpty()) {
        d->findChild<QLineEdit*>("tolerance_Za")->setText(s.tolerance_za);
    }
    if (s.aucun_coche) {
        for (QCheckBox* c : d->findChildren<QCheckBox*>(QRegularExpression("^coche_"))) {
            c->setChecked(false);
        }
    }
    d->findChild<QLineEdit*>("saisie_budget")->setText(s.budget);
    d->findChild<QLineEdit*>("saisie_tirs_maximum")->setText(s.tirs);
    d->findChild<QPlainTextEdit*>("saisie_enonce")
        ->setPlainText("Placez le satellite sur l'orbite géostationnaire.");
    d->findChild<QCheckBox*>("case_assistant_permis")->setChecked(s.assistant);
    d->findChild<QComboBox*>("choix_releve")->setCurrentIndex(s.releve_entier ? 0 : 1);
    capturer(d, QStringLiteral("dialogue_creer_exercice"));
    d->findChild<QPushButton*>("bouton_enregistrer_exercice")->click();
    return {d->message(), demande};
}

std::variant<lecon, QString> lire(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        return QStringLiteral("illisible");
    }
    return lire_lecon(f.readAll());
}

// One request of the assistant prepared and fired with "Tir !", at 20 kN so that the
// finite burn stays close to its impulse.
void tirer(const fenetre_de_test& f, int genre) {
    action(f, "menu_assistant_manoeuvre")->trigger();
    f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(genre);
    if (genre == 1) {
        f.controle<QComboBox>("apside_tir")->setCurrentIndex(0); // at the apoapsis
    } else {
        f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(0.0);
    }
    f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(20000.0);
    f.controle<QPushButton>("bouton_preparer")->click();
    QVERIFY2(f.controle<QLabel>("message_assistant")->text().startsWith("Tir 1 préparé"),
             qPrintable(f.controle<QLabel>("message_assistant")->text()));
    f.controle<QPushButton>("cmd_tir")->click();
}

// The circularisation at the apoapsis and the plane change to 0, in the optimum's order
// or the other.
void voler(const fenetre_de_test& f, bool ordre_optimal) {
    const exercice e = fichiers(f)->exercice_actuel()->donne;
    const bool plan_d_abord =
        QString::fromStdString(e.optimum->tirs.front().lieu).contains("nœud") == ordre_optimal;
    tirer(f, plan_d_abord ? 3 : 1);
    tirer(f, plan_d_abord ? 1 : 3);
}

fenetre_exercice* fenetre_ex(const fenetre_de_test& f) {
    return f.fenetre->findChild<fenetre_exercice*>("fenetre_exercice");
}

} // namespace

class TestExerciceEleve : public QObject {
    Q_OBJECT
    QTemporaryDir dossier;

    QString chemin(const QString& nom) const { return dossier.filePath(nom); }

private slots:
    // With captures asked for, the files made stay beside them.
    void initTestCase() { dossier.setAutoRemove(qEnvironmentVariableIsEmpty("TRAJEL_CAPTURES")); }

    // The exercise carries its Earth: the key written in the start only for the real
    // one, read back equal; a lesson whose Earth is not its exercise's is refused.
    void modele_de_la_terre_data() {
        QTest::addColumn<bool>("reelle");
        QTest::addColumn<bool>("lecon_reelle");
        QTest::newRow("Terre du programme") << false << false;
        QTest::newRow("Terre réelle") << true << true;
        QTest::newRow("leçon et exercice en désaccord") << true << false;
    }
    void modele_de_la_terre() {
        QFETCH(bool, reelle);
        QFETCH(bool, lecon_reelle);
        lecon l;
        l.modele = lecon_reelle ? terre_reelle : terre_du_programme;
        exercice& e = l.exercice.emplace().donne;
        e.depart.textes = {"36000", "200", "20", "7",  "10",  "2000", "25",
                           "0",     "0",   "0",  "10", "100", "300"};
        e.depart.modele = reelle ? terre_reelle : terre_du_programme;
        e.depart.orbite.type_conique = "elliptique";
        e.depart.orbite.za = 36000.0;
        e.depart.orbite.zp = 200.0;
        e.depart.orbite.excentricite = 0.8;
        e.depart.orbite.parametre = 6000.0;
        construire_reperes(e.depart.orbite);
        e.depart.masse = 2000.0;
        e.depart.isp = 300.0;
        e.cible = orbite_cible{36000.0, 36000.0, 0.0, 0.0, 0.0};
        const QByteArray octets = ecrire_lecon(l);
        const QJsonObject depart =
            QJsonDocument::fromJson(octets).object()["exercice"].toObject()["depart"].toObject();
        QCOMPARE(depart.contains("modele"), reelle);
        const std::variant<lecon, QString> lu = lire_lecon(octets);
        if (reelle != lecon_reelle) {
            QVERIFY(std::holds_alternative<QString>(lu));
            QVERIFY(std::get<QString>(lu).contains("exercice.depart.modele"));
            return;
        }
        QVERIFY(std::holds_alternative<lecon>(lu));
        QVERIFY(std::get<lecon>(lu).exercice->donne.depart.modele == e.depart.modele);
        QCOMPARE(std::get<lecon>(lu), l);
    }

    // The dialog: a good exercise saved (target, tolerances, budget, optimum, no score, a
    // start that is the window's GTO); bad input refused with its reasons, no name asked,
    // nothing written.
    void creer_data() {
        QTest::addColumn<QString>("faute");
        QTest::addColumn<QString>("raison");
        QTest::newRow("GTO vers le cercle géostationnaire") << ""
                                                            << "";
        QTest::newRow("budget NaN") << "budget_nan"
                                    << "Le budget de Δv doit être un nombre strictement positif";
        QTest::newRow("tolérance négative") << "tolerance"
                                            << "La tolérance sur Za";
        QTest::newRow("Za illisible") << "za"
                                      << "L'élément visé Za n'est pas un nombre";
        QTest::newRow("rien de coché") << "coche"
                                       << "Aucun élément";
        QTest::newRow("Za sous Zp") << "za_basse"
                                    << "L'apogée visée (Za) est plus basse";
        QTest::newRow("tirs non entiers") << "tirs"
                                          << "nombre entier";
    }
    void creer() {
        QFETCH(QString, faute);
        QFETCH(QString, raison);
        saisie_dialogue s;
        s.budget = faute == "budget_nan" ? "NaN" : "2,5";
        s.tirs = faute == "tirs" ? "2,5" : "3";
        s.tolerance_za = faute == "tolerance" ? "-0,5" : "";
        s.za = faute == "za" ? "trente-six mille" : faute == "za_basse" ? "1000" : "36000";
        s.aucun_coche = faute == "coche";
        const QString fichier = chemin("creer.trajel");
        QFile::remove(fichier);
        const auto [message, demande] = creer_exercice(fichier, s);
        if (!raison.isEmpty()) {
            QVERIFY2(message.contains(raison), qPrintable(message));
            QVERIFY(!demande);
            QVERIFY(!QFile::exists(fichier));
            return;
        }
        QVERIFY2(message.isEmpty(), qPrintable(message));
        const std::variant<lecon, QString> lu = lire(fichier);
        QVERIFY2(std::holds_alternative<lecon>(lu),
                 std::holds_alternative<QString>(lu) ? qPrintable(std::get<QString>(lu)) : "");
        const lecon& l = std::get<lecon>(lu);
        QVERIFY(l.exercice && !l.exercice->score && l.journal.empty());
        const exercice& e = l.exercice->donne;
        QCOMPARE(e.cible->za, 36000.0);
        QCOMPARE(e.cible->zp, 36000.0);
        QCOMPARE(e.cible->inclinaison, 0.0);
        QCOMPARE(e.depart.masse, 2000.0);
        QCOMPARE(e.depart.isp, 300.0);
        QCOMPARE(*e.budget_delta_v, 2.5);
        QCOMPARE(*e.tirs_maximum, 3);
        QCOMPARE(e.criteres[0], (critere_element{true, 0.5}));
        QCOMPARE(e.criteres[2], (critere_element{true, 0.1}));
        QVERIFY(e.optimum && e.optimum->tirs.size() == 2);
        QCOMPARE(e.depart.textes[0], std::string("36000"));
        QCOMPARE(e.depart.textes[1], std::string("200"));
        QCOMPARE(e.depart.orbite.inclinaison, 7.0);
        QCOMPARE(l.textes[3], QString("7"));
        qInfo("Optimum enregistré : %.6f km/s", e.optimum->delta_v);
    }

    // "L'orbite actuelle": the teacher flies the target from the start, then makes the
    // exercise; its start is the window before the first burn (the GTO, its mass), its
    // target the orbit reached. Without a burn the start is the target: refused.
    void cible_actuelle_data() {
        QTest::addColumn<int>("tirs");
        QTest::newRow("après deux tirs") << 2;
        QTest::newRow("sans tir") << 0;
    }
    void cible_actuelle() {
        QFETCH(int, tirs);
        const QString fichier = chemin("actuelle.trajel");
        QFile::remove(fichier);
        fenetre_de_test f;
        saisir(f, gto);
        if (tirs > 0) {
            tirer(f, 1);
            tirer(f, 3);
        }
        const orbite_cible atteinte = elements_de(f.fenetre->scene().valeurs.traj);
        eleve(f)->choisir_exercice = [&](const QString&) { return fichier; };
        action(f, "menu_creer_exercice")->trigger();
        action(f, "menu_creer_exercice")->trigger(); // one dialog, brought to the front
        QCOMPARE(f.fenetre->findChildren<dialogue_creer_exercice*>().size(), 1);
        auto* d = f.fenetre->findChild<dialogue_creer_exercice*>("dialogue_creer_exercice");
        d->findChild<QRadioButton*>("choix_cible_actuelle")->click();
        QVERIFY(d->findChild<QLineEdit*>("cible_Zp")->isReadOnly());
        d->findChild<QPushButton*>("bouton_enregistrer_exercice")->click();
        if (tirs == 0) {
            QVERIFY2(d->message().contains("déjà sur l'orbite visée"), qPrintable(d->message()));
            QVERIFY(!QFile::exists(fichier));
            return;
        }
        const std::variant<lecon, QString> lu = lire(fichier);
        QVERIFY(std::holds_alternative<lecon>(lu));
        const exercice& e = std::get<lecon>(lu).exercice->donne;
        QCOMPARE(*e.cible, atteinte);
        QCOMPARE(e.depart.masse, 2000.0);
        QCOMPARE(e.depart.orbite.inclinaison, 7.0);
        QCOMPARE(e.depart.orbite.zp, 200.0);
        QCOMPARE(Val(e.depart.textes[3]), 7.0);
        QCOMPARE(Val(e.depart.textes[5]), 2000.0);
        QVERIFY(std::get<lecon>(lu).journal.empty());
        QCOMPARE(e.optimum->tirs.size(), std::size_t{2});
    }

    // The exercise made around the real Earth opens the window in it.
    void modele_a_l_ouverture_data() {
        QTest::addColumn<bool>("reelle");
        QTest::newRow("Terre du programme") << false;
        QTest::newRow("Terre réelle") << true;
    }
    void modele_a_l_ouverture() {
        QFETCH(bool, reelle);
        const modele_terre m = reelle ? terre_reelle : terre_du_programme;
        const QString fichier = chemin("modele.trajel");
        {
            fenetre_de_test f;
            QVERIFY(f.fenetre->executer(commande::changer_modele{m}));
            saisir(f, gto);
            eleve(f)->choisir_exercice = [&](const QString&) { return fichier; };
            action(f, "menu_creer_exercice")->trigger();
            auto* d = f.fenetre->findChild<dialogue_creer_exercice*>("dialogue_creer_exercice");
            d->findChild<QLineEdit*>("cible_Za")->setText("36000");
            d->findChild<QLineEdit*>("cible_Zp")->setText("36000");
            d->findChild<QLineEdit*>("cible_i")->setText("0");
            d->findChild<QPushButton*>("bouton_enregistrer_exercice")->click();
            QVERIFY2(d->message().isEmpty(), qPrintable(d->message()));
        }
        fenetre_de_test f;
        QVERIFY(fichiers(f)->ouvrir(fichier));
        QVERIFY(f.fenetre->scene().modele == m);
        QVERIFY(fichiers(f)->exercice_actuel()->donne.depart.modele == m);
        // The target's gaps are around that Earth: 0.5 % of its radius plus 36000 km.
        const ecart_element& za = fenetre_ex(f)->etat().ecarts[0];
        QCOMPARE(za.tolerance, 0.005 * (m.rayon + 36000.0));
    }

    // The exercise opened in a fresh window and flown with the assistant's burns: the
    // plan in the optimum's order reaches the target within 1 % of the optimum, the
    // other order reaches it dearer, a budget below it is exceeded and said so.
    void faire_data() {
        QTest::addColumn<bool>("ordre_optimal");
        QTest::addColumn<QString>("budget");
        QTest::addColumn<bool>("atteint");
        QTest::addColumn<QString>("bilan");
        QTest::newRow("plan de l'assistant") << true << "" << true << "Objectif atteint";
        QTest::newRow("ordre inverse") << false << "" << true << "Objectif atteint";
        QTest::newRow("budget dépassé") << false << "2,1" << false << "Budget de Δv dépassé";
    }
    void faire() {
        QFETCH(bool, ordre_optimal);
        QFETCH(QString, budget);
        QFETCH(bool, atteint);
        QFETCH(QString, bilan);
        saisie_dialogue s;
        s.budget = budget;
        const QString fichier = chemin("faire.trajel");
        QVERIFY(creer_exercice(fichier, s).first.isEmpty());
        fenetre_de_test f;
        QVERIFY(fichiers(f)->ouvrir(fichier));
        fenetre_exercice* w = fenetre_ex(f);
        QVERIFY(w != nullptr && w->isVisible());
        QVERIFY(!w->etat().cible_atteinte);
        QCOMPARE(f.controle<QTableWidget>("table_ecarts")->rowCount(), 3);
        // The target drawn over the scene in its own colour.
        int cible = 0;
        for (const element_affichage& x : f.image()->elements_affiches()) {
            cible += x.nature == element_affichage::genre::trait && x.couleur == couleur_cible;
        }
        QVERIFY(cible > 0);
        // "Ajuster la vue" fits the target too: every step of it inside the picture.
        f.controle<QAction>("menu_ajuster_vue")->trigger();
        const double W = f.image()->Width(), H = f.image()->Height();
        int dedans = 0, dehors = 0;
        for (const element_affichage& x : f.image()->elements_affiches()) {
            if (x.nature == element_affichage::genre::trait && x.couleur == couleur_cible) {
                (std::min(x.x1, x.x2) >= 0 && std::max(x.x1, x.x2) <= W &&
                         std::min(x.y1, x.y2) >= 0 && std::max(x.y1, x.y2) <= H
                     ? dedans
                     : dehors)++;
            }
        }
        QCOMPARE(dehors, 0);
        QCOMPARE(dedans, cible);
        capturer(f.fenetre.get(), QStringLiteral("depart_%1").arg(QTest::currentDataTag()));
        voler(f, ordre_optimal);
        QCOMPARE(w->etat().tirs, 2);
        QVERIFY(w->etat().cible_atteinte);
        const QString texte = f.controle<QLabel>("bilan_exercice")->text();
        QVERIFY2(texte.contains(bilan), qPrintable(texte));
        QCOMPARE(w->etat().score.has_value(), atteint);
        QCOMPARE(w->etat().budget_depasse, !atteint);
        // The gap cells green, within tolerance.
        const QTableWidget* t = f.controle<QTableWidget>("table_ecarts");
        for (int r = 0; r < t->rowCount(); ++r) {
            QCOMPARE(t->item(r, 3)->background().color(), QColor(0xc6, 0xef, 0xce));
        }
        if (atteint) {
            const score_exercice& sc = *w->etat().score;
            qInfo("%s : Δv %.6f km/s, optimum %.6f, rapport %.5f, note %.2f, tirs %d",
                  QTest::currentDataTag(), sc.delta_v, *sc.delta_v_optimal, *sc.rapport, *sc.note,
                  sc.tirs);
            QVERIFY(sc.atteint);
            QVERIFY(ordre_optimal ? *sc.rapport <= 1.01 : *sc.rapport > 1.03);
        } else {
            qInfo("%s : Δv %.6f km/s", QTest::currentDataTag(), w->etat().delta_v);
        }
        capturer(w, QStringLiteral("exercice_%1").arg(QTest::currentDataTag()));
        capturer(f.fenetre.get(), QStringLiteral("fenetre_%1").arg(QTest::currentDataTag()));
    }

    // Undo a burn: the gaps and the Δv spent go back, the target no longer reached; redo
    // brings them back.
    void annuler_un_tir() {
        const QString fichier = chemin("annuler.trajel");
        QVERIFY(creer_exercice(fichier, {}).first.isEmpty());
        fenetre_de_test f;
        QVERIFY(fichiers(f)->ouvrir(fichier));
        voler(f, true);
        const avancement_exercice apres = fenetre_ex(f)->etat();
        QVERIFY(apres.score && apres.score->atteint);
        historique(f)->annuler();
        const avancement_exercice annule = fenetre_ex(f)->etat();
        QCOMPARE(annule.tirs, 1);
        QVERIFY(!annule.cible_atteinte && !annule.score);
        QVERIFY(annule.delta_v < apres.delta_v);
        QVERIFY(f.controle<QLabel>("bilan_exercice")->text().contains("pas encore atteint"));
        historique(f)->retablir();
        QCOMPARE(fenetre_ex(f)->etat().tirs, 2);
        QVERIFY(fenetre_ex(f)->etat().score->atteint);
    }

    // What the teacher withholds: the assistant's item disabled with its reason, its
    // window closed; the readout without its last-burn group. A plain lesson afterwards
    // gives everything back and hides the exercise's window.
    void outils_retenus_data() {
        QTest::addColumn<bool>("assistant");
        QTest::addColumn<bool>("releve_entier");
        QTest::newRow("tout permis") << true << true;
        QTest::newRow("sans assistant ni dernier tir") << false << false;
    }
    void outils_retenus() {
        QFETCH(bool, assistant);
        QFETCH(bool, releve_entier);
        saisie_dialogue s;
        s.assistant = assistant;
        s.releve_entier = releve_entier;
        const QString fichier = chemin("outils.trajel");
        QVERIFY(creer_exercice(fichier, s).first.isEmpty());
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        QVERIFY(fichiers(f)->ouvrir(fichier));
        QAction* a = action(f, "menu_assistant_manoeuvre");
        QCOMPARE(a->isEnabled(), assistant);
        QCOMPARE(a->toolTip().contains("ne permet pas l'assistant"), !assistant);
        const auto groupe_tir_cache = [&f] {
            const QTreeWidget* arbre = f.controle<QTreeWidget>("arbre_caracteristiques");
            for (int i = 0; i < arbre->topLevelItemCount(); ++i) {
                if (arbre->topLevelItem(i)->text(0) == "Dernier tir") {
                    return arbre->topLevelItem(i)->isHidden();
                }
            }
            return false;
        };
        QCOMPARE(groupe_tir_cache(), !releve_entier);
        // Still withheld once a burn has refreshed the readout.
        f.coller("Text8", "100");
        f.controle<QPushButton>("cmd_tir")->click();
        QCOMPARE(groupe_tir_cache(), !releve_entier);
        QCOMPARE(a->isEnabled(), assistant);
        QVERIFY(action(f, "menu_rendre_exercice")->isEnabled());
        fichiers(f)->poser_question = [](QMessageBox&) { return int(QMessageBox::Discard); };
        fichiers(f)->nouvelle_lecon();
        QVERIFY(a->isEnabled());
        QVERIFY(!groupe_tir_cache());
        QVERIFY(!fenetre_ex(f)->isVisible());
        QVERIFY(!action(f, "menu_rendre_exercice")->isEnabled());
    }

    // "Rendre l'exercice...": the journal and the score of its replay under the name
    // chosen; the file read back is honest; the window's own lesson stays the exercise.
    void rendre_data() {
        QTest::addColumn<bool>("ordre_optimal");
        QTest::newRow("plan de l'assistant") << true;
        QTest::newRow("ordre inverse") << false;
    }
    void rendre() {
        QFETCH(bool, ordre_optimal);
        const QString fichier = chemin("rendre.trajel");
        QVERIFY(creer_exercice(fichier, {}).first.isEmpty());
        fenetre_de_test f;
        QVERIFY(fichiers(f)->ouvrir(fichier));
        voler(f, ordre_optimal);
        const QString copie = chemin("copie.trajel");
        QString propose;
        eleve(f)->choisir_copie = [&](const QString& p) {
            propose = p;
            return copie;
        };
        action(f, "menu_rendre_exercice")->trigger();
        QVERIFY(propose.endsWith("rendre_copie.trajel"));
        const std::variant<lecon, QString> lu = lire(copie);
        QVERIFY(std::holds_alternative<lecon>(lu));
        const lecon& l = std::get<lecon>(lu);
        QVERIFY(l.exercice && l.exercice->score);
        QCOMPARE(l.journal.size(), std::size_t{2});
        const score_exercice& sc = *l.exercice->score;
        QVERIFY(sc.atteint);
        QCOMPARE(sc, *fenetre_ex(f)->etat().score);
        const auto d = differences_copie(l.exercice->donne, l.journal, sc);
        QVERIFY2(d.empty(), d.empty() ? "" : d.front().c_str());
        QCOMPARE(fichiers(f)->chemin(), fichier);
        QVERIFY(!fichiers(f)->lecon_actuelle().exercice->score);
    }
};

TRAJEL_TEST(TestExerciceEleve);

#include "test_exercice_eleve.moc"
