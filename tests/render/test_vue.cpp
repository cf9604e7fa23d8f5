#include "commun/principal.h"
#include "core/trajectoire.h"
#include "render/outils_rendu.h"
#include "render/projection.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"

#include <QLineF>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace trajel;
using trajel::test::debut;
using trajel::test::fin;
using trajel::test::module_de_test;

Q_DECLARE_METATYPE(trajel::nature_erreur)

namespace {

bool proche(const vecteur& a, const vecteur& b) {
    return std::abs(a.x - b.x) < 1e-8 && std::abs(a.y - b.y) < 1e-8 && std::abs(a.z - b.z) < 1e-8;
}

bool identiques(const vecteur& a, const vecteur& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

// The view frame, the mapping of view-plane kilometres to the canvas, and the frame
// primitive.
class TestVue : public QObject {
    Q_OBJECT
private slots:
    void taille_et_orientation_data() {
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<int>("hscroll");
        QTest::addColumn<int>("vscroll");
        QTest::addColumn<int>("W");
        QTest::addColumn<int>("Hc");
        QTest::addColumn<double>("lambda"); // degrees, for the expected axes
        QTest::addColumn<double>("phi");

        QTest::newRow("démarrage")
            << 10335.0 << 8655.0 << 20 << -40 << 10335 << 8655 << 20.0 << 40.0;
        QTest::newRow("moitiés vers le pair")
            << 10335.5 << 8654.5 << 0 << 0 << 10336 << 8654 << 0.0 << 0.0;
        QTest::newRow("moitiés vers le pair, impair")
            << 10334.5 << 8655.49 << -180 << 90 << 10334 << 8655 << -180.0 << -90.0;
        QTest::newRow("au-dessus du pôle nord")
            << 100.51 << 0.5 << 30 << -90 << 101 << 0 << 30.0 << 90.0;
    }
    void taille_et_orientation() {
        QFETCH(double, largeur);
        QFETCH(double, hauteur);
        QFETCH(int, hscroll);
        QFETCH(int, vscroll);
        QFETCH(int, W);
        QFETCH(int, Hc);
        QFETCH(double, lambda);
        QFETCH(double, phi);
        module_de_test m;
        m.fenetre.image.redimensionner(largeur, hauteur);
        m.fenetre.hscroll = hscroll;
        m.fenetre.vscroll = vscroll;

        SANS_ERREUR(mise_en_place_vue());

        QCOMPARE(largeur_image, W);
        QCOMPARE(hauteur_image, Hc);
        // u towards the viewer, v the local east (screen right), w the local north (up).
        const double l = lambda * M_PI / 180.0;
        const double p = phi * M_PI / 180.0;
        QVERIFY(proche(repere_vue.u,
                       {std::cos(l) * std::cos(p), std::sin(l) * std::cos(p), std::sin(p)}));
        QVERIFY(proche(repere_vue.v, {-std::sin(l), std::cos(l), 0.0}));
        QVERIFY(proche(repere_vue.w,
                       {-std::cos(l) * std::sin(p), -std::sin(l) * std::sin(p), std::cos(p)}));
        // Exactly the local frame of the bars, with the program's pi.
        repere attendu;
        repere_local(static_cast<double>(hscroll), static_cast<double>(-vscroll), 0.0, attendu);
        QVERIFY(identiques(repere_vue.u, attendu.u));
        QVERIFY(identiques(repere_vue.v, attendu.v));
        QVERIFY(identiques(repere_vue.w, attendu.w));
    }

    // With W = 0, Hc = 16000 and zoom 1, k = 1: X = floor(x), Y = floor(8000 - y).
    void passage_a_l_ecran_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("X");
        QTest::addColumn<int>("Y");

        QTest::newRow("10.9 vers le bas") << 10.9 << 0.0 << 10 << 8000;
        QTest::newRow("-0.5 vers -1") << -0.5 << 0.0 << -1 << 8000;
        QTest::newRow("entier exact") << 7.0 << -3.0 << 7 << 8003;
        QTest::newRow("y 0.5 au-dessus") << 0.0 << 0.5 << 0 << 7999;
        QTest::newRow("y -0.25 au-dessous") << 0.0 << -0.25 << 0 << 8000;
        QTest::newRow("bord droit du cadre") << 1e8 + 0.5 << 0.0 << 100000000 << 8000;
        QTest::newRow("bord gauche du cadre") << -1e8 << 0.0 << -100000000 << 8000;
        QTest::newRow("bord bas du cadre") << 0.0 << -100008000.0 << 0 << 100016000;
    }
    void passage_a_l_ecran() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, X);
        QFETCH(int, Y);
        module_de_test m;
        largeur_image = 0;
        hauteur_image = 16000;

        SANS_ERREUR(tracer_segment({x, y}, {0.0, 0.0}, couleur_RP));

        const auto traits = m.fenetre.image.traits();
        QCOMPARE(traits.size(), std::size_t{1});
        QVERIFY(traits[0].x1 == static_cast<double>(X));
        QVERIFY(traits[0].y1 == static_cast<double>(Y));
        QCOMPARE(fin(traits[0]), QPoint(0, 8000));
        QCOMPARE(traits[0].couleur, std::int16_t{6});
    }

    // A line reaching beyond the box 1e8 units around the canvas is cut where it leaves
    // it, in double precision, and drawn as far as it crosses the canvas; a line wholly
    // outside is not drawn. W = 0, Hc = 16000, k = 1.
    void coupe_hors_cadre_data() {
        QTest::addColumn<double>("ax");
        QTest::addColumn<double>("ay");
        QTest::addColumn<double>("bx");
        QTest::addColumn<double>("by");
        QTest::addColumn<QLineF>("attendu"); // empty: nothing drawn

        QTest::newRow("vers la droite, au loin")
            << 0.0 << 0.0 << 2147483648.0 << 0.0 << QLineF(0, 8000, 1e8, 8000);
        QTest::newRow("vers la gauche, 1e300")
            << 1.0 << 0.0 << -1e300 << 0.0 << QLineF(1, 8000, -1e8, 8000);
        QTest::newRow("d'un bout à l'autre")
            << -1e15 << 0.0 << 1e15 << 0.0 << QLineF(-1e8, 8000, 1e8, 8000);
        QTest::newRow("vers le bas, au loin")
            << 0.0 << 0.0 << 0.0 << -1e12 << QLineF(0, 8000, 0, 1e8 + 16000);
        QTest::newRow("en diagonale")
            << 0.0 << 0.0 << 4e8 << -4e8 << QLineF(0, 8000, 1e8, 1e8 + 8000);
        QTest::newRow("tout entière au-delà") << 3e8 << 0.0 << 4e8 << 5.0 << QLineF();
    }
    void coupe_hors_cadre() {
        QFETCH(double, ax);
        QFETCH(double, ay);
        QFETCH(double, bx);
        QFETCH(double, by);
        QFETCH(QLineF, attendu);
        module_de_test m;
        largeur_image = 0;
        hauteur_image = 16000;

        SANS_ERREUR(tracer_segment({ax, ay}, {bx, by}, couleur_terre));

        const auto traits = m.fenetre.image.traits();
        if (attendu.isNull()) {
            QVERIFY(traits.empty());
            return;
        }
        QCOMPARE(traits.size(), std::size_t{1});
        QCOMPARE(QLineF(traits[0].x1, traits[0].y1, traits[0].x2, traits[0].y2), attendu);
    }

    // Only a NaN or an infinity is an error; nothing is drawn.
    void coordonnee_hors_limites_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<nature_erreur>("nature");

        QTest::newRow("infini") << 0.0 << std::numeric_limits<double>::infinity()
                                << nature_erreur::depassement_capacite;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0
                             << nature_erreur::operation_invalide;
    }
    void coordonnee_hors_limites() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(nature_erreur, nature);
        module_de_test m;
        largeur_image = 0;
        hauteur_image = 16000;

        // Either end point: the faulty one first, then the second.
        for (int bout = 0; bout < 2; ++bout) {
            const point_vue faux{x, y};
            const point_vue bon{1.0, 1.0};
            try {
                tracer_segment(bout == 0 ? faux : bon, bout == 0 ? bon : faux, couleur_terre);
                QFAIL("no arithmetic error");
            } catch (const erreur_calcul& e) {
                QCOMPARE(e.nature(), nature);
            }
        }
        QVERIFY(m.fenetre.image.elements().empty());
    }

    // k = Hc zoom / 16000 is taken afresh at every segment.
    void echelle_relue_a_chaque_segment() {
        module_de_test m;
        largeur_image = 0;
        hauteur_image = 16000;
        const point_vue a{100.0, 0.0};
        const point_vue b{200.0, 0.0};

        SANS_ERREUR(tracer_segment(a, b, couleur_terre));
        zoom = 3.0;
        SANS_ERREUR(tracer_segment(a, b, couleur_terre));
        hauteur_image = 8000;
        SANS_ERREUR(tracer_segment(a, b, couleur_terre));

        const auto traits = m.fenetre.image.traits();
        QCOMPARE(traits.size(), std::size_t{3});
        QCOMPARE(debut(traits[0]), QPoint(100, 8000));
        QCOMPARE(fin(traits[0]), QPoint(200, 8000));
        QCOMPARE(debut(traits[1]), QPoint(300, 8000));
        QCOMPARE(fin(traits[1]), QPoint(600, 8000));
        QCOMPARE(debut(traits[2]), QPoint(150, 4000));
        QCOMPARE(fin(traits[2]), QPoint(300, 4000));
    }

    // Doubling the zoom doubles every distance from the centre (to within the floor's
    // unit) and leaves the centre where it is.
    void zoom_double_les_distances() {
        module_de_test m;
        SANS_ERREUR(calcul_trajectoire(traj));
        SANS_ERREUR(tracer_terre());
        SANS_ERREUR(tracer_scene(traj));
        const auto zoom1 = m.fenetre.image.traits();
        m.fenetre.image.Cls();
        zoom = 2.0;
        SANS_ERREUR(tracer_terre());
        SANS_ERREUR(tracer_scene(traj));
        const auto zoom2 = m.fenetre.image.traits();

        QCOMPARE(zoom2.size(), zoom1.size());
        const QPoint centre(5167, 4327);
        QCOMPARE(debut(zoom1[0]), centre);
        QCOMPARE(debut(zoom2[0]), centre);
        for (std::size_t i = 0; i < zoom1.size(); ++i) {
            for (const auto& [p1, p2] : {std::pair{debut(zoom1[i]), debut(zoom2[i])},
                                         std::pair{fin(zoom1[i]), fin(zoom2[i])}}) {
                const QPoint ecart = (p2 - centre) - 2 * (p1 - centre);
                if (std::abs(ecart.x()) > 1 || std::abs(ecart.y()) > 1) {
                    QFAIL(qPrintable(QStringLiteral("segment %1: (%2, %3) at zoom 1, (%4, %5) at 2")
                                         .arg(i)
                                         .arg(p1.x())
                                         .arg(p1.y())
                                         .arg(p2.x())
                                         .arg(p2.y())));
                }
            }
        }
        // The satellite's tip moves from (6326, 5136) to twice as far from the centre.
        const auto textes = m.fenetre.image.textes();
        const auto s = std::find_if(textes.begin(), textes.end(),
                                    [](const element_affichage& e) { return e.texte == "S"; });
        QVERIFY(s != textes.end());
        QVERIFY(std::abs(s->x1 - (5167 + 2 * (6326 - 5167))) <= 1);
        QVERIFY(std::abs(s->y1 - (4327 + 2 * (5136 - 4327))) <= 1);
    }

    // The equatorial frame from particular viewpoints: the tips of x, y and z.
    void reperes_selon_la_vue_data() {
        QTest::addColumn<int>("hscroll");
        QTest::addColumn<int>("vscroll");
        QTest::addColumn<QPoint>("x");
        QTest::addColumn<QPoint>("y");
        QTest::addColumn<QPoint>("z");

        // 7236 k = 3914.22: the axes reach 9081 and 1253 across, 413 and 8241 up and down.
        QTest::newRow("démarrage, x en bas à gauche")
            << 20 << -40 << QPoint(3828, 6691) << QPoint(8845, 5188) << QPoint(5167, 1329);
        QTest::newRow("lambda 0 phi 0, x vers l'observateur")
            << 0 << 0 << QPoint(5167, 4327) << QPoint(9081, 4327) << QPoint(5167, 413);
        QTest::newRow("phi 90, pôle vers l'observateur")
            << 0 << -90 << QPoint(5167, 8241) << QPoint(9081, 4327) << QPoint(5167, 4327);
        QTest::newRow("lambda 90 phi 90")
            << 90 << -90 << QPoint(1253, 4327) << QPoint(5167, 8241) << QPoint(5167, 4327);
        QTest::newRow("phi -90, sous le pôle sud")
            << 0 << 90 << QPoint(5167, 413) << QPoint(9081, 4327) << QPoint(5167, 4327);
    }
    void reperes_selon_la_vue() {
        QFETCH(int, hscroll);
        QFETCH(int, vscroll);
        QFETCH(QPoint, x);
        QFETCH(QPoint, y);
        QFETCH(QPoint, z);
        module_de_test m;
        m.fenetre.hscroll = hscroll;
        m.fenetre.vscroll = vscroll;
        SANS_ERREUR(mise_en_place_vue());
        repere equateur;
        repere_orbital(0.0, 0.0, 0.0, equateur);

        SANS_ERREUR(tracer_repere(equateur, "X0(gamma)", "y0", "z0", couleur_terre));

        // Each axis from the centre, then its label with its top-left corner at the tip.
        const auto& el = m.fenetre.image.elements();
        QCOMPARE(el.size(), std::size_t{6});
        const QPoint pointes[3] = {x, y, z};
        const char* etiquettes[3] = {"X0(gamma)", "y0", "z0"};
        for (int i = 0; i < 3; ++i) {
            const auto& axe = el[2 * i];
            const auto& etiquette = el[2 * i + 1];
            QCOMPARE(axe.nature, element_affichage::genre::trait);
            QCOMPARE(debut(axe), QPoint(5167, 4327));
            QCOMPARE(fin(axe), pointes[i]);
            QCOMPARE(axe.couleur, std::int16_t{0});
            QCOMPARE(etiquette.nature, element_affichage::genre::texte);
            QCOMPARE(etiquette.texte, std::string(etiquettes[i]));
            QCOMPARE(debut(etiquette), pointes[i]);
        }
    }

    // An empty label shows nothing; the axes keep the current pen and take colour n.
    void etiquettes_vides() {
        module_de_test m;
        SANS_ERREUR(mise_en_place_vue());
        repere R;
        repere_orbital(40.0, 30.0, 0.0, R);
        m.fenetre.image.DrawWidth(2);

        SANS_ERREUR(tracer_repere(R, "", "nord", "", couleur_RH));

        const auto& el = m.fenetre.image.elements();
        QCOMPARE(el.size(), std::size_t{4});
        QCOMPARE(el[0].nature, element_affichage::genre::trait);
        QCOMPARE(el[1].nature, element_affichage::genre::trait);
        QCOMPARE(el[2].texte, std::string("nord"));
        QCOMPARE(debut(el[2]), fin(el[1]));
        QCOMPARE(el[3].nature, element_affichage::genre::trait);
        for (const auto& e : m.fenetre.image.traits()) {
            QCOMPARE(e.couleur, std::int16_t{2});
            QCOMPARE(e.epaisseur, 2);
        }
    }
};
TRAJEL_TEST(TestVue);
#include "test_vue.moc"
