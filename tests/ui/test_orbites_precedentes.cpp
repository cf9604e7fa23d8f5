// The lesson's earlier orbits and the mission clock, through the real window: the dashed
// ghosts of the journal's burns following undo, the picture unchanged with the option
// off, the clock after burns and animation frames, undone, saved and reopened.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "render/fantomes.h"
#include "ui/application/composition.h"
#include "ui/lecon/fichier_lecon.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"
#include "ui/outils/animation.h"

#include <QAction>
#include <QPushButton>

#include <set>

using namespace trajel;
using namespace trajel::test;

namespace {

// The dashed lines of the picture by colour, and the texts printed among them.
struct fantomes_vus {
    int orbites = 0; // couleur_trajectoire
    int arcs = 0;    // couleur_terre
    int autres = 0;
    int orbites_jointes = 0; // orbit steps starting where the previous one ends
    QStringList numeros;
};

fantomes_vus fantomes(const fenetre_de_test& f) {
    fantomes_vus v;
    bool apres_tirets = false;
    const element_affichage* precedente = nullptr; // the last dashed orbit step
    for (const element_affichage& e : f.image()->elements_affiches()) {
        if (e.nature == element_affichage::genre::trait && e.style == style_tirets) {
            if (e.couleur == couleur_trajectoire) {
                if (precedente != nullptr && precedente->x2 == e.x1 && precedente->y2 == e.y1) {
                    ++v.orbites_jointes;
                }
                precedente = &e;
            }
            (e.couleur == couleur_trajectoire ? v.orbites
             : e.couleur == couleur_terre     ? v.arcs
                                              : v.autres)++;
            apres_tirets = true;
        } else if (e.nature == element_affichage::genre::texte && apres_tirets) {
            v.numeros << QString::fromStdString(e.texte);
            apres_tirets = false;
        }
    }
    return v;
}

void tirer(const fenetre_de_test& f, int n) {
    f.coller("Text8", "100");
    f.coller("Text11", "20");
    for (int i = 0; i < n; ++i) {
        f.controle<QPushButton>("cmd_tir")->click();
    }
}

animation_satellite& animation(const fenetre_de_test& f) {
    return *f.fenetre->findChild<animation_satellite*>();
}

} // namespace

class TestOrbitesPrecedentes : public QObject {
    Q_OBJECT
private slots:
    void fantomes_des_tirs_data() {
        QTest::addColumn<bool>("actif");
        QTest::addColumn<int>("tirs");
        QTest::addColumn<int>("annules");
        QTest::addColumn<QStringList>("numeros");
        QTest::newRow("désactivé, trois tirs") << false << 3 << 0 << QStringList{};
        QTest::newRow("trois tirs") << true << 3 << 0 << QStringList{"1", "2", "3"};
        QTest::newRow("trois tirs, un annulé") << true << 3 << 1 << QStringList{"1", "2"};
        QTest::newRow("un tir annulé") << true << 1 << 1 << QStringList{};
    }
    void fantomes_des_tirs() {
        QFETCH(bool, actif);
        QFETCH(int, tirs);
        QFETCH(int, annules);
        QFETCH(QStringList, numeros);
        fenetre_de_test f;
        auto* option = f.controle<QAction>("menu_orbites_precedentes");
        QVERIFY(option->isCheckable());
        QVERIFY(!option->isChecked());
        option->setChecked(actif);
        tirer(f, tirs);
        auto* h = f.fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
        for (int i = 0; i < annules; ++i) {
            h->annuler();
        }
        QCOMPARE(h->journal().size(), static_cast<std::size_t>(tirs - annules));
        const fantomes_vus v = fantomes(f);
        QCOMPARE(v.numeros, numeros);
        QCOMPARE(v.autres, 0);
        // Each ghost: its orbit's dashed steps and its powered arc's.
        QCOMPARE(v.orbites > 0, !numeros.isEmpty());
        QCOMPARE(v.arcs > 0, !numeros.isEmpty());
        // Dashed by the steps themselves: a gap between any two, whatever the pen.
        QCOMPARE(v.orbites_jointes, 0);
        // The shown burn's arc stays drawn over them.
        QCOMPARE(h->arc_affiche(), tirs > annules);
    }

    // Off, on and off again: the picture is the one it was, element for element.
    void desactive_image_inchangee() {
        fenetre_de_test f;
        const auto depart = f.image()->elements_affiches();
        auto* option = f.controle<QAction>("menu_orbites_precedentes");
        option->setChecked(true);
        option->setChecked(false);
        QVERIFY(f.image()->elements_affiches() == depart);
        tirer(f, 1);
        const auto apres_tir = f.image()->elements_affiches();
        QCOMPARE(fantomes(f).orbites, 0);
        option->setChecked(true);
        QCOMPARE(fantomes(f).numeros, QStringList{"1"});
        option->setChecked(false);
        QVERIFY(f.image()->elements_affiches() == apres_tir);
    }

    // The exercise's target and solution over the scene, in their own colours; the
    // picture as it was once they are gone.
    void exercice_sur_l_image_data() {
        QTest::addColumn<bool>("cible");
        QTest::addColumn<int>("solution");
        QTest::addColumn<QStringList>("numeros");
        QTest::newRow("la cible") << true << 0 << QStringList{};
        QTest::newRow("la solution en deux tirs") << false << 2 << QStringList{"1", "2"};
        QTest::newRow("les deux") << true << 1 << QStringList{"1"};
    }
    void exercice_sur_l_image() {
        QFETCH(bool, cible);
        QFETCH(int, solution);
        QFETCH(QStringList, numeros);
        fenetre_de_test f;
        const auto depart = f.image()->elements_affiches();
        const trajectoire t = f.fenetre->scene().valeurs.traj;
        trajel::orbites_de_l_exercice = [&] {
            orbites_exercice o;
            if (cible) {
                o.cible = t;
            }
            for (int i = 1; i <= solution; ++i) {
                o.solution.push_back({t, {}, static_cast<unsigned>(i)});
            }
            return o;
        };
        const auto redessiner = [&] { QVERIFY(f.fenetre->executer(commande::redessiner{})); };
        redessiner();
        int magenta = 0, cyan = 0, joints = 0;
        QStringList vus;
        const element_affichage* precedent = nullptr;
        for (const element_affichage& e : f.image()->elements_affiches()) {
            if (e.nature == element_affichage::genre::texte && precedent != nullptr &&
                precedent->couleur == couleur_solution) {
                vus << QString::fromStdString(e.texte);
            }
            if (e.nature != element_affichage::genre::trait) {
                continue;
            }
            QCOMPARE(e.style == style_tirets, false);
            if (e.couleur == couleur_cible) {
                ++magenta;
                joints += precedent != nullptr && precedent->couleur == couleur_cible &&
                          precedent->x2 == e.x1 && precedent->y2 == e.y1;
            }
            cyan += e.couleur == couleur_solution;
            precedent = &e;
        }
        // Long dashes: three steps joined, then a gap.
        QCOMPARE(magenta > 0, cible);
        if (cible) {
            QVERIFY(joints > magenta / 2 && joints < magenta);
        }
        QCOMPARE(cyan > 0, solution > 0);
        QCOMPARE(vus, numeros);
        trajel::orbites_de_l_exercice = nullptr;
        redessiner();
        QVERIFY(f.image()->elements_affiches() == depart);
    }

    void temps_de_mission_data() {
        QTest::addColumn<int>("tirs");
        QTest::addColumn<double>("acceleration");
        QTest::addColumn<QList<double>>("images"); // s of real time
        QTest::addColumn<double>("attendu");       // s
        QTest::newRow("un tir") << 1 << 1.0 << QList<double>{} << 20.0;
        QTest::newRow("animation seule") << 0 << 100.0 << QList<double>{0.5, 1.5} << 200.0;
        QTest::newRow("deux tirs puis l'animation")
            << 2 << 250.0 << QList<double>{2.0, 3.0} << 40.0 + 1250.0;
    }
    void temps_de_mission() {
        QFETCH(int, tirs);
        QFETCH(double, acceleration);
        QFETCH(QList<double>, images);
        QFETCH(double, attendu);
        fenetre_de_test f;
        tirer(f, tirs);
        animation_satellite& a = animation(f);
        if (!images.isEmpty()) {
            a.definir_acceleration(acceleration);
            f.controle<QAction>("menu_animer_satellite")->trigger();
            for (double s : images) {
                QVERIFY(a.avancer(s));
            }
            a.arreter();
        }
        QCOMPARE(f.fenetre->scene().temps_mission, attendu);

        // Saved and reopened in a fresh window.
        auto* fichiers = f.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
        const auto lu = lire_lecon(ecrire_lecon(fichiers->lecon_actuelle()));
        QVERIFY(std::holds_alternative<lecon>(lu));
        QCOMPARE(std::get<lecon>(lu).temps_mission, attendu);

        // The last burn undone takes its time and the animation's after it away.
        if (tirs > 0) {
            f.fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"))->annuler();
            QCOMPARE(f.fenetre->scene().temps_mission, 20.0 * (tirs - 1));
        }
    }

    // The clock of a lesson saved, reopened in a fresh window.
    void temps_de_mission_rouvert_data() {
        QTest::addColumn<double>("temps");
        QTest::newRow("4 h 25 min 26 s") << 15926.0;
        QTest::newRow("un tir") << 20.0;
    }
    void temps_de_mission_rouvert() {
        QFETCH(double, temps);
        lecon l;
        {
            fenetre_de_test f;
            l = f.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"))
                    ->lecon_actuelle();
        }
        l.temps_mission = temps;
        const auto lu = lire_lecon(ecrire_lecon(l));
        QVERIFY(std::holds_alternative<lecon>(lu));
        fenetre_de_test g;
        g.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"))
            ->appliquer(std::get<lecon>(lu));
        QCOMPARE(g.fenetre->scene().temps_mission, temps);
    }

    // A lesson written before the clock was kept reads as a clock at 0.
    void lecon_sans_temps_de_mission() {
        fenetre_de_test f;
        auto* fichiers = f.fenetre->findChild<fichiers_lecon*>(QStringLiteral("fichiers_lecon"));
        const QByteArray octets = ecrire_lecon(fichiers->lecon_actuelle());
        QVERIFY(!octets.contains("temps_mission"));
        const auto lu = lire_lecon(octets);
        QVERIFY(std::holds_alternative<lecon>(lu));
        QCOMPARE(std::get<lecon>(lu).temps_mission, 0.0);
    }
};

TRAJEL_TEST(TestOrbitesPrecedentes);
#include "test_orbites_precedentes.moc"
