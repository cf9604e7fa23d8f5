#include "ui/fenetre/saisie.h"

#include "core/regles.h"
#include "core/trajectoire.h"
#include "render/scene.h"
#include "ui/poste/evenements.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <utility>

namespace trajel {

namespace {

const QString cadre_rouge = QStringLiteral("QLineEdit { border: 2px solid #d00000; }");

// The red frame taken off. A style sheet leaves its own font on the box when it goes:
// the box takes its window's font again.
void retirer_cadre(QLineEdit* boite) {
    boite->setStyleSheet(QString());
    boite->setFont(QFont());
}

} // namespace

saisie_utilisateur::saisie_utilisateur(formulaire& modele, distributeur& evenements, boites boite,
                                       QWidget* parent_du_bandeau, const QRect& image,
                                       int hauteur_bandeau)
    : QObject(parent_du_bandeau), modele_(modele), evenements_(evenements),
      boite_(std::move(boite)) {
    setObjectName(QStringLiteral("saisie_utilisateur"));
    bandeau_ = new QLabel(parent_du_bandeau);
    bandeau_->setObjectName(QStringLiteral("bandeau_erreur"));
    bandeau_->setWordWrap(true);
    bandeau_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bandeau_->setStyleSheet(QStringLiteral(
        "QLabel { background: #fff4c2; color: #7a0000; border-top: 1px solid #c08000; "
        "padding: 2px 6px; }"));
    bandeau_->setGeometry(image.left() + 2, image.bottom() - 1 - hauteur_bandeau, image.width() - 4,
                          hauteur_bandeau);
    bandeau_->hide();
    qApp->installEventFilter(this);
}

saisie_utilisateur::~saisie_utilisateur() {
    fermer();
}

void saisie_utilisateur::fermer() {
    if (!ferme_) {
        ferme_ = true;
        qApp->removeEventFilter(this);
    }
    regles_en_attente_ = 0;
}

void saisie_utilisateur::texte_change(zone_texte zone, const std::function<void()>& gestionnaire) {
    if (affectations_ > 0) {
        evenements_.executer(gestionnaire);
        return;
    }
    // The user's own typing: its errors go to the strip, not to a dialog.
    frappe_ = true;
    rapport_non_modal_ = true;
    boite_frappee_ = zone;
    evenements_.executer(gestionnaire);
    frappe_ = false;
    rapport_non_modal_ = false;
}

void saisie_utilisateur::affecter(zone_texte zone, const std::function<void()>& affectation) {
    const bool frappe = std::exchange(frappe_, false);
    ++affectations_;
    affectation();
    --affectations_;
    frappe_ = frappe;
    regles_en_attente_ &= ~bit(zone); // the program's own value: its rule has run
}

void saisie_utilisateur::appliquer_regle(zone_texte zone) {
    if (!frappe_) {
        regle_de_changement(zone, modele_);
    } else if (regle_differee(zone)) {
        regles_en_attente_ |= bit(zone);
    }
}

void saisie_utilisateur::valider() {
    const unsigned en_attente = std::exchange(regles_en_attente_, 0u);
    if (en_attente == 0 || ferme_) {
        return;
    }
    const bool non_modal = std::exchange(rapport_non_modal_, true);
    // Carried to its end, as Reset is: each pending rule runs whatever the redraw of
    // another does; an error set aside is reported by a last full redraw, should it fail
    // again.
    evenements_.executer([this, en_attente] {
        bool echec = false;
        for (int i = 0; i < 13; ++i) {
            const auto zone = static_cast<zone_texte>(i);
            if ((en_attente & bit(zone)) != 0) {
                try {
                    regle_de_changement(zone, modele_);
                } catch (const erreur_calcul&) {
                    echec = true;
                }
            }
        }
        if (echec) {
            rafraichissement_complet(modele_.modele_de_la_terre());
        }
    });
    rapport_non_modal_ = non_modal;
}

bool saisie_utilisateur::executer_sans_dialogue(const std::function<void()>& gestionnaire) {
    const bool non_modal = std::exchange(rapport_non_modal_, true);
    const bool nommee = std::exchange(boite_nommee_, true);
    bool reussi = false;
    evenements_.executer([&] {
        gestionnaire();
        reussi = true;
    });
    boite_nommee_ = nommee;
    rapport_non_modal_ = non_modal;
    return reussi;
}

QLineEdit* saisie_utilisateur::boite_nommee_par(const erreur_calcul& e) const {
    if (e.nature() == nature_erreur::angle_phi_invalide) {
        return boite_(zone_texte::Text1); // Phi is always Text1's
    }
    for (int i = 0; i < 13; ++i) {
        const auto zone = static_cast<zone_texte>(i);
        if (e.grandeur() == nom_de_boite(zone)) {
            return boite_(zone);
        }
    }
    return nullptr;
}

void saisie_utilisateur::rapporter(const erreur_calcul& e) {
    const bool modal = !rapport_non_modal_;
    if (temoin_) {
        temoin_(e, modal);
    }
    if (modal) {
        if (boite_de_message_) {
            boite_de_message_(e);
        } else {
            QMessageBox::warning(bandeau_->window(), QStringLiteral("Trajel"),
                                 QString::fromUtf8(e.what()));
        }
        return;
    }
    bandeau_->setText(QString::fromUtf8(e.what()));
    bandeau_->show();
    bandeau_->raise();
    if (boite_marquee_ != nullptr) {
        retirer_cadre(boite_marquee_);
    }
    boite_marquee_ = boite_nommee_ ? boite_nommee_par(e) : boite_(boite_frappee_);
    if (boite_marquee_ != nullptr) {
        boite_marquee_->setStyleSheet(cadre_rouge);
    }
}

void saisie_utilisateur::informer(const QString& message) {
    if (boite_marquee_ != nullptr) {
        retirer_cadre(boite_marquee_);
        boite_marquee_ = nullptr;
    }
    bandeau_->setText(message);
    bandeau_->show();
    bandeau_->raise();
}

void saisie_utilisateur::effacer_bandeau() {
    bandeau_->hide();
    bandeau_->clear();
    if (boite_marquee_ != nullptr) {
        retirer_cadre(boite_marquee_);
        boite_marquee_ = nullptr;
    }
}

etat_bandeau saisie_utilisateur::bandeau() const {
    etat_bandeau etat;
    if (!bandeau_->isHidden()) {
        etat.message = bandeau_->text();
    }
    for (int i = 0; i < 13 && boite_marquee_ != nullptr; ++i) {
        const auto zone = static_cast<zone_texte>(i);
        if (boite_(zone) == boite_marquee_) {
            etat.boite = zone;
        }
    }
    return etat;
}

void saisie_utilisateur::restituer_bandeau(const etat_bandeau& etat) {
    if (etat.message.isEmpty()) {
        effacer_bandeau();
        return;
    }
    informer(etat.message);
    if (etat.boite) {
        boite_marquee_ = boite_(*etat.boite);
        boite_marquee_->setStyleSheet(cadre_rouge);
    }
}

bool saisie_utilisateur::eventFilter(QObject* objet, QEvent* evenement) {
    // A click on any other control commits the edit under way first.
    if (regles_en_attente_ != 0 && evenement->type() == QEvent::MouseButtonPress &&
        objet->isWidgetType() && objet != boite_(boite_frappee_)) {
        valider();
    }
    return QObject::eventFilter(objet, evenement);
}

} // namespace trajel
