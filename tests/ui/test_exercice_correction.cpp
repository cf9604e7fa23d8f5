// The teacher's side of an exercise through the real window: GTO -> geostationary
// attempts flown with the assistant, handed in as files, opened to be corrected (the
// score replayed, the student's burns as ghosts, the optimal plan drawn on demand), and
// compared in a table exported as CSV; an edited copy is caught by its replay.

#include "commun/principal.h"
#include "core/texte.h"
#include "fenetre_de_test.h"
#include "manoeuvre/correction.h"
#include "render/fantomes.h"
#include "ui/exercice/comparaison_copies.h"
#include "ui/exercice/exercices.h"
#include "ui/exercice/fenetre_correction.h"
#include "ui/francais/format_fr.h"
#include "ui/lecon/fichiers_lecon.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

#include <map>

using namespace trajel;
using namespace trajel::test;

namespace {

// The GTO Ariane IV preset's numbers, a 2000 kg satellite with an Isp of 300 s.
const QString gto = "Option_elliptique|Text1=36000|Text2=200|Text4=7|Text6=2000|Text13=300";
const QString enonce = "Placez le satellite sur l'orbite géostationnaire, i = 0.";

fichiers_lecon& fichiers(const fenetre_de_test& f) {
    return *f.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
}

// The exercise whose start is the window as it stands: to the geostationary circle at
// i = 0, with the assistant's optimum.
exercice exercice_de(const fenetre_de_test& f) {
    exercice e;
    const instantane_scene s = f.fenetre->scene();
    for (std::size_t k = 0; k < e.depart.textes.size(); ++k) {
        e.depart.textes[k] = s.textes[k];
    }
    e.depart.orbite = s.valeurs.traj;
    // What the next burn reads: the boxes' mass and Isp.
    e.depart.masse = Val(s.texte(zone_texte::Text6));
    e.depart.isp = Val(s.texte(zone_texte::Text13));
    e.cible = orbite_cible{36000.0, 36000.0, 0.0, 0.0, 0.0};
    e.enonce = enonce.toStdString();
    e.optimum = calculer_optimum(e.depart, *e.cible);
    return e;
}

// One request of the assistant prepared ("Préparer le tir") and fired ("Tir !"):
// 1 a circularisation at the apoapsis, 3 a plane change to i = 0.
void tir_assistant(const fenetre_de_test& f, int manoeuvre) {
    f.fenetre->findChild<QAction*>(QStringLiteral("menu_assistant_manoeuvre"))->trigger();
    f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(manoeuvre);
    f.controle<QComboBox>("apside_tir")->setCurrentIndex(0);
    f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(0.0);
    f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(20000.0);
    QTest::mouseClick(f.controle<QPushButton>("bouton_nouveau_plan"), Qt::LeftButton);
    QTest::mouseClick(f.controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
    f.controle<QPushButton>("cmd_tir")->click();
}

// A handed-in attempt: flown in the window from the GTO, in the optimum's order or the
// other, scored from its replay and saved as the lesson the window shows.
lecon copie_gto(bool ordre_optimal, std::optional<double> budget = std::nullopt) {
    fenetre_de_test f;
    saisir(f, gto);
    exercice e = exercice_de(f);
    e.budget_delta_v = budget;
    const bool plan_d_abord =
        QString::fromStdString(e.optimum->tirs.front().lieu).contains("nœud") == ordre_optimal;
    tir_assistant(f, plan_d_abord ? 3 : 1);
    tir_assistant(f, plan_d_abord ? 1 : 3);
    lecon l = fichiers(f).lecon_actuelle();
    l.exercice = section_exercice{e, noter(e, rejouer(e, l.journal))};
    return l;
}

// The two honest attempts, flown once.
const lecon& copie(bool ordre_optimal) {
    static std::map<bool, lecon> copies;
    if (!copies.contains(ordre_optimal)) {
        copies[ordre_optimal] = copie_gto(ordre_optimal);
    }
    return copies[ordre_optimal];
}

// The file's JSON edited by hand: `retouche` of "duree" shortens the first burn by 2 %,
// "delta_v" lowers the claimed Δv by 5 %, "budget" sets a budget of 2.1 km/s.
QByteArray retoucher(const lecon& l, const QString& retouche) {
    QJsonObject racine = QJsonDocument::fromJson(ecrire_lecon(l)).object();
    QJsonArray journal = racine.value("journal").toArray();
    QJsonObject exo = racine.value("exercice").toObject();
    if (retouche == "duree") {
        QJsonObject tir = journal[0].toObject();
        tir.insert("duree", tir.value("duree").toDouble() * 0.98);
        journal[0] = tir;
    } else if (retouche == "delta_v") {
        QJsonObject score = exo.value("score").toObject();
        score.insert("delta_v", score.value("delta_v").toDouble() * 0.95);
        exo.insert("score", score);
    }
    racine.insert("journal", journal);
    racine.insert("exercice", exo);
    return QJsonDocument(racine).toJson();
}

QString ecrire(const QTemporaryDir& d, const QString& nom, const QByteArray& octets) {
    const QString chemin = d.filePath(nom);
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size()) {
        qFatal("cannot write %s", qPrintable(chemin));
    }
    return chemin;
}

// Opened through "Ouvrir une leçon...".
void ouvrir(const fenetre_de_test& f, const QString& chemin) {
    fichiers(f).choisir_ouverture = [chemin](const QString&) { return chemin; };
    fichiers(f).avertir = [](const QString& m) { qWarning("%s", qPrintable(m)); };
    fichiers(f).poser_question = [](QMessageBox&) { return int(QMessageBox::Discard); };
    f.controle<QAction>("menu_ouvrir_lecon")->trigger();
}

// The picture's dashed ghosts of the journal (couleur_trajectoire) and the cyan orbits
// of the solution, with the numbers printed after each.
struct traces_vus {
    int fantomes = 0;
    int solution = 0;
    QStringList numeros_solution;
};

traces_vus traces(const fenetre_de_test& f) {
    traces_vus v;
    const element_affichage* precedent = nullptr;
    for (const element_affichage& e : f.image()->elements_affiches()) {
        if (e.nature == element_affichage::genre::texte && precedent != nullptr &&
            precedent->couleur == couleur_solution) {
            v.numeros_solution << QString::fromStdString(e.texte);
        }
        if (e.nature != element_affichage::genre::trait) {
            continue;
        }
        v.fantomes += e.style == style_tirets && e.couleur == couleur_trajectoire;
        v.solution += e.couleur == couleur_solution;
        precedent = &e;
    }
    return v;
}

QString texte(const fenetre_de_test& f, const char* nom) {
    return f.controle<QLabel>(nom)->text();
}

} // namespace

class TestExerciceCorrection : public QObject {
    Q_OBJECT
private slots:
    // A handed-in file opened by the teacher: its statement, the student's burns, the
    // score replayed from the start (never the one claimed), the ghosts turned on, and
    // "copie modifiée" with its reason for a file edited by hand.
    void copie_ouverte_data() {
        QTest::addColumn<bool>("ordre_optimal");
        QTest::addColumn<double>("budget"); // km/s; 0: none
        QTest::addColumn<QString>("retouche");
        QTest::addColumn<bool>("atteint");
        QTest::addColumn<QString>("raison"); // of the copy or of the score; empty: none
        QTest::newRow("plan de l'assistant") << true << 0.0 << "" << true << "";
        QTest::newRow("ordre inverse") << false << 0.0 << "" << true << "";
        QTest::newRow("budget dépassé") << false << 2.1 << "" << false << "Budget de Δv dépassé";
        QTest::newRow("durée retouchée") << true << 0.0 << "duree" << false << "ne mène pas";
        QTest::newRow("Δv annoncé abaissé")
            << true << 0.0 << "delta_v" << true << "Δv ou le nombre";
    }
    void copie_ouverte() {
        QFETCH(bool, ordre_optimal);
        QFETCH(double, budget);
        QFETCH(QString, retouche);
        QFETCH(bool, atteint);
        QFETCH(QString, raison);
        const lecon l = budget > 0.0 ? copie_gto(ordre_optimal, budget) : copie(ordre_optimal);
        const exercice& e = l.exercice->donne;
        QTemporaryDir d;
        const QString chemin = ecrire(d, "eleve.trajel", retoucher(l, retouche));
        fenetre_de_test f;
        QVERIFY(!f.controle<QAction>("menu_orbites_precedentes")->isChecked());
        ouvrir(f, chemin);
        auto* w = f.controle<fenetre_correction>("fenetre_correction");
        QVERIFY(w->isVisible());
        capturer(w, QStringLiteral("correction_%1").arg(QTest::currentDataTag()));
        QVERIFY(texte(f, "enonce_correction").contains(enonce));
        QVERIFY(texte(f, "cible_correction")
                    .contains(QString("Za %1\u00A0km (±\u00A0%2\u00A0%)")
                                  .arg(nombre_fr(36000.0), nombre_fr(0.5))));
        QCOMPARE(f.controle<QTableWidget>("table_tirs_correction")->rowCount(), 2);

        // The score is the replay's of the journal in the file.
        const std::variant<lecon, QString> lu = lire_lecon(retoucher(l, retouche));
        const score_exercice rejoue = noter(e, rejouer(e, std::get<lecon>(lu).journal));
        QCOMPARE(w->correction().score.delta_v, rejoue.delta_v);
        QCOMPARE(w->correction().score.atteint, atteint);
        const QString score = texte(f, "score_correction");
        QVERIFY2(score.contains(atteint ? "Objectif atteint" : "Objectif non atteint"),
                 qPrintable(score));
        QVERIFY(score.contains(nombre_fr(rejoue.delta_v)));
        qInfo("%s : Δv %.6f km/s, optimum %.6f, rapport %.5f, note %.2f, tirs %d",
              QTest::currentDataTag(), rejoue.delta_v, *rejoue.delta_v_optimal, *rejoue.rapport,
              *rejoue.note, rejoue.tirs);
        if (ordre_optimal) {
            QVERIFY2(*rejoue.rapport <= 1.01, qPrintable(QString::number(*rejoue.rapport)));
        } else {
            QVERIFY2(*rejoue.rapport > 1.03, qPrintable(QString::number(*rejoue.rapport)));
        }
        const QString copie_texte = texte(f, "copie_correction");
        QCOMPARE(copie_texte.startsWith("copie modifiée"), !retouche.isEmpty());
        QCOMPARE(w->correction().modifiee(), !retouche.isEmpty());
        QVERIFY2(raison.isEmpty() || copie_texte.contains(raison) || score.contains(raison),
                 qPrintable(copie_texte + "\n" + score));

        // The student's two burns as ghosts, numbered.
        QVERIFY(f.controle<QAction>("menu_orbites_precedentes")->isChecked());
        QVERIFY(traces(f).fantomes > 0);
        QCOMPARE(traces(f).solution, 0);
        QVERIFY(f.rapports.empty());
    }

    // "Voir la solution": the plan's orbits in cyan, each burn numbered, its burns listed
    // with the optimum's total; another lesson closes the window, takes the solution away
    // and puts the ghosts' option back.
    void voir_la_solution_data() {
        QTest::addColumn<QString>("ensuite");
        QTest::newRow("nouvelle leçon") << "nouvelle";
        QTest::newRow("exercice à faire") << "eleve";
        QTest::newRow("leçon sans exercice") << "simple";
    }
    void voir_la_solution() {
        QFETCH(QString, ensuite);
        const lecon& l = copie(true);
        const solution_optimale& o = *l.exercice->donne.optimum;
        QTemporaryDir d;
        fenetre_de_test f;
        ouvrir(f, ecrire(d, "eleve.trajel", ecrire_lecon(l)));
        auto* table = f.controle<QTableWidget>("table_solution");
        QVERIFY(!table->isVisible());
        QTest::mouseClick(f.controle<QPushButton>("bouton_voir_solution"), Qt::LeftButton);
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), static_cast<int>(o.tirs.size()));
        for (int k = 0; k < table->rowCount(); ++k) {
            QCOMPARE(table->item(k, 1)->text(), QString::fromStdString(o.tirs[k].lieu));
            QCOMPARE(table->item(k, 2)->text(), nombre_fr(o.tirs[k].delta_v));
        }
        QVERIFY(texte(f, "total_solution").contains(nombre_fr(o.delta_v)));
        const traces_vus v = traces(f);
        QVERIFY(v.solution > 0);
        QCOMPARE(v.numeros_solution, (QStringList{"1", "2"}));
        // Flown impulsively, the plan ends on the target; each burn is fired from its
        // point, where the orbit before it is drawn.
        const auto& orbites =
            f.fenetre->findChild<exercice_en_cours*>("exercice_en_cours")->orbites().solution;
        QCOMPARE(orbites.size(), o.tirs.size() + 1);
        QVERIFY(cible_atteinte(ecarts(l.exercice->donne, orbites.back().orbite)));
        QVERIFY(!cible_atteinte(ecarts(l.exercice->donne, orbites[1].orbite)));
        for (std::size_t k = 0; k < o.tirs.size(); ++k) {
            QCOMPARE(orbites[k].numero, static_cast<unsigned>(k + 1));
            QCOMPARE(orbites[k].orbite.anomalie, o.tirs[k].anomalie);
        }
        QCOMPARE(orbites.back().numero, 0U);

        if (ensuite == "nouvelle") {
            f.controle<QAction>("menu_nouvelle_lecon")->trigger();
        } else {
            lecon autre = l;
            autre.journal.clear();
            if (ensuite == "eleve") {
                autre.exercice->score.reset();
            } else {
                autre.exercice.reset();
            }
            ouvrir(f, ecrire(d, "autre.trajel", ecrire_lecon(autre)));
        }
        QVERIFY(!f.controle<fenetre_correction>("fenetre_correction")->isVisible());
        QCOMPARE(traces(f).solution, 0);
        QVERIFY(!f.controle<QAction>("menu_orbites_precedentes")->isChecked());
    }

    // "Comparer des copies...": one row a file, each scored by its replay; the file
    // edited by hand marked, the unreadable file, the plain lesson and the exercise not
    // handed in saying why, another exercise marked.
    void comparaison_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("atteint");
        QTest::addColumn<QString>("copie");
        QTest::addColumn<double>("rapport_min"); // 0: no ratio
        QTest::addColumn<double>("rapport_max");
        QTest::newRow("plan de l'assistant") << "a_optimal.trajel"
                                             << "oui"
                                             << "copie conforme" << 0.999 << 1.01;
        QTest::newRow("ordre inverse") << "b_inverse.trajel"
                                       << "oui"
                                       << "copie conforme" << 1.03 << 2.0;
        QTest::newRow("journal retouché") << "c_retouche.trajel"
                                          << "non"
                                          << "copie modifiée" << 0.9 << 1.01;
        QTest::newRow("autre exercice") << "d_budget.trajel"
                                        << "non"
                                        << "copie conforme ; autre exercice" << 1.03 << 2.0;
        QTest::newRow("illisible") << "e_illisible.trajel"
                                   << "-"
                                   << "n'est pas une leçon Trajel" << 0.0 << 0.0;
        QTest::newRow("leçon simple") << "f_simple.trajel"
                                      << "-"
                                      << "Leçon sans exercice" << 0.0 << 0.0;
        QTest::newRow("exercice non rendu") << "g_non_rendu.trajel"
                                            << "-"
                                            << "Exercice non rendu" << 0.0 << 0.0;
    }
    void comparaison() {
        QFETCH(QString, fichier);
        QFETCH(QString, atteint);
        QFETCH(QString, copie);
        QFETCH(double, rapport_min);
        QFETCH(double, rapport_max);
        QTemporaryDir d;
        const QStringList chemins = ecrire_copies(d);
        fenetre_de_test f;
        auto* comparateur = f.fenetre->findChild<comparateur_copies*>("comparateur_copies");
        comparateur->choisir_copies = [&](const QString&) { return chemins; };
        f.controle<QAction>("menu_comparer_copies")->trigger();
        auto* table = f.controle<QTableWidget>("table_copies");
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), static_cast<int>(chemins.size()));
        capturer(table->window(), QStringLiteral("comparaison_copies"));
        int ligne = -1;
        for (int r = 0; r < table->rowCount(); ++r) {
            ligne = table->item(r, 0)->text() == fichier ? r : ligne;
        }
        QVERIFY(ligne >= 0);
        QCOMPARE(table->item(ligne, 1)->text(), atteint);
        QVERIFY2(table->item(ligne, 5)->text().contains(copie),
                 qPrintable(table->item(ligne, 5)->text()));
        const copie_comparee& c = comparateur->fenetre()->copies()[static_cast<std::size_t>(
            table->item(ligne, 0)->data(Qt::UserRole + 1).toInt())];
        QCOMPARE(c.correction.score.rapport.has_value(), rapport_min > 0.0);
        if (rapport_min > 0.0) {
            const double r = *c.correction.score.rapport;
            QVERIFY2(r >= rapport_min && r <= rapport_max, qPrintable(QString::number(r)));
            QCOMPARE(table->item(ligne, 3)->text(), nombre_fr(r));
            qInfo("%s : %s, Δv %s km/s, rapport %s, %s tirs, %s", qPrintable(fichier),
                  qPrintable(atteint), qPrintable(table->item(ligne, 2)->text()),
                  qPrintable(table->item(ligne, 3)->text()),
                  qPrintable(table->item(ligne, 4)->text()),
                  qPrintable(table->item(ligne, 5)->text()));
        }
        // The reasons in the tooltip of an edited copy.
        QCOMPARE(table->item(ligne, 5)->toolTip().contains("ne mène pas"),
                 copie == "copie modifiée");
    }

    // Sorted by the Δv spent: the assistant's plan first, the unread files last; the CSV
    // in the journal's spreadsheet form, in the order shown.
    void tri_et_csv() {
        QTemporaryDir d;
        const QStringList chemins = ecrire_copies(d);
        fenetre_de_test f;
        auto* comparateur = f.fenetre->findChild<comparateur_copies*>("comparateur_copies");
        comparateur->choisir_copies = [&](const QString&) { return chemins; };
        f.controle<QAction>("menu_comparer_copies")->trigger();
        auto* table = f.controle<QTableWidget>("table_copies");
        table->sortByColumn(2, Qt::AscendingOrder);
        QCOMPARE(table->item(0, 0)->text(), QString("c_retouche.trajel"));
        QCOMPARE(table->item(1, 0)->text(), QString("a_optimal.trajel"));
        QCOMPARE(table->item(table->rowCount() - 1, 2)->text(), QString("-"));

        const QString csv = d.filePath("copies.csv");
        comparateur->fenetre()->choisir_fichier = [&](const QString&) { return csv; };
        QTest::mouseClick(f.controle<QPushButton>("bouton_exporter_copies"), Qt::LeftButton);
        QFile lu(csv);
        QVERIFY(lu.open(QIODevice::ReadOnly));
        const QByteArray octets = lu.readAll();
        QVERIFY(octets.startsWith("\xEF\xBB\xBF"));
        const QStringList lignes = QString::fromUtf8(octets.mid(3)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), chemins.size() + 1);
        QCOMPARE(lignes[0], QString("fichier;atteint;Δv dépensé (km/s);rapport à l'optimum;tirs;"
                                    "copie;raisons"));
        const QStringList premiere = lignes[1].split(';');
        QCOMPARE(premiere[0], QString("c_retouche.trajel"));
        QCOMPARE(premiere[5], QString("copie modifiée"));
        QVERIFY2(premiere[6].contains("ne mène pas"), qPrintable(premiere[6]));
        const QRegularExpression decimal("^\\d+,\\d+$");
        QVERIFY2(decimal.match(premiere[2]).hasMatch(), qPrintable(premiere[2]));
        QVERIFY2(decimal.match(premiere[3]).hasMatch(), qPrintable(premiere[3]));
        QCOMPARE(premiere[4], QString("2"));
        QCOMPARE(lignes.last().split(';')[2], QString("-"));
    }

private:
    // The copies compared: two honest, one edited, one of another exercice (a budget
    // set), an unreadable file, a plain lesson and an exercise not handed in.
    static QStringList ecrire_copies(const QTemporaryDir& d) {
        static const lecon budget = copie_gto(false, 2.1);
        lecon simple = copie(true);
        simple.exercice.reset();
        lecon non_rendu = copie(true);
        non_rendu.exercice->score.reset();
        return {ecrire(d, "a_optimal.trajel", ecrire_lecon(copie(true))),
                ecrire(d, "b_inverse.trajel", ecrire_lecon(copie(false))),
                ecrire(d, "c_retouche.trajel", retoucher(copie(true), "duree")),
                ecrire(d, "d_budget.trajel", ecrire_lecon(budget)),
                ecrire(d, "e_illisible.trajel", "{\"format\": \"trajel-le"),
                ecrire(d, "f_simple.trajel", ecrire_lecon(simple)),
                ecrire(d, "g_non_rendu.trajel", ecrire_lecon(non_rendu))};
    }
};

TRAJEL_TEST(TestExerciceCorrection);
#include "test_exercice_correction.moc"
