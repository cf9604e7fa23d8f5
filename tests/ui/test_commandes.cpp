// What a tool sees of the main window: the snapshot says what the window shows, and each
// command is one event, announced to the tools and kept by the history as an undoable
// step when it changes the window.

#include "commun/principal.h"
#include "fenetre_de_test.h"

#include "core/geographie.h"
#include "render/continents.h"
#include "render/marques.h"
#include "ui/lecon/historique.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>

using namespace trajel;
using namespace trajel::test;

namespace {

poste_de_travail& poste(const fenetre_de_test& f) {
    return *f.fenetre;
}

historique_lecon* historique(const fenetre_de_test& f) {
    return f.fenetre->findChild<historique_lecon*>(QStringLiteral("historique_lecon"));
}

options_affichage avec(options_affichage o, int champ, double valeur) {
    switch (champ) {
    case 0:
        o.marques_du_mouvement = valeur != 0.0;
        break;
    case 1:
        o.continents_sur_le_globe = valeur != 0.0;
        break;
    default:
        o.longitude_origine = valeur;
    }
    return o;
}

} // namespace

class TestCommandes : public QObject {
    Q_OBJECT
    std::unique_ptr<fenetre_de_test> f;

private slots:
    void init() { f = std::make_unique<fenetre_de_test>(); }
    void cleanup() {
        f.reset();
        marques_du_mouvement = false;
        continents_sur_le_globe = false;
        terre = {};
    }

    // The snapshot is the window as it stands, after the user's own changes.
    void instantane_suit_la_fenetre() {
        f->taper("Text4", "12.5\n");
        f->option("Option_RP")->click();
        QTest::mouseClick(f->controle<QPushButton>("Command4"), Qt::LeftButton);
        const instantane_scene s = poste(*f).scene();
        for (std::size_t i = 0; i < s.textes.size(); ++i) {
            QCOMPARE(QString::fromStdString(s.textes[i]), f->texte(boites[i])->text());
        }
        for (std::size_t i = 0; i < s.options.size(); ++i) {
            QCOMPARE(s.options[i], f->option(options[i])->isChecked());
        }
        QCOMPARE(s.texte(zone_texte::Text4), std::string("12.5"));
        QVERIFY(s.selectionne(bouton_option::Option_RP));
        QCOMPARE(QString::fromStdString(s.debit), f->legende("Label_debit"));
        QVERIFY(s.zoom > 1.0);
        QCOMPARE(s.valeurs.traj.inclinaison, valeurs_calculees::actuelles().traj.inclinaison);
    }

    // A display option that changes the picture is one announced event; one that does not
    // show (the origin meridian without the coasts on the globe, the same marks) draws
    // nothing. No display option is a step of the lesson.
    void afficher_data() {
        QTest::addColumn<bool>("globe");
        QTest::addColumn<int>("champ");
        QTest::addColumn<double>("valeur");
        QTest::addColumn<int>("evenements");
        QTest::newRow("marques") << false << 0 << 1.0 << 1;
        QTest::newRow("marques inchangées") << false << 0 << 0.0 << 0;
        QTest::newRow("continents sur le globe") << false << 1 << 1.0 << 1;
        QTest::newRow("méridien sans le globe") << false << 2 << 30.0 << 0;
        QTest::newRow("méridien avec le globe") << true << 2 << 30.0 << 1;
    }
    void afficher() {
        QFETCH(bool, globe);
        QFETCH(int, champ);
        QFETCH(double, valeur);
        QFETCH(int, evenements);
        if (globe) {
            QVERIFY(
                poste(*f).executer(commande::afficher{avec(poste(*f).scene().affichage, 1, 1.0)}));
        }
        const auto avant = f->image()->elements_affiches();
        const int pas = historique(*f)->pile().count();
        QSignalSpy annonces(&poste(*f).annonces(), &annonceur_evenements::evenement_termine);
        const options_affichage voulu = avec(poste(*f).scene().affichage, champ, valeur);
        QVERIFY(poste(*f).executer(commande::afficher{voulu}));
        QCOMPARE(poste(*f).scene().affichage, voulu);
        QCOMPARE(annonces.count(), evenements);
        QCOMPARE(f->image()->elements_affiches() != avant, evenements == 1);
        QCOMPARE(historique(*f)->pile().count(), pas);
    }

    // Boxes written by a tool run their handlers as the user's typing does, as one
    // announced event; named, it is a step of its own, undone as one; unnamed (the
    // animation's frames), what it changed joins the next step.
    void saisir_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("pas");
        QTest::newRow("nommée") << "bouton_essai" << 1;
        QTest::newRow("sans nom") << QString() << 0;
    }
    void saisir() {
        QFETCH(QString, nom);
        QFETCH(int, pas);
        const int avant = historique(*f)->pile().count();
        QSignalSpy debuts(&poste(*f).annonces(), &annonceur_evenements::evenement_commence);
        QSignalSpy fins(&poste(*f).annonces(), &annonceur_evenements::evenement_termine);
        QVERIFY(poste(*f).executer(
            commande::saisir{[](formulaire& w) { w.changer_texte(zone_texte::Text7, "90"); }, true,
                             0.0, nom, QStringLiteral("l'essai")}));
        QCOMPARE(f->texte("Text7")->text(), QStringLiteral("90"));
        QCOMPARE(valeurs_calculees::actuelles().traj.anomalie, 90.0);
        QCOMPARE(fins.count(), 1);
        QCOMPARE(debuts.count(), pas);
        QCOMPARE(historique(*f)->pile().count(), avant + pas);
        if (pas == 0) {
            return;
        }
        QCOMPARE(historique(*f)->action_annuler()->text(), QStringLiteral("Annuler l'essai"));
        historique(*f)->annuler();
        QCOMPARE(f->texte("Text7")->text(), QStringLiteral("25"));
        QCOMPARE(valeurs_calculees::actuelles().traj.anomalie, 25.0);
    }

    // The assistant's prepared burn is a step of its own: one undo gives back every box
    // it wrote.
    void burn_prepare_est_un_pas() {
        QStringList avant;
        for (const char* nom : boites) {
            avant << f->texte(nom)->text();
        }
        const int pas = historique(*f)->pile().count();
        f->fenetre->findChild<QAction*>(QStringLiteral("menu_assistant_manoeuvre"))->trigger();
        QTest::mouseClick(f->controle<QPushButton>("bouton_preparer"), Qt::LeftButton);
        QVERIFY(f->rapports.empty());
        QCOMPARE(historique(*f)->pile().count(), pas + 1);
        QCOMPARE(historique(*f)->action_annuler()->text(),
                 QStringLiteral("Annuler la préparation du tir"));
        QVERIFY(f->texte("Text11")->text() != avant[10]); // the burn's duration written
        historique(*f)->annuler();
        for (std::size_t i = 0; i < std::size(boites); ++i) {
            QCOMPARE(f->texte(boites[i])->text(), avant[static_cast<qsizetype>(i)]);
        }
    }

    // Without a dialog, an error goes to the strip and the Earth's clock goes back; with
    // one, it is reported modally. Either way the event did not complete.
    void saisir_en_erreur_data() {
        QTest::addColumn<bool>("dialogue");
        QTest::newRow("minuterie") << false;
        QTest::newRow("action de l'utilisateur") << true;
    }
    void saisir_en_erreur() {
        QFETCH(bool, dialogue);
        terre.temps = 100.0;
        const std::size_t modaux = f->modaux.size();
        const bool complet = poste(*f).executer(commande::saisir{
            [](formulaire& w) { w.changer_texte(zone_texte::Text7, "1E6"); }, dialogue, 50.0});
        QVERIFY(!complet);
        QCOMPARE(terre.temps, 100.0);
        QCOMPARE(f->modaux.size() - modaux, std::size_t(dialogue ? 1 : 0));
        QCOMPARE(f->bandeau()->isHidden(), dialogue);
    }

    // The Earth's clock moves with a completed event only.
    void saisir_fait_tourner_la_terre() {
        terre.temps = 100.0;
        QVERIFY(poste(*f).executer(commande::saisir{
            [](formulaire& w) { w.changer_texte(zone_texte::Text7, "30"); }, false, 50.0}));
        QCOMPARE(terre.temps, 150.0);
        QCOMPARE(poste(*f).scene().terre.temps, 150.0);
    }
};

TRAJEL_TEST(TestCommandes);
#include "test_commandes.moc"
