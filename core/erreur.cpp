#include "core/erreur.h"

#include <limits>

namespace trajel {

namespace {

const char* message_par_defaut(nature_erreur nature) {
    switch (nature) {
    case nature_erreur::division_par_zero:
        return "Erreur de calcul : division par zéro.";
    case nature_erreur::operation_invalide:
        return "Erreur de calcul : opération invalide (racine carrée ou arc cosinus hors de "
               "son domaine, 0/0).";
    case nature_erreur::depassement_capacite:
        return "Erreur de calcul : dépassement de capacité.";
    case nature_erreur::angle_phi_invalide:
        return "Angle Phi invalide : une hyperbole demande un angle Phi dont le cosinus est "
               "strictement compris entre 0 et 1, c'est-à-dire entre 0° et 90° exclus, à un "
               "tour près (45°, -45° et 405° donnent la même hyperbole).";
    case nature_erreur::tir_refuse:
        return "Tir impossible.";
    }
    return "Erreur de calcul.";
}

template <typename Entier> Entier entier_arrondi(double x) {
    controle(x);
    const double arrondi = std::nearbyint(x); // default rounding mode: halves to even
    if (arrondi < static_cast<double>(std::numeric_limits<Entier>::min()) ||
        arrondi > static_cast<double>(std::numeric_limits<Entier>::max())) {
        lever(nature_erreur::depassement_capacite);
    }
    return static_cast<Entier>(arrondi);
}

} // namespace

erreur_calcul::erreur_calcul(nature_erreur nature)
    : std::runtime_error(message_par_defaut(nature)), nature_(nature) {}

erreur_calcul::erreur_calcul(nature_erreur nature, const std::string& message)
    : std::runtime_error(message), nature_(nature) {}

erreur_calcul::erreur_calcul(const erreur_calcul& e, const std::string& grandeur)
    : std::runtime_error(std::string(e.what()) + " En cause : " + grandeur + "."),
      nature_(e.nature()), grandeur_(grandeur) {}

void lever(nature_erreur nature) {
    throw erreur_calcul(nature);
}

std::int16_t entier16(double x) {
    return entier_arrondi<std::int16_t>(x);
}

std::int32_t entier32(double x) {
    return entier_arrondi<std::int32_t>(x);
}

} // namespace trajel
