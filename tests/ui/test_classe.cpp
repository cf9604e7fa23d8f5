// In front of the class, through the real window: the fitted view, the projector's
// panel against the readout, the labels' size on a 1920 x 1080 screen, and the tool
// windows beside the main window's controls.

#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "ui/francais/convention_poussee.h"
#include "ui/image/export_image.h"
#include "ui/outils/assistant_manoeuvre.h"
#include "ui/outils/fenetre_caracteristiques.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>

using namespace trajel;
using namespace trajel::test;

namespace {

QAction* action(const fenetre_de_test& f, const char* nom) {
    return f.controle<QAction>(nom);
}

// The value shown in the readout for the row named `nom`.
QString valeur_lue(const fenetre_caracteristiques* l, const QString& nom) {
    const auto* arbre = l->findChild<QTreeWidget*>(QStringLiteral("arbre_caracteristiques"));
    const auto trouves = arbre->findItems(nom, Qt::MatchExactly | Qt::MatchRecursive);
    return trouves.isEmpty() ? QString() : trouves.first()->text(1);
}

QString valeur_panneau(const vue_agrandie* v, const QString& nom) {
    for (const ligne_panneau& l : v->panneau()) {
        if (l.nom == nom) {
            return l.valeur;
        }
    }
    return {};
}

} // namespace

class TestClasse : public QObject {
    Q_OBJECT
private slots:
    // "Ajuster la vue" after GTO Ariane IV: every step of the conic inside the picture;
    // "Zoom +" then adds its 0.2 to the fitted zoom.
    void ajuster_la_vue() {
        fenetre_de_test f;
        action(f, "menu_GTO_IV")->trigger();
        QCOMPARE(action(f, "menu_ajuster_vue")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        action(f, "menu_ajuster_vue")->trigger();
        QVERIFY(f.rapports.empty());
        const double ajuste = zoom;
        QVERIFY(ajuste < 0.5);
        const double W = f.image()->Width(), H = f.image()->Height();
        int pas = 0;
        for (const auto& e : f.image()->elements_affiches()) {
            if (e.nature == element_affichage::genre::trait && e.couleur == couleur_trajectoire &&
                (e.epaisseur == 2 || e.style == style_pointille)) {
                ++pas;
                QVERIFY(e.x1 >= 0 && e.x2 <= W && e.y1 >= 0 && e.y2 <= H);
                QVERIFY(e.x2 >= 0 && e.x1 <= W && e.y2 >= 0 && e.y1 <= H);
            }
        }
        QCOMPARE(pas, 361 + 1); // the steps and the satellite's radius line
        f.controle<QPushButton>("Command4")->click();
        QCOMPARE(zoom, ajuste + 0.2);
    }

    // F5: the large view in projector mode; its panel shows the readout's figures,
    // follows a burn, and says when the last burn belongs to an earlier orbit.
    void panneau_du_projecteur() {
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        auto* lecture = f.fenetre->findChild<fenetre_caracteristiques*>();
        QVERIFY(lecture != nullptr);
        action(f, "menu_mode_projecteur")->trigger();
        auto* outils = f.fenetre->findChild<outils_image*>(QStringLiteral("outils_image"));
        vue_agrandie* vue = outils->vue();
        QVERIFY(vue != nullptr && vue->isVisible() && vue->mode_projecteur());
        auto verifier = [&] {
            QCOMPARE(valeur_panneau(vue, "Zp"), valeur_lue(lecture, "Altitude du périastre"));
            QCOMPARE(valeur_panneau(vue, "Za"), valeur_lue(lecture, "Altitude de l'apoastre"));
            QCOMPARE(valeur_panneau(vue, "Altitude du satellite"), valeur_lue(lecture, "Altitude"));
            QCOMPARE(valeur_panneau(vue, "Vitesse du satellite"), valeur_lue(lecture, "Vitesse"));
        };
        verifier();
        QCOMPARE(valeur_panneau(vue, "Δv du dernier tir"), QString("aucun tir"));
        f.taper("Text8", "20");
        QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        QVERIFY(f.rapports.empty());
        verifier();
        const QString dv = valeur_lue(lecture, titre_delta_v());
        QVERIFY(!dv.isEmpty() && dv != "-");
        QCOMPARE(valeur_panneau(vue, "Δv du dernier tir"), dv);
        f.controle<QPushButton>("Command1")->click(); // Reset: another orbit
        verifier();
        QCOMPARE(valeur_panneau(vue, "Δv du dernier tir"), dv + " (orbite précédente)");
        const auto* arbre =
            lecture->findChild<QTreeWidget*>(QStringLiteral("arbre_caracteristiques"));
        QCOMPARE(arbre->findItems("Dernier tir", Qt::MatchExactly).first()->text(1),
                 QString("sur une orbite précédente"));
    }

    // Zp typed down to -3618: "-361" is drawn and the readout says the orbit cuts the
    // Earth; "-3618" passes through the Earth's centre, and the strip says so.
    void orbite_par_le_centre() {
        fenetre_de_test f;
        action(f, "menu_caracteristiques")->trigger();
        auto* lecture = f.fenetre->findChild<fenetre_caracteristiques*>();
        f.taper("Text2", "-361");
        QVERIFY(f.rapports.empty());
        QCOMPARE(valeur_lue(lecture, "Altitude du périastre"),
                 QString("-361\u202Fkm : l'orbite coupe la Terre"));
        QTest::keyClick(f.texte("Text2"), Qt::Key_8);
        QCOMPARE(f.non_modaux.size(), std::size_t{1});
        QVERIFY(f.bandeau()->isVisible());
        QVERIFY(f.bandeau()->text().contains("passe par le centre de la Terre"));
        f.taper("Text2", "300");
        QVERIFY(!valeur_lue(lecture, "Altitude du périastre").contains("coupe"));
    }

    // The print caption writes its numbers as the tools do: decimal comma, digits grouped
    // by a narrow no-break space, 6 significant digits, powers of ten in superscript.
    void legende_en_francais_data() {
        QTest::addColumn<double>("za");
        QTest::addColumn<double>("inclinaison");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QString>("legende");
        const QString f = QString(QChar(0x202F));
        QTest::newRow("GTO") << 35786.5 << 49.91717716 << 1.2
                             << "Trajectoire elliptique : Za 35" + f + "786,5" + f + "km, Zp 200" +
                                    f +
                                    "km, Omega 0°, i 49,9172°, omega 0°, "
                                    "anomalie 0° — vue : longitude 20°, latitude 40°, zoom 1,2";
        QTest::newRow("i de l'ordre du millionième")
            << 2000.0 << 1.47877933e-6 << 1.0 / 3.0
            << "Trajectoire elliptique : Za 2" + f + "000" + f + "km, Zp 200" + f +
                   "km, Omega 0°, i 1,47878 × 10⁻⁶°, omega 0°, anomalie 0° — vue : longitude "
                   "20°, latitude 40°, zoom 0,333333";
        QTest::newRow("Za d'un million de km")
            << 1234567.0 << 20.0 << 1.0
            << "Trajectoire elliptique : Za 1,23457 × 10⁶" + f + "km, Zp 200" + f +
                   "km, Omega 0°, i 20°, omega 0°, anomalie 0° — vue : longitude 20°, latitude "
                   "40°, zoom 1";
    }
    void legende_en_francais() {
        QFETCH(double, za);
        QFETCH(double, inclinaison);
        QFETCH(double, zoom);
        QFETCH(QString, legende);
        trajectoire t;
        t.type_conique = elliptique;
        t.za = za;
        t.zp = 200;
        t.inclinaison = inclinaison;
        QCOMPARE(legende_orbite(t, 20, 40, zoom), legende);
    }

    // At 1920 x 1080 the scene takes the whole height, the panel the band beside it,
    // and a label's line is at least 2.5 % of the height; out of projector mode the
    // scene has the whole window.
    void projecteur_1920_1080() {
        fenetre_de_test f;
        Picture1* image = f.image();
        vue_agrandie vue(image);
        vue.resize(1920, 1080);
        vue.definir_mode_projecteur(true);
        QCOMPARE(vue.zone_scene().height(), 1080.0);
        QVERIFY(vue.zone_panneau().width() >= 0.28 * 1920 - 1);
        QVERIFY(!vue.zone_panneau().intersects(vue.zone_scene()));
        QImage toile(1920, 1080, QImage::Format_RGB32);
        QPainter peintre(&toile);
        rendu_image rendu;
        rendu.pixels_par_twip = vue.zone_scene().height() / image->Height();
        rendu.hauteur_texte_min = vue.options_peinture().hauteur_texte_min;
        QVERIFY(QFontMetricsF(police_etiquettes(peintre, rendu), &toile).height() >= 0.025 * 1080);
        vue.definir_mode_projecteur(false);
        QCOMPARE(vue.zone_visible(), QRectF(0, 0, 1920, 1080));
        QVERIFY(vue.zone_panneau().isEmpty());
    }

    // The readout and the assistant open beside the main window, clear of every control
    // of it, and show every column of the readout whole.
    void fenetres_hors_des_commandes() {
        QSettings().remove(QStringLiteral("fenetres"));
        fenetre_de_test f;
        f.fenetre->move(0, 0);
        action(f, "menu_caracteristiques")->trigger();
        action(f, "menu_assistant_manoeuvre")->trigger();
        auto* lecture = f.fenetre->findChild<fenetre_caracteristiques*>();
        auto* assistant = f.fenetre->findChild<assistant_manoeuvre*>();
        QVERIFY(lecture != nullptr && assistant != nullptr);
        QVERIFY(lecture->width() >= lecture->taille_voulue().width() ||
                lecture->frameGeometry().right() >=
                    f.fenetre->screen()->availableGeometry().right() - 1 ||
                zone_libre(*f.fenetre).contains(lecture->frameGeometry()));
        for (const QWidget* outil :
             {static_cast<QWidget*>(lecture), static_cast<QWidget*>(assistant)}) {
            for (const QWidget* c : f.fenetre->findChildren<QWidget*>()) {
                // Every visible control; frames and the central widget hold them.
                const bool conteneur = !c->findChildren<QWidget*>().isEmpty();
                if (c->objectName().isEmpty() || !c->isVisible() || c == f.image() ||
                    c->window() != f.fenetre.get() || conteneur) {
                    continue;
                }
                const QRect global(c->mapToGlobal(QPoint(0, 0)), c->size());
                QVERIFY2(!outil->frameGeometry().intersects(global),
                         qPrintable(outil->objectName() + " / " + c->objectName()));
            }
        }
        // Nor over the readout's own buttons.
        for (const char* nom : {"bouton_copier", "bouton_fermer"}) {
            const auto* b = lecture->findChild<QPushButton*>(QString::fromLatin1(nom));
            QVERIFY(b != nullptr);
            const QRect global(b->mapToGlobal(QPoint(0, 0)), b->size());
            QVERIFY2(!assistant->frameGeometry().intersects(global), nom);
        }
        // Moved, resized and closed, it opens there again in the next run.
        lecture->setGeometry(lecture->geometry().adjusted(5, 5, -20, -20));
        const QRect place = lecture->geometry();
        lecture->close();
        fenetre_de_test g;
        action(g, "menu_caracteristiques")->trigger();
        auto* encore = g.fenetre->findChild<fenetre_caracteristiques*>();
        QCOMPARE(encore->geometry(), place);
    }

    // The assistant's plan shows its values whole, whatever the manoeuvre: no column
    // narrower than its widest text.
    void plan_sans_valeur_coupee_data() {
        QTest::addColumn<int>("manoeuvre");
        QTest::newRow("Hohmann") << 0;
        QTest::newRow("plane change") << 3;
    }
    void plan_sans_valeur_coupee() {
        QFETCH(int, manoeuvre);
        fenetre_de_test f;
        f.fenetre->findChild<QAction*>("menu_kourou_circulaire")->trigger();
        action(f, "menu_assistant_manoeuvre")->trigger();
        f.controle<QComboBox>("choix_manoeuvre")->setCurrentIndex(manoeuvre);
        auto* plan = f.controle<QTreeWidget>("plan_manoeuvre");
        QVERIFY(plan->topLevelItemCount() > 0);
        const QFontMetrics mesure(plan->font());
        for (QTreeWidgetItemIterator it(plan); *it; ++it) {
            for (int c = 1; c < plan->columnCount(); ++c) {
                QVERIFY2(mesure.horizontalAdvance((*it)->text(c)) <= plan->columnWidth(c),
                         qPrintable((*it)->text(0) + " : " + (*it)->text(c)));
            }
        }
    }
};
TRAJEL_TEST(TestClasse);

#include "test_classe.moc"
