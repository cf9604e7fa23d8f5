#pragma once

#include "render/fantomes.h"
#include "ui/lecon/fichier_exercice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QMenu;

namespace trajel {

class fichiers_lecon;
class historique_lecon;
class poste_de_travail;

// What the lesson's file carries of an exercise: none (a plain lesson), an exercise to
// do (the student's), or a handed-in attempt, which carries its score (the teacher's,
// opened to correct it).
enum class mode_exercice { aucun, eleve, correction };

// The exercise of the lesson shown: set when a lesson is applied (opened, new), read
// when it is saved. The exercise's windows follow it.
class exercice_en_cours : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const std::optional<section_exercice>& section() const { return section_; }
    mode_exercice mode() const;
    // A lesson applied: its exercise, or none. Another exercise takes its orbits away.
    void appliquer(const std::optional<section_exercice>& s);

    // What the picture draws of the exercise, read at each redraw: the target (the
    // student's side draws it), the optimal plan's orbits (the teacher's, once the
    // solution is asked for). Each change redraws the view.
    const orbites_exercice& orbites() const { return orbites_; }
    void tracer_cible(std::optional<trajectoire> cible);
    void tracer_solution(std::vector<orbite_fantome> solution);
    // Set by installer_exercices: the view redraw each change asks for.
    std::function<void()> redessiner;

signals:
    // Another exercise, or none: emitted after the lesson's window is written.
    void change();

private:
    std::optional<section_exercice> section_;
    orbites_exercice orbites_;
};

// What the exercise may ask of the other tools: the assistant allowed or not (with the
// reason, its tooltip when not) and the readout whole or without its last-burn rows.
// Filled by the composer; an unset function is a tool not installed.
struct acces_outils_exercice {
    std::function<void(bool permis, const QString& raison)> permettre_assistant;
    std::function<void(bool entier)> releve_entier;
};

// What the exercise's windows work with.
struct contexte_exercice {
    poste_de_travail& principale;
    historique_lecon& historique;
    fichiers_lecon& fichiers;
    exercice_en_cours& en_cours;
    QMenu* menu; // "Outils" > "Exercice"
    acces_outils_exercice acces;
};

// "Outils" > "Exercice" (menu_exercice) and the exercise's windows; the lesson's files
// tell it the exercise of each lesson applied and ask it for the one to save.
exercice_en_cours* installer_exercices(poste_de_travail& principale, historique_lecon& historique,
                                       fichiers_lecon& fichiers, acces_outils_exercice acces);

// The student's side: making an exercise, doing it, handing it in.
void installer_eleve(contexte_exercice& c);
// The teacher's side: a handed-in attempt corrected, copies compared.
void installer_correction(contexte_exercice& c);

} // namespace trajel
