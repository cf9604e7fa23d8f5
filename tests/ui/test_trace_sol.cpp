// "Trace au sol" and "Continents sur le globe" through the real main window: F3 opens
// the map, which follows a burn, a preset and the animation's clock; the map is saved
// as the picture is; the globe's coasts leave the start-up picture alone when off.

#include "commun/principal.h"
#include "core/geographie.h"
#include "fenetre_de_test.h"
#include "render/continents.h"
#include "ui/image/exportateur.h"
#include "ui/outils/animation.h"
#include "ui/outils/fenetre_trace_sol.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cmath>

using namespace trajel;
using namespace trajel::test;

namespace {

QAction* action(const fenetre_de_test& f, const char* nom) {
    auto* a = f.fenetre->findChild<QAction*>(QString::fromLatin1(nom));
    if (a == nullptr) {
        qFatal("no action named %s", nom);
    }
    return a;
}

fenetre_trace_sol* carte(const fenetre_de_test& f) {
    return f.fenetre->findChild<fenetre_trace_sol*>(QStringLiteral("fenetre_trace_sol"));
}

// F3 in the active main window.
fenetre_trace_sol* ouvrir(const fenetre_de_test& f) {
    f.fenetre->activateWindow();
    if (!QTest::qWaitForWindowActive(f.fenetre.get())) {
        qFatal("the main window is not active");
    }
    QTest::keyClick(f.fenetre.get(), Qt::Key_F3);
    return carte(f);
}

} // namespace

class TestTraceSolFenetre : public QObject {
    Q_OBJECT
private slots:
    void f3_ouvre_la_carte() {
        fenetre_de_test f;
        // Made on its first opening.
        QVERIFY(carte(f) == nullptr || !carte(f)->isVisible());
        fenetre_trace_sol* c = ouvrir(f);
        QVERIFY(c != nullptr && c->isVisible());
        QCOMPARE(carte(f), c);
        QCOMPARE(f.controle<QSpinBox>("revolutions_trace_sol")->value(), 3);
        // The start-up orbit: 3 revolutions, the coasts and the three sites on the map.
        QVERIFY(c->trace().decalage.has_value());
        QVERIFY(!continents.empty());
        int cotes = 0;
        for (const auto& e : c->carte().liste().traits()) {
            cotes += e.couleur == couleur_cotes;
        }
        QVERIFY(cotes > 2000);
        int sites = 0;
        for (const auto& e : c->carte().liste().textes()) {
            sites += e.texte == "Kourou" || e.texte == "Baïkonour" || e.texte == "Cap Canaveral";
        }
        QCOMPARE(sites, 3);
        QVERIFY(f.rapports.empty());
    }

    // The map follows a preset, a burn and the number of revolutions.
    void suit_les_evenements() {
        fenetre_de_test f;
        fenetre_trace_sol* c = ouvrir(f);
        const double au_depart = *c->trace().periode;
        action(f, "menu_kourou_circulaire")->trigger();
        QVERIFY(std::abs(*c->trace().periode -
                         2.0 * 3.141592658 * std::sqrt(std::pow(3818.0, 3) / 398603.0)) < 1e-6);
        const auto avant_tir = c->carte().liste().elements();
        f.coller("Text8", QStringLiteral("100"));
        f.coller("Text11", QStringLiteral("2")); // 0.2 km/s along the motion
        QTest::mouseClick(f.controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        QVERIFY(f.rapports.empty());
        QVERIFY(c->trace().periode.has_value());
        QVERIFY(*c->trace().periode >
                2.0 * 3.141592658 * std::sqrt(std::pow(3818.0, 3) / 398603.0) + 1.0);
        QVERIFY(c->carte().liste().elements() != avant_tir);
        QVERIFY(*c->trace().periode != au_depart);
        auto morceaux = [c] {
            std::size_t n = 0;
            for (const auto& m : c->trace().morceaux) {
                n += m.size();
            }
            return n;
        };
        const std::size_t trois = morceaux();
        f.controle<QSpinBox>("revolutions_trace_sol")->setValue(20);
        QVERIFY(morceaux() > trois * 6);
    }

    // Each animation frame turns the Earth by the time it adds, and the map follows.
    void suit_l_animation() {
        fenetre_de_test f;
        fenetre_trace_sol* c = ouvrir(f);
        const point_geo avant = *c->trace().sous_satellite;
        auto* a = f.fenetre->findChild<animation_satellite*>(QStringLiteral("animation_satellite"));
        action(f, "menu_animer_satellite")->trigger();
        QVERIFY(a->avancer(0.5));
        a->arreter();
        QVERIFY(std::abs(terre.temps - 0.5 * a->acceleration()) < 1e-9);
        const point_geo apres = *c->trace().sous_satellite;
        QVERIFY(apres != avant);
        // The satellite moved and the Earth turned: the map's first point is under the
        // new anomaly at the new time.
        horloge_terre h = terre;
        QCOMPARE(calculer_trace(traj, h, 3).sous_satellite, c->trace().sous_satellite);
    }

    void enregistre_copie_imprime_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("debut");
        QTest::newRow("PNG") << QStringLiteral("carte.png") << QByteArray("\x89PNG");
        QTest::newRow("SVG") << QStringLiteral("carte.svg") << QByteArray("<?xml");
        QTest::newRow("PDF") << QStringLiteral("carte.pdf") << QByteArray("%PDF");
    }
    void enregistre_copie_imprime() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, debut);
        fenetre_de_test f;
        fenetre_trace_sol* c = ouvrir(f);
        QTemporaryDir dossier;
        QString averti;
        exportateur& e = c->exportation();
        e.avertir = [&averti](const QString& m) { averti = m; };
        e.choisir_fichier = [&](const QString&) {
            return std::optional<exportateur::choix_fichier>({dossier.filePath(nom), {}});
        };
        e.enregistrer();
        QVERIFY2(averti.isEmpty(), qPrintable(averti));
        QFile fichier(dossier.filePath(nom));
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QByteArray octets = fichier.readAll();
        QVERIFY(octets.startsWith(debut));
        if (nom.endsWith(QLatin1String("svg"))) {
            QVERIFY(octets.contains("Kourou"));
        }
        // Into a folder that does not exist: refused, with its reason.
        QVERIFY(!e.enregistrer_sous(dossier.filePath(QStringLiteral("absent/") + nom), {}));
        QVERIFY(!averti.isEmpty());
    }

    // Off at start: the start-up picture as it is. On: the coasts, in the Earth's colour,
    // added to the scene and nothing else changed; off again, the picture is back.
    void continents_sur_le_globe() {
        fenetre_de_test f;
        QAction* globe = action(f, "menu_continents_globe");
        QVERIFY(globe->isCheckable() && !globe->isChecked());
        const auto depart = f.image()->elements_affiches();
        globe->trigger();
        const auto avec = f.image()->elements_affiches();
        QVERIFY(avec.size() > depart.size() + 2000);
        std::size_t terre = 0;
        for (const auto& e : avec) {
            terre += e.nature == element_affichage::genre::trait && e.couleur == couleur_terre &&
                     e.epaisseur == 1;
        }
        std::size_t terre_depart = 0;
        for (const auto& e : depart) {
            terre_depart += e.nature == element_affichage::genre::trait &&
                            e.couleur == couleur_terre && e.epaisseur == 1;
        }
        QCOMPARE(terre - terre_depart, avec.size() - depart.size());
        globe->trigger();
        QCOMPARE(f.image()->elements_affiches(), depart);
        QVERIFY(f.rapports.empty());
    }
};

TRAJEL_TEST(TestTraceSolFenetre);
#include "test_trace_sol.moc"
