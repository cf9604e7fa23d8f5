#include "ui/exercice/eleve.h"

#include "core/erreur.h"
#include "ui/exercice/dialogue_exercice.h"
#include "ui/exercice/fenetre_exercice.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"
#include "ui/poste/ecriture_fichier.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

namespace trajel {

namespace {

const QString filtre = QStringLiteral("Leçons Trajel (*.trajel)");

// The name proposed beside the lesson's own file: its base name and `suffixe`.
QString nom_propose(const QString& chemin, const QString& suffixe, const QString& sinon) {
    const QFileInfo f(chemin);
    return f.fileName().isEmpty()
               ? sinon
               : f.absolutePath() + QLatin1Char('/') + f.completeBaseName() + suffixe;
}

} // namespace

exercice_eleve::exercice_eleve(contexte_exercice& c) : QObject(&c.en_cours), c_(c) {
    setObjectName(QStringLiteral("exercice_eleve"));
    QWidget* fenetre = &c.principale.widget();
    const auto choisir = [fenetre](const QString& titre) {
        return [fenetre, titre](const QString& propose) {
            return QFileDialog::getSaveFileName(fenetre, titre, propose, filtre);
        };
    };
    choisir_exercice = choisir(QStringLiteral("Enregistrer l'exercice"));
    choisir_copie = choisir(QStringLiteral("Rendre l'exercice"));
    avertir = [fenetre](const QString& message) {
        QMessageBox::warning(fenetre, QStringLiteral("Exercice"), message);
    };
    creer_ = c.menu->addAction(QStringLiteral("&Créer un exercice..."));
    creer_->setObjectName(QStringLiteral("menu_creer_exercice"));
    creer_->setToolTip(QStringLiteral(
        "Le départ est la fenêtre telle qu'elle est ; l'orbite visée se saisit ou se prend "
        "de la fenêtre"));
    connect(creer_, &QAction::triggered, this, &exercice_eleve::creer);
    rendre_ = c.menu->addAction(QStringLiteral("&Rendre l'exercice..."));
    rendre_->setObjectName(QStringLiteral("menu_rendre_exercice"));
    rendre_->setEnabled(false);
    connect(rendre_, &QAction::triggered, this, &exercice_eleve::rendre);
    connect(&c.en_cours, &exercice_en_cours::change, this, &exercice_eleve::suivre);
}

void exercice_eleve::creer() {
    // One dialog at a time: asked again, it comes to the front as it was left.
    if (!dialogue_) {
        dialogue_ = new dialogue_creer_exercice(c_, [this](const QString& propose) {
            return choisir_exercice ? choisir_exercice(propose) : QString();
        });
    }
    dialogue_->show();
    dialogue_->raise();
    dialogue_->activateWindow();
}

void exercice_eleve::suivre() {
    const bool eleve = c_.en_cours.mode() == mode_exercice::eleve;
    rendre_->setEnabled(eleve);
    const exercice* e = eleve ? &c_.en_cours.section()->donne : nullptr;
    if (c_.acces.permettre_assistant) {
        c_.acces.permettre_assistant(
            e == nullptr || e->assistant_permis,
            QStringLiteral("L'exercice en cours ne permet pas l'assistant de manœuvre."));
    }
    if (c_.acces.releve_entier) {
        c_.acces.releve_entier(e == nullptr || e->releve == releve_permis::entier);
    }
    if (e == nullptr) {
        if (fenetre_) {
            fenetre_->cacher();
        }
        return;
    }
    try {
        c_.en_cours.tracer_cible(trajectoire_cible(*e));
    } catch (const erreur_calcul&) {
        // A target the picture cannot draw is left out; the gaps still say it.
    }
    if (!fenetre_) {
        fenetre_ = new fenetre_exercice(c_);
    }
    fenetre_->montrer();
    fenetre_->actualiser();
}

bool exercice_eleve::rendre() {
    if (c_.en_cours.mode() != mode_exercice::eleve) {
        return false;
    }
    const exercice e = c_.en_cours.section()->donne;
    lecon l = c_.fichiers.lecon_actuelle();
    score_exercice score;
    try {
        score = noter(e, rejouer(e, l.journal), c_.principale.scene().temps_mission);
    } catch (const erreur_calcul& x) {
        if (avertir) {
            avertir(QStringLiteral("L'exercice n'est pas rendu : %1").arg(x.what()));
        }
        return false;
    }
    l.exercice = section_exercice{e, score};
    const QString chemin =
        choisir_copie
            ? choisir_copie(nom_propose(c_.fichiers.chemin(), QStringLiteral("_copie.trajel"),
                                        QStringLiteral("copie.trajel")))
            : QString();
    if (chemin.isEmpty()) {
        return false;
    }
    if (const std::optional<QString> erreur = ecrire_fichier(chemin, ecrire_lecon(l))) {
        if (avertir) {
            avertir(QStringLiteral("L'exercice n'est pas rendu : %1.").arg(*erreur));
        }
        return false;
    }
    return true;
}

void installer_eleve(contexte_exercice& c) {
    new exercice_eleve(c);
}

} // namespace trajel
