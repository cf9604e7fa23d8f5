#include "ui/outils/outils_image.h"

#include "core/trajectoire.h"
#include "render/cadrage.h"
#include "ui/image/export_image.h"
#include "ui/image/exportateur.h"
#include "ui/image/gestes.h"
#include "ui/image/picture1.h"
#include "ui/outils/animation.h"
#include "ui/outils/panneau_projecteur.h"
#include "ui/outils/vue_agrandie.h"
#include "ui/poste/evenements.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QMenu>
#include <QScreen>

namespace trajel {

outils_image::outils_image(poste_de_travail& fenetre, QMenu* menu)
    : QObject(&fenetre.widget()), fenetre_(fenetre), image_(fenetre.image()) {
    setObjectName(QStringLiteral("outils_image"));
    exportateur_ = new exportateur(
        fenetre_.widget(), *image_, [this] { return scene_de(*image_); },
        [this] {
            const instantane_scene s = fenetre_.scene();
            return legende_orbite(s.valeurs.traj, s.longitude, s.latitude, s.zoom) +
                   legende_modele(s.modele);
        },
        {QStringLiteral("Enregistrer l'image"), QStringLiteral("Imprimer l'image"),
         QStringLiteral("Calcul d'orbite"), QStringLiteral("orbite.png")});
    exportateur_->setObjectName(QStringLiteral("exportateur_image"));

    auto separateur = [this](QMenu* m) {
        m->addSeparator();
        auto* s = new QAction(this);
        s->setSeparator(true);
        image_->addAction(s);
    };
    separateur(menu);
    action(menu, "menu_vue_agrandie", QStringLiteral("Vue agrandie"), Qt::Key_F11,
           &outils_image::ouvrir_vue_agrandie);
    action(menu, "menu_mode_projecteur", QStringLiteral("Mode projecteur"), Qt::Key_F5,
           &outils_image::ouvrir_mode_projecteur);
    action(menu, "menu_vue_initiale", QStringLiteral("Vue initiale"),
           QKeySequence(Qt::CTRL | Qt::Key_0), &outils_image::vue_initiale);
    action(menu, "menu_ajuster_vue", QStringLiteral("Ajuster la vue"),
           QKeySequence(Qt::CTRL | Qt::Key_F), &outils_image::ajuster_vue);
    QAction* marques =
        action(menu, "menu_marques_mouvement", QStringLiteral("Marques du mouvement"), {}, nullptr);
    marques->setCheckable(true);
    marques_ = marques;
    connect(marques, &QAction::toggled, this, &outils_image::marquer_le_mouvement);
    separateur(menu);
    QAction* copie = action(menu, "menu_copier_image", QStringLiteral("Copier l'image"),
                            QKeySequence::Copy, nullptr);
    copie->setShortcutContext(Qt::WidgetShortcut); // the focused picture only
    connect(copie, &QAction::triggered, exportateur_, &exportateur::copier);
    connect(action(menu, "menu_enregistrer_image", QStringLiteral("Enregistrer l'image..."),
                   QKeySequence::Save, nullptr),
            &QAction::triggered, exportateur_, &exportateur::enregistrer);
    connect(action(menu, "menu_imprimer_image", QStringLiteral("Imprimer..."), QKeySequence::Print,
                   nullptr),
            &QAction::triggered, exportateur_, &exportateur::imprimer);
    menu->addSeparator();

    relier_gestes(image_->gestes());
}

QAction* outils_image::action(QMenu* menu, const char* nom, const QString& legende,
                              const QKeySequence& raccourci, void (outils_image::*effet)()) {
    QAction* a = menu->addAction(legende);
    a->setObjectName(QString::fromLatin1(nom));
    a->setShortcut(raccourci);
    if (effet != nullptr) {
        connect(a, &QAction::triggered, this, effet);
    }
    image_->addAction(a); // the picture's context menu
    return a;
}

void outils_image::relier_gestes(const filtre_gestes* gestes) {
    connect(gestes, &filtre_gestes::glissement, this, &outils_image::tourner);
    connect(gestes, &filtre_gestes::molette, this, &outils_image::zoomer);
    connect(gestes, &filtre_gestes::double_clic, this, &outils_image::vue_initiale);
}

void outils_image::tourner(int degres_x, int degres_y) {
    // The globe follows the hand: dragging to the right turns the viewer westwards,
    // dragging down raises the viewer's latitude. Each bar runs its own handler.
    fenetre_.executer(commande::tourner_vue{-degres_x, degres_y});
}

void outils_image::zoomer(int crans) {
    fenetre_.executer(commande::zoomer{crans});
}

void outils_image::vue_initiale() {
    fenetre_.executer(commande::vue_initiale{});
}

void outils_image::marquer_le_mouvement(bool actif) {
    options_affichage options = fenetre_.scene().affichage;
    options.marques_du_mouvement = actif;
    fenetre_.executer(commande::afficher{options});
}

void outils_image::ajuster_vue() {
    fenetre_.executer(commande::changer_zoom{[scene = fenetre_.scene()] {
        return zoom_ajuste(scene.valeurs.traj, marge_cadrage, scene.modele);
    }});
}

void outils_image::ajuster_vue_agrandie() {
    const instantane_scene s = fenetre_.scene();
    try {
        repere vue;
        repere_local(s.longitude, s.latitude, 0.0, vue);
        const boite_image b = boite_dans_l_image(boite_cadree(s.valeurs.traj, vue, s.modele),
                                                 s.zoom, image_->Width(), image_->Height());
        vue_->cadrer(QRectF(QPointF(b.gauche, b.haut), QPointF(b.droite, b.bas)));
    } catch (const erreur_calcul& e) {
        // A scene that could not be drawn: the large view stays as it is.
        fenetre_.executer(commande::informer{QStringLiteral("La vue n'a pas pu être ajustée : %1")
                                                 .arg(QString::fromStdString(e.what()))});
    }
}

void outils_image::ouvrir_vue_agrandie() {
    if (vue_ == nullptr) {
        vue_ = new vue_agrandie(image_, &fenetre_.widget());
        relier_gestes(vue_->gestes());
        connect(vue_, &vue_agrandie::ajustement_demande, this, &outils_image::ajuster_vue_agrandie);
        connect(vue_, &vue_agrandie::mode_projecteur_change, this,
                &outils_image::actualiser_panneau);
        // The panel follows every completed event: redraw, burn, animation frame.
        const auto suivre = [this] {
            if (vue_->isVisible()) {
                actualiser_panneau();
                actualiser_horloge();
            }
        };
        connect(&fenetre_.annonces(), &annonceur_evenements::evenement_termine, vue_, suivre);
        connect(&fenetre_.annonces(), &annonceur_evenements::etat_restitue, vue_, suivre);
    }
    actualiser_horloge();
    vue_->show();
    vue_->raise();
    vue_->activateWindow();
}

void outils_image::ouvrir_mode_projecteur() {
    ouvrir_vue_agrandie();
    vue_->definir_mode_projecteur(true);
    actualiser_panneau();
    if (!vue_->isFullScreen()) {
        // The whole screen also where no window manager applies the state.
        if (const QScreen* ecran = fenetre_.widget().screen()) {
            vue_->setGeometry(ecran->geometry());
        }
        vue_->showFullScreen();
    }
}

void outils_image::actualiser_panneau() {
    if (vue_->mode_projecteur()) {
        vue_->actualiser_panneau(fenetre_.scene());
    }
}

void outils_image::suivre_animation(const animation_satellite& animation) {
    animation_ = &animation;
    connect(&animation, &animation_satellite::demarree, this, &outils_image::actualiser_horloge);
    connect(&animation, &animation_satellite::arretee, this, &outils_image::actualiser_horloge);
}

void outils_image::actualiser_horloge() {
    if (vue_ == nullptr) {
        return;
    }
    const bool en_cours = animation_ != nullptr && animation_->en_cours();
    vue_->definir_horloge(en_cours ? std::optional(fenetre_.scene().temps_mission) : std::nullopt);
}

outils_image* ajouter_outils_image(poste_de_travail& fenetre, QMenu* menu) {
    return new outils_image(fenetre, menu);
}

} // namespace trajel
