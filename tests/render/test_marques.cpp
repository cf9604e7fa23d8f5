// The marks of the motion on the recording surface: the chevron along the velocity at
// the satellite, the apsides of an ellipse, the ascending node, and when they are left
// out.

#include "commun/principal.h"
#include "core/trajectoire.h"
#include "render/marques.h"
#include "render/outils_rendu.h"
#include "soutien/faux_formulaire.h"
#include "soutien/references.h"

#include <QPointF>
#include <QRectF>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace trajel;
using trajel::test::module_de_test;
using trajel::test::orbite;

namespace {

using liste = std::vector<element_affichage>;

const trajectoire demarrage = orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 25);

// Where the conic's point at nu lands on the picture (twips, unfloored), from the
// formulas: r = p / (1 + e cos nu) at omega + nu from the node, in the plane of
// inclination i, projected on repere_vue, k = hauteur_image zoom / 16000 twips a km.
QPointF sur_l_image(const trajectoire& t, double nu) {
    const double r = t.parametre / (1.0 + t.excentricite * std::cos(deg_rad(nu)));
    const double o = deg_rad(t.grand_omega), i = deg_rad(t.inclinaison);
    const double a = deg_rad(t.petit_omega + nu);
    const vecteur p{r * (std::cos(o) * std::cos(a) - std::sin(o) * std::cos(i) * std::sin(a)),
                    r * (std::sin(o) * std::cos(a) + std::cos(o) * std::cos(i) * std::sin(a)),
                    r * std::sin(i) * std::sin(a)};
    const double k = hauteur_image * zoom / 16000.0;
    const vecteur &v = repere_vue.v, &w = repere_vue.w;
    return {(p.x * v.x + p.y * v.y + p.z * v.z) * k + largeur_image / 2.0,
            hauteur_image / 2.0 - (p.x * w.x + p.y * w.y + p.z * w.z) * k};
}

QPointF debut(const element_affichage& e) {
    return {e.x1, e.y1};
}
QPointF fin(const element_affichage& e) {
    return {e.x2, e.y2};
}
double longueur(QPointF d) {
    return std::hypot(d.x(), d.y());
}
const element_affichage* texte(const liste& l, const char* t) {
    for (const auto& e : l) {
        if (e.nature == element_affichage::genre::texte && e.texte == t) {
            return &e;
        }
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(trajel::trajectoire)

class TestMarques : public QObject {
    Q_OBJECT
private slots:
    // The satellite seen: a disc at it in the trajectory's colour, then the chevron, a
    // filled arrowhead in a lighter shade pointing along the velocity (the tangent found
    // by a small step of anomaly), beside the disc and clear of "S" (about 8 x 14 pixels
    // right of and below the satellite). None far off the picture, near a hyperbola's
    // asymptote.
    void chevron_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<bool>("marque");
        QTest::newRow("démarrage") << demarrage << true;
        QTest::newRow("périgée") << orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 0) << true;
        QTest::newRow("apogée, derrière la Terre")
            << orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 180) << true;
        QTest::newRow("rétrograde") << orbite("circulaire", 0, 3918, 40, 150, 0, 77.5) << true;
        QTest::newRow("parabole") << orbite("parabolique", 1, 7836, 0, 60, 30, -100) << true;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 10, 5, 0, 100) << true;
        QTest::newRow("près de l'asymptote")
            << orbite("hyperbolique", 2, 11754, 0, 0, 0, 119.999) << false;
    }
    void chevron() {
        QFETCH(trajectoire, t);
        QFETCH(bool, marque);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        const liste& l = m.fenetre.image.elements();
        QCOMPARE(m.fenetre.image.DrawWidth(), 1);
        QCOMPARE(m.fenetre.image.DrawStyle(), style_plein);
        if (!marque) {
            QVERIFY(std::none_of(l.begin(), l.end(), [](const element_affichage& e) {
                return e.nature == element_affichage::genre::disque;
            }));
            return;
        }
        QVERIFY(l.size() >= 2);
        const element_affichage& disque = l[l.size() - 2];
        const element_affichage& pointe = l.back();
        QCOMPARE(disque.nature, element_affichage::genre::disque);
        QCOMPARE(pointe.nature, element_affichage::genre::polygone);
        const QPointF satellite = sur_l_image(t, t.anomalie);
        QVERIFY(longueur(debut(disque) - satellite) < 1e-6 * longueur(satellite));
        QVERIFY(disque.teinte == palette(couleur_trajectoire));
        const couleur_rgb c = pointe.teinte;
        QVERIFY(c.r >= disque.teinte.r && c.g > disque.teinte.g && c.b > disque.teinte.b);
        QCOMPARE(pointe.sommets.size(), std::size_t{8});
        const QPointF bout(pointe.sommets[0], pointe.sommets[1]);
        const QPointF creux(pointe.sommets[4], pointe.sommets[5]);
        const QPointF avant = sur_l_image(t, t.anomalie + 1e-4) - sur_l_image(t, t.anomalie - 1e-4);
        const QPointF sens = bout - creux;
        QVERIFY(QPointF::dotProduct(sens, avant) / longueur(sens) / longueur(avant) >
                std::cos(deg_rad(1.5)));
        const QRectF s(satellite, QSizeF(120.0, 210.0));
        for (std::size_t k = 0; k < 8; k += 2) {
            const QPointF sommet(pointe.sommets[k], pointe.sommets[k + 1]);
            QVERIFY(!s.contains(sommet));
            QVERIFY(longueur(sommet - satellite) > rayon_disque);
        }
    }

    // The chevron takes the first place clear of "S": ahead of the disc, else behind
    // it; never over the text's box, whichever way the satellite moves.
    void chevron_hors_du_s_data() {
        QTest::addColumn<double>("angle");
        for (int a = 0; a < 360; a += 15) {
            QTest::addRow("%d°", a) << static_cast<double>(a);
        }
    }
    void chevron_hors_du_s() {
        QFETCH(double, angle);
        const point_canevas satellite{5000.0, 4000.0};
        const point_canevas d{std::cos(deg_rad(angle)), std::sin(deg_rad(angle))};
        const std::vector<double> p = chevron_a_cote(satellite, d);
        QCOMPARE(p.size(), std::size_t{8});
        QRectF boite(QPointF(p[0], p[1]), QSizeF(0.0, 0.0));
        for (std::size_t k = 2; k < 8; k += 2) {
            boite = boite.united(QRectF(QPointF(p[k], p[k + 1]), QSizeF(1e-9, 1e-9)));
        }
        QVERIFY(!boite.intersects(QRectF(5000.0, 4000.0, 120.0, 210.0)));
        // Beside the disc: within two chevron lengths of it.
        QVERIFY(boite.intersects(QRectF(4500.0, 3500.0, 1000.0, 1000.0)));
    }

    // "P" and "A" at the ends of 150-twip ticks outwards from the apsides of an ellipse;
    // a circle, a parabola and a hyperbola have none.
    void apsides_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<bool>("marquees");
        QTest::newRow("ellipse") << demarrage << true;
        QTest::newRow("ellipse inclinée")
            << orbite("elliptique", 0.6, 5000, 100, 70, 200, 3) << true;
        QTest::newRow("excentricité nulle")
            << orbite("elliptique", 0, 3918, 20, 20, 0, 25) << false;
        QTest::newRow("parabole") << orbite("parabolique", 1, 7836, 20, 20, 10, 25) << false;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 20, 20, 10, 25) << false;
    }
    void apsides() {
        QFETCH(trajectoire, t);
        QFETCH(bool, marquees);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        for (const auto& [nom, nu] : {std::pair{"P", 0.0}, std::pair{"A", 180.0}}) {
            const element_affichage* e = texte(m.fenetre.image.elements(), nom);
            QCOMPARE(e != nullptr, marquees);
            if (e != nullptr) {
                const element_affichage& tic = *(e - 1);
                QVERIFY(longueur(debut(tic) - sur_l_image(t, nu)) < 1.5);
                QCOMPARE(debut(*e), fin(tic));
                const QPointF dehors = debut(tic) - QPointF(5167, 4327), d = fin(tic) - debut(tic);
                QVERIFY(std::abs(longueur(d) - 150.0) < 2.0);
                QVERIFY(QPointF::dotProduct(dehors, d) > 0.99 * longueur(dehors) * longueur(d));
            }
        }
    }

    // The ascending node: a diamond centred where the conic crosses the equator
    // northwards, on the line of nodes; none for an equatorial orbit or a node at
    // infinity.
    void noeud_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<bool>("marque");
        QTest::newRow("démarrage") << demarrage << true;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 250, 40, 30, 0) << true;
        QTest::newRow("équatoriale")
            << orbite("elliptique", 0.17827, 4616.47, 0, 0, 10, 25) << false;
        QTest::newRow("rétrograde équatoriale")
            << orbite("elliptique", 0.17827, 4616.47, 0, 180, 10, 25) << false;
        QTest::newRow("noeud à l'infini")
            << orbite("parabolique", 1, 7836, 20, 20, 180, 0) << false;
    }
    void noeud() {
        QFETCH(trajectoire, t);
        QFETCH(bool, marque);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        const element_affichage* na = texte(m.fenetre.image.elements(), "NA");
        QCOMPARE(na != nullptr, marque);
        if (na != nullptr) {
            QPointF centre;
            for (int n = 1; n <= 4; ++n) {
                centre += debut(*(na - n)) / 4.0;
            }
            QVERIFY(longueur(centre - sur_l_image(t, -t.petit_omega)) < 1.5);
            QCOMPARE(debut(*na), fin(*(na - 1))); // at the right-hand corner
            QVERIFY(na->x1 > centre.x() + 70.0);
        }
    }
};
TRAJEL_TEST(TestMarques);

#include "test_marques.moc"
