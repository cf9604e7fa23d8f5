// Burns that end at the escape threshold, where the specific energy and e - 1 are both
// rounding noise: the state is classed as a parabola when they disagree, every burn is
// kept, and what it writes reads back as a conic the window draws.

#include "commun/principal.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/tir.h"
#include "outils_manoeuvre.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <optional>

using namespace trajel;
using namespace trajel::test;

namespace {

// The record's own invariants: an ellipse has e < 1 and an apoapsis above its
// periapsis, a hyperbola e > 1 and Phi in (0, 90), a parabola e = 1 and p = 2 rp.
void verifier_record(const trajectoire& R) {
    if (R.type_conique == elliptique) {
        QVERIFY2(R.excentricite < 1.0, qPrintable(QString::number(R.excentricite, 'g', 17)));
        QVERIFY(std::isfinite(R.za) && R.za >= R.zp);
    } else if (R.type_conique == hyperbolique) {
        QVERIFY2(R.excentricite > 1.0, qPrintable(QString::number(R.excentricite, 'g', 17)));
        QVERIFY(R.angle_asymptote > 0.0 && R.angle_asymptote < 90.0);
    } else if (R.type_conique == parabolique) {
        QCOMPARE(R.excentricite, 1.0);
        QCOMPARE(R.zp, R.parametre * 0.5 - rayon_terre);
    } else {
        QVERIFY2(R.type_conique == circulaire, R.type_conique.c_str());
    }
    // The record places the satellite again at a finite point.
    trajectoire T = R;
    vecteur r;
    vecteur v;
    conversion_etat(1, T, r, v);
    QVERIFY(std::isfinite(norme(r)) && std::isfinite(norme(v)));
}

// The burn's boxes with a duration written to its last bit.
QString avec_duree(const QString& saisies, double duree) {
    return saisies + QString("|Text11=%1").arg(duree, 0, 'g', 17);
}

// Fires from a fresh window; the type reached, or an empty string when the burn threw.
std::string tirer(const QString& saisies) {
    module_de_test m;
    demarrer(m, saisies);
    try {
        cmd_tir_Click();
    } catch (const erreur_calcul&) {
        return {};
    }
    return traj.type_conique;
}

} // namespace

class TestSeuilLiberation : public QObject {
    Q_OBJECT
private slots:
    // States on the escape speed at 7000 km, the speed moved by whole ulps: whatever
    // the rounding gives E and e, the record is a conic of its own kind.
    void conversion_au_seuil_data() {
        QTest::addColumn<double>("angle"); // degrees between r and v
        QTest::newRow("tangent") << 90.0;
        QTest::newRow("climbing 30") << 60.0;
        QTest::newRow("descending 45") << 135.0;
        QTest::newRow("out of plane") << 100.0;
    }
    void conversion_au_seuil() {
        QFETCH(double, angle);
        const double rayon = 7000.0;
        const double liberation = std::sqrt(2.0 * mu_terre / rayon);
        const double a = angle * 3.141592658 / 180.0;
        int paraboles = 0;
        for (int k = -60; k <= 60; ++k) {
            double vitesse = liberation;
            for (int pas = 0; pas < std::abs(k); ++pas) {
                vitesse = std::nextafter(vitesse, k < 0 ? 0.0 : 1e9);
            }
            vecteur r{rayon * 0.6, rayon * 0.8, 0.0};
            const vecteur u{0.6, 0.8, 0.0};
            const vecteur w{-0.8, 0.6, 0.0};
            const double hors_plan = angle == 100.0 ? 0.3 : 0.0;
            const double n = std::sqrt(1.0 + hors_plan * hors_plan);
            vecteur v{vitesse * (std::cos(a) * u.x + std::sin(a) * w.x) / n,
                      vitesse * (std::cos(a) * u.y + std::sin(a) * w.y) / n,
                      vitesse * hors_plan / n};
            trajectoire R;
            conversion_etat(2, R, r, v);
            verifier_record(R);
            paraboles += R.type_conique == parabolique;
        }
        QVERIFY(paraboles > 0); // the threshold lies in the sweep
    }

    // Far from the threshold nothing changes: e decides, as the energy does.
    void conversion_loin_du_seuil_data() {
        QTest::addColumn<double>("facteur");
        QTest::addColumn<QString>("type");
        QTest::newRow("bound") << 0.99 << "elliptique";
        QTest::newRow("escaping") << 1.01 << "hyperbolique";
        QTest::newRow("1e-12 below") << 1.0 - 1e-12 << "elliptique";
        QTest::newRow("1e-12 above") << 1.0 + 1e-12 << "hyperbolique";
    }
    void conversion_loin_du_seuil() {
        QFETCH(double, facteur);
        QFETCH(QString, type);
        vecteur r{7000.0, 0.0, 0.0};
        vecteur v{0.0, facteur * std::sqrt(2.0 * mu_terre / 7000.0), 0.0};
        trajectoire R;
        conversion_etat(2, R, r, v);
        QCOMPARE(QString::fromStdString(R.type_conique), type);
        verifier_record(R);
    }

    // The burn that used to be thrown away: start-up orbit, anomaly 0, 100 N
    // ortho-radial, Isp 300, 1000 steps, 33.15185149027863 s.
    void tir_parabolique() {
        module_de_test m;
        demarrer(m, avec_duree("Text7=0|Text8=100|Text13=300|Text12=1000", 33.15185149027863));
        cmd_tir_Click();
        faux_formulaire& f = m.fenetre;
        QVERIFY(f.selectionne(bouton_option::Option_parabolique));
        QCOMPARE(f.texte(zone_texte::Text2), std::string(" 301.540257689765"));
        QCOMPARE(f.texte(zone_texte::Text5), std::string(" 12.1619267767718"));
        QCOMPARE(f.texte(zone_texte::Text7), std::string(" 3.94425391509448"));
        rafraichissement_complet();
        QVERIFY(traits_de_couleur(f.image, couleur_trajectoire) > 200);
    }

    // Durations ulp by ulp around the threshold, found by bisection: every burn is
    // kept, and the window then redraws the conic it wrote.
    void balayage_du_seuil_data() {
        QTest::addColumn<QString>("saisies");
        QTest::newRow("prograde") << "Text7=0|Text8=100|Text13=300|Text12=1000";
        QTest::newRow("radial and ortho-radial") << "Text7=40|Text9=100|Text8=60|Text12=500";
        QTest::newRow("with a normal part") << "Text7=10|Text8=100|Text10=45|Text12=800";
        QTest::newRow("retrograde capture")
            << "option=hyperbolique|Text1=10|Text7=0|Text8=-100|Text12=1000";
    }
    void balayage_du_seuil() {
        QFETCH(QString, saisies);
        const bool capture = saisies.startsWith("option=hyperbolique");
        // `lie`: the side where the burn ends bound (short for an escape, long for a
        // capture).
        auto lie = [&](double duree) {
            const std::string type = tirer(avec_duree(saisies, duree));
            if (type.empty()) {
                return std::optional<bool>();
            }
            return std::optional<bool>(type == elliptique || type == circulaire);
        };
        double court = 0.5;
        double long_ = 1.0;
        while (lie(long_) == std::optional<bool>(capture ? false : true) && long_ < 1e4) {
            long_ *= 2.0;
        }
        QVERIFY(long_ < 1e4);
        for (int i = 0; i < 200 && std::nextafter(court, long_) != long_; ++i) {
            const double milieu = 0.5 * (court + long_);
            const std::optional<bool> l = lie(milieu);
            if (!l) {
                long_ = milieu; // a failure: the threshold is near it; the sweep checks
                continue;
            }
            ((*l != capture) ? court : long_) = milieu;
        }
        double duree = long_;
        for (int k = 0; k < 40; ++k) {
            duree = std::nextafter(duree, 0.0);
        }
        int paraboles = 0;
        for (int k = -40; k <= 40; ++k, duree = std::nextafter(duree, 1e9)) {
            module_de_test m;
            demarrer(m, avec_duree(saisies, duree));
            try {
                cmd_tir_Click();
                rafraichissement_complet();
            } catch (const erreur_calcul& e) {
                QFAIL(qPrintable(QString("%1 s: %2").arg(duree, 0, 'g', 17).arg(e.what())));
            }
            verifier_record(traj);
            QVERIFY(traits_de_couleur(m.fenetre.image, couleur_trajectoire) > 100);
            paraboles += traj.type_conique == parabolique;
        }
        QVERIFY(paraboles > 0);
    }
};

TRAJEL_TEST(TestSeuilLiberation);
#include "test_seuil_liberation.moc"
