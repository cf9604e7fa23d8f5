#pragma once

#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/cibleur.h"
#include "manoeuvre/planificateur.h"
#include "ui/poste/fenetre_outil.h"
#include "ui/poste/poste.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace trajel {

class poste_de_travail;

// "Assistant de manœuvre": plans a manoeuvre from the current orbit (impulsive delta-v
// of each burn, transfer time, total), and "Préparer le tir" writes the next finite
// burn into the main window through its own handlers (anomaly, thrust, duration,
// steps). The teacher fires it with "Tir !"; after each burn the orbit aimed at is
// shown beside the orbit obtained. The progress is suivi_manoeuvre's; the plan is made
// again after a completed event that fired a burn or changed the orbit or the satellite.
class assistant_manoeuvre : public QDialog, public fenetre_outil {
    Q_OBJECT
public:
    explicit assistant_manoeuvre(poste_de_travail& principale);

    demande_manoeuvre demande() const;
    // The plan from the orbit of traj, and the results so far.
    void actualiser();
    // "Préparer le tir": the next burn of the plan into the window, or the reason why not.
    void preparer();

protected:
    void a_l_affichage() override { actualiser(); }
    // About 90 characters by 36 lines: the plan whole; shrunk to 64 by 22, the plan
    // scrolling.
    QSize taille_voulue() const override;
    QSize taille_minimale() const override;

private:
    void creer_saisies();
    void creer_tableaux();
    void creer_boutons();
    void disposer();
    void relier();
    // The first size, before the place: about 76 characters by 36 lines.
    void donner_taille_initiale();
    void afficher_plan(const plan_manoeuvre& plan, const trajectoire& depuis);
    // The finite burn of the chosen thrust from `masse`; `periode` of the orbit for the
    // first burn only.
    void afficher_tir_fini(QTreeWidgetItem* g, const tir_prepare& p, double masse,
                           std::optional<double> periode);
    void afficher_anomalies(QTreeWidgetItem* g, const tir_impulsionnel& tir, const tir_prepare& p);
    void afficher_totaux(const plan_manoeuvre& plan);
    void afficher_resultats();
    // The correction of the last burn prepared: its iterations and the orbit predicted,
    // or the impulsive first guess kept when it did not converge.
    void afficher_ciblage(const ciblage& c);
    void signaler(const QString& message, bool refus);
    bool suivre_tir();
    void adapter_saisies();
    void nommer_modele(const modele_terre& modele);

    QComboBox* genre_ = nullptr;
    QDoubleSpinBox* altitude_ = nullptr;
    QComboBox* apside_ = nullptr;
    QDoubleSpinBox* inclinaison_ = nullptr;
    QDoubleSpinBox* poussee_ = nullptr;
    bool poussee_si_ = false; // the thrust field holds SI newtons (the real Earth's engine)
    QComboBox* choix_noeud_ = nullptr;
    QDoubleSpinBox* longitude_noeud_ = nullptr;
    QTreeWidget* ciblage_ = nullptr;
    QLabel* prevue_ = nullptr;
    QFormLayout* saisies_ = nullptr;
    QTreeWidget* plan_ = nullptr;
    QTreeWidget* resultats_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* preparer_ = nullptr;
    QPushButton* nouveau_plan_ = nullptr;
    QPushButton* fermer_ = nullptr;

    suivi_manoeuvre suivi_;
    // What the plan was last computed from: a completed event that changes none of it
    // re-plans nothing.
    std::optional<source_figures> calcule_sur_;
};

} // namespace trajel
