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
#include <QTest>

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
    // The chevron's tip is the satellite; its arms, 180 twips, open 25 degrees either
    // side backwards along the velocity (the tangent found by a small step of anomaly);
    // width 2 where the conic is seen, 1 where the Earth hides it. None far off the
    // picture, near a hyperbola's asymptote.
    void chevron_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<int>("epaisseur");
        QTest::newRow("démarrage") << demarrage << 2;
        QTest::newRow("périgée") << orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 0) << 2;
        QTest::newRow("apogée, derrière la Terre")
            << orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 180) << 1;
        QTest::newRow("rétrograde") << orbite("circulaire", 0, 3918, 40, 150, 0, 77.5) << 2;
        QTest::newRow("parabole") << orbite("parabolique", 1, 7836, 0, 60, 30, -100) << 2;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 10, 5, 0, 100) << 2;
        QTest::newRow("près de l'asymptote")
            << orbite("hyperbolique", 2, 11754, 0, 0, 0, 119.999) << 0;
    }
    void chevron() {
        QFETCH(trajectoire, t);
        QFETCH(int, epaisseur);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        const liste l = m.fenetre.image.traits();
        QCOMPARE(m.fenetre.image.DrawWidth(), 1);
        QCOMPARE(m.fenetre.image.DrawStyle(), style_plein);
        if (epaisseur == 0) {
            QVERIFY(l.empty());
            return;
        }
        const element_affichage& bras1 = l[l.size() - 2];
        const element_affichage& bras2 = l.back();
        QVERIFY(longueur(fin(bras1) - sur_l_image(t, t.anomalie)) < 1.5);
        QCOMPARE(fin(bras1), debut(bras2));
        QCOMPARE(bras1.epaisseur, epaisseur);
        QCOMPARE(bras1.couleur, couleur_trajectoire);
        const QPointF a = debut(bras1) - fin(bras1);
        const QPointF b = fin(bras2) - debut(bras2);
        QVERIFY(std::abs(longueur(a) - 180.0) < 2.0 && std::abs(longueur(b) - 180.0) < 2.0);
        const QPointF avant = sur_l_image(t, t.anomalie + 1e-4) - sur_l_image(t, t.anomalie - 1e-4);
        const QPointF arriere = -(a + b);
        QVERIFY(QPointF::dotProduct(arriere, avant) / longueur(arriere) / longueur(avant) >
                std::cos(deg_rad(1.5)));
        const double ouverture = std::acos(QPointF::dotProduct(a, b) / longueur(a) / longueur(b));
        QVERIFY(std::abs(ouverture - deg_rad(50)) < deg_rad(1.5));
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
