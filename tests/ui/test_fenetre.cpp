// The main window as it opens: every control by its design name, at its design
// place, with its design caption or text; the menu tree.

#include "commun/principal.h"
#include "ecran/twips.h"
#include "fenetre_de_test.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <functional>

using namespace trajel;
using namespace trajel::test;

class TestFenetre : public QObject {
    Q_OBJECT
private slots:
    // Twips to pixels rounds to the nearest pixel, each axis at its own resolution.
    void twips_en_pixels_data() {
        QTest::addColumn<double>("dpi_x");
        QTest::addColumn<double>("dpi_y");
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("96 dpi, 15 twips") << 96.0 << 96.0 << 15.0 << 1 << 1;
        QTest::newRow("96 dpi, 7 twips") << 96.0 << 96.0 << 7.0 << 0 << 0;
        QTest::newRow("96 dpi, 8 twips") << 96.0 << 96.0 << 8.0 << 1 << 1;
        QTest::newRow("96 dpi, 5654 twips") << 96.0 << 96.0 << 5654.0 << 377 << 377;
        QTest::newRow("120 x 144 dpi, 1 inch") << 120.0 << 144.0 << 1440.0 << 120 << 144;
        QTest::newRow("192 dpi, Picture1") << 192.0 << 192.0 << 10335.0 << 1378 << 1378;
    }
    void twips_en_pixels() {
        QFETCH(double, dpi_x);
        QFETCH(double, dpi_y);
        QFETCH(double, twips);
        QFETCH(int, x);
        QFETCH(int, y);
        const echelle_twips e{dpi_x, dpi_y};
        QCOMPARE(e.x(twips), x);
        QCOMPARE(e.y(twips), y);
        QCOMPARE(e.rectangle(twips, twips, twips, twips), QRect(x, y, x, y));
        QCOMPARE(e.twips_par_pixel_x() * dpi_x, 1440.0);
    }

    void init() { f = std::make_unique<fenetre_de_test>(); }
    void cleanup() { f.reset(); }

    void legende_et_taille() {
        QCOMPARE(f->fenetre->windowTitle(), QString("Calcul d'orbite"));
        QCOMPARE(f->fenetre->centralWidget()->size(), QSize(961, 645)); // 14415 x 9675 twips
    }

    void controles_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QRect>("twips");
        auto ligne = [](const char* nom, const char* parent, const char* texte, int x, int y, int l,
                        int h) {
            QTest::newRow(nom) << QString(nom) << QString(parent) << QString::fromUtf8(texte)
                               << QRect(x, y, l, h);
        };
        ligne("Frame1", "fond", "Trajectoire", 11160, 0, 3135, 3255);
        ligne("Frame_Poussee", "fond", "Vecteur Poussée (Newton)", 11160, 3360, 3135, 1095);
        ligne("Frame_RK", "fond", "Calcul Runge Kutta", 11160, 4560, 3135, 975);
        ligne("Frame_satellite", "fond", "Satellite", 11160, 5640, 3135, 1455);
        ligne("Frame_affichage", "fond", "Affichage", 11160, 7200, 3135, 2295);
        ligne("Frame_reperes", "Frame_affichage", "Repères", 120, 240, 2895, 1335);
        ligne("Label3", "fond", "latitude", 10560, 480, 615, 255);
        ligne("Label1", "fond", "0", 10680, 1080, 495, 255);
        ligne("Label4", "fond", "longitude °", 240, 9240, 855, 255);
        ligne("Label2", "fond", "0", 9480, 8880, 735, 255);
        ligne("Option_circulaire", "Frame1", "circulaire", 240, 240, 1095, 255);
        ligne("Option_elliptique", "Frame1", "elliptique", 1680, 240, 1335, 255);
        ligne("Option_parabolique", "Frame1", "parabolique", 240, 600, 1215, 255);
        ligne("Option_hyperbolique", "Frame1", "hyperbolique", 1680, 600, 1335, 255);
        ligne("Text1", "Frame1", "2000", 240, 1080, 1095, 285);
        ligne("Label6", "Frame1", "Za (km)", 1560, 1080, 735, 255);
        ligne("Text2", "Frame1", "300", 240, 1440, 1095, 285);
        ligne("Label8", "Frame1", "Zp (km)", 1560, 1440, 735, 255);
        ligne("Text3", "Frame1", "20", 240, 1800, 1095, 285);
        ligne("Label9", "Frame1", "Omega °", 1560, 1800, 975, 255);
        ligne("Text4", "Frame1", "20", 240, 2160, 1095, 285);
        ligne("Label10", "Frame1", "i °", 1560, 2160, 735, 255);
        ligne("Text5", "Frame1", "10", 240, 2520, 1095, 285);
        ligne("Label11", "Frame1", "omega °", 1560, 2520, 975, 255);
        ligne("Text7", "Frame1", "25", 240, 2880, 1095, 285);
        ligne("Label12", "Frame1", "Anomalie°", 1560, 2880, 1095, 255);
        ligne("Command1", "Frame1", "Reset", 2280, 2040, 735, 375);
        ligne("Text9", "Frame_Poussee", "0", 120, 240, 1095, 285);
        ligne("Label21", "Frame_Poussee", "radiale", 1320, 240, 1215, 255);
        ligne("Text8", "Frame_Poussee", "0", 120, 480, 1095, 285);
        ligne("Label22", "Frame_Poussee", "ortho-radiale", 1320, 480, 1215, 255);
        ligne("Text10", "Frame_Poussee", "0", 120, 720, 1095, 285);
        ligne("Label23", "Frame_Poussee", "normale plan orbital", 1320, 720, 1695, 255);
        ligne("Text11", "Frame_RK", "10", 240, 240, 735, 285);
        ligne("Label7", "Frame_RK", "Durée du tir (s)", 1080, 240, 1095, 255);
        ligne("Text12", "Frame_RK", "100", 240, 480, 735, 285);
        ligne("Label13", "Frame_RK", "nb de pas", 1080, 480, 855, 375);
        ligne("cmd_tir", "Frame_RK", "Tir !", 2280, 360, 735, 375);
        ligne("Text6", "Frame_satellite", "1000", 120, 240, 1215, 285);
        ligne("Label18", "Frame_satellite", "Masse (kg)", 1800, 240, 975, 255);
        ligne("Text13", "Frame_satellite", "100", 120, 600, 735, 285);
        ligne("Label19", "Frame_satellite", "Isp (s)", 1800, 600, 855, 255);
        ligne("Label20", "Frame_satellite", "cosommée (kg):", 120, 960, 1215, 255);
        ligne("Label_debit", "Frame_satellite", "0", 1320, 960, 1695, 255);
        ligne("Option_RN", "Frame_reperes", "RN (Omega, ligne des noeuds)", 120, 240, 2655, 255);
        ligne("Option_RH", "Frame_reperes", "RH (i, moment cinétique)", 120, 480, 2655, 255);
        ligne("Option_RP", "Frame_reperes", "RP (omega, périastre)", 120, 720, 2655, 255);
        ligne("Option_tous", "Frame_reperes", "tous", 120, 960, 1455, 255);
        ligne("Command4", "Frame_affichage", "Zoom +", 120, 1680, 735, 375);
        ligne("Command5", "Frame_affichage", "Zoom -", 2280, 1680, 735, 375);
    }

    void controles() {
        QFETCH(QString, nom);
        QFETCH(QString, parent);
        QFETCH(QString, texte);
        QFETCH(QRect, twips);
        const QWidget* c = f->fenetre->findChild<QWidget*>(nom);
        QVERIFY(c != nullptr);
        QCOMPARE(c->parentWidget()->objectName(), parent);
        // 15 twips to a pixel at 96 dpi
        QCOMPARE(c->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QString lu;
        if (auto* t = qobject_cast<const QLineEdit*>(c)) {
            lu = t->text();
        } else if (auto* l = qobject_cast<const QLabel*>(c)) {
            lu = l->text();
        } else if (auto* b = qobject_cast<const QAbstractButton*>(c)) {
            lu = b->text();
        } else if (auto* g = qobject_cast<const QGroupBox*>(c)) {
            lu = g->title();
        }
        QCOMPARE(lu, texte);
    }

    void image_et_barres() {
        Picture1* image = f->image();
        QCOMPARE(image->geometry(), QRect(16, 8, 689, 577));
        QCOMPARE(image->Width(), 10335.0);
        QCOMPARE(image->Height(), 8655.0);
        QCOMPARE(image->palette().color(QPalette::Window), QColor(Qt::white));

        auto* v = f->controle<QScrollBar>("VScroll1");
        QCOMPARE(v->orientation(), Qt::Vertical);
        QCOMPARE(v->geometry(), QRect(712, 120, 17, 465));
        QCOMPARE(v->minimum(), -90);
        QCOMPARE(v->maximum(), 90);
        QCOMPARE(v->value(), -40);
        QVERIFY(!v->invertedAppearance()); // minimum at the top
        auto* h = f->controle<QScrollBar>("HScroll1");
        QCOMPARE(h->orientation(), Qt::Horizontal);
        QCOMPARE(h->geometry(), QRect(16, 592, 545, 17));
        QCOMPARE(h->minimum(), -180);
        QCOMPARE(h->maximum(), 180);
        QCOMPARE(h->value(), 20);
        for (QScrollBar* b : {v, h}) {
            QCOMPARE(b->singleStep(), 1);
            QCOMPARE(b->pageStep(), 1);
            QVERIFY(!b->hasTracking()); // no change event while the thumb is dragged
        }
        // The labels still read "0" until a bar moves.
        QCOMPARE(f->legende("Label1"), QString("0"));
        QCOMPARE(f->legende("Label2"), QString("0"));
    }

    void selections_et_polices() {
        QVERIFY(f->option("Option_elliptique")->isChecked());
        QVERIFY(f->option("Option_tous")->isChecked());
        for (const char* nom : {"Option_circulaire", "Option_parabolique", "Option_hyperbolique",
                                "Option_RN", "Option_RH", "Option_RP"}) {
            QVERIFY2(!f->option(nom)->isChecked(), nom);
        }
        const QFont tir = f->controle<QPushButton>("cmd_tir")->font();
        QVERIFY(tir.bold());
        QVERIFY(tir.underline());
        QCOMPARE(tir.pointSizeF(), 8.25);
        QVERIFY(!f->legende("Label14").isEmpty());
    }

    void menus_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<bool>("actif");
        auto ligne = [](const char* nom, const char* chemin, bool actif) {
            QTest::newRow(nom) << QString(nom) << QString::fromUtf8(chemin) << actif;
        };
        ligne("menu", "Au menu", true);
        ligne("menu_orb_dep", "Au menu/Orbites de départ", true);
        ligne("menu_kourou", "Au menu/Orbites de départ/Orbite tir KOUROU (plein est)", true);
        ligne("menu_kourou_circulaire",
              "Au menu/Orbites de départ/Orbite tir KOUROU (plein est)/Circulaire", true);
        ligne("menu_GTO_IV",
              "Au menu/Orbites de départ/Orbite tir KOUROU (plein est)/GTO Ariane IV", true);
        ligne("menu_GTO_V", "Au menu/Orbites de départ/Orbite tir KOUROU (plein est)/GTO Ariane V",
              true);
        ligne("menu_baikonour", "Au menu/Orbites de départ/Orbite tir BAIKONOUR (plein est)", true);
        ligne("menu_baikonour_circulaire",
              "Au menu/Orbites de départ/Orbite tir BAIKONOUR (plein est)/Circulaire", true);
        ligne("menu_canaveral", "Au menu/Orbites de départ/Orbite tir CAP CANAVERAL", true);
        ligne("menu_canaveral_circulaire",
              "Au menu/Orbites de départ/Orbite tir CAP CANAVERAL/Circulaire", true);
        ligne("menu_libre", "Au menu/Manoeuvre libre", true);
        ligne("Menu_man_type", "Au menu/Manoeuvres type", false);
        ligne("menu_terre", "Au menu/Manoeuvres type/circum terrestre", true);
        ligne("menu_hohmann", "Au menu/Manoeuvres type/circum terrestre/transfert de type HOHMANN",
              true);
        ligne("menu_modif_periastre",
              "Au menu/Manoeuvres type/circum terrestre/modification de l'argument du périastre",
              true);
        ligne("menu_modif_inclinaison",
              "Au menu/Manoeuvres type/circum terrestre/modification de l'inclinaison", true);
        ligne("menu_lunaire", "Au menu/Manoeuvres type/circum lunaire", true);
        ligne("menu_circularisation", "Au menu/Manoeuvres type/circum lunaire/circularisation ",
              true);
        ligne("menu_allunissage", "Au menu/Manoeuvres type/circum lunaire/allunissage", true);
        ligne("menu_swing_by", "Au menu/Tremplin gravifique", false);
        ligne("menu_quitter", "Au menu/quitter", true);
        ligne("menu_apropos", "A propos", true);
        ligne("menu_aide", "A propos/Aide ", false);
        ligne("menu_abstract", "A propos/Abstract", true);
    }

    void menus() {
        QFETCH(QString, nom);
        QFETCH(QString, chemin);
        QFETCH(bool, actif);
        const auto arbre = arbre_des_menus();
        QVERIFY2(arbre.contains(nom), qPrintable(nom));
        QCOMPARE(arbre[nom].first, chemin);
        QCOMPARE(arbre[nom].second, actif);
        // Nothing more than the design's items, but the tools under "Outils".
        int hors_outils = 0;
        for (const auto& [chemin, actif] : arbre) {
            hors_outils += chemin.startsWith(QStringLiteral("Outils")) ? 0 : 1;
        }
        QCOMPARE(hors_outils, 24);
    }

    // "Outils" stands between "Au menu" and "A propos".
    void menu_outils() {
        QStringList barre;
        for (QAction* a : f->fenetre->menuBar()->actions()) {
            barre << a->objectName();
        }
        QCOMPARE(barre, (QStringList{"menu", "menu_outils", "menu_apropos"}));
    }

    void sous_menus_inaccessibles() {
        // Under a disabled menu nothing can be reached.
        auto* types = f->fenetre->findChild<QMenu*>("Menu_man_type");
        QVERIFY(types != nullptr);
        QVERIFY(!types->menuAction()->isEnabled());
    }

private:
    // objectName -> (caption path from the menu bar, enabled), for every menu item.
    QMap<QString, QPair<QString, bool>> arbre_des_menus() const {
        QMap<QString, QPair<QString, bool>> arbre;
        std::function<void(const QList<QAction*>&, const QString&)> parcourir =
            [&](const QList<QAction*>& actions, const QString& chemin) {
                for (QAction* a : actions) {
                    if (a->isSeparator()) {
                        continue;
                    }
                    const QString ici = chemin.isEmpty() ? a->text() : chemin + '/' + a->text();
                    arbre[a->objectName()] = {ici, a->isEnabled()};
                    if (a->menu() != nullptr) {
                        parcourir(a->menu()->actions(), ici);
                    }
                }
            };
        parcourir(f->fenetre->menuBar()->actions(), QString());
        return arbre;
    }

    std::unique_ptr<fenetre_de_test> f;
};
TRAJEL_TEST(TestFenetre);
#include "test_fenetre.moc"
