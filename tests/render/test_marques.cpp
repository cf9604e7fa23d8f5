// The marks of the motion on the recording surface: the chevron along the velocity at
// the satellite, the apsides of an ellipse, the ascending node, and when they are left
// out.

#include "commun/principal.h"
#include "core/trajectoire.h"
#include "render/marques.h"
#include "render/outils_rendu.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"

#include <QPointF>
#include <QTest>

#include <cmath>

using namespace trajel;
using trajel::test::module_de_test;

namespace {

using liste = std::vector<element_affichage>;

trajectoire orbite(const char* type, double e, double p, double o, double i, double w, double nu) {
    trajectoire t;
    t.type_conique = type;
    t.excentricite = e;
    t.parametre = p;
    t.grand_omega = o;
    t.inclinaison = i;
    t.petit_omega = w;
    t.anomalie = nu;
    return t;
}

// The conic at nu from its formula: r = p / (1 + e cos nu) along the direction at
// omega + nu from the node in the plane of inclination i.
vecteur sur_conique(const trajectoire& t, double nu) {
    const double r = t.parametre / (1.0 + t.excentricite * std::cos(deg_rad(nu)));
    const double o = deg_rad(t.grand_omega);
    const double i = deg_rad(t.inclinaison);
    const double a = deg_rad(t.petit_omega + nu);
    return {r * (std::cos(o) * std::cos(a) - std::sin(o) * std::cos(i) * std::sin(a)),
            r * (std::sin(o) * std::cos(a) + std::cos(o) * std::cos(i) * std::sin(a)),
            r * std::sin(i) * std::sin(a)};
}

// Where a point of space lands on the picture (twips, before flooring).
QPointF sur_l_image(const vecteur& p) {
    const repere& vue = repere_vue;
    const double k = hauteur_image * zoom / 16000.0;
    const double x = p.x * vue.v.x + p.y * vue.v.y + p.z * vue.v.z;
    const double y = p.x * vue.w.x + p.y * vue.w.y + p.z * vue.w.z;
    return {x * k + largeur_image / 2.0, hauteur_image / 2.0 - y * k};
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
    void rien_sans_la_case() {
        module_de_test m;
        SANS_ERREUR(rafraichissement_complet());
        const liste sans = m.fenetre.image.elements();
        marques_du_mouvement = true;
        SANS_ERREUR(rafraichissement_complet());
        marques_du_mouvement = false;
        QVERIFY(m.fenetre.image.elements().size() > sans.size());
        SANS_ERREUR(rafraichissement_complet());
        QVERIFY(m.fenetre.image.elements() == sans);
    }

    // The chevron's tip is the satellite; its arms open backwards along the velocity
    // (the conic's tangent, found here by a small step of anomaly), 180 twips long;
    // width 2 where the conic is seen, 1 where the Earth hides it.
    void chevron_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<int>("epaisseur");
        const double p = 4616.4694;
        QTest::newRow("démarrage") << orbite("elliptique", 0.17827, p, 20, 20, 10, 25) << 2;
        QTest::newRow("périgée") << orbite("elliptique", 0.17827, p, 20, 20, 10, 0) << 2;
        QTest::newRow("apogée, derrière la Terre")
            << orbite("elliptique", 0.17827, p, 20, 20, 10, 180) << 1;
        QTest::newRow("caché par la Terre")
            << orbite("elliptique", 0.05, 4000, 20, 20, 10, 180) << 1;
        QTest::newRow("rétrograde") << orbite("circulaire", 0, 3918, 40, 150, 0, 77.5) << 2;
        QTest::newRow("parabole") << orbite("parabolique", 1, 7836, 0, 60, 30, -100) << 2;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 10, 5, 0, 100) << 2;
    }
    void chevron() {
        QFETCH(trajectoire, t);
        QFETCH(int, epaisseur);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        const liste l = m.fenetre.image.traits();
        QVERIFY(l.size() >= 2);
        const element_affichage& bras1 = l[l.size() - 2];
        const element_affichage& bras2 = l.back();
        const QPointF pointe = sur_l_image(sur_conique(t, t.anomalie));
        QVERIFY(longueur(fin(bras1) - pointe) < 1.5 && fin(bras1) == debut(bras2));
        QCOMPARE(bras1.epaisseur, epaisseur);
        QCOMPARE(bras1.couleur, couleur_trajectoire);
        const QPointF a = debut(bras1) - fin(bras1);
        const QPointF b = fin(bras2) - debut(bras2);
        QVERIFY(std::abs(longueur(a) - 180.0) < 2.0 && std::abs(longueur(b) - 180.0) < 2.0);
        const QPointF avant = sur_l_image(sur_conique(t, t.anomalie + 1e-4)) -
                              sur_l_image(sur_conique(t, t.anomalie - 1e-4));
        const QPointF arriere = -(a + b);
        const double cosinus =
            QPointF::dotProduct(arriere, avant) / longueur(arriere) / longueur(avant);
        QVERIFY2(cosinus > std::cos(deg_rad(1.5)), qPrintable(QString::number(cosinus)));
        // 25 degrees each side of the motion.
        const double ouverture = std::acos(QPointF::dotProduct(a, b) / longueur(a) / longueur(b));
        QVERIFY(std::abs(ouverture - deg_rad(50)) < deg_rad(1.5));
        QCOMPARE(m.fenetre.image.DrawWidth(), 1);
        QCOMPARE(m.fenetre.image.DrawStyle(), style_plein);
    }

    // "P" and "A" at the ends of 150-twip ticks outwards from the apsides of an
    // ellipse; a circle, a parabola and a hyperbola have none.
    void apsides_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<bool>("marquees");
        QTest::newRow("ellipse") << orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 25) << true;
        QTest::newRow("ellipse inclinée")
            << orbite("elliptique", 0.6, 5000, 100, 70, 200, 3) << true;
        QTest::newRow("cercle") << orbite("circulaire", 0, 3918, 20, 20, 0, 25) << false;
        QTest::newRow("elliptique d'excentricité nulle")
            << orbite("elliptique", 0, 3918, 20, 20, 0, 25) << false;
        QTest::newRow("parabole") << orbite("parabolique", 1, 7836, 20, 20, 10, 25) << false;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 20, 20, 10, 25) << false;
    }
    void apsides() {
        QFETCH(trajectoire, t);
        QFETCH(bool, marquees);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        const liste& l = m.fenetre.image.elements();
        for (const auto& [nom, nu] : {std::pair{"P", 0.0}, std::pair{"A", 180.0}}) {
            const element_affichage* e = texte(l, nom);
            QCOMPARE(e != nullptr, marquees);
            if (e == nullptr) {
                continue;
            }
            const element_affichage& trait = *(e - 1);
            const QPointF apside = sur_l_image(sur_conique(t, nu));
            QVERIFY(longueur(debut(trait) - apside) < 1.5);
            QCOMPARE(QPointF(e->x1, e->y1), fin(trait));
            const QPointF dehors = debut(trait) - QPointF(5167, 4327);
            const QPointF tic = fin(trait) - debut(trait);
            QVERIFY(std::abs(longueur(tic) - 150.0) < 2.0);
            QVERIFY(QPointF::dotProduct(dehors, tic) > 0.99 * longueur(dehors) * longueur(tic));
        }
    }

    // The ascending node: a diamond centred where the conic crosses the equator
    // northwards, along (cos Omega, sin Omega, 0); none for an equatorial orbit or a
    // node at infinity.
    void noeud_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<bool>("marque");
        QTest::newRow("démarrage")
            << orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 25) << true;
        QTest::newRow("hyperbole") << orbite("hyperbolique", 2, 11754, 250, 40, 30, 0) << true;
        QTest::newRow("équatoriale")
            << orbite("elliptique", 0.17827, 4616.47, 0, 0, 10, 25) << false;
        QTest::newRow("équatoriale rétrograde")
            << orbite("elliptique", 0.17827, 4616.47, 0, 180, 10, 25) << false;
        QTest::newRow("noeud à l'infini")
            << orbite("parabolique", 1, 7836, 20, 20, 180, 0) << false;
    }
    void noeud() {
        QFETCH(trajectoire, t);
        QFETCH(bool, marque);
        module_de_test m;
        SANS_ERREUR(tracer_marques(t));
        const liste& l = m.fenetre.image.elements();
        const element_affichage* na = texte(l, "NA");
        QCOMPARE(na != nullptr, marque);
        if (na == nullptr) {
            return;
        }
        QPointF centre;
        for (int n = 1; n <= 4; ++n) {
            centre += debut(*(na - n)) / 4.0;
        }
        const double r = t.parametre / (1.0 + t.excentricite * std::cos(deg_rad(-t.petit_omega)));
        const double o = deg_rad(t.grand_omega);
        const QPointF attendu = sur_l_image({r * std::cos(o), r * std::sin(o), 0.0});
        QVERIFY2(longueur(centre - attendu) < 1.5,
                 qPrintable(QString::number(longueur(centre - attendu))));
        QCOMPARE(QPointF(na->x1, na->y1), fin(*(na - 1))); // at the right-hand corner
        QVERIFY(na->x1 > centre.x() + 70.0);
    }

    // A satellite far off the picture (near a hyperbola's asymptote) gets no chevron,
    // and a vanishing zoom raises no error.
    void hors_de_l_image() {
        module_de_test m;
        const trajectoire t = orbite("hyperbolique", 2, 11754, 0, 0, 0, 119.999);
        SANS_ERREUR(tracer_marques(t));
        QVERIFY(m.fenetre.image.traits().empty());
        zoom = 1e-16;
        SANS_ERREUR(tracer_marques(orbite("elliptique", 0.17827, 4616.47, 20, 20, 10, 25)));
        QCOMPARE(m.fenetre.image.traits().size(), std::size_t(8));
    }
};
TRAJEL_TEST(TestMarques);

#include "test_marques.moc"
