// The labels of the projector at 1920 x 1080, through the real window: for the five
// preset orbits and a few random views, at the opening zoom and at the fitted one, no two
// labels painted overlap and none touches the Earth's disc. The labels are read from
// what the large view paints, on a device that records its texts.

#include "appareil_enregistreur.h"
#include "commun/principal.h"
#include "fenetre_de_test.h"
#include "render/etiquettes.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

namespace {

QString cadre_texte(const QRectF& r) {
    return QString("(%1, %2, %3 x %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TestEtiquettesVue : public QObject {
    Q_OBJECT
private slots:
    void projecteur_sans_chevauchement_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<int>("longitude");
        QTest::addColumn<int>("latitude");
        QTest::addColumn<bool>("ajustee");
        const char* presets[] = {"menu_kourou_circulaire", "menu_GTO_IV", "menu_GTO_V",
                                 "menu_baikonour_circulaire", "menu_canaveral_circulaire"};
        QRandomGenerator hasard(28); // the same views at every run
        for (const char* p : presets) {
            for (const bool ajustee : {false, true}) {
                QTest::addRow("%s, vue initiale%s", p, ajustee ? ", ajustée" : "")
                    << QString(p) << 20 << 40 << ajustee;
                for (int n = 0; n < 2; ++n) {
                    const int longitude = hasard.bounded(-180, 181);
                    const int latitude = hasard.bounded(-90, 91);
                    QTest::addRow("%s, %d° %d°%s", p, longitude, latitude,
                                  ajustee ? ", ajustée" : "")
                        << QString(p) << longitude << latitude << ajustee;
                }
            }
        }
    }
    void projecteur_sans_chevauchement() {
        QFETCH(QString, preset);
        QFETCH(int, longitude);
        QFETCH(int, latitude);
        QFETCH(bool, ajustee);
        fenetre_de_test f;
        f.controle<QAction>(qPrintable(preset))->trigger();
        f.controle<QScrollBar>("HScroll1")->setValue(longitude);
        f.controle<QScrollBar>("VScroll1")->setValue(-latitude);
        if (ajustee) {
            f.controle<QAction>("menu_ajuster_vue")->trigger();
        }
        QVERIFY(f.rapports.empty());
        Picture1* image = f.image();
        vue_agrandie vue(image);
        vue.resize(1920, 1080);
        vue.definir_mode_projecteur(true);
        appareil_enregistreur appareil(vue.size());
        vue.render(&appareil);

        // The Earth's disc where the view paints it.
        const QRectF scene = vue.zone_scene();
        const double ppt = scene.height() / image->Height();
        const std::optional<disque_plan> d = disque_terre(image->elements_affiches());
        QVERIFY(d.has_value());
        const disque_plan terre{scene.left() + d->x * ppt, scene.top() + d->y * ppt,
                                d->rayon * ppt};
        // The picture's labels: the list's texts, painted before the panel's; those seen
        // lie wholly in the scene's part of the window.
        const auto nombre = std::count_if(
            image->elements_affiches().begin(), image->elements_affiches().end(),
            [](const element_affichage& e) { return e.nature == element_affichage::genre::texte; });
        QVERIFY(nombre >= 4 && static_cast<std::size_t>(nombre) <= appareil.textes.size());
        const QRectF visible = vue.zone_visible();
        std::vector<QRectF> cadres;
        for (std::size_t i = 0; i < static_cast<std::size_t>(nombre); ++i) {
            const QRectF& r = appareil.textes[i].cadre;
            if (visible.intersects(r)) {
                QVERIFY2(visible.contains(r), qPrintable(cadre_texte(r)));
                cadres.push_back(r);
            }
        }
        QVERIFY(!cadres.empty()); // the satellite's "S" at least
        for (std::size_t i = 0; i < cadres.size(); ++i) {
            const QRectF& r = cadres[i];
            const rectangle_etiquette e{r.x(), r.y(), r.width(), r.height()};
            QVERIFY2(!terre.touche(e), qPrintable(cadre_texte(r)));
            for (std::size_t j = 0; j < i; ++j) {
                QVERIFY2(!r.intersects(cadres[j]),
                         qPrintable(cadre_texte(r) + " / " + cadre_texte(cadres[j])));
            }
        }
    }
};
TRAJEL_TEST(TestEtiquettesVue);

#include "test_etiquettes_vue.moc"
