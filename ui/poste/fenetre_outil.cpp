#include "ui/poste/fenetre_outil.h"

#include "ecran/placement.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

namespace trajel {

// Watches the window's own show and hide: every show, whoever asked for it (its action,
// a test, the composer), runs the same steps.
class fenetre_outil::gardien : public QObject {
public:
    explicit gardien(fenetre_outil& outil) : QObject(&outil.fenetre_), outil_(outil) {
        outil.fenetre_.installEventFilter(this);
    }

    bool eventFilter(QObject* objet, QEvent* event) override {
        if (objet == &outil_.fenetre_) {
            if (event->type() == QEvent::Show) {
                outil_.montree();
            } else if (event->type() == QEvent::Hide) {
                outil_.cachee();
            }
        }
        return false;
    }

private:
    fenetre_outil& outil_;
};

fenetre_outil::fenetre_outil(QWidget& fenetre, poste_de_travail& principale, memoire m)
    : principale_(principale), fenetre_(fenetre), memoire_(m), gardien_(new gardien(*this)) {}

// The window's own destruction hides it after this part is gone: the watcher goes first.
fenetre_outil::~fenetre_outil() {
    delete gardien_;
}

void fenetre_outil::montrer() {
    if (!fenetre_.isVisible()) {
        fenetre_.show();
        return;
    }
    fenetre_.raise();
    fenetre_.activateWindow();
}

void fenetre_outil::cacher() {
    fenetre_.hide();
}

void fenetre_outil::basculer() {
    if (fenetre_.isVisible()) {
        cacher();
    } else {
        montrer();
    }
}

void fenetre_outil::montrer_par(QAction& action) {
    QObject::connect(&action, &QAction::triggered, &fenetre_, [this] { montrer(); });
}

void fenetre_outil::placer() {
    const QSize bords = fenetre_.frameGeometry().size() - fenetre_.size();
    placer_outil(fenetre_, principale_, taille_voulue() + bords, taille_minimale() + bords);
}

QSize fenetre_outil::taille_voulue() const {
    return fenetre_.size();
}

QSize fenetre_outil::taille_minimale() const {
    return taille_voulue();
}

void fenetre_outil::suivre_les_evenements(std::function<void(bool)> rafraichir) {
    annonceur_evenements& annonces = principale_.annonces();
    QObject::connect(&annonces, &annonceur_evenements::evenement_termine, &fenetre_, rafraichir);
    QObject::connect(&annonces, &annonceur_evenements::etat_restitue, &fenetre_,
                     [rafraichir] { rafraichir(true); });
}

void fenetre_outil::montree() {
    a_l_affichage();
    if (!placee_) {
        placee_ = true;
        placer();
    }
}

void fenetre_outil::cachee() {
    if (memoire_ == memoire::sous_son_nom) {
        garder_geometrie(fenetre_, fenetre_.objectName());
    }
}

} // namespace trajel
