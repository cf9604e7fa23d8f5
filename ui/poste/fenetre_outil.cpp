#include "ui/poste/fenetre_outil.h"

#include "ecran/placement.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace trajel {

namespace {

// Every tool window made, to place them again together.
std::vector<fenetre_outil*>& toutes() {
    static std::vector<fenetre_outil*> fenetres;
    return fenetres;
}

} // namespace

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
    : principale_(principale), fenetre_(fenetre), memoire_(m), gardien_(new gardien(*this)) {
    toutes().push_back(this);
}

// The window's own destruction hides it after this part is gone: the watcher goes first.
fenetre_outil::~fenetre_outil() {
    delete gardien_;
    std::erase(toutes(), this);
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
    if (!placer_outil(fenetre_, principale_, cadre_voulu(), cadre_moindre())) {
        disposer_avec_les_autres();
    }
}

QSize fenetre_outil::cadre_voulu() const {
    QSize cadre = taille_voulue() + (fenetre_.frameGeometry().size() - fenetre_.size());
    cadre.setHeight(std::min(cadre.height(), principale_.widget().frameGeometry().height()));
    return cadre;
}

QSize fenetre_outil::cadre_moindre() const {
    const QSize bords = fenetre_.frameGeometry().size() - fenetre_.size();
    return moindre_cadre(fenetre_, cadre_voulu(), taille_minimale() + bords);
}

void fenetre_outil::disposer_avec_les_autres() {
    const QWidget& principale = principale_.widget();
    const QScreen* ecran = principale.screen();
    if (ecran == nullptr) {
        return;
    }
    std::vector<fenetre_outil*> mobiles{this};
    std::vector<QRect> fixes;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType genre = w->windowType();
        if (w == &fenetre_ || w == &principale || !w->isVisible() ||
            (genre != Qt::Window && genre != Qt::Dialog && genre != Qt::Tool)) {
            continue;
        }
        const auto outil = std::find_if(toutes().begin(), toutes().end(),
                                        [w](const fenetre_outil* o) { return &o->fenetre_ == w; });
        if (outil != toutes().end() && (*outil)->cadre_donne_ == w->frameGeometry()) {
            mobiles.push_back(*outil);
        } else {
            fixes.push_back(w->frameGeometry());
        }
    }
    std::vector<demande_cadre> demandes;
    for (const fenetre_outil* o : mobiles) {
        demandes.push_back({o->cadre_voulu(), o->cadre_moindre()});
    }
    const auto cadres =
        disposer_ensemble(ecran->availableGeometry(), fixes, principale.frameGeometry(),
                          zone_libre(principale_), demandes);
    if (!cadres) {
        return;
    }
    // A window that takes another frame than the one given (its contents asking for more)
    // would cover another: then every window goes back where it was.
    std::vector<QRect> avant;
    bool pris = true;
    for (std::size_t i = 0; i < mobiles.size(); ++i) {
        avant.push_back(mobiles[i]->fenetre_.frameGeometry());
        donner_cadre(mobiles[i]->fenetre_, (*cadres)[i]);
        pris = pris && mobiles[i]->fenetre_.frameGeometry() == (*cadres)[i];
    }
    for (std::size_t i = 0; i < mobiles.size(); ++i) {
        if (!pris) {
            donner_cadre(mobiles[i]->fenetre_, avant[i]);
        }
        mobiles[i]->cadre_donne_ = mobiles[i]->fenetre_.frameGeometry();
    }
}

QSize fenetre_outil::taille_voulue() const {
    return fenetre_.size();
}

QSize fenetre_outil::taille_minimale() const {
    return taille_voulue();
}

void fenetre_outil::suivre_les_evenements(std::function<void(bool)> rafraichir,
                                          std::function<void(bool)> cachee) {
    annonceur_evenements& annonces = principale_.annonces();
    QObject::connect(&annonces, &annonceur_evenements::evenement_termine, &fenetre_,
                     [this, &annonces, rafraichir, cachee](bool reussi) {
                         if (!fenetre_.isVisible()) {
                             if (cachee) {
                                 cachee(reussi);
                             }
                             return;
                         }
                         rafraichie_a_.reset();
                         if (reussi) {
                             rafraichie_a_ = annonces.termines();
                         }
                         rafraichir(reussi);
                     });
    QObject::connect(&annonces, &annonceur_evenements::etat_restitue, &fenetre_,
                     [this, &annonces, rafraichir, cachee] {
                         if (!fenetre_.isVisible()) {
                             if (cachee) {
                                 cachee(true);
                             }
                             return;
                         }
                         if (std::exchange(rafraichie_a_, std::nullopt) == annonces.termines()) {
                             return; // the scene is the one the event's end refreshed for
                         }
                         rafraichir(true);
                     });
}

void fenetre_outil::montree() {
    rafraichie_a_.reset();
    a_l_affichage();
    if (!placee_) {
        placee_ = true;
        placer();
        cadre_donne_ = fenetre_.frameGeometry();
    }
}

void fenetre_outil::cachee() {
    if (memoire_ == memoire::sous_son_nom) {
        garder_geometrie(fenetre_, fenetre_.objectName());
    }
}

} // namespace trajel
