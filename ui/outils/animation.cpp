#include "ui/outils/animation.h"

#include "core/kepler.h"
#include "core/texte.h"
#include "render/scene.h"
#include "ui/poste/poste.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

constexpr int intervalle_ms = 33;             // about 30 frames a second
constexpr double image_la_plus_longue = 0.25; // s of clock time a frame moves at most
constexpr double a_depart = 4768.0;           // km, semi-major axis of the start-up orbit
constexpr double revolution_de_depart = 20.0; // s of real time

// The inputs that stop the animation: keys, clicks and the wheel, but not those that
// open and choose in the menus, where choosing the animation again stops it.
bool saisie_de_l_utilisateur(QObject* objet, const QEvent* evenement) {
    switch (evenement->type()) {
    case QEvent::Shortcut:
        return true; // a shortcut key (F2, Ctrl+M...): the action is no widget
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        break;
    default:
        return false;
    }
    const auto* w = qobject_cast<const QWidget*>(objet);
    for (; w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<const QMenu*>(w) != nullptr ||
            qobject_cast<const QMenuBar*>(w) != nullptr) {
            return false;
        }
    }
    return qobject_cast<const QWidget*>(objet) != nullptr;
}

} // namespace

animation_satellite::animation_satellite(poste_de_travail& principale, QObject* parent)
    : QObject(parent), principale_(principale), minuterie_(this),
      acceleration_(acceleration_par_defaut()) {
    setObjectName(QStringLiteral("animation_satellite"));
    minuterie_.setObjectName(QStringLiteral("minuterie_animation"));
    minuterie_.setInterval(intervalle_ms);
    minuterie_.setTimerType(Qt::PreciseTimer);
    connect(&minuterie_, &QTimer::timeout, this, &animation_satellite::image);
}

animation_satellite::~animation_satellite() {
    if (en_cours_) {
        qApp->removeEventFilter(this);
    }
}

double animation_satellite::acceleration_par_defaut() {
    return periode_orbitale(0.0, a_depart) / revolution_de_depart;
}

void animation_satellite::demarrer() {
    if (en_cours_) {
        return;
    }
    bool pret = false;
    principale_.executer(commande::saisir{[this, &pret](formulaire& f) {
        const instantane_scene scene = principale_.scene();
        const trajectoire& t = scene.valeurs.traj;
        c_ = conique_de(t, scene.modele);
        double nu = anomalie_vraie(c_, t.anomalie);
        periode_.reset();
        fin_.reset();
        nu_fin_.reset();
        std::optional<double> retour; // the record's anomaly to start again from
        if (c_.fermee()) {
            periode_ = periode_orbitale(c_.e, c_.p, c_.modele);
        } else {
            // Along the drawn range of an open conic, to its end.
            const plage_anomalies plage = plage_tracee(t);
            if (plage.debut >= plage.fin) {
                throw erreur_calcul(nature_erreur::operation_invalide,
                                    "Animation impossible : la conique n'est tracée sur aucun "
                                    "arc.");
            }
            fin_ = plage.fin;
            nu_fin_ = anomalie_vraie(c_, *fin_);
            const double debut = anomalie_vraie(c_, plage.debut);
            if (!(nu >= debut && nu < *nu_fin_)) {
                nu = debut;
                retour = plage.debut;
            }
        }
        temps_ = temps_depuis_periastre(c_.e, c_.p, nu, c_.modele);
        temps_origine_ = temps_;
        if (retour) {
            f.changer_texte(zone_texte::Text7, Str(*retour));
        }
        pret = true;
    }});
    if (!pret) {
        emit arretee();
        return;
    }
    en_cours_ = true;
    secondes_ = secondes_origine_ = avance_ = 0.0;
    qApp->installEventFilter(this);
    horloge_.start();
    minuterie_.start();
    emit demarree();
}

void animation_satellite::arreter() {
    if (!en_cours_) {
        return;
    }
    en_cours_ = false;
    minuterie_.stop();
    qApp->removeEventFilter(this);
    emit arretee();
}

void animation_satellite::definir_acceleration(double facteur) {
    if (en_cours_) {
        temps_origine_ = temps_;
        secondes_origine_ = secondes_;
    }
    acceleration_ = facteur;
}

void animation_satellite::image() {
    // The timer runs on at its interval: the frame is drawn for the clock time, less
    // what a stall longer than a frame should (a message box, a busy machine) so that
    // the satellite does not jump. A frame that runs events does not start another.
    if (dans_l_image_) {
        return;
    }
    const QScopedValueRollback<bool> garde(dans_l_image_, true);
    double secondes = horloge_.nsecsElapsed() / 1e9 + avance_;
    if (secondes - secondes_ > image_la_plus_longue) {
        avance_ -= secondes - secondes_ - image_la_plus_longue;
        secondes = secondes_ + image_la_plus_longue;
    }
    image_a(std::max(secondes, secondes_));
}

bool animation_satellite::avancer(double secondes) {
    const double cible = secondes_ + secondes;
    // The timer's frames go on from there.
    avance_ = cible - horloge_.nsecsElapsed() / 1e9;
    return image_a(cible);
}

double animation_satellite::temps_a(double secondes) const {
    double t = controle(temps_origine_ + acceleration_ * (secondes - secondes_origine_));
    if (periode_) {
        // no loss of precision over many turns
        t = std::fmod(t, *periode_);
    }
    return t;
}

bool animation_satellite::image_a(double secondes) {
    if (!en_cours_) {
        return false;
    }
    bool ecrit = false;
    bool au_bout = false;
    // A frame's error stops the animation and goes to the strip: a dialog opened from
    // the timer would interrupt whatever the user is doing. The Earth turns with the same
    // clock, before the frame's redraw shows it.
    commande::saisir image{[&](formulaire& f) {
                               temps_ = temps_a(secondes);
                               secondes_ = secondes;
                               const double nu = anomalie_au_temps(c_.e, c_.p, temps_, c_.modele);
                               double anomalie = 0.0;
                               if (nu_fin_ && nu >= *nu_fin_) {
                                   anomalie = *fin_;
                                   au_bout = true;
                               } else {
                                   anomalie = anomalie_record(c_, nu);
                               }
                               f.changer_texte(zone_texte::Text7, Str(anomalie));
                               ecrit = true;
                           },
                           false, acceleration_ * (secondes - secondes_)};
    principale_.executer(image);
    if (!ecrit || au_bout) {
        arreter();
        if (au_bout) {
            principale_.executer(commande::informer{QStringLiteral(
                "Animation arrêtée : le satellite a atteint la fin de l'arc tracé de la conique "
                "ouverte (la parabole est tracée jusqu'à ±120°, l'hyperbole jusqu'à 20° de ses "
                "asymptotes).")});
        }
        return false;
    }
    return true;
}

void animation_satellite::declarer_commande(const QObject* commande) {
    commandes_.push_back(commande);
}

bool animation_satellite::eventFilter(QObject* objet, QEvent* evenement) {
    // The animation's own shortcut toggles it: stopped here, it would start again.
    const bool propre = evenement->type() == QEvent::Shortcut &&
                        std::find(commandes_.begin(), commandes_.end(), objet) != commandes_.end();
    if (en_cours_ && !propre && saisie_de_l_utilisateur(objet, evenement)) {
        arreter();
    }
    return false;
}

} // namespace trajel
