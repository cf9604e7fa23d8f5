#include "commun/principal.h"
#include "core/trajectoire.h"
#include "render/outils_rendu.h"
#include "render/scene.h"
#include "soutien/faux_formulaire.h"
#include "soutien/references.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace trajel;
using trajel::test::debut;
using trajel::test::fin;
using trajel::test::module_de_test;
using trajel::test::orbite;

Q_DECLARE_METATYPE(trajel::trajectoire)
Q_DECLARE_METATYPE(trajel::bouton_option)

namespace {

using liste = std::vector<element_affichage>;

QString decrire(const element_affichage& e) {
    if (e.nature == element_affichage::genre::texte) {
        return QStringLiteral("text \"%1\" at (%2, %3)")
            .arg(QString::fromStdString(e.texte))
            .arg(e.x1)
            .arg(e.y1);
    }
    return QStringLiteral("line (%1, %2)-(%3, %4) colour %5 width %6 style %7")
        .arg(e.x1)
        .arg(e.y1)
        .arg(e.x2)
        .arg(e.y2)
        .arg(e.couleur)
        .arg(e.epaisseur)
        .arg(e.style);
}

bool identiques(const element_affichage& a, const element_affichage& b) {
    if (a.nature != b.nature || a.x1 != b.x1 || a.y1 != b.y1) {
        return false;
    }
    if (a.nature == element_affichage::genre::texte) {
        return a.texte == b.texte;
    }
    return a.x2 == b.x2 && a.y2 == b.y2 && a.couleur == b.couleur && a.epaisseur == b.epaisseur &&
           a.style == b.style;
}

// The hyperbola whose asymptotes make phi degrees with its axis (cos phi = 1 / e),
// periapsis at 300 km.
trajectoire hyperbole(double phi, double anomalie) {
    const double e = 1.0 / std::cos(deg_rad(phi));
    return orbite("hyperbolique", e, 3918.0 * (1.0 + e), 0.0, 0.0, 0.0, anomalie, phi);
}

// The scene drawn the plain way: one frame build for every point, both ends of every
// step computed, each end mapped on its own. The drawing code must give the same
// display list, element for element, to the last unit.
class dessin_de_reference {
public:
    dessin_de_reference(int hscroll, int vscroll, const surface& modele)
        : image(modele.Width(), modele.Height()), lambda_(hscroll), phi_(-vscroll) {
        repere_local(lambda_, phi_, 0.0, vue_);
        largeur_ = std::nearbyint(modele.Width());
        hauteur_ = std::nearbyint(modele.Height());
    }

    void terre() {
        image.DrawWidth(1);
        image.DrawStyle(style_plein);
        repere equateur;
        repere_orbital(0.0, 0.0, 0.0, equateur);
        axes(equateur, "X0(gamma)", "y0", "z0", 0);
        for (int alpha = 0; alpha <= 360; alpha += 10) {
            repere r1;
            repere r2;
            repere_local(lambda_, phi_, alpha, r1);
            repere_local(lambda_, phi_, alpha + 10.0, r2);
            trait(fois(3618.0, r1.v), fois(3618.0, r2.v), 0);
        }
        for (int b = -90; b <= 90; b += 30) {
            for (int a = 0; a <= 360; a += 10) {
                grille(a, b, a + 10, b);
            }
        }
        for (int a = 0; a <= 360; a += 30) {
            for (int b = -90; b <= 90; b += 10) {
                grille(a, b, a, b + 10);
            }
        }
    }

    // The record's frames (all four options), its conic over nu1..nu2 and its circle.
    void scene(const trajectoire& t, bouton_option option, int nu1, int nu2) {
        const bool tous = option == bouton_option::Option_tous;
        if (tous || option == bouton_option::Option_RN) {
            axes(t.repere_RN, "noeud", "", "", 1);
        }
        if (tous || option == bouton_option::Option_RH) {
            axes(t.repere_RH, "", "", "", 2);
        }
        if (tous || option == bouton_option::Option_RP) {
            axes(t.repere_RP, "périastre", "", "", 6);
        }
        axes(t.repere_sat, "satellite", "", "mt cinétique", 12);
        bool satellite = false;
        for (int nu = nu1; nu <= nu2; ++nu) {
            const vecteur p1 = conique(t, nu);
            const vecteur p2 = conique(t, nu + 1);
            if (nu == t.anomalie) {
                image.DrawWidth(2);
                trait({}, p1, 12);
                image.DrawWidth(1);
                image.Print("S");
                satellite = true;
            }
            point_vue q;
            projeter(vue_, p1, q);
            const bool vu =
                prod_scalaire(p1, vue_.u) >= 0.0 || std::sqrt(q.x * q.x + q.y * q.y) >= 3618.0;
            image.DrawWidth(vu ? 2 : 1);
            image.DrawStyle(vu ? style_plein : style_pointille);
            trait(p1, p2, 12);
        }
        image.DrawWidth(1);
        image.DrawStyle(style_plein);
        // An anomaly that is no step: the satellite at its own place.
        const double d = 1.0 + t.excentricite * std::cos(deg_rad(t.anomalie));
        if (!satellite && d > 0.0) {
            image.DrawWidth(2);
            trait({}, fois(t.parametre / d, t.repere_sat.u), 12);
            image.DrawWidth(1);
            image.Print("S");
        }
        for (int nu = 0; nu <= 360; nu += 10) {
            repere r1;
            repere r2;
            repere_orbital(t.grand_omega, t.inclinaison, nu, r1);
            repere_orbital(t.grand_omega, t.inclinaison, nu + 10.0, r2);
            const vecteur g1 = fois(3618.0, r1.u);
            if (prod_scalaire(g1, vue_.u) > 0.0) {
                trait(g1, fois(3618.0, r2.u), 12);
            }
        }
    }

    surface_enregistree image;

private:
    static vecteur fois(double k, const vecteur& v) {
        vecteur r;
        mult_scalaire(k, v, r);
        return r;
    }

    static vecteur conique(const trajectoire& t, int nu) {
        const double r = t.parametre / (1.0 + t.excentricite * std::cos(deg_rad(nu)));
        repere R;
        repere_orbital(t.grand_omega, t.inclinaison, t.petit_omega + (nu), R);
        return fois(r, R.u);
    }

    void grille(double a1, double b1, double a2, double b2) {
        repere r1;
        repere r2;
        repere_local(a1, b1, 20.0, r1);
        repere_local(a2, b2, 20.0, r2);
        const vecteur s1 = fois(3618.0, r1.u);
        if (prod_scalaire(s1, vue_.u) > 0.0) {
            trait(s1, fois(3618.0, r2.u), 0);
        }
    }

    void axes(const repere& R, const char* lu, const char* lv, const char* lw, std::int16_t n) {
        const vecteur* a[3] = {&R.u, &R.v, &R.w};
        const std::string l[3] = {lu, lv, lw};
        for (int i = 0; i < 3; ++i) {
            trait({}, fois(7236.0, *a[i]), n);
            if (!l[i].empty()) {
                image.Print(l[i]);
            }
        }
    }

    void trait(const vecteur& a, const vecteur& b, std::int16_t n) {
        point_vue pa;
        point_vue pb;
        projeter(vue_, a, pa);
        projeter(vue_, b, pb);
        const double k = hauteur_ * zoom / 16000.0;
        image.Line(std::floor(pa.x * k + largeur_ / 2.0), std::floor(hauteur_ / 2.0 - pa.y * k),
                   std::floor(pb.x * k + largeur_ / 2.0), std::floor(hauteur_ / 2.0 - pb.y * k), n);
    }

    double lambda_;
    double phi_;
    repere vue_;
    double largeur_;
    double hauteur_;
};

// A view from straight above the north pole with exact axes, put in place of the one
// tracer_terre builds: an equatorial orbit then lies exactly in the view plane, every
// conic point has P . u = 0 (seen) and no point of its great circle is in front.
void vue_exacte_du_pole() {
    repere_vue = {{0.0, 0.0, 1.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}};
}

// What tracer_scene drew after the satellite's frame.
liste apres_repere_satellite(const surface_enregistree& image) {
    const auto& el = image.elements();
    const auto it = std::find_if(el.begin(), el.end(), [](const element_affichage& e) {
        return e.nature == element_affichage::genre::texte && e.texte == "mt cinétique";
    });
    return it == el.end() ? liste{} : liste(it + 1, el.end());
}

// The steps drawn after the satellite's frame, without the radius line and "S";
// satellite is the index of the step that "S" marks, or -1.
struct pas_lus {
    liste pas;
    element_affichage rayon;
    element_affichage s;
    std::ptrdiff_t satellite = -1;
};

pas_lus lire_pas(const surface_enregistree& image) {
    pas_lus r;
    r.pas = apres_repere_satellite(image);
    const auto s = std::find_if(r.pas.begin(), r.pas.end(),
                                [](const element_affichage& e) { return e.texte == "S"; });
    if (s != r.pas.end() && s != r.pas.begin()) {
        r.satellite = (s - r.pas.begin()) - 1;
        r.rayon = *(s - 1);
        r.s = *s;
        r.pas.erase(s - 1, s + 1);
    }
    return r;
}

// Direction of a canvas point from the Earth's centre (5167.5, 4327.5), degrees.
double direction(double x, double y) {
    return std::atan2(4327.5 - y, x - 5167.5) * 180.0 / M_PI;
}

double ecart_angulaire(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

} // namespace

class TestScene : public QObject {
    Q_OBJECT
private slots:
    void scene_de_demarrage() {
        module_de_test m;
        auto& image = m.fenetre.image;
        SANS_ERREUR(calcul_trajectoire(traj));
        image.Cls();
        SANS_ERREUR(tracer_terre());
        SANS_ERREUR(tracer_scene(traj));
        const liste& el = image.elements();
        const QPoint centre(5167, 4327);

        QVERIFY(el.size() > 6 + 37);

        // The equatorial frame: each axis, then its label at the tip.
        const QPoint pointes[3] = {{3828, 6691}, {8845, 5188}, {5167, 1329}};
        const char* etiquettes[3] = {"X0(gamma)", "y0", "z0"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(debut(el[2 * i]), centre);
            QCOMPARE(fin(el[2 * i]), pointes[i]);
            QCOMPARE(el[2 * i].couleur, std::int16_t{0});
            QCOMPARE(el[2 * i + 1].texte, std::string(etiquettes[i]));
            QCOMPARE(debut(el[2 * i + 1]), pointes[i]);
        }

        // The outline: 37 chords of the circle of 3618 km (1957.1 units) about the
        // centre; the last retraces the first.
        std::size_t i = 6;
        for (int n = 0; n < 37; ++n, ++i) {
            const auto& e = el[i];
            QCOMPARE(e.nature, element_affichage::genre::trait);
            QCOMPARE(e.couleur, std::int16_t{0});
            QVERIFY(std::abs(std::hypot(e.x1 - 5167.5, e.y1 - 4327.5) - 1957.1) < 1.5);
            QVERIFY(std::abs(std::hypot(e.x2 - 5167.5, e.y2 - 4327.5) - 1957.1) < 1.5);
        }
        QVERIFY(identiques(el[6], el[6 + 36]));

        // The grid: of 259 parallel and 247 meridian segments, those whose start faces
        // the viewer.
        int devant = 0;
        const auto compter = [&](double a, double b) {
            repere r;
            repere_local(a, b, 20.0, r);
            vecteur s;
            mult_scalaire(3618.0, r.u, s);
            devant += prod_scalaire(s, repere_vue.u) > 0.0 ? 1 : 0;
        };
        for (int b = -90; b <= 90; b += 30) {
            for (int a = 0; a <= 360; a += 10) {
                compter(a, b);
            }
        }
        for (int a = 0; a <= 360; a += 30) {
            for (int b = -90; b <= 90; b += 10) {
                compter(a, b);
            }
        }
        QVERIFY(devant > 200 && devant < 306); // about the front half of 506
        const std::size_t fin_grille = i + static_cast<std::size_t>(devant);
        QVERIFY(el.size() > fin_grille);
        for (; i < fin_grille; ++i) {
            QCOMPARE(el[i].nature, element_affichage::genre::trait);
            QCOMPARE(el[i].couleur, std::int16_t{0});
            QCOMPARE(el[i].epaisseur, 1);
            QCOMPARE(el[i].style, style_plein);
        }
        QCOMPARE(el[i].couleur, std::int16_t{1}); // the node frame follows at once

        // The satellite at 25 degrees, the first step: radius line at width 2, "S".
        const liste conique = apres_repere_satellite(image);
        QVERIFY(conique.size() > 363);
        QCOMPARE(debut(conique[0]), centre);
        QCOMPARE(fin(conique[0]), QPoint(6326, 5136));
        QCOMPARE(conique[0].couleur, std::int16_t{12});
        QCOMPARE(conique[0].epaisseur, 2);
        QCOMPARE(conique[1].texte, std::string("S"));
        QCOMPARE(debut(conique[1]), QPoint(6326, 5136));

        // 361 steps from 25 to 385 degrees: 326 seen, 35 behind the Earth.
        int vus = 0;
        int caches = 0;
        for (std::size_t n = 2; n < 2 + 361; ++n) {
            const auto& e = conique[n];
            QCOMPARE(e.nature, element_affichage::genre::trait);
            QCOMPARE(e.couleur, std::int16_t{12});
            if (e.epaisseur == 2 && e.style == style_plein) {
                ++vus;
            } else if (e.epaisseur == 1 && e.style == style_pointille) {
                ++caches;
            }
        }
        QCOMPARE(vus, 326);
        QCOMPARE(caches, 35);
        QCOMPARE(debut(conique[2]), QPoint(6326, 5136));
        QVERIFY(identiques(conique[2 + 360], conique[2])); // 385-386 over 25-26

        // Then the front half of the orbit plane's great circle, at width 1, solid.
        int cercle = 0;
        for (int nu = 0; nu <= 360; nu += 10) {
            repere r;
            repere_orbital(20.0, 20.0, nu, r);
            vecteur g;
            mult_scalaire(3618.0, r.u, g);
            cercle += prod_scalaire(g, repere_vue.u) > 0.0 ? 1 : 0;
        }
        QCOMPARE(conique.size(), std::size_t{2 + 361} + static_cast<std::size_t>(cercle));
        for (std::size_t n = 2 + 361; n < conique.size(); ++n) {
            QCOMPARE(conique[n].couleur, std::int16_t{12});
            QCOMPARE(conique[n].epaisseur, 1);
            QCOMPARE(conique[n].style, style_plein);
        }
        QCOMPARE(image.DrawWidth(), 1);
        QCOMPARE(image.DrawStyle(), style_plein);
    }

    // The whole display list against the plain-way drawing, over viewpoints, zooms,
    // conics and frame options.
    void identique_a_la_reference_data() {
        QTest::addColumn<int>("hscroll");
        QTest::addColumn<int>("vscroll");
        QTest::addColumn<double>("facteur");
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<bouton_option>("option");
        QTest::addColumn<int>("nu1");
        QTest::addColumn<int>("nu2");

        const double e0 = 1700.0 / 9536.0;
        const double p0 = (1.0 - e0 * e0) * 4768.0;
        const trajectoire depart = orbite("elliptique", e0, p0, 20, 20, 10, 25);
        const auto tous = bouton_option::Option_tous;
        QTest::newRow("démarrage") << 20 << -40 << 1.0 << depart << tous << 25 << 385;
        QTest::newRow("lambda 0 phi 0") << 0 << 0 << 1.0 << depart << tous << 25 << 385;
        QTest::newRow("phi 90") << 0 << -90 << 1.0 << depart << tous << 25 << 385;
        QTest::newRow("sous le pôle sud, lambda -180")
            << -180 << 90 << 1.0 << depart << tous << 25 << 385;
        QTest::newRow("lambda 135 phi -25, zoom 2.5")
            << 135 << 25 << 2.5 << depart << tous << 25 << 385;
        QTest::newRow("angles non entiers, polaire")
            << 20 << -40 << 1.0 << orbite("elliptique", 0.6, 9000, 123.4, 97.5, 10.3, 100) << tous
            << 100 << 460;
        QTest::newRow("anomalie 24.5, repère RP seul")
            << -60 << -10 << 1.0 << orbite("elliptique", 0.3, 6000, 200, 63.4, 270, 24.5)
            << bouton_option::Option_RP << 24 << 384;
        QTest::newRow("cercle sous la surface, repère RN seul")
            << 20 << -40 << 1.0 << orbite("circulaire", 0, 2618, 0, 10, 0, 90)
            << bouton_option::Option_RN << 90 << 450;
        QTest::newRow("parabole") << 45 << -20 << 0.5
                                  << orbite("parabolique", 1, 7836, 300, 45, 33, -30)
                                  << bouton_option::Option_RH << -120 << 120;
        QTest::newRow("hyperbole 60")
            << 20 << -40 << 1.0 << hyperbole(60, 12) << tous << -100 << 100;
        QTest::newRow("hyperbole 45, satellite au-delà des pas")
            << 20 << -40 << 1.0 << hyperbole(45, 134.5) << tous << -115 << 133;
        QTest::newRow("type inconnu")
            << 20 << -40 << 1.0 << orbite("", 0.2, 5000, 20, 20, 10, 0) << tous << 0 << 0;
    }
    void identique_a_la_reference() {
        QFETCH(int, hscroll);
        QFETCH(int, vscroll);
        QFETCH(double, facteur);
        QFETCH(trajectoire, t);
        QFETCH(bouton_option, option);
        QFETCH(int, nu1);
        QFETCH(int, nu2);
        module_de_test m;
        m.fenetre.hscroll = hscroll;
        m.fenetre.vscroll = vscroll;
        m.fenetre.choisir(option);
        zoom = facteur;

        SANS_ERREUR(tracer_terre());
        SANS_ERREUR(tracer_scene(t));

        dessin_de_reference reference(hscroll, vscroll, m.fenetre.image);
        reference.terre();
        reference.scene(t, option, nu1, nu2);
        const liste& obtenu = m.fenetre.image.elements();
        const liste& attendu = reference.image.elements();
        for (std::size_t i = 0; i < std::min(obtenu.size(), attendu.size()); ++i) {
            if (!identiques(obtenu[i], attendu[i])) {
                QFAIL(qPrintable(QStringLiteral("element %1: %2, expected %3")
                                     .arg(i)
                                     .arg(decrire(obtenu[i]), decrire(attendu[i]))));
            }
        }
        QCOMPARE(obtenu.size(), attendu.size());
    }

    // The range of whole anomalies by conic type. Seen from exactly above the pole, an
    // equatorial conic draws every step and no great circle, so what follows the
    // satellite's frame is the radius line and "S" (if any) and the steps.
    void plage_des_anomalies_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<int>("pas");
        QTest::addColumn<int>("nu1");
        QTest::addColumn<int>("satellite"); // step "S" marks; pas: after the steps; -1: none

        QTest::newRow("ellipse 25: 25..385, S au premier pas")
            << orbite("elliptique", 0.2, 5000, 0, 0, 0, 25) << 361 << 25 << 0;
        QTest::newRow("ellipse 24.5: 24..384, S après les pas")
            << orbite("elliptique", 0.2, 5000, 0, 0, 0, 24.5) << 361 << 24 << 361;
        QTest::newRow("ellipse 25.5: 26..386, S après les pas")
            << orbite("elliptique", 0.2, 5000, 0, 0, 0, 25.5) << 361 << 26 << 361;
        QTest::newRow("cercle -90: -90..270")
            << orbite("circulaire", 0, 4000, 0, 0, 0, -90) << 361 << -90 << 0;
        QTest::newRow("parabole: -120..120, S au milieu")
            << orbite("parabolique", 1, 7836, 0, 0, 0, 0) << 241 << -120 << 120;
        QTest::newRow("parabole, satellite à 121: -120..121")
            << orbite("parabolique", 1, 7836, 0, 0, 0, 121) << 242 << -120 << 241;
        QTest::newRow("parabole, satellite à -150.5: -151..120")
            << orbite("parabolique", 1, 7836, 0, 0, 0, -150.5) << 272 << -151 << 272;
        QTest::newRow("parabole, satellite à 170.5: -120..171")
            << orbite("parabolique", 1, 7836, 0, 0, 0, 170.5) << 292 << -120 << 292;
        QTest::newRow("parabole, satellite à 180: aucune marque")
            << orbite("parabolique", 1, 7836, 0, 0, 0, 180) << 241 << -120 << -1;
        QTest::newRow("parabole, satellite à 480 (120)")
            << orbite("parabolique", 1, 7836, 0, 0, 0, 480) << 241 << -120 << 241;
        QTest::newRow("hyperbole 60: -100..100") << hyperbole(60, 40) << 201 << -100 << 140;
        QTest::newRow("hyperbole 20.6: -139..139") << hyperbole(20.6, 0) << 279 << -139 << 139;
        QTest::newRow("hyperbole 10: -150..150") << hyperbole(10, 0) << 301 << -150 << 150;
        QTest::newRow("hyperbole 405, l'angle de 45") << hyperbole(405, 0) << 231 << -115 << 115;
        QTest::newRow("hyperbole -45, l'angle de 45") << hyperbole(-45, 0) << 231 << -115 << 115;
        QTest::newRow("hyperbole 45, satellite à 130: -115..130")
            << hyperbole(45, 130) << 246 << -115 << 245;
        QTest::newRow("hyperbole 45, satellite à -134.5: -134..115")
            << hyperbole(45, -134.5) << 250 << -134 << 250;
        QTest::newRow("hyperbole 45, satellite au-delà de l'asymptote")
            << hyperbole(45, 135.5) << 231 << -115 << -1;
        QTest::newRow("type vide: 0..0") << orbite("", 0.1, 5000, 0, 0, 0, 0) << 1 << 0 << 0;
        QTest::newRow("casse différente: 0..0, S à sa place")
            << orbite("Elliptique", 0.1, 5000, 0, 0, 0, 7) << 1 << 0 << 1;
    }
    void plage_des_anomalies() {
        QFETCH(trajectoire, t);
        QFETCH(int, pas);
        QFETCH(int, nu1);
        QFETCH(int, satellite);
        module_de_test m;
        vue_exacte_du_pole();

        SANS_ERREUR(tracer_scene(t));

        const pas_lus lu = lire_pas(m.fenetre.image);
        const liste& conique = lu.pas;
        QCOMPARE(lu.satellite, static_cast<std::ptrdiff_t>(satellite));
        if (satellite >= 0) {
            // The radius line at width 2 from the centre, then "S" at its end: at the
            // start of the satellite's own step, or after the steps at the satellite's
            // place, p / (1 + e cos(anomaly)) along its direction.
            QCOMPARE(lu.rayon.epaisseur, 2);
            QCOMPARE(debut(lu.rayon), QPoint(5167, 4327));
            QCOMPARE(debut(lu.s), fin(lu.rayon));
            if (satellite < pas) {
                QCOMPARE(fin(lu.rayon), debut(conique[static_cast<std::size_t>(satellite)]));
            } else {
                const double r =
                    t.parametre / (1 + t.excentricite * std::cos(t.anomalie * M_PI / 180));
                const double k = 8655 / 16000.0;
                QVERIFY(ecart_angulaire(direction(lu.rayon.x2, lu.rayon.y2), t.anomalie) < 0.2);
                QVERIFY(std::abs(std::hypot(lu.rayon.x2 - 5167.5, lu.rayon.y2 - 4327.5) - r * k) <
                        2);
            }
        }
        QCOMPARE(static_cast<int>(conique.size()), pas);
        for (const auto& e : conique) {
            QCOMPARE(e.nature, element_affichage::genre::trait);
            QCOMPARE(e.epaisseur, 2);
        }
        if (pas > 0) {
            // The first step starts at nu1, the last ends at nu2 + 1 = nu1 + pas.
            QVERIFY(ecart_angulaire(direction(conique.front().x1, conique.front().y1), nu1) < 0.2);
            QVERIFY(ecart_angulaire(direction(conique.front().x2, conique.front().y2), nu1 + 1) <
                    0.2);
            QVERIFY(ecart_angulaire(direction(conique.back().x2, conique.back().y2), nu1 + pas) <
                    0.2);
        }
    }

    // Anomaly bounds beyond the 16-bit range raise the arithmetic error at once, after
    // the frames and before any step; bounds within it draw, up to nu2 = 32767.
    void bornes_sur_16_bits_data() {
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<int>("pas"); // -1: the arithmetic error

        QTest::newRow("ellipse 32407: jusqu'à 32767")
            << orbite("elliptique", 0.2, 5000, 0, 0, 0, 32407) << 361;
        QTest::newRow("ellipse 32407.5: 32768")
            << orbite("elliptique", 0.2, 5000, 0, 0, 0, 32407.5) << -1;
        QTest::newRow("ellipse 32408") << orbite("elliptique", 0.2, 5000, 0, 0, 0, 32408) << -1;
        QTest::newRow("ellipse -32768") << orbite("elliptique", 0.2, 5000, 0, 0, 0, -32768) << 361;
        QTest::newRow("ellipse -32768.5: vers le pair")
            << orbite("elliptique", 0.2, 5000, 0, 0, 0, -32768.5) << 361;
        QTest::newRow("ellipse -32769") << orbite("elliptique", 0.2, 5000, 0, 0, 0, -32769) << -1;
        QTest::newRow("ellipse 1e9") << orbite("elliptique", 0.2, 5000, 0, 0, 0, 1e9) << -1;
        QTest::newRow("ellipse 1e300") << orbite("elliptique", 0.2, 5000, 0, 0, 0, 1e300) << -1;
        // A hyperbola is drawn from the angle in (0, 90) with the cosine of the one typed:
        // 32787 is 27. One whose cosine describes no hyperbola keeps 20 - Phi..Phi - 20.
        QTest::newRow("hyperbole 32787: l'angle de 27")
            << orbite("hyperbolique", 1.0 / std::cos(deg_rad(27.0)), 5000, 0, 0, 0, 0, 32787)
            << 267;
        QTest::newRow("hyperbole 32860, cosinus négatif")
            << orbite("hyperbolique", 0.5, 5000, 0, 0, 0, 0, 32860) << -1;
        QTest::newRow("hyperbole -32940, cosinus négatif")
            << orbite("hyperbolique", 0.5, 5000, 0, 0, 0, 0, -32940) << -1;
    }
    void bornes_sur_16_bits() {
        QFETCH(trajectoire, t);
        QFETCH(int, pas);
        module_de_test m;
        vue_exacte_du_pole();

        bool erreur = false;
        try {
            tracer_scene(t);
        } catch (const erreur_calcul& e) {
            QCOMPARE(e.nature(), nature_erreur::depassement_capacite);
            erreur = true;
        }

        QCOMPARE(erreur, pas < 0);
        const pas_lus lu = lire_pas(m.fenetre.image);
        QCOMPARE(static_cast<int>(lu.pas.size()), std::max(pas, 0));
        // Nothing else: the frames, then the steps (and the radius line).
        QCOMPARE(m.fenetre.image.traits().size(), 12 + lu.pas.size() + (lu.satellite >= 0 ? 1 : 0));
    }

    // The option buttons choose the orbit's frames; the satellite's frame comes always.
    void reperes_selon_les_options_data() {
        QTest::addColumn<bouton_option>("option");
        QTest::addColumn<QStringList>("attendu"); // Ln: a line in colour n; else a label

        QTest::newRow("tous") << bouton_option::Option_tous
                              << QStringList{"L1",        "noeud", "L1",  "L1",
                                             "L2",        "L2",    "L2",  "L6",
                                             "périastre", "L6",    "L6",  "L12",
                                             "satellite", "L12",   "L12", "mt cinétique"};
        QTest::newRow("RN") << bouton_option::Option_RN
                            << QStringList{"L1",        "noeud", "L1",  "L1",          "L12",
                                           "satellite", "L12",   "L12", "mt cinétique"};
        QTest::newRow("RH, sans étiquettes")
            << bouton_option::Option_RH
            << QStringList{"L2", "L2", "L2", "L12", "satellite", "L12", "L12", "mt cinétique"};
        QTest::newRow("RP") << bouton_option::Option_RP
                            << QStringList{"L6",        "périastre", "L6",  "L6",          "L12",
                                           "satellite", "L12",       "L12", "mt cinétique"};
    }
    void reperes_selon_les_options() {
        QFETCH(bouton_option, option);
        QFETCH(QStringList, attendu);
        module_de_test m;
        m.fenetre.choisir(option);
        SANS_ERREUR(calcul_trajectoire(traj));
        SANS_ERREUR(mise_en_place_vue());

        SANS_ERREUR(tracer_scene(traj));

        QStringList obtenu;
        for (const auto& e : m.fenetre.image.elements()) {
            if (obtenu.size() == attendu.size()) {
                break;
            }
            obtenu << (e.nature == element_affichage::genre::trait
                           ? QStringLiteral("L%1").arg(e.couleur)
                           : QString::fromStdString(e.texte));
        }
        QCOMPARE(obtenu, attendu);
        // The frames are drawn with the pen of a fresh canvas.
        const auto lignes = static_cast<std::size_t>(
            std::count_if(attendu.begin(), attendu.end(),
                          [](const QString& a) { return a.startsWith(QLatin1Char('L')); }));
        for (std::size_t i = 0; i < lignes; ++i) {
            QCOMPARE(m.fenetre.image.traits()[i].epaisseur, 1);
        }
        QCOMPARE(etiquette_u, std::string("satellite"));
        QCOMPARE(etiquette_w, std::string("mt cinétique"));
    }

    // A step is seen when its start is in front of the Earth's centre plane or
    // outside the Earth's disc; otherwise it is dotted.
    void pas_vus_et_caches_data() {
        QTest::addColumn<int>("vscroll");
        QTest::addColumn<trajectoire>("t");
        QTest::addColumn<QList<int>>("caches"); // the anomalies of the dotted steps

        // za 50000, zp 300, apoapsis behind the Earth seen edge-on from lambda 0 phi 0:
        // only the steps near 180 degrees project into the disc.
        const double ra = 53618.0;
        const double rp = 3918.0;
        const double e = (ra - rp) / (ra + rp);
        const double p = (1.0 - e * e) * (ra + rp) * 0.5;
        const trajectoire loin = orbite("elliptique", e, p, 0, 0, 0, 0.5);
        QList<int> pres_de_180;
        for (int nu = 0; nu <= 360; ++nu) {
            point_vue q{p / (1.0 + e * std::cos(deg_rad(nu))) * std::sin(deg_rad(nu)), 0.0};
            if (std::cos(deg_rad(nu)) < 0.0 && std::abs(q.x) < 3618.0) {
                pres_de_180 << nu;
            }
        }
        QTest::newRow("apoapside loin derrière la Terre") << 0 << loin << pres_de_180;
        QTest::newRow("orbite vue de face, depuis le pôle")
            << -90 << orbite("elliptique", 0.2, 5000, 0, 0, 0, 0.5) << QList<int>{};
    }
    void pas_vus_et_caches() {
        QFETCH(int, vscroll);
        QFETCH(trajectoire, t);
        QFETCH(QList<int>, caches);
        module_de_test m;
        m.fenetre.hscroll = 0;
        m.fenetre.vscroll = vscroll;
        SANS_ERREUR(mise_en_place_vue());

        SANS_ERREUR(tracer_scene(t));

        const liste conique = apres_repere_satellite(m.fenetre.image);
        QVERIFY(conique.size() >= 361);
        QList<int> pointilles;
        for (int nu = 0; nu <= 360; ++nu) { // anomalie 0.5: steps from 0, no "S"
            const auto& e = conique[static_cast<std::size_t>(nu)];
            if (e.epaisseur == 1 && e.style == style_pointille) {
                pointilles << nu;
            } else {
                QCOMPARE(e.epaisseur, 2);
                QCOMPARE(e.style, style_plein);
            }
        }
        QCOMPARE(pointilles, caches);
        if (!caches.isEmpty()) {
            // Behind the centre plane yet outside the disc: still seen.
            QVERIFY(!caches.contains(170) && !caches.contains(190));
            QVERIFY(caches.contains(180));
        }
    }

    // A conic inside the Earth exactly in the view plane: P . u = 0 counts as seen,
    // G . u = 0 as not in front.
    void plan_de_l_orbite_dans_le_plan_de_vue() {
        module_de_test m;
        vue_exacte_du_pole();

        SANS_ERREUR(tracer_scene(orbite("circulaire", 0, 2618, 0, 0, 0, 0.5)));

        const liste conique = lire_pas(m.fenetre.image).pas;
        QCOMPARE(conique.size(), std::size_t{361}); // no great circle
        for (const auto& e : conique) {
            QCOMPARE(e.epaisseur, 2);
            QCOMPARE(e.style, style_plein);
            QVERIFY(std::hypot(e.x1 - 5167.5, e.y1 - 4327.5) < 1957.0 * 0.75); // inside the disc
        }
    }

    // tracer_scene reads the canvas size afresh; it keeps the view of tracer_terre.
    void taille_relue_par_tracer_scene() {
        module_de_test m;
        SANS_ERREUR(calcul_trajectoire(traj));
        SANS_ERREUR(tracer_terre());
        const repere vue = repere_vue;
        m.fenetre.hscroll = 100; // not read again
        m.fenetre.image.Cls();
        m.fenetre.image.redimensionner(2000.4, 16000.0);

        SANS_ERREUR(tracer_scene(traj));

        QCOMPARE(largeur_image, 2000);
        QCOMPARE(hauteur_image, 16000);
        QVERIFY(repere_vue.u.x == vue.u.x && repere_vue.v.y == vue.v.y);
        const auto traits = m.fenetre.image.traits();
        QVERIFY(!traits.empty());
        // k = 1 and the centre at (1000, 8000): the node axis, 7236 km, as seen.
        vecteur pointe;
        mult_scalaire(7236.0, traj.repere_RN.u, pointe);
        point_vue q;
        projeter(vue, pointe, q);
        QCOMPARE(debut(traits[0]), QPoint(1000, 8000));
        QCOMPARE(fin(traits[0]), QPoint(static_cast<int>(std::floor(q.x + 1000.0)),
                                        static_cast<int>(std::floor(8000.0 - q.y))));
    }

    // The pen is width 1, solid, when each drawing starts and after tracer_scene, even
    // when the last step was dotted or an error abandoned the conic at width 2.
    void plume() {
        module_de_test m;
        auto& image = m.fenetre.image;
        image.DrawWidth(2);
        image.DrawStyle(style_pointille);
        m.fenetre.hscroll = 0;
        m.fenetre.vscroll = 0;
        SANS_ERREUR(tracer_terre());
        for (const auto& e : image.traits()) {
            QCOMPARE(e.epaisseur, 1);
            QCOMPARE(e.style, style_plein);
        }

        // The far apoapsis of the test above, the satellite at 180: the last step
        // (540 to 541 degrees) is behind the Earth.
        image.Cls();
        image.DrawWidth(2);
        image.DrawStyle(style_pointille);
        const double e = 49700.0 / 57536.0;
        const trajectoire loin = orbite("elliptique", e, (1.0 - e * e) * 28768.0, 0, 0, 0, 180);
        SANS_ERREUR(tracer_scene(loin));
        const auto traits = image.traits();
        QCOMPARE(traits[0].epaisseur, 1); // the frames
        QCOMPARE(traits[0].style, style_plein);
        const liste conique = apres_repere_satellite(image);
        QVERIFY(conique.size() > 2 + 361);
        QCOMPARE(conique[2 + 360].style, style_pointille);
        for (std::size_t i = 2 + 361; i < conique.size(); ++i) { // the great circle
            QCOMPARE(conique[i].epaisseur, 1);
            QCOMPARE(conique[i].style, style_plein);
        }
        QCOMPARE(image.DrawWidth(), 1);
        QCOMPARE(image.DrawStyle(), style_plein);

        // A conic whose radius overflows halfway (1 + e cos nu reaches 1e-16 at 360),
        // seen from above the pole, its steps at width 2 far off the canvas: what was
        // drawn before stays (the radius line and "S"), and the pen is back to width 1,
        // solid.
        image.Cls();
        vue_exacte_du_pole();
        try {
            tracer_scene(orbite("elliptique", -(1 - 1e-16), 1e300, 0, 0, 0, 180));
            QFAIL("no arithmetic error");
        } catch (const erreur_calcul& erreur) {
            QCOMPARE(erreur.nature(), nature_erreur::depassement_capacite);
        }
        QCOMPARE(apres_repere_satellite(image).size(), std::size_t{2});
        QCOMPARE(image.DrawWidth(), 1);
        QCOMPARE(image.DrawStyle(), style_plein);
    }
};
TRAJEL_TEST(TestScene);
#include "test_scene.moc"
