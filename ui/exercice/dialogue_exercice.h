#pragma once

#include "ui/exercice/exercices.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>
#include <variant>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace trajel {

// The start of an exercise as the window stands: its boxes, options, view, satellite
// mass, Isp and Earth; or, when the lesson has burns, as it stood before the first.
depart_exercice depart_de_la_fenetre(const contexte_exercice& c, bool avant_premier_tir);

// A number typed in French or not ("0,5", "0.5"); none for a text that is no number.
std::optional<double> nombre_saisi(const QString& texte);

// "Outils" > "Exercice" > "Créer un exercice...": the target typed or the current orbit,
// a tolerance per ticked element, the Δv budget and number of burns (optional), the
// statement, what the student may use. "Enregistrer l'exercice..." computes the optimum
// and saves the start as a lesson with the exercise; what is wrong is said in the dialog
// and nothing is written.
class dialogue_creer_exercice : public QDialog {
    Q_OBJECT
public:
    dialogue_creer_exercice(contexte_exercice& c,
                            std::function<QString(const QString&)> choisir_fichier);

    // The exercise the fields make (its optimum not yet computed), or why not.
    std::variant<exercice, QStringList> exercice_saisi() const;
    // Read, checked, optimum computed, saved: true when the file is written.
    bool enregistrer();
    // The reasons shown under the fields; empty when none.
    QString message() const;

private:
    void creer_cible();
    void creer_reste();
    void suivre_choix_cible();

    contexte_exercice& c_;
    std::function<QString(const QString&)> choisir_fichier_;
    QRadioButton* cible_saisie_ = nullptr;
    QRadioButton* cible_actuelle_ = nullptr;
    std::array<QLineEdit*, nombre_elements_vises> valeurs_{};
    std::array<QCheckBox*, nombre_elements_vises> coches_{};
    std::array<QLineEdit*, nombre_elements_vises> tolerances_{};
    QLineEdit* budget_ = nullptr;
    QLineEdit* tirs_maximum_ = nullptr;
    QPlainTextEdit* enonce_ = nullptr;
    QCheckBox* assistant_ = nullptr;
    QComboBox* releve_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace trajel
