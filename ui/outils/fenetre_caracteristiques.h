#pragma once

#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/lecture.h"
#include "ui/poste/fenetre_outil.h"
#include "ui/poste/poste.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QHBoxLayout;
class QTreeWidget;
class QTreeWidgetItem;

namespace trajel {

class poste_de_travail;

// "Caractéristiques de l'orbite": a window beside the main one with the figures of the
// conic, of the satellite and of the last burn, refreshed after every completed event
// of the main window that changed them (a refused or failed one changes nothing).
// "Copier" puts the readout on the clipboard as text.
class fenetre_caracteristiques : public QWidget, public fenetre_outil {
    Q_OBJECT
public:
    explicit fenetre_caracteristiques(poste_de_travail& principale);

    // The figures of traj and of the last burn.
    void actualiser();
    // The "Dernier tir" group and the burn's comparison and error rows shown (the
    // default) or left out (an exercise that withholds them).
    void montrer_dernier_tir(bool montre);
    // The readout as text: one line a figure, its name and value(s) separated by tabs.
    QString texte() const;

    // Every row and column whole, within no screen.
    QSize taille_voulue() const override;
    // Shrunk beside the main window to some 64 characters by 20 lines.
    QSize taille_minimale() const override;

protected:
    void a_l_affichage() override { actualiser(); }

private:
    // What a row shows: its value and, for the burn's comparison, the impulse's.
    struct donnees {
        lecture_orbite l;
        const bilan_tir* tir = nullptr;
        std::optional<erreur_integration> erreur;
        double temps_mission = 0.0; // s
    };
    using valeur = std::function<QStringList(const donnees&)>;
    struct ligne {
        QTreeWidgetItem* item;
        valeur calcul;
    };

    QTreeWidgetItem* groupe(const QString& nom);
    void ajouter(QTreeWidgetItem* groupe, const QString& nom, valeur calcul);
    void construire_orbite();
    void construire_satellite();
    void construire_tir();
    // The finite burn beside the impulse of the same delta-v.
    void construire_comparaison();
    // The burn redone in half its steps.
    void construire_erreur();
    void construire_boutons();
    void ajuster_colonnes();

    QTreeWidget* arbre_ = nullptr;
    QHBoxLayout* boutons_ = nullptr;
    QTreeWidgetItem* groupe_tir_ = nullptr;
    std::vector<QTreeWidgetItem*> groupes_du_tir_;
    std::vector<QTreeWidgetItem*> lignes_moteur_; // the engine convention's rows
    std::vector<ligne> lignes_;
    std::optional<source_figures> lu_sur_; // none before the first readout
    bool dernier_tir_montre_ = true;
    // The half-step rerun, done once for each burn.
    unsigned tir_analyse_ = 0;
    std::optional<erreur_integration> erreur_;
};

} // namespace trajel
