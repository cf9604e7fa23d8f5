// "Ajuster la vue": the zoom at which the drawn conic, the Earth and the satellite fit
// the picture with a margin, checked on the scene drawn at that zoom.

#include "commun/principal.h"
#include "render/cadrage.h"
#include "render/outils_rendu.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"
#include "soutien/references.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace trajel;
using trajel::test::module_de_test;
using trajel::test::orbite;

Q_DECLARE_METATYPE(trajel::trajectoire)

namespace {

// A record from its altitudes as calcul_trajectoire makes it: e = (ra - rp) / (ra + rp),
// p = 2 ra rp / (ra + rp).
trajectoire ellipse(double za, double zp, double i, double anomalie) {
    const double ra = za + rayon_terre, rp = zp + rayon_terre;
    return orbite("elliptique", (ra - rp) / (ra + rp), 2.0 * ra * rp / (ra + rp), 20, i, 10,
                  anomalie);
}

} // namespace

class TestCadrage : public QObject {
    Q_OBJECT
private slots:
    // Every step of the conic drawn at the fitted zoom lies inside the picture, and the
    // farthest one reaches past half of it (the margin is 8 % of each half).
    void conique_dans_l_image_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<int>("longitude");
        QTest::addColumn<int>("latitude");
        QTest::newRow("démarrage") << ellipse(2000, 300, 20, 25) << 20 << 40;
        QTest::newRow("GTO 36000 × 200") << ellipse(36000, 200, 7, 25) << 20 << 40;
        QTest::newRow("36000 km circulaire")
            << orbite("circulaire", 0, 39618, 20, 7, 0, 25) << 20 << 40;
        QTest::newRow("vue de face, équatoriale")
            << orbite("circulaire", 0, 39618, 0, 0, 0, 25) << 0 << 90;
        QTest::newRow("basse, la Terre décide") << ellipse(300, 200, 50, 25) << -60 << -10;
        QTest::newRow("parabole") << orbite("parabolique", 1, 7836, 0, 60, 30, -100) << 20 << 40;
        QTest::newRow("hyperbole")
            << orbite("hyperbolique", 2.0, 11754, 10, 5, 0, 100, 60) << 120 << 0;
    }
    void conique_dans_l_image() {
        QFETCH(trajectoire, t);
        QFETCH(int, longitude);
        QFETCH(int, latitude);
        module_de_test m;
        m.fenetre.hscroll = longitude;
        m.fenetre.vscroll = -latitude;
        SANS_ERREUR(mise_en_place_vue());
        SANS_ERREUR(zoom = zoom_ajuste(t));
        m.fenetre.image.Cls();
        SANS_ERREUR(tracer_terre());
        SANS_ERREUR(tracer_scene(t));
        const double W = largeur_image, H = hauteur_image;
        double rempli = 0.0;
        int pas = 0;
        for (const element_affichage& e : m.fenetre.image.traits()) {
            const bool conique = e.couleur == couleur_trajectoire &&
                                 (e.epaisseur == 2 || e.style == style_pointille);
            if (!conique) {
                continue;
            }
            ++pas;
            for (const auto& [x, y] : {std::pair{e.x1, e.y1}, std::pair{e.x2, e.y2}}) {
                QVERIFY2(x >= 0 && x <= W && y >= 0 && y <= H, qPrintable(QString::number(pas)));
                rempli = std::max(
                    {rempli, std::abs(x - W / 2) / (W / 2), std::abs(y - H / 2) / (H / 2)});
            }
        }
        QVERIFY(pas > 0);
        QVERIFY2(rempli > 0.5 && rempli <= 1.0 - marge_cadrage + 1e-3,
                 qPrintable(QString::number(rempli)));
    }

    // A point that is not finite raises the arithmetic error and no zoom is given.
    void conique_non_finie() {
        module_de_test m;
        SANS_ERREUR(mise_en_place_vue());
        trajectoire t = orbite("elliptique", 0.9999, 1e308, 20, 20, 10, 25);
        QVERIFY_THROWS_EXCEPTION(erreur_calcul, zoom_ajuste(t));
    }
};
TRAJEL_TEST(TestCadrage);

#include "test_cadrage.moc"
