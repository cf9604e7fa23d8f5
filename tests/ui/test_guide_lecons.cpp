// The guided lessons followed step by step through the real window: every figure the
// guide states (a span data-chiffre="key" of lecons.html) against what the window shows
// after the lesson's steps, to the digits the guide writes.

#include "commun/principal.h"
#include "core/constantes.h"
#include "core/texte.h"
#include "core/vecteur.h"
#include "fenetre_de_test.h"
#include "manoeuvre/planificateur.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

using namespace trajel;
using namespace trajel::test;

namespace {

// The figures of the lessons' page, by key, as the guide writes them.
std::map<QString, QString> chiffres_du_guide() {
    QFile f(QStringLiteral(":/guide/lecons.html"));
    std::map<QString, QString> chiffres;
    if (!f.open(QIODevice::ReadOnly)) {
        return chiffres;
    }
    auto it = QRegularExpression(QStringLiteral("data-chiffre=\"([^\"]+)\">([^<]+)<"))
                  .globalMatch(QString::fromUtf8(f.readAll()));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        chiffres[m.captured(1)] = m.captured(2);
    }
    return chiffres;
}

// A duration "8 h 50 min 12,5 s" in seconds; none when the text has no unit of time.
std::optional<double> duree(const QString& texte) {
    static const QRegularExpression unite(QStringLiteral("([\\d,.]+)\\s*(j|h|min|s)\\b"));
    const std::map<QString, double> secondes{{QStringLiteral("j"), 86400.0},
                                             {QStringLiteral("h"), 3600.0},
                                             {QStringLiteral("min"), 60.0},
                                             {QStringLiteral("s"), 1.0}};
    std::optional<double> total;
    auto it = unite.globalMatch(texte);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        total = total.value_or(0.0) + Val(m.captured(1).toStdString()) * secondes.at(m.captured(2));
    }
    return total;
}

// A French number as the tools write it: digits grouped by narrow spaces, a comma.
double nombre_fr_lu(QString texte) {
    texte.remove(QChar(0x202F)).remove(QChar(0x00A0)).remove(QLatin1Char(' '));
    return Val(texte.replace(QChar(0x2212), QLatin1Char('-')).toStdString());
}

// What the guide states: its value, and half a unit of its last digit.
struct enonce {
    double valeur;
    double tolerance;
};
enonce enonce_de(const QString& texte) {
    if (const std::optional<double> s = duree(texte)) {
        const bool minutes = texte.trimmed().endsWith(QLatin1String("min"));
        return {*s, minutes ? 30.0 : 0.5};
    }
    const qsizetype virgule = texte.indexOf(QLatin1Char(','));
    const int decimales = virgule < 0 ? 0 : static_cast<int>(texte.size() - virgule - 1);
    return {nombre_fr_lu(texte), 0.5 * std::pow(10.0, -decimales)};
}

// A row of a tree: the group beginning with `groupe`, its child `nom`, column `colonne`.
QString ligne_arbre(const QTreeWidget* arbre, const QString& groupe, const QString& nom,
                    int colonne) {
    for (int i = 0; i < arbre->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* g = arbre->topLevelItem(i);
        for (int j = 0; g->text(0).startsWith(groupe) && j < g->childCount(); ++j) {
            if (g->child(j)->text(0) == nom) {
                return g->child(j)->text(colonne);
            }
        }
    }
    return {};
}

// One step of a lesson: "menu_x" triggers an action, "Text2=36000" types and commits a
// box, "Option_x" clicks an option, "nom=valeur" sets the assistant's field or list,
// "bouton_preparer" or "cmd_tir" clicks the button.
void faire(const fenetre_de_test& f, const QString& etape) {
    const QString nom = etape.section(QLatin1Char('='), 0, 0);
    const QString valeur = etape.section(QLatin1Char('='), 1);
    QObject* o = f.fenetre->findChild<QObject*>(nom);
    QVERIFY2(o != nullptr, qPrintable(etape));
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->trigger();
    } else if (auto* b = qobject_cast<QPushButton*>(o)) {
        QVERIFY2(b->isEnabled(), qPrintable(etape));
        QTest::mouseClick(b, Qt::LeftButton);
    } else if (auto* c = qobject_cast<QDoubleSpinBox*>(o)) {
        c->setValue(valeur.toDouble());
    } else if (auto* l = qobject_cast<QComboBox*>(o)) {
        l->setCurrentIndex(valeur.toInt());
    } else {
        saisir(f, etape);
    }
}

// The altitude of the circle whose period is one sidereal day, on the program's Earth:
// a = (mu (T / 2 pi)^2)^(1/3).
double altitude_geostationnaire() {
    constexpr double jour_sideral = 86164.0905; // s
    return std::cbrt(mu_terre * std::pow(jour_sideral / (2.0 * pi), 2.0)) - rayon_terre;
}

// What the window shows: "Text4" a box; "lu:Groupe:Ligne" the readout; "plan:Tir 1:Ligne"
// the assistant's plan; "resultat:Tir 2:Ligne" the orbit reached (column 3); the
// geostationary altitude computed from the program's constants.
std::optional<double> mesure(const fenetre_de_test& f, const QString& quoi) {
    const QStringList p = quoi.split(QLatin1Char(':'));
    if (p[0].startsWith(QLatin1String("Text"))) {
        return Val(f.texte(qPrintable(p[0]))->text().toStdString());
    }
    if (p[0] == QLatin1String("geostationnaire")) {
        return altitude_geostationnaire();
    }
    if (p[0] == QLatin1String("geostationnaire-reelle")) {
        return rayon_geostationnaire(terre_reelle) - terre_reelle.rayon;
    }
    QString texte;
    if (p[0] == QLatin1String("lu")) {
        f.fenetre->findChild<QAction*>(QStringLiteral("menu_caracteristiques"))->trigger();
        texte = ligne_arbre(f.controle<QTreeWidget>("arbre_caracteristiques"), p[1], p[2], 1);
    } else if (p[0] == QLatin1String("plan")) {
        texte = ligne_arbre(f.controle<QTreeWidget>("plan_manoeuvre"), p[1], p[2], 1);
    } else if (p[0] == QLatin1String("resultat")) {
        texte = ligne_arbre(f.controle<QTreeWidget>("resultats_manoeuvre"), p[1], p[2], 3);
    }
    if (texte.isEmpty()) {
        return std::nullopt;
    }
    return duree(texte) ? duree(texte) : nombre_fr_lu(texte);
}

// A row per figure of the guide: its key, the lesson's steps from a new window, what
// to read. A lesson added to the guide adds its rows here.
std::vector<std::array<QString, 3>> lignes_des_lecons() {
    const QString gto = QStringLiteral("menu_GTO_IV");
    const QString cercle = QStringLiteral("menu_kourou_circulaire");
    const QString hohmann = cercle + QStringLiteral("|menu_assistant_manoeuvre|choix_manoeuvre=0"
                                                    "|altitude_visee=36000|poussee_choisie=200");
    const QString tir1 = hohmann + QStringLiteral("|bouton_preparer|cmd_tir");
    const QString tir2 = tir1 + QStringLiteral("|bouton_preparer|cmd_tir");
    const QString plan = cercle + QStringLiteral("|menu_assistant_manoeuvre|choix_manoeuvre=3"
                                                 "|inclinaison_visee=0|poussee_choisie=200");
    const QString a36000 = cercle + QStringLiteral("|Text2=36000");
    const QString reelle = QStringLiteral("modele_terre_reelle|");
    const QString iss = reelle + cercle + QStringLiteral("|Text2=400|Text4=51.6");
    const QString gto_reelle = reelle + gto;
    const QString equateur = reelle + cercle + QStringLiteral("|Text4=0");
    const QString geo = equateur + QStringLiteral("|Text2=35786");
    const QString vers_geo = equateur + QStringLiteral("|menu_assistant_manoeuvre|choix_manoeuvre=4"
                                                       "|poussee_choisie=20000");
    return {
        // 1. Kepler
        {"l1-zp", gto, "Text2"},
        {"l1-za", gto, "Text1"},
        {"l1-i", gto, "Text4"},
        {"l1-vp", gto, "lu:Orbite:Vitesse au périastre"},
        {"l1-va", gto, "lu:Orbite:Vitesse à l'apoastre"},
        {"l1-h", gto, "lu:Orbite:Moment cinétique h"},
        {"l1-rp", gto, "lu:Orbite:Rayon du périastre"},
        {"l1-ra", gto, "lu:Orbite:Rayon de l'apoastre"},
        {"l1-T", gto, "lu:Orbite:Période"},
        {"l1-a", gto, "lu:Orbite:Demi-grand axe a"},
        {"l1-zp-cercle", cercle, "Text2"},
        {"l1-a-cercle", cercle, "lu:Orbite:Demi-grand axe a"},
        {"l1-T-cercle", cercle, "lu:Orbite:Période"},
        // 2. Hohmann
        {"l2-zp", cercle, "Text2"},
        {"l2-i", cercle, "Text4"},
        {"l2-masse", cercle, "Text6"},
        {"l2-isp", cercle, "Text13"},
        {"l2-dv1", hohmann, "plan:Tir 1:Δv impulsionnel"},
        {"l2-dv2", hohmann, "plan:Tir 2:Δv impulsionnel"},
        {"l2-poussee", hohmann + "|bouton_preparer", "Text8"},
        {"l2-duree1", hohmann + "|bouton_preparer", "Text11"},
        {"l2-za-transfert", tir1, "Text1"},
        {"l2-duree2", tir1 + "|bouton_preparer", "Text11"},
        {"l2-zp-obtenu", tir2, "resultat:Tir 2:Altitude du périastre"},
        {"l2-za-obtenu", tir2, "resultat:Tir 2:Altitude de l'apoastre"},
        {"l2-T-36000", a36000, "lu:Orbite:Période"},
        {"l2-geostationnaire", cercle, "geostationnaire"},
        // 3. Plane change
        {"l3-zp", cercle, "Text2"},
        {"l3-i", cercle, "Text4"},
        {"l3-dv", plan, "plan:Tir 1:Δv impulsionnel"},
        {"l3-v", cercle, "lu:Satellite:Vitesse"},
        {"l3-i-obtenue", plan + "|bouton_preparer|cmd_tir", "Text4"},
        {"l3-v-36000", a36000, "lu:Satellite:Vitesse"},
        {"l3-dv-36000",
         a36000 + "|menu_assistant_manoeuvre|choix_manoeuvre=3"
                  "|inclinaison_visee=0|poussee_choisie=200",
         "plan:Tir 1:Δv impulsionnel"},
        // 4. The real Earth
        {"l4-zp-iss", iss, "Text2"},
        {"l4-i-iss", iss, "Text4"},
        {"l4-v-iss", iss, "lu:Satellite:Vitesse"},
        {"l4-T-iss", iss, "lu:Orbite:Période"},
        {"l4-T-iss-programme", cercle + "|Text2=400|Text4=51.6", "lu:Orbite:Période"},
        {"l4-zp-gto", gto_reelle, "Text2"},
        {"l4-za-gto", gto_reelle, "Text1"},
        {"l4-vp-gto", gto_reelle, "lu:Orbite:Vitesse au périastre"},
        {"l4-va-gto", gto_reelle, "lu:Orbite:Vitesse à l'apoastre"},
        {"l4-T-gto", gto_reelle, "lu:Orbite:Période"},
        {"l4-z-geo", reelle + cercle, "geostationnaire-reelle"},
        {"l4-T-geo", geo, "lu:Orbite:Période"},
        {"l4-dv1", vers_geo, "plan:Tir 1:Δv impulsionnel"},
        {"l4-dv2", vers_geo, "plan:Tir 2:Δv impulsionnel"},
        {"l4-poussee", vers_geo + "|bouton_preparer", "Text8"},
    };
}

} // namespace

class TestGuideLecons : public QObject {
    Q_OBJECT
private slots:
    void chiffres_data() {
        QTest::addColumn<QString>("chiffre");
        QTest::addColumn<QString>("etapes");
        QTest::addColumn<QString>("lecture");
        for (const auto& l : lignes_des_lecons()) {
            QTest::newRow(qPrintable(l[0])) << l[0] << l[1] << l[2];
        }
    }
    void chiffres() {
        QFETCH(QString, chiffre);
        QFETCH(QString, etapes);
        QFETCH(QString, lecture);
        const std::map<QString, QString> guide = chiffres_du_guide();
        QVERIFY2(guide.count(chiffre) == 1, "the guide no longer states this figure");
        const enonce e = enonce_de(guide.at(chiffre));
        fenetre_de_test f;
        for (const QString& etape : etapes.split(QLatin1Char('|'))) {
            faire(f, etape);
            if (QTest::currentTestFailed()) {
                return;
            }
        }
        QVERIFY2(f.rapports.empty(), qPrintable(etapes));
        const std::optional<double> vu = mesure(f, lecture);
        QVERIFY2(vu.has_value(), qPrintable(lecture));
        qInfo("%s : le guide %s, la fenêtre %.9g", qPrintable(chiffre),
              qPrintable(guide.at(chiffre)), *vu);
        QVERIFY2(std::abs(*vu - e.valeur) <= e.tolerance,
                 qPrintable(QStringLiteral("le guide : %1, la fenêtre : %2")
                                .arg(guide.at(chiffre))
                                .arg(*vu, 0, 'g', 12)));
    }

    // Every figure the guide states has its row above.
    void chaque_chiffre_verifie() {
        const std::map<QString, QString> guide = chiffres_du_guide();
        QVERIFY(guide.size() > 30);
        std::map<QString, int> lignes;
        for (const auto& l : lignes_des_lecons()) {
            ++lignes[l[0]];
        }
        for (const auto& [cle, texte] : guide) {
            QVERIFY2(lignes[cle] == 1, qPrintable(cle + QStringLiteral(" : ") + texte));
        }
        QCOMPARE(lignes.size(), guide.size());
    }
};
TRAJEL_TEST(TestGuideLecons);
#include "test_guide_lecons.moc"
