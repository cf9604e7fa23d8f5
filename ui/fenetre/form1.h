#pragma once

#include "core/formulaire.h"
#include "ui/fenetre/saisie.h"
#include "ui/poste/evenements.h"
#include "ui/poste/poste.h"

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWindow;

namespace trajel {

class Picture1;

// The main window "Calcul d'orbite": every input of the simulation, the view
// controls, the drawing and the menu, at the design's fixed positions (twips).
// It is the model the computations read through `formulaire`; its handlers redraw.
class fenetre_principale : public QMainWindow, public formulaire, public poste_de_travail {
    Q_OBJECT
public:
    explicit fenetre_principale(QWidget* parent = nullptr);
    ~fenetre_principale() override;

    // formulaire
    std::string texte(zone_texte zone) const override;
    void changer_texte(zone_texte zone, const std::string& texte) override;
    bool selectionne(bouton_option bouton) const override;
    void selectionner(bouton_option bouton) override;
    int valeur_HScroll1() const override;
    int valeur_VScroll1() const override;
    std::string legende_Label_debit() const override;
    void legende_Label_debit(const std::string& legende) override;
    surface& Picture1() override;
    std::unique_ptr<memoire> memoriser() const override;
    void restituer(const memoire& m) override;
    const modele_terre& modele_de_la_terre() const override { return terre_active_; }

    // poste_de_travail. The "Outils" menu stands between "Au menu" and "A propos".
    QWidget& widget() override { return *this; }
    QMenu* menu_outils() const override { return menu_outils_; }
    trajel::Picture1* image() const override { return Picture1_; }
    annonceur_evenements& annonces() override { return annonceur_; }
    instantane_scene scene() const override;
    etat_fenetre etat() const override;
    bool executer(const commande_fenetre& c) override;

    // The commands, for the window's own callers.
    distributeur& evenements() { return evenements_; }
    void informer(const QString& message) { saisie_->informer(message); }
    void tourner_vue(int longitude, int latitude);
    void zoomer(int crans);
    void vue_initiale();
    bool changer_zoom(const std::function<double()>& nouveau);
    bool redessiner_vue();
    bool afficher(const options_affichage& options);
    bool saisir(const commande::saisir& s);
    bool ecrire_lecon(const lecon_a_ecrire& l);
    bool restituer_etat(const etat_fenetre& etat);
    bool changer_modele(const commande::changer_modele& c);

    // How an error is shown. An error of the user's typing goes to the strip over the
    // bottom of the picture and marks the box; any other to a modal message box, which
    // a test may replace. The witness, if any, sees every error and how it was shown.
    using afficheur_erreur = saisie_utilisateur::afficheur_erreur;
    void definir_boite_de_message(afficheur_erreur a) {
        saisie_->definir_boite_de_message(std::move(a));
    }
    void definir_temoin(std::function<void(const erreur_calcul&, bool modal)> t) {
        saisie_->definir_temoin(std::move(t));
    }

private:
    // Handlers (named after the control and the event).
    void Form_Activate();
    void Command1_Click();
    void Command4_Click();
    void Command5_Click();
    void HScroll1_Change();
    void VScroll1_Change();
    void Option_circulaire_Click();
    void Option_elliptique_Click();
    void Option_parabolique_Click();
    void Option_hyperbolique_Click();
    void Option_tous_Click();
    void Option_RP_Click();
    void Option_RH_Click();
    void Option_RN_Click();
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();
    void Text7_Change();
    void cmd_tir_Click();
    void menu_kourou_circulaire_Click();
    void menu_GTO_IV_Click();
    void menu_GTO_V_Click();
    void menu_baikonour_circulaire_Click();
    void menu_canaveral_circulaire_Click();
    void menu_quitter_Click();
    void menu_abstract_Click();

    // A preset orbit: its type, then Text1, Text2 and Text4.
    void orbite_predefinie(bouton_option type, const char* za, const char* zp,
                           const char* inclinaison);
    void deselectionner(bouton_option bouton);
    void fenetre_active_changee(QWindow* fenetre);

    // The caption of Label6 and the visibility of Text1 and Label6 follow the orbit type.
    void accorder_Text1();
    // An event of the program's own timer: an error goes to the strip, framing the box it
    // names, as the user's typing does; no dialog interrupts. True when it completed.
    bool executer_sans_dialogue(const std::function<void()>& gestionnaire);
    // Within an event: a full redraw; if it fails, traj and the satellite values go back
    // to `scene`, the last burn stays, and the error goes on. Once drawn, `tir` becomes the
    // last burn and, when `arc`, its arc is drawn over the scene, unless its record cannot
    // be integrated again (the scene then stays without it). True when the arc is drawn.
    bool redessiner_tout(const valeurs_calculees& scene, const std::optional<bilan_tir>& tir,
                         bool arc);
    // A burn recorded elsewhere (a lesson) becomes the last one; none, no burn.
    void reprendre_tir(const std::optional<bilan_tir>& tir);
    // An assignment of a command carried to its end: the error of a nested redraw is
    // set aside and the command goes on; it returns whether the assignment failed.
    template <class Affectation> bool sans_arret(Affectation&& affectation) {
        try {
            affectation();
            return false;
        } catch (const erreur_calcul&) {
            return true; // reported, if at all, by the command's last redraw
        }
    }
    // A box's change handler: its rule (deferred while the user types), a full redraw.
    void changement_de_boite(zone_texte zone);
    // A user event raised by `source`: named after it for the tools when it is the
    // outermost one, then run through the distributor.
    void evenement_utilisateur(const QObject* source, const std::function<void()>& gestionnaire);

public:
    struct placement;

private:
    QWidget* conteneur(const char* nom) const;
    void poser(QWidget* controle, const placement& p) const;
    void creer_controles();
    void creer_barres();
    void creer_boites_et_options();
    void creer_etiquettes_et_boutons();
    void creer_menus();
    void relier_evenements();
    void placer(QWidget* controle, int gauche, int haut, int largeur, int hauteur) const;

    QLineEdit* boite(zone_texte zone) const;
    QRadioButton* option(bouton_option bouton) const;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    distributeur evenements_;
    annonceur_evenements annonceur_;
    saisie_utilisateur* saisie_ = nullptr; // the typing and the errors shown
    std::uint64_t redessins_au_debut_ = 0;
    bool premiere_activation_ = false;
    bool fermeture_accordee_ = false; // "quitter" has asked already
    QString fenetre_precedente_;      // objectName of the program's last active window
    double temps_mission_ = 0.0;      // s: the burns' durations and the animation's time
    modele_terre terre_active_ = terre_du_programme; // "Outils" > "Modèle de la Terre"

    QWidget* fond_ = nullptr; // the client area, in which the design places the controls
    trajel::Picture1* Picture1_ = nullptr;
    QMenu* menu_outils_ = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label_debit = nullptr;
    QLineEdit* Text[13] = {};
    QRadioButton* Options[8] = {};
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* cmd_tir = nullptr;
};

} // namespace trajel
