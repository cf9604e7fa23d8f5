// A teacher in front of a class types anything into any box: thousands of random
// actions on the real window, with a fixed seed (TRAJEL_GRAINE gives another one).
// After each: the picture holds only what the drawing makes, every failure is reported
// as an error message or a burn refusal, and a refused burn has changed nothing.

#include "../ui/fenetre_de_test.h"
#include "commun/principal.h"

#include "core/module1.h"
#include "ui/application/composition.h"
#include "ui/outils/animation.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <random>
#include <set>

using namespace trajel;
using namespace trajel::test;

namespace {

const char* const textes_speciaux[] = {
    "",       " ",
    "   ",    "\t",
    "&HFF",   "&hff",
    "&O17",   "&H",
    "&O",     "1D3",
    "1d-2",   "1E999",
    "-1E999", "1E-999",
    "1E308",  "-1E308",
    "2E308",  "abc",
    "--5",    "+5",
    "1.2.3",  ".",
    "-",      "E5",
    "0",      "-0",
    "90",     "89.99",
    "45",     "360",
    "1E6",    "32767",
    "-32768", "NaN",
    "inf",    "1,5",
    "1 000",  "٣",
    "∞",      "0.0001",
    "1E-5",   "-7236",
    "-3618",  "3618",
    "1E15",   "99999999999999999999",
    "0x10",   "1e",
    "1e+",    "&H7FFFFFFF",
};

const char* const presets[] = {
    "menu_kourou_circulaire",    "menu_GTO_IV", "menu_GTO_V", "menu_baikonour_circulaire",
    "menu_canaveral_circulaire", "menu_libre"};

const std::set<std::string> textes_dessines = {"X0(gamma)", "y0",        "z0",           "noeud",
                                               "périastre", "satellite", "mt cinétique", "S"};
const std::set<std::int16_t> couleurs_dessinees = {0, 1, 2, 6, 12};

struct instantane {
    QStringList textes;
    QList<bool> selections;
    QString debit;
    std::string type;
    double za, zp, omega, i, w, e, p, anomalie, phi;
    double masse_, isp_, module_;
    std::size_t elements;

    bool operator==(const instantane&) const = default;
};

// Every text the open tool windows show: the readout's rows, the assistant's plan,
// results and message.
QStringList textes_des_outils(const fenetre_de_test& f) {
    QStringList t;
    for (const char* nom : {"arbre_caracteristiques", "plan_manoeuvre", "resultats_manoeuvre"}) {
        const auto* arbre = f.fenetre->findChild<QTreeWidget*>(QString::fromLatin1(nom));
        if (arbre == nullptr) {
            continue;
        }
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(arbre)); *it; ++it) {
            for (int c = 0; c < (*it)->columnCount(); ++c) {
                t << (*it)->text(c);
            }
        }
    }
    if (const auto* m = f.fenetre->findChild<QLabel*>(QStringLiteral("message_assistant"))) {
        t << m->text();
    }
    return t;
}

// The duration at which the start-up satellite, from anomaly 0 with 100 N
// ortho-radial, Isp 300 and 1000 steps, reaches the escape threshold.
constexpr double duree_de_liberation = 33.15185149027863;

const char* nom_nature(nature_erreur n) {
    switch (n) {
    case nature_erreur::division_par_zero:
        return "division par zéro";
    case nature_erreur::operation_invalide:
        return "opération invalide";
    case nature_erreur::depassement_capacite:
        return "dépassement de capacité";
    case nature_erreur::angle_phi_invalide:
        return "angle Phi invalide";
    case nature_erreur::tir_refuse:
        return "tir refusé";
    }
    return "?";
}

} // namespace

class TestAleatoire : public QObject {
    Q_OBJECT

    std::mt19937_64 hasard;

    int entier(int a, int b) { return std::uniform_int_distribution<int>(a, b)(hasard); }
    double reel(double a, double b) { return std::uniform_real_distribution<double>(a, b)(hasard); }

    QString nombre_quelconque() {
        switch (entier(0, 7)) {
        case 0:
            return QString::fromUtf8(textes_speciaux[entier(0, std::size(textes_speciaux) - 1)]);
        case 1: { // any magnitude, either sign
            const double m = std::pow(10.0, reel(-320.0, 308.0));
            return QString::number(entier(0, 1) ? m : -m, 'g', entier(1, 17));
        }
        case 2: { // 200 characters of anything
            QString s;
            for (int k = 0; k < 200; ++k) {
                s += QChar(entier(32, 126));
            }
            return s;
        }
        case 3:
            return QString::number(entier(-400, 400));
        case 4:
            return QString::number(reel(-100.0, 100.0), 'f', entier(0, 6));
        default:
            return QString::number(reel(0.0, 40000.0), 'f', entier(0, 2));
        }
    }

    instantane prendre(const fenetre_de_test& f) {
        instantane s;
        for (const char* b : boites) {
            s.textes << f.texte(b)->text();
        }
        for (const char* o : options) {
            s.selections << f.option(o)->isChecked();
        }
        s.debit = f.legende("Label_debit");
        s.type = traj.type_conique;
        s.za = traj.za, s.zp = traj.zp, s.omega = traj.grand_omega, s.i = traj.inclinaison;
        s.w = traj.petit_omega, s.e = traj.excentricite, s.p = traj.parametre;
        s.anomalie = traj.anomalie, s.phi = traj.angle_asymptote;
        s.masse_ = masse, s.isp_ = isp, s.module_ = module_poussee;
        s.elements = f.image()->elements().size();
        return s;
    }

private slots:
    void actions_au_hasard() {
        const QByteArray graine_texte = qgetenv("TRAJEL_GRAINE");
        const unsigned long long graine =
            graine_texte.isEmpty() ? 20261207ULL : graine_texte.toULongLong();
        const int nombre = qEnvironmentVariableIsSet("TRAJEL_ACTIONS")
                               ? qEnvironmentVariableIntValue("TRAJEL_ACTIONS")
                               : 4000;
        hasard.seed(graine);
        fenetre_de_test f;
        // The readout and the assistant open, following every event.
        f.fenetre->findChild<QAction*>("menu_caracteristiques")->trigger();
        f.fenetre->findChild<QAction*>("menu_assistant_manoeuvre")->trigger();
        animation_satellite& animation =
            f.fenetre->findChild<outils_lecon*>(QStringLiteral("outils_lecon"))->animation();
        std::map<std::string, int> messages;
        std::map<std::string, int> actions;
        int tirs = 0, tirs_refuses = 0;
        const auto debut = std::chrono::steady_clock::now();

        for (int n = 0; n < nombre; ++n) {
            const std::size_t rapports_avant = f.rapports.size();
            std::string action;
            bool refus_a_verifier = false;
            instantane avant;
            QStringList outils_avant;
            switch (entier(0, 23)) {
            case 0:
            case 1:
            case 2:
            case 3:
            case 4:
            case 5:
            case 6: {
                const char* b = boites[entier(0, std::size(boites) - 1)];
                const QString t = nombre_quelconque();
                const bool imprimable = std::all_of(t.begin(), t.end(), [](QChar c) {
                    return c.unicode() >= 32 && c.unicode() < 127;
                });
                if (imprimable && t.size() < 12 && entier(0, 3) == 0) {
                    f.taper(b, t);
                    action = "frappe";
                } else {
                    f.coller(b, t);
                    action = "texte";
                }
                break;
            }
            case 7:
            case 8:
                f.option(options[entier(0, std::size(options) - 1)])->click();
                action = "option";
                break;
            case 9:
                f.fenetre->findChild<QAction*>(presets[entier(0, std::size(presets) - 1)])
                    ->trigger();
                action = "menu";
                break;
            case 10:
                f.controle<QScrollBar>(entier(0, 1) ? "HScroll1" : "VScroll1")
                    ->setValue(entier(-180, 180));
                action = "barre";
                break;
            case 11:
                f.controle<QPushButton>(entier(0, 1) ? "Command4" : "Command5")->click();
                action = "zoom";
                break;
            case 12:
                f.controle<QPushButton>("Command1")->click();
                action = "reset";
                break;
            case 13: {
                QWidget* apropos = nullptr;
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (w->objectName() == "frmAbout" && w->isVisible()) {
                        apropos = w;
                    }
                }
                if (apropos != nullptr) {
                    static_cast<QDialog*>(apropos)->reject();
                    action = "fermer a propos";
                } else {
                    f.fenetre->findChild<QAction*>("menu_abstract")->trigger();
                    action = "a propos";
                }
                QApplication::processEvents();
                break;
            }
            case 20: // the animation started, or moved on by a frame
                if (animation.en_cours()) {
                    animation.avancer(reel(0.0, 0.3));
                    action = "image d'animation";
                } else {
                    animation.demarrer();
                    action = "animation";
                }
                break;
            case 21: { // several boxes typed, then one commit
                const char* const regles[] = {"Text1", "Text2", "Text4"};
                for (int k = entier(2, 3); k > 0; --k) {
                    f.taper(regles[entier(0, 2)],
                            entier(0, 1) ? QString("0") : f.texte("Text2")->text());
                }
                f.valider(regles[entier(0, 2)]);
                action = "saisies validees";
                break;
            }
            case 22: { // a burn a few ulps from the escape threshold
                f.coller("Text7", "0");
                f.coller("Text8", "100");
                f.coller("Text9", "0");
                f.coller("Text10", "0");
                f.coller("Text13", "300");
                f.coller("Text12", "1000");
                double duree = duree_de_liberation;
                for (int k = entier(-40, 40); k != 0; k += k < 0 ? 1 : -1) {
                    duree = std::nextafter(duree, k < 0 ? 0.0 : 1e9);
                }
                f.coller("Text11", QString::number(duree, 'g', 17));
                f.rapports.clear();
                avant = prendre(f);
                outils_avant = textes_des_outils(f);
                f.controle<QPushButton>("cmd_tir")->click();
                refus_a_verifier = true;
                ++tirs;
                action = "tir au seuil";
                break;
            }
            default: { // a burn with random thrust, duration and steps
                if (entier(0, 1) == 0) {
                    f.coller("Text8", QString::number(reel(-5000.0, 5000.0), 'g', 6));
                    f.coller("Text9", QString::number(reel(-2000.0, 2000.0), 'g', 6));
                    f.coller("Text10", QString::number(reel(-2000.0, 2000.0), 'g', 6));
                    f.coller("Text11", QString::number(reel(-50.0, 600.0), 'g', 5));
                    f.coller("Text12", QString::number(entier(0, 10) == 0 ? entier(-5, 32800)
                                                                          : entier(1, 500)));
                }
                f.rapports.clear();
                avant = prendre(f);
                outils_avant = textes_des_outils(f);
                f.controle<QPushButton>("cmd_tir")->click();
                refus_a_verifier = true;
                ++tirs;
                action = "tir";
                break;
            }
            }
            ++actions[action];

            // What the user was told.
            for (std::size_t k = refus_a_verifier ? 0 : rapports_avant; k < f.rapports.size();
                 ++k) {
                ++messages[nom_nature(f.rapports[k].nature())];
                QVERIFY(std::string(f.rapports[k].what()).size() > 5);
            }
            if (refus_a_verifier && !f.rapports.empty()) {
                ++tirs_refuses;
                const instantane apres = prendre(f);
                QVERIFY2(apres == avant, qPrintable(QString("action %1: a refused burn changed "
                                                            "the window (%2)")
                                                        .arg(n)
                                                        .arg(f.rapports[0].what())));
                QVERIFY2(
                    textes_des_outils(f) == outils_avant,
                    qPrintable(QString("action %1: a refused burn changed a tool window").arg(n)));
            }
            // The picture holds only what the drawing makes: the five palette colours,
            // widths 1 and 2, solid or dotted (a width-2 line paints solid), known texts.
            for (const auto& e : f.image()->elements()) {
                if (e.nature == element_affichage::genre::texte) {
                    QVERIFY2(textes_dessines.count(e.texte) == 1,
                             qPrintable(QString("action %1: text %2").arg(n).arg(e.texte.c_str())));
                    continue;
                }
                QVERIFY2(couleurs_dessinees.count(e.couleur) == 1 &&
                             (e.epaisseur == 1 || e.epaisseur == 2) &&
                             (e.style == style_plein || e.style == style_pointille),
                         qPrintable(QString("action %1 (%2): colour %3, width %4, style %5")
                                        .arg(n)
                                        .arg(action.c_str())
                                        .arg(e.couleur)
                                        .arg(e.epaisseur)
                                        .arg(e.style)));
            }
        }

        animation.arreter();
        const double secondes =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        QString bilan = QString("graine %1: %2 actions en %3 s, 0 plantage; %4 tirs dont %5 "
                                "refusés ou interrompus")
                            .arg(graine)
                            .arg(nombre)
                            .arg(secondes, 0, 'f', 1)
                            .arg(tirs)
                            .arg(tirs_refuses);
        qInfo().noquote() << bilan;
        for (const auto& [a, k] : actions) {
            qInfo().noquote() << "  action" << QString::fromStdString(a) << k;
        }
        for (const auto& [m, k] : messages) {
            qInfo().noquote() << "  message" << QString::fromStdString(m) << k;
        }
    }
};
TRAJEL_TEST(TestAleatoire);
#include "test_aleatoire.moc"
