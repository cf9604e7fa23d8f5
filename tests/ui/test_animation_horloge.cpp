// The animation's clock: each frame puts the satellite where Kepler's equation has it
// at the frame's clock time times the acceleration, whichever frames came before, and
// the mission clock follows the same time; the timer runs at its fixed interval.

#include "commun/principal.h"
#include "core/kepler.h"
#include "core/texte.h"
#include "fenetre_de_test.h"
#include "manoeuvre/outils_manoeuvre.h"
#include "soutien/references.h"
#include "ui/application/composition.h"
#include "ui/outils/animation.h"
#include "ui/poste/evenements.h"

#include <QAction>
#include <QTimer>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

namespace {

animation_satellite& animation(const fenetre_de_test& f) {
    return f.fenetre->findChild<outils_lecon*>(QStringLiteral("outils_lecon"))->animation();
}

double anomalie_affichee(const fenetre_de_test& f) {
    return Val(f.texte("Text7")->text().toStdString());
}

// The start-up ellipse: a = 4768 km, e = 1700 / 9536, the satellite at 25 degrees.
constexpr double e_depart = 1700.0 / 9536.0;
constexpr double a_depart = 4768.0;

// Text7's anomaly, degrees in [0, 360), after `dt` seconds along the start-up ellipse.
double anomalie_attendue(double dt) {
    const double nu = anomalie_kepler(e_depart, a_depart, 25 * trajel::pi / 180, dt);
    const double degres = nu * 180 / trajel::pi;
    return degres < 0 ? degres + 360 : degres;
}

} // namespace

class TestAnimationHorloge : public QObject {
    Q_OBJECT
private slots:
    // Frames at any clock times: Text7 the anomaly at the last frame's clock time times
    // the acceleration, the mission clock that same time, however the frames fell (a
    // skipped or late frame neither slows nor speeds the satellite).
    void position_a_l_horloge_data() {
        QTest::addColumn<double>("acceleration");
        QTest::addColumn<QList<double>>("images"); // clock times, s since the start
        const double defaut = animation_satellite::acceleration_par_defaut();
        QTest::newRow("à l'heure") << defaut << QList<double>{0.033, 0.066, 0.099, 0.132};
        QTest::newRow("une image sautée") << defaut << QList<double>{0.033, 0.099, 0.132};
        QTest::newRow("images lentes") << defaut << QList<double>{0.05, 0.11, 0.132};
        QTest::newRow("une seule image") << defaut << QList<double>{0.132};
        QTest::newRow("× 1000, plusieurs tours")
            << 1000.0 << QList<double>{1.0, 2.5, 7.0, 12.25, 30.0};
        QTest::newRow("× 1, lentement") << 1.0 << QList<double>{0.2, 0.4, 3.0};
    }
    void position_a_l_horloge() {
        QFETCH(double, acceleration);
        QFETCH(QList<double>, images);
        fenetre_de_test f;
        animation_satellite& a = animation(f);
        a.definir_acceleration(acceleration);
        a.demarrer();
        QVERIFY(a.en_cours());
        for (const double s : images) {
            QVERIFY(a.image_a(s));
        }
        const double dt = acceleration * images.back();
        // The program's pi is 1.4e-9 above pi: over several turns the angle swept, as the
        // reference computes it, drifts by that share.
        const double tours = dt / periode_orbitale(e_depart, a_depart * (1 - e_depart * e_depart));
        PROCHE(anomalie_affichee(f), anomalie_attendue(dt), 1e-7 + 360 * tours * 2e-9);
        PROCHE(f.fenetre->scene().temps_mission, dt, 1e-9 * dt);
        QCOMPARE(a.horloge_de_l_image(), images.back());
        a.arreter();
        QVERIFY(f.rapports.empty());
    }

    // temps_a is the time since the periapsis Kepler's equation turns back into the
    // frame's anomaly: the position is the one at that time, within the period.
    void temps_depuis_le_periastre_data() {
        QTest::addColumn<double>("acceleration");
        QTest::addColumn<double>("secondes");
        QTest::newRow("départ") << 100.0 << 0.0;
        QTest::newRow("une seconde × 100") << 100.0 << 1.0;
        QTest::newRow("au-delà d'un tour") << 500.0 << 25.0;
        QTest::newRow("beaucoup de tours") << 10000.0 << 600.0;
    }
    void temps_depuis_le_periastre() {
        QFETCH(double, acceleration);
        QFETCH(double, secondes);
        fenetre_de_test f;
        animation_satellite& a = animation(f);
        a.definir_acceleration(acceleration);
        a.demarrer();
        const double t = a.temps_a(secondes);
        const double p = a_depart * (1 - e_depart * e_depart);
        const double periode = periode_orbitale(e_depart, p);
        QVERIFY(t >= 0.0 && t < periode);
        QVERIFY(a.image_a(secondes));
        // The anomaly shown, turned back into a time by Kepler's equation.
        double nu = anomalie_affichee(f) * trajel::pi / 180;
        double retour = temps_depuis_periastre(e_depart, p, nu);
        retour = retour < 0 ? retour + periode : retour;
        PROCHE(retour, t, 1e-6 * periode);
        PROCHE(std::fmod(temps_depuis_periastre(e_depart, p, 25 * trajel::pi / 180) +
                             acceleration * secondes,
                         periode),
               t, 1e-6 * periode);
        a.arreter();
    }

    // A change of acceleration while it runs takes the satellite on from where the last
    // frame left it, at the new rate: no jump.
    void acceleration_changee_en_route() {
        fenetre_de_test f;
        animation_satellite& a = animation(f);
        a.definir_acceleration(100.0);
        a.demarrer();
        QVERIFY(a.image_a(2.0));
        const double avant = anomalie_affichee(f);
        PROCHE(avant, anomalie_attendue(200.0), 1e-7);
        a.definir_acceleration(1000.0);
        QVERIFY(a.image_a(2.0));
        PROCHE(anomalie_affichee(f), avant, 1e-9);
        QVERIFY(a.image_a(3.0));
        PROCHE(anomalie_affichee(f), anomalie_attendue(200.0 + 1000.0), 1e-7);
        PROCHE(f.fenetre->scene().temps_mission, 1200.0, 1e-6);
        a.arreter();
    }

    // The timer is not restarted by the frames: it keeps running through them at its
    // fixed interval, precisely, and stops with the animation.
    void minuterie_a_intervalle_fixe() {
        fenetre_de_test f;
        animation_satellite& a = animation(f);
        auto* minuterie = a.findChild<QTimer*>(QStringLiteral("minuterie_animation"));
        QVERIFY(minuterie != nullptr);
        QCOMPARE(minuterie->timerType(), Qt::PreciseTimer);
        a.demarrer();
        QVERIFY(minuterie->isActive());
        // Seen from within each frame's event.
        int images = 0;
        bool active_pendant = true;
        connect(&f.fenetre->annonces(), &annonceur_evenements::evenement_termine, this, [&] {
            ++images;
            active_pendant = active_pendant && minuterie->isActive();
        });
        QTRY_VERIFY_WITH_TIMEOUT(images >= 3, 2000);
        QVERIFY(active_pendant);
        QVERIFY(a.horloge_de_l_image() > 0.0);
        a.arreter();
        QVERIFY(!minuterie->isActive());
    }
};
TRAJEL_TEST(TestAnimationHorloge);

#include "test_animation_horloge.moc"
