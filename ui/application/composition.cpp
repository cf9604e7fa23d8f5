#include "ui/application/composition.h"

#include "ui/exercice/exercices.h"
#include "ui/francais/format_fr.h"
#include "ui/image/picture1.h"
#include "ui/lecon/fenetre_journal.h"
#include "ui/lecon/fiche_lecon.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"
#include "ui/lecon/orbites_precedentes.h"
#include "ui/outils/animation.h"
#include "ui/outils/assistant_manoeuvre.h"
#include "ui/outils/choix_modele.h"
#include "ui/outils/fenetre_caracteristiques.h"
#include "ui/outils/fenetre_trace_sol.h"
#include "ui/outils/guide.h"
#include "ui/outils/outils_image.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace trajel {

outils_lecon::outils_lecon(poste_de_travail& principale)
    : QObject(&principale.widget()), principale_(principale) {
    setObjectName(QStringLiteral("outils_lecon"));
    animation_ = new animation_satellite(principale_, this);
    creer_menu();
}

fenetre_caracteristiques& outils_lecon::caracteristiques() {
    if (caracteristiques_ == nullptr) {
        caracteristiques_ = new fenetre_caracteristiques(principale_);
        if (!releve_entier_) {
            caracteristiques_->montrer_dernier_tir(false);
        }
    }
    return *caracteristiques_;
}

assistant_manoeuvre& outils_lecon::assistant() {
    if (assistant_ == nullptr) {
        assistant_ = new assistant_manoeuvre(principale_);
    }
    return *assistant_;
}

void outils_lecon::creer_menu() {
    QMenu* menu = principale_.menu_outils();
    if (!menu->isEmpty()) {
        menu->addSeparator();
    }
    QAction* lecture = menu->addAction(QStringLiteral("&Caractéristiques de l'orbite"));
    lecture->setObjectName(QStringLiteral("menu_caracteristiques"));
    lecture->setShortcut(QKeySequence(Qt::Key_F2));
    lecture->setShortcutContext(Qt::ApplicationShortcut);
    connect(lecture, &QAction::triggered, this, [this] { caracteristiques().montrer(); });

    QAction* assistant_action = menu->addAction(QStringLiteral("&Assistant de manœuvre"));
    assistant_action->setObjectName(QStringLiteral("menu_assistant_manoeuvre"));
    assistant_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    assistant_action->setShortcutContext(Qt::ApplicationShortcut);
    connect(assistant_action, &QAction::triggered, this, [this] { assistant().montrer(); });
    action_assistant_ = assistant_action;

    // Space belongs to the picture once clicked (the buttons and boxes keep theirs).
    QAction* animer = menu->addAction(QStringLiteral("A&nimer le satellite\tEspace"));
    animer->setObjectName(QStringLiteral("menu_animer_satellite"));
    animer->setCheckable(true);
    connect(animer, &QAction::triggered, this, [this](bool coche) {
        if (coche) {
            animation_->demarrer();
        } else {
            animation_->arreter();
        }
    });
    connect(animation_, &animation_satellite::arretee, animer,
            [animer] { animer->setChecked(false); });
    auto* espace = new QShortcut(QKeySequence(Qt::Key_Space), principale_.image(), nullptr, nullptr,
                                 Qt::WidgetShortcut);
    espace->setObjectName(QStringLiteral("raccourci_animation"));
    animation_->declarer_commande(espace);
    animation_->declarer_commande(animer);
    connect(espace, &QShortcut::activated, animer, &QAction::trigger);

    QMenu* vitesse = menu->addMenu(QStringLiteral("Accélération du &temps"));
    vitesse->setObjectName(QStringLiteral("menu_acceleration"));
    vitesse->menuAction()->setObjectName(QStringLiteral("menu_acceleration"));
    auto* groupe = new QActionGroup(vitesse);
    const double defaut = animation_satellite::acceleration_par_defaut();
    struct choix {
        const char* nom;
        double facteur;
    };
    const choix choix_possibles[] = {
        {"acceleration_10", 10.0},   {"acceleration_50", 50.0},     {"acceleration_defaut", defaut},
        {"acceleration_500", 500.0}, {"acceleration_1000", 1000.0}, {"acceleration_5000", 5000.0}};
    for (const choix& c : choix_possibles) {
        QString legende = QStringLiteral("× %1").arg(nombre_fr(std::round(c.facteur)));
        if (c.facteur == defaut) {
            legende += QStringLiteral(" : une révolution de l'orbite de départ en 20 s");
        }
        QAction* a = vitesse->addAction(legende);
        a->setObjectName(QString::fromLatin1(c.nom));
        a->setCheckable(true);
        a->setChecked(c.facteur == defaut);
        groupe->addAction(a);
        accelerations_.emplace_back(c.facteur, a);
        const double facteur = c.facteur;
        connect(a, &QAction::triggered, this,
                [this, facteur] { animation_->definir_acceleration(facteur); });
    }
}

void outils_lecon::choisir_acceleration(double facteur) {
    animation_->definir_acceleration(facteur);
    for (const auto& [f, action] : accelerations_) {
        if (f == facteur) {
            action->setChecked(true);
        }
    }
}

void outils_lecon::permettre_assistant(bool permis, const QString& raison) {
    action_assistant_->setEnabled(permis);
    action_assistant_->setToolTip(permis ? QString() : raison);
    action_assistant_->setStatusTip(permis ? QString() : raison);
    // A withheld item says why in the menu itself.
    principale_.menu_outils()->setToolTipsVisible(!permis);
    if (!permis && assistant_ != nullptr) {
        assistant_->cacher();
    }
}

void outils_lecon::releve_entier(bool entier) {
    releve_entier_ = entier;
    if (caracteristiques_ != nullptr) {
        caracteristiques_->montrer_dernier_tir(entier);
    }
}

outils_lecon* ajouter_outils_lecon(poste_de_travail& principale) {
    return new outils_lecon(principale);
}

outils_installes installer_outils(poste_de_travail& fenetre) {
    outils_image* image = ajouter_outils_image(fenetre, fenetre.menu_outils());
    outils_lecon* lecon = ajouter_outils_lecon(fenetre);
    ajouter_trace_sol(fenetre);
    ajouter_choix_modele(fenetre);
    ajouter_guide(fenetre);
    historique_lecon* historique = ajouter_historique(fenetre);
    ajouter_journal(fenetre, *historique);
    ajouter_orbites_precedentes(fenetre, *historique);
    QAction* marques = image->action_marques();
    animation_satellite* animation = &lecon->animation();
    image->suivre_animation(*animation);
    historique->avant_restitution = [animation] { animation->arreter(); };
    fichiers_lecon* fichiers =
        ajouter_fichiers_lecon(fenetre, *historique,
                               {[marques] { return marques->isChecked(); },
                                [marques](bool actif) { marques->setChecked(actif); },
                                [animation] { return animation->acceleration(); },
                                [lecon](double facteur) { lecon->choisir_acceleration(facteur); }});
    ajouter_fiche(fenetre, *historique);
    installer_exercices(fenetre, *historique, *fichiers,
                        {[lecon](bool permis, const QString& raison) {
                             lecon->permettre_assistant(permis, raison);
                         },
                         [lecon](bool entier) { lecon->releve_entier(entier); }});
    return {fichiers};
}

} // namespace trajel
