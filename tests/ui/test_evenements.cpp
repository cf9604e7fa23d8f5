// How the window delivers its events: nested change and click handlers, nothing for
// an unchanged text or a deselection, and the arithmetic error carried out of a
// nested handler to the outermost one, which alone reports it.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include "core/texte.h"

#include <QPainter>

using namespace trajel;
using namespace trajel::test;

class TestEvenements : public QObject {
    Q_OBJECT
private slots:
    void init() { f = std::make_unique<fenetre_de_test>(); }
    void cleanup() { f.reset(); }

    // A handler's full redraw runs the trajectory computation, which sets the
    // consumed-mass caption back to "0": a mark that a handler ran.
    void texte_change_lance_son_gestionnaire() {
        formulaire& fen = *f->fenetre;
        fen.legende_Label_debit("marque");
        fen.changer_texte(zone_texte::Text3, "20"); // unchanged
        QCOMPARE(fen.legende_Label_debit(), std::string("marque"));
        fen.changer_texte(zone_texte::Text3, "35");
        QCOMPARE(fen.legende_Label_debit(), std::string("0")); // ran before the call returned
        QCOMPARE(traj.grand_omega, 35.0);
    }

    void gestionnaires_imbriques() {
        // Text1 takes Zp's value: Text1_Change sets Text5 to "0", whose own handler
        // runs nested; all before the assignment returns.
        f->fenetre->changer_texte(zone_texte::Text1, "300.0");
        QCOMPARE(f->texte("Text5")->text(), QString("0"));
        QCOMPARE(traj.petit_omega, 0.0);
        QCOMPARE(traj.za, 300.0);
    }

    void frappe_de_l_utilisateur() {
        f->taper("Text4", "0");
        f->valider("Text4");
        QCOMPARE(f->texte("Text3")->text(), QString("0")); // zero inclination: no node
        QCOMPARE(traj.inclinaison, 0.0);
        QCOMPARE(traj.grand_omega, 0.0);
        // Boxes without a handler only take effect at the next computation.
        f->fenetre->legende_Label_debit("marque");
        f->taper("Text6", "500");
        QCOMPARE(f->fenetre->legende_Label_debit(), std::string("marque"));
        QCOMPARE(masse, 1000.0);
    }

    void option_selectionnee_seulement() {
        formulaire& fen = *f->fenetre;
        // Selecting "circulaire" deselects "elliptique" without running its handler,
        // which would have proposed a new Za in Text1.
        fen.changer_texte(zone_texte::Text1, "2000");
        fen.selectionner(bouton_option::Option_circulaire);
        QVERIFY(f->option("Option_circulaire")->isChecked());
        QVERIFY(!f->option("Option_elliptique")->isChecked());
        QCOMPARE(f->texte("Text1")->text(), QString("2000"));
        QVERIFY(f->texte("Text1")->isHidden());
        QCOMPARE(traj.type_conique, std::string("circulaire"));
        // Selecting the selected option runs nothing.
        fen.legende_Label_debit("marque");
        fen.selectionner(bouton_option::Option_circulaire);
        QCOMPARE(fen.legende_Label_debit(), std::string("marque"));
        // A user's click on a new option runs its handler.
        QTest::mouseClick(f->option("Option_elliptique"), Qt::LeftButton, {},
                          QPoint(5, f->option("Option_elliptique")->height() / 2));
        QVERIFY(f->option("Option_elliptique")->isChecked());
        QCOMPARE(f->texte("Text1")->text(), QString(" 450"));
    }

    void erreur_d_un_gestionnaire_imbrique() {
        // An elliptic orbit with ra + rp = 0 divides by zero in every full redraw.
        f->fenetre->evenements().executer([this] {
            f->fenetre->changer_texte(zone_texte::Text1, "0");
            f->fenetre->changer_texte(zone_texte::Text2, "-7236");
            f->fenetre->changer_texte(zone_texte::Text3, "99");
        });
        QCOMPARE(f->rapports.size(), std::size_t(1));
        QCOMPARE(f->rapports[0].nature(), nature_erreur::division_par_zero);
        // The outer handler stopped at the failing assignment.
        QCOMPARE(f->texte("Text2")->text(), QString("-7236"));
        QCOMPARE(f->texte("Text3")->text(), QString("20"));
        const auto traits_avant = f->image()->elements().size();

        // Typing a zero inclination redraws, which fails; committing it runs its rule,
        // whose nested Text3_Change fails: the error comes out of the nested assignment
        // and the commit reports it once. Both go to the strip, none to a dialog.
        f->rapports.clear();
        f->taper("Text4", "0");
        QCOMPARE(f->rapports.size(), std::size_t(1));
        f->valider("Text4");
        QCOMPARE(f->rapports.size(), std::size_t(2));
        QCOMPARE(f->rapports[1].nature(), nature_erreur::division_par_zero);
        QCOMPARE(f->non_modaux.size(), std::size_t(2));
        QCOMPARE(f->texte("Text3")->text(), QString("0"));
        QVERIFY(f->image()->elements().size() <= traits_avant);

        // The window answers the next event.
        f->rapports.clear();
        f->taper("Text2", "300");
        QVERIFY(f->rapports.empty());
        QCOMPARE(traj.zp, 300.0);
    }

    void erreur_imbriquee_non_relancee_reste_signalee() {
        // A nested error whose caller never raised it again still ends the event.
        distributeur d;
        std::vector<nature_erreur> vus;
        d.definir_rapporteur([&](const erreur_calcul& e) { vus.push_back(e.nature()); });
        bool suite = false;
        d.executer([&] {
            d.executer([] { lever(nature_erreur::depassement_capacite); });
            d.executer([&] { suite = true; }); // abandoned with the event
        });
        QVERIFY(!suite);
        QCOMPARE(vus, std::vector<nature_erreur>{nature_erreur::depassement_capacite});
        d.executer([&] { suite = true; });
        QVERIFY(suite);
    }

private:
    std::unique_ptr<fenetre_de_test> f;
};
TRAJEL_TEST(TestEvenements);

// The drawing surface of the window: units, pen, current point, display list.
class TestPicture1 : public QObject {
    Q_OBJECT
private slots:
    void palette_standard_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<QColor>("couleur");
        QTest::newRow("noir") << 0 << QColor(0, 0, 0);
        QTest::newRow("bleu") << 1 << QColor(0, 0, 128);
        QTest::newRow("vert") << 2 << QColor(0, 128, 0);
        QTest::newRow("brun") << 6 << QColor(128, 128, 0);
        QTest::newRow("rouge clair") << 12 << QColor(255, 0, 0);
        QTest::newRow("blanc") << 15 << QColor(255, 255, 255);
    }
    void palette_standard() {
        QFETCH(int, indice);
        QFETCH(QColor, couleur);
        const couleur_rgb c = palette(static_cast<std::int16_t>(indice));
        QCOMPARE(QColor(c.r, c.g, c.b), couleur);
    }

    void liste_d_affichage() {
        Picture1 image;
        image.resize(689, 577);
        QCOMPARE(image.Width(), 10335.0);
        QCOMPARE(image.Height(), 8655.0);
        image.DrawWidth(2);
        image.Line(10, 20, 300, 400, 12);
        QCOMPARE(image.CurrentX(), 300.0);
        QCOMPARE(image.CurrentY(), 400.0);
        image.Print("S");
        image.DrawWidth(1);
        image.DrawStyle(2);
        image.Line(0, 0, -50, 70, 0);
        const auto& e = image.elements();
        QCOMPARE(e.size(), std::size_t(3));
        QCOMPARE(e[0].epaisseur, 2);
        QCOMPARE(e[0].couleur, std::int16_t(12));
        QCOMPARE(e[1].nature, element_affichage::genre::texte);
        QCOMPARE(e[1].texte, std::string("S"));
        QCOMPARE(e[1].x1, 300.0); // top-left corner at the current point
        QCOMPARE(e[1].y1, 400.0);
        QCOMPARE(e[2].style, style_pointille);
        QCOMPARE(image.traits().size(), std::size_t(2));
        QCOMPARE(image.textes().size(), std::size_t(1));
        image.Cls();
        QVERIFY(image.elements().empty());
        QCOMPARE(image.CurrentX(), 0.0);
    }

    void peinture_decoupee_et_nette() {
        // A line far outside the picture and a dotted line: painting stays within the
        // image and draws the visible part in the palette colour.
        surface_enregistree liste;
        liste.Line(-1.0e9, 4000.0, 1.0e9, 4000.0, 12); // horizontal through the middle
        liste.DrawStyle(style_pointille);
        liste.Line(0.0, 1500.0, 10000.0, 1500.0, 0);
        QImage rendu(689, 577, QImage::Format_RGB32);
        rendu.fill(Qt::white);
        QPainter peintre(&rendu);
        peindre_liste(peintre, liste.elements(), rendu_image{1.0 / 15.0}, QRectF(0, 0, 689, 577));
        peintre.end();
        const int y = static_cast<int>(4000.0 / 15.0);
        QVERIFY(QColor(rendu.pixel(344, y)) == QColor(255, 0, 0) ||
                QColor(rendu.pixel(344, y + 1)) == QColor(255, 0, 0));
        int noirs = 0;
        for (int x = 0; x < 600; ++x) {
            noirs += QColor(rendu.pixel(x, 100)) == QColor(Qt::black) ? 1 : 0;
        }
        QVERIFY(noirs > 100 && noirs < 500); // dotted: some pixels drawn, not all
    }
};
TRAJEL_TEST(TestPicture1);
#include "test_evenements.moc"
