#pragma once

#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/lecture.h"

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
class fenetre_caracteristiques : public QWidget {
    Q_OBJECT
public:
    explicit fenetre_caracteristiques(poste_de_travail& principale);

    // The figures of traj and of the last burn.
    void actualiser();
    // The readout as text: one line a figure, its name and value(s) separated by tabs.
    QString texte() const;

    // Every row and column whole, within no screen.
    QSize taille_voulue() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // What a row shows: its value and, for the burn's comparison, the impulse's.
    struct donnees {
        lecture_orbite l;
        const bilan_tir* tir = nullptr;
        std::optional<erreur_integration> erreur;
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
    void placer_a_cote();

    // What the readout is computed from: traj, the satellite values and the number of
    // the last burn (0: none).
    struct source {
        valeurs_calculees valeurs;
        unsigned tir = 0;
        bool operator==(const source&) const = default;
    };
    static source source_actuelle();

    poste_de_travail& principale_;
    QTreeWidget* arbre_ = nullptr;
    QHBoxLayout* boutons_ = nullptr;
    QTreeWidgetItem* groupe_tir_ = nullptr;
    std::vector<QTreeWidgetItem*> groupes_du_tir_;
    std::vector<ligne> lignes_;
    bool place_ = false;
    std::optional<source> lu_sur_; // none before the first readout
    // The half-step rerun, done once for each burn.
    unsigned tir_analyse_ = 0;
    std::optional<erreur_integration> erreur_;
};

} // namespace trajel
