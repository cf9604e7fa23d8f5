// "Outils" > "Modèle de la Terre" through the real window: its two exclusive items, the
// change as one undoable step, the period of a circle and the geostationary ground track
// in each model, and the model kept by the lesson file.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "manoeuvre/lecture.h"
#include "manoeuvre/planificateur.h"
#include "ui/lecon/fichier_lecon.h"
#include "ui/outils/fenetre_trace_sol.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

namespace {

// |a - b| <= tolerance, both printed to 17 digits on failure.
#define PROCHE(a, b, tolerance)                                                                    \
    QVERIFY2(std::abs((a) - (b)) <= (tolerance),                                                   \
             qPrintable(QStringLiteral("%1 contre %2").arg(a, 0, 'g', 17).arg(b, 0, 'g', 17)))

QAction* action(const fenetre_de_test& f, const char* nom) {
    auto* a = f.fenetre->findChild<QAction*>(QString::fromLatin1(nom));
    if (a == nullptr) {
        qFatal("no action named %s", nom);
    }
    return a;
}

const modele_terre& modele_nomme(const QString& nom) {
    return nom == "reelle" ? terre_reelle : terre_du_programme;
}

// The model chosen through its menu item, as the teacher does.
void choisir(const fenetre_de_test& f, const QString& nom) {
    action(f, nom == "reelle" ? "modele_terre_reelle" : "modele_terre_programme")->trigger();
}

// An equatorial circle of altitude z typed into the window.
void cercle(const fenetre_de_test& f, double z) {
    saisir(f, QStringLiteral("Option_circulaire|Text4=0|Text2=%1").arg(z, 0, 'f', 6));
}

} // namespace

class TestModeleTerreFenetre : public QObject {
    Q_OBJECT
private slots:
    // The two items, exactly, exclusive; the program's Earth checked at start and the
    // scene computed around it; each choice changes the scene's model and its Earth.
    void menu_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("texte");
        QTest::newRow("réelle") << "reelle"
                                << "modele_terre_reelle"
                                << "Terre réelle (rayon 6378,137 km, mu 398600,4418 km³/s², "
                                   "poussée en unités SI)";
        QTest::newRow("programme") << "programme"
                                   << "modele_terre_programme"
                                   << "Terre du programme (rayon 3618 km)";
    }
    void menu() {
        QFETCH(QString, modele);
        QFETCH(QString, nom);
        QFETCH(QString, texte);
        fenetre_de_test f;
        auto* menu = f.fenetre->findChild<QMenu*>(QStringLiteral("menu_modele_terre"));
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->title(), QStringLiteral("&Modèle de la Terre"));
        QVERIFY(action(f, "modele_terre_programme")->isChecked());
        QVERIFY(!action(f, "modele_terre_reelle")->isChecked());
        QVERIFY(f.fenetre->scene().modele == terre_du_programme);
        QAction* a = action(f, qPrintable(nom));
        QCOMPARE(a->text(), texte);
        choisir(f, modele == "reelle" ? "programme" : "reelle");
        choisir(f, modele);
        QVERIFY(a->isChecked());
        QVERIFY(f.fenetre->scene().modele == modele_nomme(modele));
        QCOMPARE(action(f, "modele_terre_programme")->isChecked(), modele != "reelle");
        QCOMPARE(action(f, "modele_terre_reelle")->isChecked(), modele == "reelle");
        // The same periapsis altitude above the Earth of the model.
        const trajectoire& t = f.fenetre->scene().valeurs.traj;
        PROCHE(t.parametre / (1.0 + t.excentricite), modele_nomme(modele).rayon + t.zp, 1e-6);
        QVERIFY(f.rapports.empty());
    }

    // The change is one step of the lesson: undone, the program's Earth comes back with
    // its scene; redone, the real one.
    void annuler_le_modele() {
        fenetre_de_test f;
        const double parametre = f.fenetre->scene().valeurs.traj.parametre;
        choisir(f, "reelle");
        QVERIFY(f.fenetre->scene().modele == terre_reelle);
        QVERIFY(f.fenetre->scene().valeurs.traj.parametre != parametre);
        action(f, "menu_annuler")->trigger();
        QVERIFY(f.fenetre->scene().modele == terre_du_programme);
        QCOMPARE(f.fenetre->scene().valeurs.traj.parametre, parametre);
        QVERIFY(action(f, "modele_terre_programme")->isChecked());
        action(f, "menu_retablir")->trigger();
        QVERIFY(f.fenetre->scene().modele == terre_reelle);
        QVERIFY(action(f, "modele_terre_reelle")->isChecked());
    }

    // The period the readout reads, 2 pi (a^3 / mu)^0.5 with the model's pi, to 1e-9:
    // 92.56 min for the ISS's 400 km above the real Earth.
    void periode_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("minutes"); // to 0.01, or 0 when not stated
        QTest::newRow("ISS, Terre réelle") << "reelle" << 400.0 << 92.56;
        QTest::newRow("200 km, Terre réelle") << "reelle" << 200.0 << 88.49;
        QTest::newRow("400 km, Terre du programme") << "programme" << 400.0 << 0.0;
    }
    void periode() {
        QFETCH(QString, modele);
        QFETCH(double, altitude);
        QFETCH(double, minutes);
        fenetre_de_test f;
        choisir(f, modele);
        cercle(f, altitude);
        const instantane_scene s = f.fenetre->scene();
        const lecture_orbite l = lire_orbite(s.valeurs.traj, s.dernier_tir, s.modele);
        QVERIFY(l.orbite && l.orbite->periode);
        const modele_terre& m = modele_nomme(modele);
        const double a = m.rayon + altitude;
        const double attendue = 2.0 * m.pi * std::sqrt(a * a * a / m.mu);
        PROCHE(*l.orbite->periode / attendue, 1.0, 1e-9);
        if (minutes != 0.0) {
            PROCHE(std::round(*l.orbite->periode / 60.0 * 100.0) / 100.0, minutes, 1e-9);
        }
        PROCHE(l.satellite->altitude, altitude, 1e-6);
    }

    // The geostationary circle of each model: its ground track, over one revolution (a
    // sidereal day of the model), stays on one point of the equator within 0.01 degree.
    // The real Earth's 36000 km circle drifts.
    void trace_geostationnaire_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<bool>("geostationnaire");
        QTest::newRow("Terre réelle") << "reelle" << true;
        QTest::newRow("Terre du programme") << "programme" << true;
        QTest::newRow("36000 km, Terre réelle") << "reelle" << false;
    }
    void trace_geostationnaire() {
        QFETCH(QString, modele);
        QFETCH(bool, geostationnaire);
        fenetre_de_test f;
        choisir(f, modele);
        const modele_terre& m = modele_nomme(modele);
        cercle(f, geostationnaire ? rayon_geostationnaire(m) - m.rayon : 36000.0);
        action(f, "menu_trace_sol")->trigger();
        auto* carte = f.fenetre->findChild<fenetre_trace_sol*>(QStringLiteral("fenetre_trace_sol"));
        QVERIFY(carte != nullptr);
        f.fenetre->findChild<QSpinBox*>(QStringLiteral("revolutions_trace_sol"))->setValue(1);
        const trace_au_sol& trace = carte->trace();
        QVERIFY(trace.periode && trace.sous_satellite);
        double ecart = 0.0;
        for (const ligne_geo& morceau : trace.morceaux) {
            for (const point_geo& p : morceau) {
                ecart = std::max(ecart, std::abs(longitude_reduite(
                                            p.longitude - trace.sous_satellite->longitude)));
                QVERIFY(std::abs(p.latitude) < 1e-9);
            }
        }
        if (geostationnaire) {
            QVERIFY2(ecart < 0.01, qPrintable(QString::number(ecart)));
            QVERIFY(std::abs(*trace.decalage + 360.0) < 0.01);
        } else {
            QVERIFY2(ecart > 1.0, qPrintable(QString::number(ecart)));
        }
    }

    // The lesson file keeps the model ("modele" for the real Earth only: a lesson of the
    // program's Earth is written as before); a lesson of the other model written into the
    // window switches its model, the same altitude now above the lesson's Earth.
    void lecon_de_l_autre_modele_data() {
        QTest::addColumn<QString>("enregistre");
        QTest::addColumn<QString>("ouvert_dans");
        QTest::newRow("réelle ouverte dans le programme") << "reelle"
                                                          << "programme";
        QTest::newRow("programme ouverte dans la réelle") << "programme"
                                                          << "reelle";
    }
    void lecon_de_l_autre_modele() {
        QFETCH(QString, enregistre);
        QFETCH(QString, ouvert_dans);
        fenetre_de_test f;
        choisir(f, enregistre);
        cercle(f, 400.0);
        lecon l;
        const instantane_scene s = f.fenetre->scene();
        for (std::size_t i = 0; i < l.textes.size(); ++i) {
            l.textes[i] = QString::fromStdString(s.textes[i]);
        }
        l.type_orbite = bouton_option::Option_circulaire;
        l.modele = s.modele;
        const QByteArray octets = ecrire_lecon(l);
        QCOMPARE(octets.contains("\"modele\""), enregistre == "reelle");
        const auto lue = lire_lecon(octets);
        QVERIFY(std::holds_alternative<lecon>(lue));
        QVERIFY(std::get<lecon>(lue).modele == modele_nomme(enregistre));

        choisir(f, ouvert_dans);
        cercle(f, 1000.0);
        const lecon& o = std::get<lecon>(lue);
        lecon_a_ecrire e;
        for (std::size_t i = 0; i < o.textes.size(); ++i) {
            e.textes[i] = o.textes[i].toStdString();
        }
        e.type_orbite = o.type_orbite;
        e.modele = o.modele;
        f.fenetre->executer(commande::ecrire_lecon{e}); // true only with a burn's arc
        const instantane_scene ouverte = f.fenetre->scene();
        QVERIFY(ouverte.modele == modele_nomme(enregistre));
        QCOMPARE(ouverte.valeurs.traj.parametre, modele_nomme(enregistre).rayon + 400.0);
    }

    // "Orbite géostationnaire" in the assistant: from an equatorial circle a Hohmann
    // transfer of two burns; from an inclined one the second burn, at the transfer's
    // apoapsis, also turns the plane, and the plan says so; on the geostationary circle of
    // the model, nothing to fire. Its circle is the model's.
    void assistant_geostationnaire_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<double>("altitude"); // km; 0: the model's geostationary altitude
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<int>("tirs");
        QTest::newRow("200 km équatorial, Terre réelle") << "reelle" << 200.0 << 0.0 << 2;
        QTest::newRow("200 km à 28,5°, Terre réelle") << "reelle" << 200.0 << 28.5 << 2;
        QTest::newRow("200 km à 7°, Terre du programme") << "programme" << 200.0 << 7.0 << 2;
        QTest::newRow("déjà géostationnaire, Terre réelle") << "reelle" << 0.0 << 0.0 << 0;
        QTest::newRow("déjà géostationnaire, programme") << "programme" << 0.0 << 0.0 << 0;
    }
    void assistant_geostationnaire() {
        QFETCH(QString, modele);
        QFETCH(double, altitude);
        QFETCH(double, inclinaison);
        QFETCH(int, tirs);
        fenetre_de_test f;
        choisir(f, modele);
        const modele_terre& m = modele_nomme(modele);
        const double z = altitude != 0.0 ? altitude : rayon_geostationnaire(m) - m.rayon;
        saisir(f, QStringLiteral("Option_circulaire|Text4=%1|Text2=%2")
                      .arg(inclinaison)
                      .arg(z, 0, 'f', 6));
        action(f, "menu_assistant_manoeuvre")->trigger();
        auto* genre = f.controle<QComboBox>("choix_manoeuvre");
        genre->setCurrentIndex(genre->findText(QStringLiteral("Orbite géostationnaire")));
        QVERIFY(genre->currentIndex() >= 0);
        QTest::mouseClick(f.controle<QPushButton>("bouton_nouveau_plan"), Qt::LeftButton);
        const QString message = f.controle<QLabel>("message_assistant")->text();
        QCOMPARE(message.startsWith("Orbite visée atteinte"), tirs == 0);
        auto* plan = f.controle<QTreeWidget>("plan_manoeuvre");
        int vus = 0;
        for (int k = 0; k < plan->topLevelItemCount(); ++k) {
            vus += plan->topLevelItem(k)->text(0).startsWith("Tir ") ? 1 : 0;
        }
        QCOMPARE(vus, tirs);
        if (tirs == 2) {
            QCOMPARE(plan->topLevelItem(1)->text(0).contains("avec le changement de plan"),
                     inclinaison != 0.0);
        }
        QVERIFY(f.rapports.empty());
    }

    // From the launch menu's GTO (7 degrees, w = 10) the assistant's geostationary plan,
    // flown burn by burn as the teacher does ("Préparer le tir", then "Tir !"), reaches
    // the model's geostationary circle: i within 0.01 degree, each apsis within 0.1 %.
    // The last burn says it combines the circle and the plane change.
    void gto_vers_geostationnaire_data() {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<double>("poussee"); // N: in SI on the real Earth, a real engine's
        QTest::newRow("GTO Ariane IV, Terre du programme") << "programme"
                                                           << "menu_GTO_IV" << 100.0;
        QTest::newRow("GTO Ariane IV, Terre réelle") << "reelle"
                                                     << "menu_GTO_IV" << 20000.0;
        QTest::newRow("GTO Ariane V, Terre réelle") << "reelle"
                                                    << "menu_GTO_V" << 20000.0;
    }
    void gto_vers_geostationnaire() {
        QFETCH(QString, modele);
        QFETCH(QString, preset);
        QFETCH(double, poussee);
        fenetre_de_test f;
        choisir(f, modele);
        action(f, qPrintable(preset))->trigger();
        QCOMPARE(f.fenetre->scene().valeurs.traj.inclinaison, 7.0);
        action(f, "menu_assistant_manoeuvre")->trigger();
        auto* genre = f.controle<QComboBox>("choix_manoeuvre");
        genre->setCurrentIndex(genre->findText(QStringLiteral("Orbite géostationnaire")));
        f.controle<QDoubleSpinBox>("poussee_choisie")->setValue(poussee);
        auto* plan = f.controle<QTreeWidget>("plan_manoeuvre");
        QCOMPARE(plan->topLevelItemCount() > 0 ? plan->topLevelItem(0)->text(0).left(4) : QString(),
                 QStringLiteral("Tir "));
        QString dernier;
        for (int k = 0; k < plan->topLevelItemCount(); ++k) {
            if (plan->topLevelItem(k)->text(0).startsWith("Tir ")) {
                dernier = plan->topLevelItem(k)->text(0);
            }
        }
        QVERIFY2(dernier.contains(QStringLiteral("changement de plan en un seul tir")),
                 qPrintable(dernier));
        // The first burn, at a node off the apsides, also cancels the radial speed.
        const QTreeWidgetItem* premier = plan->topLevelItem(0);
        QString direction;
        for (int k = 0; k < premier->childCount(); ++k) {
            if (premier->child(k)->text(0) == QStringLiteral("Direction de la poussée")) {
                direction = premier->child(k)->text(1);
            }
        }
        QVERIFY2(direction.startsWith(QStringLiteral("radiale -")), qPrintable(direction));
        auto* message = f.controle<QLabel>("message_assistant");
        for (int tir = 1; tir <= 3 && !message->text().startsWith("Manœuvre terminée"); ++tir) {
            QTest::mouseClick(f.controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
            QVERIFY2(message->text().startsWith(QStringLiteral("Tir %1 préparé").arg(tir)),
                     qPrintable(QString::number(tir) + message->text()));
            QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
            QVERIFY(f.rapports.empty());
        }
        QVERIFY2(message->text().startsWith("Manœuvre terminée"), qPrintable(message->text()));
        const modele_terre& m = modele_nomme(modele);
        const double z = rayon_geostationnaire(m) - m.rayon;
        const trajectoire& t = f.fenetre->scene().valeurs.traj;
        PROCHE(t.inclinaison, 0.0, 0.01);
        PROCHE(t.zp, z, 1e-3 * (z + m.rayon));
        PROCHE(t.za, z, 1e-3 * (z + m.rayon));
    }

    // A "modele" that is neither name is refused, naming the field.
    void modele_inconnu_refuse() {
        lecon l;
        l.modele = terre_reelle;
        QByteArray octets = ecrire_lecon(l);
        octets.replace("terre_reelle", "terre_plate");
        const auto lue = lire_lecon(octets);
        QVERIFY(std::holds_alternative<QString>(lue));
        QVERIFY(std::get<QString>(lue).contains(QStringLiteral("modele")));
    }
};

TRAJEL_TEST(TestModeleTerreFenetre);

#include "test_modele_terre_fenetre.moc"
