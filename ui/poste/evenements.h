#pragma once

#include "core/erreur.h"

#include <exception>
#include <functional>

namespace trajel {

// Runs the window's handlers, one event at a time. A handler run by a user event is
// the outermost one: its error is reported. A handler run, nested, by a Qt call that
// another handler made (a text assigned, an option selected) keeps its error; the
// call's caller raises it again once Qt has returned, so that no exception ever
// unwinds through Qt's own code and the whole event is abandoned.
class distributeur {
public:
    using rapporteur = std::function<void(const erreur_calcul&)>;

    // From a Qt slot: runs the handler, reports or keeps its error.
    void executer(const std::function<void()>& gestionnaire);

    // After a Qt call that may have run a nested handler: raises its error again.
    void relancer_en_attente();

    // Who tells the user (a message box; tests capture it).
    void definir_rapporteur(rapporteur r) { rapporteur_ = std::move(r); }

    // What runs when a user event ends, before its error is reported: true when it
    // completed, false when it was abandoned.
    using fin_d_evenement = std::function<void(bool reussi)>;
    void definir_fin_d_evenement(fin_d_evenement f) { fin_ = std::move(f); }

    int profondeur() const { return profondeur_; }

private:
    int profondeur_ = 0;
    std::exception_ptr en_attente_;
    rapporteur rapporteur_;
    fin_d_evenement fin_;
};

} // namespace trajel
