// The mission clock through the real window: in the large view's corner while the
// animation runs, its time the scene's, gone once stopped; in the assistant, the arrival
// time of a plan, the clock plus the wait to the first burn and the transfer.

#include "appareil_enregistreur.h"
#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "manoeuvre/planificateur.h"
#include "ui/francais/format_fr.h"
#include "ui/outils/animation.h"
#include "ui/outils/assistant_manoeuvre.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTreeWidget>

#include <algorithm>

using namespace trajel;
using namespace trajel::test;

namespace {

outils_lecon& lecon(const fenetre_de_test& f) {
    return *f.fenetre->findChild<outils_lecon*>(QStringLiteral("outils_lecon"));
}

// The texts of the large view beginning "Temps de mission": those over the picture, and
// how many in the projector's panel.
struct horloges_peintes {
    std::vector<appareil_enregistreur::texte_peint> image;
    int panneau = 0;
};

horloges_peintes horloges(vue_agrandie* vue) {
    appareil_enregistreur appareil(vue->size());
    vue->render(&appareil);
    horloges_peintes h;
    const QRectF visible = vue->zone_visible();
    for (const appareil_enregistreur::texte_peint& t : appareil.textes) {
        if (!t.texte.startsWith(QStringLiteral("Temps de mission"))) {
            continue;
        }
        if (visible.contains(t.position)) {
            h.image.push_back(t);
        } else {
            ++h.panneau;
        }
    }
    return h;
}

} // namespace

class TestHorlogeMission : public QObject {
    Q_OBJECT
private slots:
    // The clock in the picture's corner while the animation runs, in the large view and
    // in the projector; its text the scene's mission time; none before nor after.
    void horloge_dans_la_vue_data() {
        QTest::addColumn<bool>("projecteur");
        QTest::addColumn<int>("images");
        QTest::addColumn<double>("acceleration");
        QTest::newRow("vue agrandie, 3 images") << false << 3 << 0.0;
        QTest::newRow("vue agrandie, 20 images × 1000") << false << 20 << 1000.0;
        QTest::newRow("projecteur, 5 images") << true << 5 << 0.0;
        QTest::newRow("projecteur, 12 images × 50") << true << 12 << 50.0;
    }
    void horloge_dans_la_vue() {
        QFETCH(bool, projecteur);
        QFETCH(int, images);
        QFETCH(double, acceleration);
        fenetre_de_test f;
        f.controle<QAction>(projecteur ? "menu_mode_projecteur" : "menu_vue_agrandie")->trigger();
        vue_agrandie* vue =
            f.fenetre->findChild<outils_image*>(QStringLiteral("outils_image"))->vue();
        QVERIFY(vue != nullptr && vue->isVisible());
        vue->showNormal();
        vue->setFixedSize(1280, 720);
        if (acceleration > 0.0) {
            lecon(f).choisir_acceleration(acceleration);
        }
        QVERIFY(horloges(vue).image.empty());

        animation_satellite& a = lecon(f).animation();
        f.controle<QAction>("menu_animer_satellite")->trigger();
        QVERIFY(a.en_cours());
        for (int i = 0; i < images; ++i) {
            QVERIFY(a.avancer(0.5));
        }
        const double temps = f.fenetre->scene().temps_mission;
        QVERIFY(temps > 0.0);
        horloges_peintes h = horloges(vue);
        QCOMPARE(h.image.size(), std::size_t{1});
        QCOMPARE(h.image.front().texte, QStringLiteral("Temps de mission ") + duree_fr(temps));
        // In the top left corner of what shows the scene.
        const QRectF visible = vue->zone_visible();
        QVERIFY(h.image.front().position.x() < visible.left() + 0.1 * visible.width());
        QVERIFY(h.image.front().position.y() < visible.top() + 0.1 * visible.height());
        QCOMPARE(h.panneau, projecteur ? 1 : 0);

        f.controle<QAction>("menu_animer_satellite")->trigger();
        QVERIFY(!a.en_cours());
        h = horloges(vue);
        QVERIFY(h.image.empty());
        QCOMPARE(h.panneau, projecteur ? 1 : 0);
        QVERIFY(f.rapports.empty());
    }

    // "Temps de mission à l'arrivée": the clock, moved on by an animation, plus the wait
    // to the first burn point and the transfer of the plan made from the current orbit.
    void arrivee_dans_l_assistant_data() {
        QTest::addColumn<QString>("saisies");
        QTest::addColumn<int>("manoeuvre");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<double>("animation");
        QTest::newRow("Hohmann depuis le cercle bas")
            << "Option_circulaire|Text2=300|Text4=0" << 0 << 36000.0 << 0.0 << 2.0;
        QTest::newRow("Hohmann depuis l'ellipse de départ") << "" << 0 << 20000.0 << 0.0 << 3.0;
        QTest::newRow("circularisation de l'ellipse de départ") << "" << 1 << 0.0 << 0.0 << 1.0;
        QTest::newRow("changement de plan, horloge à zéro")
            << "Option_circulaire|Text2=36000|Text4=7" << 3 << 0.0 << 12.0 << 0.0;
    }
    void arrivee_dans_l_assistant() {
        QFETCH(QString, saisies);
        QFETCH(int, manoeuvre);
        QFETCH(double, altitude);
        QFETCH(double, inclinaison);
        QFETCH(double, animation);
        fenetre_de_test f;
        saisir(f, saisies);
        if (animation > 0.0) {
            animation_satellite& a = lecon(f).animation();
            a.demarrer();
            QVERIFY(a.avancer(animation));
            a.arreter();
        }
        f.controle<QAction>("menu_assistant_manoeuvre")->trigger();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(manoeuvre);
        f.controle<QDoubleSpinBox>("altitude_visee")->setValue(altitude);
        f.controle<QDoubleSpinBox>("inclinaison_visee")->setValue(inclinaison);
        auto* assistant =
            f.fenetre->findChild<assistant_manoeuvre*>(QStringLiteral("assistant_manoeuvre"));
        QVERIFY(assistant != nullptr);
        assistant->actualiser();

        const instantane_scene scene = f.fenetre->scene();
        QCOMPARE(scene.temps_mission > 0.0, animation > 0.0);
        const plan_manoeuvre plan = planifier(scene.valeurs.traj, assistant->demande());
        QVERIFY(!plan.tirs.empty() && plan.tirs.front().attente.has_value());
        QVERIFY(*plan.tirs.front().attente >= 0.0);
        const QString attendu = duree_fr(scene.temps_mission + *plan.tirs.front().attente +
                                         plan.duree_transfert.value_or(0.0));
        const auto lignes =
            f.controle<QTreeWidget>("plan_manoeuvre")
                ->findItems(QStringLiteral("Temps de mission à l'arrivée"), Qt::MatchExactly);
        QCOMPARE(lignes.size(), 1);
        QCOMPARE(lignes.front()->text(1), attendu);
        QVERIFY(f.rapports.empty());
    }
};
TRAJEL_TEST(TestHorlogeMission);

#include "test_horloge_mission.moc"
