// The lesson's tools through the real main window: the "Outils" items, the orbit's
// readout, the manoeuvre assistant and its Hohmann transfer carried out by "Tir !", the
// satellite's animation; and the French number format of the readouts.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/outils_manoeuvre.h"
#include "ui/application/composition.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/outils/animation.h"
#include "ui/outils/assistant_manoeuvre.h"
#include "ui/outils/fenetre_caracteristiques.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <random>

using namespace trajel;
using namespace trajel::test;

namespace {

constexpr double pi_programme = 3.141592658;
const QString espace_fine = QString(QChar(0x202F));

QAction* action(const fenetre_de_test& f, const char* nom) {
    auto* a = f.fenetre->findChild<QAction*>(QString::fromLatin1(nom));
    if (a == nullptr) {
        qFatal("no action named %s", nom);
    }
    return a;
}

outils_lecon& outils(const fenetre_de_test& f) {
    return *f.fenetre->findChild<outils_lecon*>(QStringLiteral("outils_lecon"));
}

// The value of the readout's row `nom` in the group that begins with `groupe` (column
// 1, or 2 for the impulse's); the group's own when `nom` is empty.
QString lu(const fenetre_de_test& f, const QString& groupe, const QString& nom, int colonne = 1) {
    auto* arbre = f.controle<QTreeWidget>("arbre_caracteristiques");
    for (int i = 0; i < arbre->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* g = arbre->topLevelItem(i);
        if (!g->text(0).startsWith(groupe)) {
            continue;
        }
        if (nom.isEmpty()) {
            return g->text(colonne);
        }
        for (int j = 0; j < g->childCount(); ++j) {
            if (g->child(j)->text(0) == nom) {
                return g->child(j)->text(colonne);
            }
        }
    }
    qFatal("no row %s / %s", qPrintable(groupe), qPrintable(nom));
}

double nombre(const fenetre_de_test& f, const char* boite) {
    return Val(f.texte(boite)->text().toStdString());
}

// Everything a refusal of the assistant must leave as it was.
struct etat_vu {
    QStringList textes;
    QList<bool> options;
    std::vector<element_affichage> image;
    double anomalie;
    bool operator==(const etat_vu&) const = default;
};

etat_vu etat_de(const fenetre_de_test& f) {
    etat_vu e;
    for (int i = 1; i <= 13; ++i) {
        e.textes << f.texte(qPrintable(QStringLiteral("Text%1").arg(i)))->text();
    }
    for (const char* o :
         {"Option_circulaire", "Option_elliptique", "Option_parabolique", "Option_hyperbolique"}) {
        e.options << f.option(o)->isChecked();
    }
    e.image = f.image()->elements_affiches();
    e.anomalie = traj.anomalie;
    return e;
}

// Every text a tree shows, row by row, column by column.
void textes_de(const QTreeWidgetItem* item, QStringList& textes) {
    for (int c = 0; c < item->columnCount(); ++c) {
        textes << item->text(c);
    }
    for (int i = 0; i < item->childCount(); ++i) {
        textes_de(item->child(i), textes);
    }
}

// What the assistant shows: its message, its plan and its results.
QStringList textes_assistant(const fenetre_de_test& f) {
    QStringList textes{f.controle<QLabel>("message_assistant")->text()};
    for (const char* nom : {"plan_manoeuvre", "resultats_manoeuvre"}) {
        textes_de(f.controle<QTreeWidget>(nom)->invisibleRootItem(), textes);
    }
    return textes;
}

// The correction's iterations as the assistant shows them, into the test's log.
void journal_ciblage(const fenetre_de_test& f, const QString& titre) {
    auto* arbre = f.controle<QTreeWidget>("ciblage_tir");
    qInfo().noquote() << titre;
    QStringList entetes;
    for (int c = 0; c < arbre->columnCount(); ++c) {
        entetes << arbre->headerItem()->text(c);
    }
    qInfo().noquote() << "  " << entetes.join(" | ");
    for (int i = 0; i < arbre->topLevelItemCount(); ++i) {
        QStringList textes;
        for (int c = 0; c < arbre->columnCount(); ++c) {
            textes << arbre->topLevelItem(i)->text(c);
        }
        qInfo().noquote() << "  " << textes.join(" | ");
    }
    qInfo().noquote() << "  " << f.controle<QLabel>("orbite_prevue")->text();
}

// The results of burn `numero`: the orbit predicted is the one obtained, digit for digit.
void verifier_prevue_obtenue(const fenetre_de_test& f, int numero) {
    auto* arbre = f.controle<QTreeWidget>("resultats_manoeuvre");
    QVERIFY(arbre->topLevelItemCount() >= numero);
    const QTreeWidgetItem* g = arbre->topLevelItem(numero - 1);
    for (int j = 0; j < 3; ++j) {
        QVERIFY(g->child(j)->text(2) != "-");
        QCOMPARE(g->child(j)->text(2), g->child(j)->text(3));
    }
}

void tirer(const fenetre_de_test& f) {
    QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
}

} // namespace

class TestOutilsLecon : public QObject {
    Q_OBJECT
private slots:
    void init() { dernier_tir.reset(); }

    // One block of items in "Outils", with their shortcuts; the time acceleration by
    // default makes one revolution of the start-up orbit in 20 s.
    void menu() {
        fenetre_de_test f;
        auto* outils_menu = f.fenetre->findChild<QMenu*>(QStringLiteral("menu_outils"));
        QStringList noms;
        for (QAction* a : outils_menu->actions()) {
            noms << a->objectName();
        }
        const qsizetype debut = noms.indexOf("menu_caracteristiques");
        QVERIFY(debut >= 0);
        QCOMPARE(noms.mid(debut, 4),
                 (QStringList{"menu_caracteristiques", "menu_assistant_manoeuvre",
                              "menu_animer_satellite", "menu_acceleration"}));
        QCOMPARE(action(f, "menu_caracteristiques")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(action(f, "menu_assistant_manoeuvre")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_M));
        QVERIFY(action(f, "menu_animer_satellite")->isCheckable());
        QVERIFY(action(f, "menu_animer_satellite")->text().endsWith("\tEspace"));
        QVERIFY(action(f, "acceleration_defaut")->isChecked());
        const double T0 = 2 * pi_programme * std::sqrt(std::pow(4768.0, 3) / 398603.0);
        PROCHE(animation_satellite::acceleration_par_defaut(), T0 / 20, 1e-9);
        action(f, "acceleration_1000")->trigger();
        QCOMPARE(outils(f).animation().acceleration(), 1000.0);
        QVERIFY(!action(f, "acceleration_defaut")->isChecked());
    }

    // With the tools in the window, the start-up picture is the design's, element for
    // element: the one the fake window draws.
    void image_de_demarrage() {
        std::vector<element_affichage> attendue;
        {
            module_de_test m;
            rafraichissement_complet();
            attendue = m.fenetre.image.elements();
        }
        fenetre_de_test f;
        QCOMPARE(f.image()->elements_affiches().size(), std::size_t(700));
        QVERIFY(f.image()->elements_affiches() == attendue);
    }

    // F2 opens the readout beside the window; it follows a typed value and a burn.
    void caracteristiques() {
        fenetre_de_test f;
        f.fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
        QTest::keyClick(f.fenetre.get(), Qt::Key_F2);
        auto* fenetre = f.fenetre->findChild<fenetre_caracteristiques*>();
        QVERIFY(fenetre != nullptr && fenetre->isVisible());
        QCOMPARE(fenetre->objectName(), QString("fenetre_caracteristiques"));
        QVERIFY(!fenetre->isModal());

        const double T = 2 * pi_programme * std::sqrt(std::pow(4768.0, 3) / 398603.0);
        QCOMPARE(lu(f, "Orbite", "Conique"), QString("ellipse"));
        QCOMPARE(lu(f, "Orbite", "Altitude de l'apoastre"),
                 "2" + espace_fine + "000" + espace_fine + "km");
        QCOMPARE(lu(f, "Orbite", "Période"), duree_fr(T) + " (" + valeur_fr(T, "s") + ")");
        QVERIFY(lu(f, "Orbite", "Période").startsWith("54 min 36,"));
        QCOMPARE(lu(f, "Orbite", "Excentricité e"), QString("0,178272"));
        QCOMPARE(lu(f, "Dernier tir", ""), QString("aucun tir effectué"));

        f.taper("Text2", "500");
        QCOMPARE(lu(f, "Orbite", "Altitude du périastre"), "500" + espace_fine + "km");

        f.coller("Text8", "100");
        tirer(f);
        QVERIFY(f.rapports.empty());
        const double mf = nombre(f, "Text6");
        // The delta-v the orbit gained, once in km/s: the program's engine gives it
        // Isp 9.81 ln(m0 / mf) km/s. Its thrust is 1000 times stronger than in SI, and a
        // real engine of this Isp burns far more for the same delta-v (Tsiolkovsky).
        const double dv = 100 * 9.81 * std::log(1000 / mf);
        QCOMPARE(lu(f, "Dernier tir", "Δv"), valeur_fr(dv, "km/s"));
        QCOMPARE(lu(f, "Dernier tir", "Poussée équivalente en SI"), "100" + espace_fine + "kN");
        const double ergols = 1000 * (1 - std::exp(-dv * 1000 / (100 * 9.80665)));
        QVERIFY(ergols > 10 * (1000 - mf));
        QCOMPARE(lu(f, "Dernier tir", "Ergols d'un vrai moteur de même Isp"),
                 valeur_fr(ergols, "kg"));
        QCOMPARE(lu(f, "Dernier tir", "Nombre de pas"), QString("100"));
        QVERIFY(lu(f, "Erreur", "Erreur estimée du tir (Richardson)").endsWith("km"));
        // The orbit the finite burn gave beside the one of its impulse.
        QCOMPARE(lu(f, "Tir fini", "Conique", 1), QString("ellipse"));
        QCOMPARE(lu(f, "Tir fini", "Conique", 2), QString("ellipse"));

        // A hyperbola has no period; nothing reads NaN or infinity.
        f.option("Option_hyperbolique")->click();
        QCOMPARE(lu(f, "Orbite", "Période"), QString("-"));
        QCOMPARE(lu(f, "Orbite", "Conique"), QString("hyperbole"));
        QVERIFY(lu(f, "Orbite", "Vitesse à l'infini v∞").endsWith("km/s"));
        const QString texte = fenetre->texte();
        for (const QString& ligne : texte.split('\n')) {
            const QString valeurs = ligne.section('\t', 1);
            QVERIFY2(!valeurs.contains("nan", Qt::CaseInsensitive) &&
                         !valeurs.contains("inf", Qt::CaseInsensitive),
                     qPrintable(ligne));
        }

        QTest::mouseClick(f.controle<QPushButton>("bouton_copier"), Qt::LeftButton);
        const QString copie = QApplication::clipboard()->text();
        QCOMPARE(copie, texte);
        QVERIFY(copie.contains("\nPériode\t-\n"));
        // The orbit is now a hyperbola: the burn was made on an earlier one.
        QVERIFY(copie.contains("\nDernier tir\tsur une orbite précédente\n"));
    }

    // A satellite at 180 degrees on a parabola is nowhere: its figures show "-"; at 150
    // it is on the drawn branch and has its time.
    void caracteristiques_indefinies() {
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        f.option("Option_parabolique")->click();
        f.coller("Text7", "180");
        QCOMPARE(lu(f, "Satellite", "Temps depuis le périastre"), QString("-"));
        QCOMPARE(lu(f, "Satellite", "Vitesse"), QString("-"));
        f.coller("Text7", "150");
        QVERIFY(lu(f, "Satellite", "Vitesse") != QString("-"));
        QVERIFY(lu(f, "Satellite", "Temps depuis le périastre").endsWith("s)"));
    }

    // From "Orbite tir KOUROU / Circulaire": the Hohmann transfer to 36000 km at 200 N in
    // its two corrected burns, the plane turned to 0 degree, then a circularisation to
    // check, each prepared burn fired by "Tir !": the orbit predicted to the digits shown,
    // the target within 0.01 % in radius and 0.001 degree in inclination.
    void sequence_kourou_par_la_fenetre() {
        fenetre_de_test f;
        action(f, "menu_kourou_circulaire")->trigger();
        QVERIFY(f.option("Option_circulaire")->isChecked());
        action(f, "menu_assistant_manoeuvre")->trigger();
        auto* assistant = f.fenetre->findChild<assistant_manoeuvre*>();
        QVERIFY(assistant->isVisible() && !assistant->isModal());
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(0);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(36000);
        f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(200);
        QVERIFY(f.controle<QDoubleSpinBox>("poussee_choisie")
                    ->toolTip()
                    .contains(explication_convention_poussee()));
        auto* preparer = f.controle<QPushButton>("bouton_preparer");
        const double rc = 36000 + 3618;

        // Burn 1 starts where the satellite stands, on the circle of 3818 km.
        QTest::mouseClick(preparer, Qt::LeftButton);
        journal_ciblage(f, "Hohmann, tir 1");
        QVERIFY(f.controle<QLabel>("message_assistant")->text().startsWith("Tir 1 préparé"));
        QCOMPARE(f.texte("Text7")->text(), QString(" 25"));
        QVERIFY(std::abs(nombre(f, "Text9")) < 1e-3); // almost along the motion
        QCOMPARE(f.texte("Text10")->text(), QString(" 0"));
        QCOMPARE(nombre(f, "Text12"), std::ceil(nombre(f, "Text11")));
        tirer(f);
        QVERIFY(f.rapports.empty());
        QVERIFY(std::abs(traj.za + 3618 - rc) <= 1e-4 * rc);
        verifier_prevue_obtenue(f, 1);

        // Burn 2, about half a burn before the new apoapsis: the circle.
        QTest::mouseClick(preparer, Qt::LeftButton);
        journal_ciblage(f, "Hohmann, tir 2");
        const double anomalie = nombre(f, "Text7");
        QVERIFY(anomalie > 170 && anomalie < 180);
        tirer(f);
        QVERIFY(f.rapports.empty());
        QVERIFY(std::abs(traj.zp + 3618 - rc) <= 1e-4 * rc);
        QVERIFY(std::abs(traj.za + 3618 - rc) <= 1e-4 * rc);
        verifier_prevue_obtenue(f, 2);
        QCOMPARE(f.controle<QTreeWidget>("resultats_manoeuvre")->topLevelItemCount(), 2);
        QVERIFY(!preparer->isEnabled());
        QVERIFY(f.controle<QLabel>("message_assistant")->text().startsWith("Manœuvre terminée"));

        // The plane turned from 7 to 0 degree, both apsides kept.
        const double zp = traj.zp;
        const double za = traj.za;
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(3);
        f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(0);
        QTest::mouseClick(preparer, Qt::LeftButton);
        journal_ciblage(f, "Changement de plan vers 0°");
        tirer(f);
        QVERIFY(f.rapports.empty());
        QVERIFY(std::abs(traj.inclinaison) <= 1e-3);
        QVERIFY(std::abs(traj.zp - zp) <= 1e-4 * (zp + 3618));
        QVERIFY(std::abs(traj.za - za) <= 1e-4 * (za + 3618));
        verifier_prevue_obtenue(f, 1);

        // The check: a circularisation at the apoapsis has nothing left to do, the circle
        // of 36000 km being reached within the tolerances; no plan, nothing to prepare.
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(1);
        f.controle<QComboBox>("apside_tir")->setCurrentIndex(0);
        QVERIFY(
            f.controle<QLabel>("message_assistant")->text().startsWith("Orbite visée atteinte"));
        QVERIFY(!preparer->isEnabled());
        QCOMPARE(f.controle<QTreeWidget>("plan_manoeuvre")->topLevelItemCount(), 0);
        QVERIFY(std::abs(traj.zp + 3618 - rc) <= 1e-4 * rc);
        QVERIFY(std::abs((traj.type_conique == circulaire ? traj.zp : traj.za) + 3618 - rc) <=
                1e-4 * rc);
        QVERIFY(std::abs(traj.inclinaison) <= 1e-3);
        qInfo("Kourou par la fenêtre : Zp %.4f km, Za %.4f km, i %.7f°", traj.zp, traj.za,
              traj.inclinaison);
    }

    // One manoeuvre through the window from a preset or typed orbit: the prepared burn
    // fired meets its target.
    void un_tir_par_la_fenetre_data() {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<int>("manoeuvre");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<double>("za_visee");
        QTest::addColumn<double>("zp_visee");
        QTest::newRow("GTO Ariane V, circularisation à l'apoastre")
            << "menu_GTO_V" << 1 << 7.0 << 36000.0 << 36000.0;
        QTest::newRow("orbite équatoriale inclinée à 10°")
            << "Text4=0" << 3 << 10.0 << 2000.0 << 300.0;
    }
    void un_tir_par_la_fenetre() {
        QFETCH(QString, depart);
        QFETCH(int, manoeuvre);
        QFETCH(double, inclinaison);
        QFETCH(double, za_visee);
        QFETCH(double, zp_visee);
        fenetre_de_test f;
        if (depart.startsWith("menu")) {
            action(f, qPrintable(depart))->trigger();
        } else {
            f.coller(qPrintable(depart.section('=', 0, 0)), depart.section('=', 1));
            f.valider(qPrintable(depart.section('=', 0, 0)));
        }
        action(f, "menu_assistant_manoeuvre")->trigger();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(manoeuvre);
        f.controle<QComboBox>("apside_tir")->setCurrentIndex(0);
        f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(inclinaison);
        f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(200);
        QTest::mouseClick(f.controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
        journal_ciblage(f, QTest::currentDataTag());
        QVERIFY(f.controle<QLabel>("message_assistant")->text().startsWith("Tir 1 préparé"));
        tirer(f);
        QVERIFY(f.rapports.empty());
        verifier_prevue_obtenue(f, 1);
        QVERIFY(std::abs(traj.inclinaison - inclinaison) <= 1e-3);
        const double za = traj.type_conique == circulaire ? traj.zp : traj.za;
        QVERIFY2(std::abs(za - za_visee) <= 1e-4 * (za_visee + 3618),
                 qPrintable(QString::number(za)));
        QVERIFY2(std::abs(traj.zp - zp_visee) <= 1e-4 * (zp_visee + 3618),
                 qPrintable(QString::number(traj.zp)));
    }

    // A correction that cannot converge says so in French, shows the impulsive first
    // guess marked as such, and writes nothing into the window.
    void non_converge_par_la_fenetre_data() {
        QTest::addColumn<QString>("saisies");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("poussee");
        QTest::addColumn<QString>("raison");
        QTest::newRow("poussée trop faible pour un tir court")
            << "" << 36000.0 << 2.0 << "plus du quart de la période";
        QTest::newRow("au-delà de 32766 pas d'une seconde")
            << "100000" << 200000.0 << 0.005 << "plus que 32766 pas";
    }
    void non_converge_par_la_fenetre() {
        QFETCH(QString, saisies);
        QFETCH(double, altitude);
        QFETCH(double, poussee);
        QFETCH(QString, raison);
        fenetre_de_test f;
        action(f, "menu_kourou_circulaire")->trigger();
        if (!saisies.isEmpty()) {
            f.coller("Text2", saisies);
            f.valider("Text2");
        }
        action(f, "menu_assistant_manoeuvre")->trigger();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(0);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(altitude);
        f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(poussee);
        const etat_vu avant = etat_de(f);
        QTest::mouseClick(f.controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
        const QString message = f.controle<QLabel>("message_assistant")->text();
        QVERIFY2(message.startsWith("Correction du tir non convergée : ") &&
                     message.contains(raison) && message.contains("non corrigée"),
                 qPrintable(message));
        auto* ciblage = f.controle<QTreeWidget>("ciblage_tir");
        QVERIFY(ciblage->isVisible());
        QCOMPARE(ciblage->topLevelItem(ciblage->topLevelItemCount() - 1)->text(0),
                 QString("Estimation impulsionnelle (non corrigée)"));
        QVERIFY(etat_de(f) == avant);
        QVERIFY(f.rapports.empty());
    }

    // What cannot be planned is refused with its reason, and nothing changes.
    void refus_data() {
        QTest::addColumn<QString>("saisies");
        QTest::addColumn<int>("manoeuvre");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<QString>("raison");
        QTest::newRow("hyperbole pour un Hohmann")
            << "Option_hyperbolique" << 0 << 36000.0 << "hyperbole";
        QTest::newRow("cercle dans la Terre") << "" << 0 << -100.0 << "dans la Terre";
        QTest::newRow("équatoriale, même inclinaison") << "Text4=0" << 3 << 0.0 << "déjà";
        QTest::newRow("toute la masse") << "Text13=0.0001" << 0 << 36000.0 << "toute la masse";
    }
    void refus() {
        QFETCH(QString, saisies);
        QFETCH(int, manoeuvre);
        QFETCH(double, altitude);
        QFETCH(QString, raison);
        fenetre_de_test f;
        if (saisies.startsWith("Option")) {
            f.option(qPrintable(saisies))->click();
        } else if (!saisies.isEmpty()) {
            f.coller(qPrintable(saisies.section('=', 0, 0)), saisies.section('=', 1));
            f.valider(qPrintable(saisies.section('=', 0, 0)));
        }
        action(f, "menu_assistant_manoeuvre")->trigger();
        auto* assistant = f.fenetre->findChild<assistant_manoeuvre*>();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(manoeuvre);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(altitude);
        const etat_vu avant = etat_de(f);
        QTest::mouseClick(f.controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
        assistant->preparer(); // even when the button is not enabled
        const QString message = f.controle<QLabel>("message_assistant")->text();
        QVERIFY2(message.startsWith("Manœuvre impossible : ") && message.contains(raison),
                 qPrintable(message));
        QVERIFY(etat_de(f) == avant);
        QVERIFY(f.rapports.empty());
    }

    // A refused burn changes nothing, the tool windows included: "0" typed in the mass
    // box (which has no handler), then "Tir !": the assistant's plan and message and the
    // readout stay as they were. A burn that completes updates both.
    void tir_refuse_laisse_les_outils() {
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        action(f, "menu_assistant_manoeuvre")->trigger();
        const auto* lecture = f.fenetre->findChild<fenetre_caracteristiques*>();
        QVERIFY(lecture->isVisible());
        QVERIFY(f.fenetre->findChild<assistant_manoeuvre*>()->isVisible());
        const QStringList assistant = textes_assistant(f);
        const QString lu_avant = lecture->texte();
        QVERIFY(assistant.first().startsWith("« Préparer le tir » écrit le tir 1 sur 2"));

        f.taper("Text6", "0");
        tirer(f);
        QCOMPARE(int(f.rapports.size()), 1);
        QCOMPARE(int(f.rapports.front().nature()), int(nature_erreur::tir_refuse));
        QVERIFY(f.rapports.front().what() == std::string("Tir impossible : la masse du satellite "
                                                         "doit être strictement positive."));
        QCOMPARE(textes_assistant(f), assistant);
        QCOMPARE(lecture->texte(), lu_avant);

        f.taper("Text6", "1000");
        f.coller("Text8", "100");
        tirer(f);
        QCOMPARE(int(f.rapports.size()), 1);
        QVERIFY(textes_assistant(f) != assistant);
        QVERIFY(lecture->texte() != lu_avant);
        QCOMPARE(lu(f, "Dernier tir", "Nombre de pas"), QString("100"));
        QCOMPARE(lu(f, "Orbite", "Altitude du périastre"),
                 valeur_fr(Val(f.texte("Text2")->text().toStdString()), "km"));
    }

    // A frame moves the satellite by Kepler's equation at the time acceleration and
    // writes the anomaly as the program writes it; a closed orbit wraps into [0, 360).
    void animation_kepler() {
        fenetre_de_test f;
        animation_satellite& a = outils(f).animation();
        action(f, "menu_animer_satellite")->trigger();
        QVERIFY(a.en_cours());
        QVERIFY(action(f, "menu_animer_satellite")->isChecked());
        QVERIFY(a.avancer(1.0));
        const double dt = animation_satellite::acceleration_par_defaut();
        const double e = 1700.0 / 9536.0;
        double nu = anomalie_kepler(e, 4768.0, 25 * pi_programme / 180, dt) * 180 / pi_programme;
        nu = nu < 0 ? nu + 360 : nu;
        PROCHE(nombre(f, "Text7"), nu, 1e-9);
        QCOMPARE(f.texte("Text7")->text().toStdString(), Str(nombre(f, "Text7")));
        PROCHE(traj.anomalie, nombre(f, "Text7"), 0.0);
        for (int i = 0; i < 25; ++i) {
            QVERIFY(a.avancer(1.0));
            QVERIFY(nombre(f, "Text7") >= 0 && nombre(f, "Text7") < 360);
        }
        QVERIFY(f.rapports.empty());
        action(f, "menu_animer_satellite")->trigger(); // chosen again: stops
        QVERIFY(!a.en_cours());
        QVERIFY(!a.avancer(1.0));
    }

    // Any key, click or wheel of the user stops it; Space on the picture starts and
    // stops it; the last anomaly stays in Text7.
    void animation_arretee_par_l_utilisateur() {
        fenetre_de_test f;
        animation_satellite& a = outils(f).animation();
        QAction* animer = action(f, "menu_animer_satellite");
        Picture1* image = f.image();
        QCOMPARE(image->focusPolicy(), Qt::ClickFocus);
        f.fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.fenetre.get()));
        image->setFocus();
        QTest::keyClick(image, Qt::Key_Space);
        QVERIFY(a.en_cours());
        a.avancer(0.5);
        QTest::keyClick(image, Qt::Key_Space);
        QVERIFY(!a.en_cours() && !animer->isChecked());

        animer->trigger();
        a.avancer(0.5);
        const QString derniere = f.texte("Text7")->text();
        QTest::mouseClick(f.texte("Text2"), Qt::LeftButton);
        QVERIFY(!a.en_cours() && !animer->isChecked());
        QCOMPARE(f.texte("Text7")->text(), derniere);

        animer->trigger();
        QTest::keyClick(f.texte("Text3"), Qt::Key_Home);
        QVERIFY(!a.en_cours());

        animer->trigger();
        QWheelEvent molette(QPointF(10, 10), image->mapToGlobal(QPointF(10, 10)), QPoint(),
                            QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(image, &molette);
        QVERIFY(!a.en_cours());

        // Opening the menu bar does not.
        animer->trigger();
        QTest::mouseClick(f.fenetre->menuBar(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(a.en_cours());
        a.arreter();
    }

    // An open conic is followed to the end of its drawn range, where the animation
    // stops; started at that end it goes back to the beginning.
    void animation_conique_ouverte() {
        fenetre_de_test f;
        f.option("Option_hyperbolique")->click(); // Phi 45: drawn from -115 to 115
        f.coller("Text7", "0");
        animation_satellite& a = outils(f).animation();
        a.demarrer();
        QVERIFY(a.avancer(0.1));
        QVERIFY(nombre(f, "Text7") > 0 && nombre(f, "Text7") < 115);
        QVERIFY(!a.avancer(1e6));
        QCOMPARE(f.texte("Text7")->text(), QString(" 115"));
        QVERIFY(!a.en_cours());
        // Why it stopped, on the strip; no error, no box framed.
        QVERIFY(f.bandeau()->isVisibleTo(f.fenetre.get()));
        QVERIFY(f.bandeau()->text().contains(QStringLiteral("fin de l'arc tracé")));
        QVERIFY(f.texte("Text7")->styleSheet().isEmpty());
        QVERIFY(!action(f, "menu_animer_satellite")->isChecked());
        a.demarrer();
        QCOMPARE(f.texte("Text7")->text(), QString("-115"));
        QVERIFY(!f.bandeau()->isVisibleTo(f.fenetre.get())); // gone with the next redraw
        QVERIFY(a.avancer(0.1));
        QVERIFY(nombre(f, "Text7") > -115);
        a.arreter();
        QVERIFY(f.rapports.empty());
    }

    // Random inputs with the readout and the assistant open, and animation frames:
    // never a NaN or an infinity shown, nothing raised out of the tools, and the
    // readout's conic always the one of traj.
    void lecture_au_hasard() {
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        action(f, "menu_assistant_manoeuvre")->trigger();
        auto* lecture = f.fenetre->findChild<fenetre_caracteristiques*>();
        auto* assistant = f.fenetre->findChild<assistant_manoeuvre*>();
        std::mt19937 hasard(20261207);
        auto entier = [&](int a, int b) {
            return std::uniform_int_distribution<int>(a, b)(hasard);
        };
        const char* boites[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text7", "Text8"};
        const char* types[] = {"Option_circulaire", "Option_elliptique", "Option_parabolique",
                               "Option_hyperbolique"};
        const char* textes[] = {"0",     "-3618", "1E308", "abc",  "89.99", "90",  "45",
                                "179.9", "200",   "36000", "-200", "1E-9",  "360", "-7236"};
        const QMap<std::string, QString> formes = {{"circulaire", "cercle"},
                                                   {"elliptique", "ellipse"},
                                                   {"parabolique", "parabole"},
                                                   {"hyperbolique", "hyperbole"}};
        for (int n = 0; n < 300; ++n) {
            switch (entier(0, 5)) {
            case 0:
                f.option(types[entier(0, 3)])->click();
                break;
            case 1:
                f.controle<QPushButton>("cmd_tir")->click();
                break;
            case 2:
                outils(f).animation().demarrer();
                outils(f).animation().avancer(entier(1, 50) / 10.0);
                outils(f).animation().arreter();
                break;
            case 3:
                f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(entier(0, 3));
                assistant->preparer();
                break;
            default:
                f.coller(boites[entier(0, 6)], textes[entier(0, std::size(textes) - 1)]);
            }
            for (const QString& ligne : lecture->texte().split('\n')) {
                const QString valeurs = ligne.section('\t', 1);
                QVERIFY2(!valeurs.contains("nan", Qt::CaseInsensitive) &&
                             !valeurs.contains("inf", Qt::CaseInsensitive),
                         qPrintable(QString("action %1: %2").arg(n).arg(ligne)));
            }
            const QString conique = lu(f, "Orbite", "Conique");
            QVERIFY2(conique == "-" || conique == formes.value(traj.type_conique) ||
                         (conique == "cercle" && traj.type_conique == "elliptique"),
                     qPrintable(QString("action %1: %2 for %3")
                                    .arg(n)
                                    .arg(conique, QString::fromStdString(traj.type_conique))));
        }
    }

    // The frames come from the program's only timer, about 30 a second.
    void animation_minuterie() {
        fenetre_de_test f;
        const int minuteries = f.fenetre->findChildren<QTimer*>().size();
        QCOMPARE(minuteries, 1);
        QCOMPARE(f.fenetre->findChild<QTimer*>()->interval(), 33);
        const QString avant = f.texte("Text7")->text();
        action(f, "menu_animer_satellite")->trigger();
        QTest::qWait(250);
        QVERIFY(f.texte("Text7")->text() != avant);
        outils(f).animation().arreter();
    }
};
TRAJEL_TEST(TestOutilsLecon);

class TestFormatFr : public QObject {
    Q_OBJECT
private slots:
    void nombres_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("texte");
        const QString g = espace_fine;
        QTest::newRow("39618") << 39618.0 << "39" + g + "618";
        QTest::newRow("excentricité") << 1700.0 / 9536.0 << "0,178272";
        QTest::newRow("négatif") << -41.8 << "-41,8";
        QTest::newRow("zéros finaux") << 7.0 << "7";
        QTest::newRow("zéro") << 0.0 << "0";
        QTest::newRow("arrondi qui change de rang") << 99999.96 << "100" + g + "000";
        QTest::newRow("arrondi au million") << 999999.6 << "1 × 10⁶";
        QTest::newRow("juste sous le million") << 999999.4 << "999" + g + "999";
        QTest::newRow("million") << 1234567.0 << "1,23457 × 10⁶";
        QTest::newRow("petit") << 0.000012345 << "1,2345 × 10⁻⁵";
        QTest::newRow("mantisse arrondie à 10") << 9.999996e-5 << "1 × 10⁻⁴";
        QTest::newRow("millième") << 0.001 << "0,001";
        QTest::newRow("NaN") << std::nan("") << "-";
    }
    void nombres() {
        QFETCH(double, x);
        QFETCH(QString, texte);
        QCOMPARE(nombre_fr(x), texte);
    }

    void durees_data() {
        QTest::addColumn<double>("s");
        QTest::addColumn<QString>("texte");
        QTest::newRow("secondes") << 26.5514 << "26,55 s";
        QTest::newRow("période de départ") << 3276.54 << "54 min 36,5 s";
        QTest::newRow("retenue des dixièmes") << 3599.96 << "1 h 0 min 0 s";
        QTest::newRow("heures") << 15926.0 << "4 h 25 min 26 s";
        QTest::newRow("jours") << 90061.0 << "1 j 1 h 1 min";
        QTest::newRow("négative") << -125.0 << "-2 min 5 s";
    }
    void durees() {
        QFETCH(double, s);
        QFETCH(QString, texte);
        QCOMPARE(duree_fr(s), texte);
    }

    void sans_valeur() {
        QCOMPARE(duree_fr(std::nullopt), QString("-"));
        QCOMPARE(valeur_fr(std::nullopt, "km"), QString("-"));
        QCOMPARE(valeur_fr(3918.0, "km"), "3" + espace_fine + "918" + espace_fine + "km");
        QCOMPARE(valeur_fr(-41.8, "°"), QString("-41,8°"));
    }
};
TRAJEL_TEST(TestFormatFr);
#include "test_outils_lecon.moc"
