#include "ui/poste/evenements.h"

#include <new>
#include <utility>

namespace trajel {

void distributeur::executer(const std::function<void()>& gestionnaire) {
    const bool exterieur = profondeur_ == 0;
    if (!exterieur && en_attente_) {
        return; // the event is being abandoned: nothing more of it runs
    }
    ++profondeur_;
    std::exception_ptr erreur;
    try {
        gestionnaire();
    } catch (...) {
        erreur = std::current_exception();
    }
    --profondeur_;
    if (exterieur && en_attente_) {
        // A nested error that no caller raised again still ends the event here.
        erreur = erreur ? erreur : en_attente_;
        en_attente_ = nullptr;
    }
    if (!exterieur) {
        if (erreur) {
            en_attente_ = erreur;
        }
        return;
    }
    if (fin_) {
        fin_(!erreur);
    }
    if (!erreur) {
        return;
    }
    try {
        std::rethrow_exception(erreur);
    } catch (const erreur_calcul& e) {
        if (rapporteur_) {
            rapporteur_(e);
        }
    } catch (const std::bad_alloc&) {
        if (rapporteur_) {
            rapporteur_(erreur_calcul(nature_erreur::depassement_capacite,
                                      "Mémoire insuffisante : l'opération est abandonnée."));
        }
    } catch (const std::exception& e) {
        if (rapporteur_) {
            rapporteur_(erreur_calcul(nature_erreur::operation_invalide, e.what()));
        }
    }
}

void distributeur::relancer_en_attente() {
    if (en_attente_) {
        std::rethrow_exception(std::exchange(en_attente_, nullptr));
    }
}

} // namespace trajel
