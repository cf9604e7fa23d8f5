#pragma once

#include "ui/exercice/exercices.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;

namespace trajel {

class dialogue_creer_exercice;
class fenetre_exercice;

// The student's side of the exercises: "Créer un exercice..." (the teacher makes it from
// the window), the "Exercice" window and the withheld tools while one is done, and
// "Rendre l'exercice..." (the attempt saved with its score).
class exercice_eleve : public QObject {
    Q_OBJECT
public:
    explicit exercice_eleve(contexte_exercice& c);

    // "Créer un exercice...": its dialog, shown.
    void creer();
    // The lesson with its journal and the score of its replay, under the name the
    // student chooses; true when written.
    bool rendre();
    // The exercise's window, made when an exercise is first done.
    fenetre_exercice* fenetre() const { return fenetre_; }

    // What asks the user (file dialogs; tests answer instead): the name of an exercise
    // made, of an attempt handed in; and where a failure is told.
    std::function<QString(const QString& propose)> choisir_exercice;
    std::function<QString(const QString& propose)> choisir_copie;
    std::function<void(const QString&)> avertir;

private:
    // Another lesson applied: the exercise's window, target, tools and items follow it.
    void suivre();

    contexte_exercice& c_;
    QAction* creer_ = nullptr;
    QAction* rendre_ = nullptr;
    QPointer<fenetre_exercice> fenetre_;
    QPointer<dialogue_creer_exercice> dialogue_;
};

} // namespace trajel
