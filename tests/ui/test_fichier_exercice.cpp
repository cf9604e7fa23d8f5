// The exercise's section of a lesson file: written and read back equal at version 2,
// bad sections refused with their reasons, and a lesson without an exercise written to
// the same bytes, at version 1, as before.

#include "commun/principal.h"
#include "core/trajectoire.h"
#include "ui/lecon/fichier_lecon.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>
#include <variant>

using namespace trajel;

namespace {

// The GTO start of the launch menu and its geostationary target, with the optimum and,
// when handed in, a score.
section_exercice section_gto(bool complete) {
    section_exercice s;
    exercice& e = s.donne;
    e.depart.textes = {"36000", "200", "20", "7",  "10",  "2000", "25",
                       "0",     "0",   "0",  "10", "100", "300"};
    trajectoire& t = e.depart.orbite;
    t.type_conique = "elliptique";
    t.za = 36000.0;
    t.zp = 200.0;
    t.grand_omega = 20.0;
    t.inclinaison = 7.0;
    t.petit_omega = 10.0;
    t.excentricite = 0.8;
    t.parametre = 6000.0;
    t.anomalie = 25.0;
    construire_reperes(t);
    e.depart.masse = 2000.0;
    e.depart.isp = 300.0;
    e.cible = orbite_cible{36000.0, 36000.0, 0.0, 0.0, 0.0};
    e.enonce = "Placez le satellite sur l'orbite géostationnaire.\nΔv : au plus 2,1 km/s.";
    if (complete) {
        e.budget_delta_v = 2.1;
        e.tirs_maximum = 3;
        e.assistant_permis = false;
        e.releve = releve_permis::sans_dernier_tir;
        e.criteres[3] = {true, 0.25};
        tir_impulsionnel b;
        b.lieu = "à l'apoastre";
        b.anomalie = 180.0;
        b.delta_v = 1.5;
        b.direction = {0.0, 1.0, 0.0};
        e.optimum = solution_optimale{{b}, 1.5};
        score_exercice sc;
        sc.atteint = true;
        sc.cible_atteinte = true;
        sc.delta_v = 2.016;
        sc.tirs = 2;
        sc.delta_v_optimal = 2.0159;
        sc.rapport = 1.00005;
        sc.note = 99.99;
        sc.finale = {36001.0, 35999.0, 0.0004, 12.0, 0.0};
        sc.raisons = {"L'orbite visée n'est pas atteinte."};
        s.score = sc;
    }
    return s;
}

QByteArray avec_exercice(const std::function<void(QJsonObject&)>& retouche) {
    lecon l;
    l.exercice = section_gto(true);
    QJsonObject racine = QJsonDocument::fromJson(ecrire_lecon(l)).object();
    QJsonObject exo = racine.value("exercice").toObject();
    retouche(exo);
    racine.insert("exercice", exo);
    return QJsonDocument(racine).toJson();
}

} // namespace

class TestFichierExercice : public QObject {
    Q_OBJECT

private slots:
    void aller_retour_data() {
        QTest::addColumn<bool>("complete");
        QTest::newRow("cible seule") << false;
        QTest::newRow("budget, tirs, permissions, optimum et score") << true;
    }
    void aller_retour() {
        QFETCH(bool, complete);
        lecon l;
        l.notes = "Exercice";
        l.exercice = section_gto(complete);
        const QByteArray octets = ecrire_lecon(l);
        QCOMPARE(QJsonDocument::fromJson(octets).object().value("version").toInt(), 2);
        const std::variant<lecon, QString> lu = lire_lecon(octets);
        QVERIFY2(std::holds_alternative<lecon>(lu),
                 std::holds_alternative<QString>(lu) ? qPrintable(std::get<QString>(lu)) : "");
        QVERIFY(std::get<lecon>(lu).exercice.has_value());
        QVERIFY(std::get<lecon>(lu) == l);
        QCOMPARE(ecrire_lecon(std::get<lecon>(lu)), octets);
    }

    // A lesson without an exercise: version 1, no "exercice" key, and a lesson written
    // before the section existed read and written again to the same bytes.
    void sans_exercice() {
        const QString chemin = QStringLiteral(TRAJEL_DONNEES_UI "/lecon_sans_exercice.trajel");
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray avant = f.readAll();
        const std::variant<lecon, QString> lu = lire_lecon(avant);
        QVERIFY(std::holds_alternative<lecon>(lu));
        QVERIFY(!std::get<lecon>(lu).exercice);
        const QByteArray octets = ecrire_lecon(std::get<lecon>(lu));
        QCOMPARE(octets, avant);
        const QJsonObject racine = QJsonDocument::fromJson(octets).object();
        QCOMPARE(racine.value("version").toInt(), 1);
        QVERIFY(!racine.contains("exercice"));
    }

    void sections_refusees_data() {
        QTest::addColumn<QString>("faute");
        QTest::addColumn<QString>("raison");
        QTest::newRow("cible manquante") << "cible"
                                         << "L'orbite visée manque";
        QTest::newRow("tolérance négative") << "tolerance"
                                            << "La tolérance sur Za";
        QTest::newRow("budget NaN (texte)") << "budget_nan"
                                            << "exercice.budget_delta_v";
        QTest::newRow("budget négatif") << "budget"
                                        << "Le budget de Δv";
        QTest::newRow("départ manquant") << "depart"
                                         << "exercice.depart » manquant";
        QTest::newRow("relevé inconnu") << "releve"
                                        << "exercice.releve";
        QTest::newRow("pas un objet") << "objet"
                                      << "Champ « exercice » : un objet";
        QTest::newRow("dans un fichier de format 1") << "version"
                                                     << "format 1 n'a pas";
        QTest::newRow("tirs non entiers") << "tirs"
                                          << "un nombre entier";
    }
    void sections_refusees() {
        QFETCH(QString, faute);
        QFETCH(QString, raison);
        QByteArray octets = avec_exercice([&](QJsonObject& o) {
            if (faute == "cible") {
                o.remove("cible");
            } else if (faute == "tolerance") {
                QJsonObject c = o.value("criteres").toObject();
                c.insert("Za", QJsonObject{{"coche", true}, {"tolerance", -0.5}});
                o.insert("criteres", c);
            } else if (faute == "budget_nan") {
                o.insert("budget_delta_v", "NaN");
            } else if (faute == "budget") {
                o.insert("budget_delta_v", -2.0);
            } else if (faute == "depart") {
                o.remove("depart");
            } else if (faute == "releve") {
                o.insert("releve", "partiel");
            } else if (faute == "tirs") {
                o.insert("tirs_maximum", 2.5);
            }
        });
        QJsonObject racine = QJsonDocument::fromJson(octets).object();
        if (faute == "objet") {
            racine.insert("exercice", 7);
        } else if (faute == "version") {
            racine.insert("version", 1);
        }
        octets = QJsonDocument(racine).toJson();
        const std::variant<lecon, QString> lu = lire_lecon(octets);
        QVERIFY(std::holds_alternative<QString>(lu));
        QVERIFY2(std::get<QString>(lu).contains(raison), qPrintable(std::get<QString>(lu)));
    }
};

TRAJEL_TEST(TestFichierExercice);

#include "test_fichier_exercice.moc"
