#include "ui/francais/convention_poussee.h"

#include "ui/francais/format_fr.h"

#include <cmath>

namespace trajel {

QString titre_delta_v() {
    return QStringLiteral("Δv");
}

QString delta_v_fr(double delta_v) {
    return valeur_fr(delta_v, QStringLiteral("km/s"));
}

QString explication_convention_poussee() {
    return QStringLiteral(
        "Moteur de Trajel : une poussée de F newtons sur m kg accélère de F / m km/s², "
        "1000 fois plus qu'en unités SI, et le débit de masse vaut F / (Isp · 9,81) kg/s.\n"
        "Le Δv est de la mécanique orbitale et ne dépend pas du moteur ; seuls les ergols "
        "brûlés pour l'obtenir suivent cette convention : un vrai moteur de même Isp en "
        "brûlerait bien plus.");
}

QString explication_moteur(const modele_terre& modele) {
    if (!modele.poussee_si) {
        return explication_convention_poussee();
    }
    return QStringLiteral(
        "Moteur en unités SI : une poussée de F newtons sur m kg accélère de F / m m/s², et le "
        "débit de masse vaut F / (Isp · 9,80665) kg/s.\n"
        "Le Δv d'un tir vaut Isp · 9,80665 · ln(m0 / mf), comme pour un vrai moteur.");
}

QString rayon_terre_fr(const modele_terre& modele) {
    return QStringLiteral("rayon ") + QString::number(modele.rayon, 'g', 12).replace('.', ',') +
           QStringLiteral(" km");
}

QString poussee_equivalente_si(double poussee) {
    // F N here give F / m km/s^2 = 1000 F / m m/s^2: 1000 F N in SI.
    return valeur_fr(poussee, QStringLiteral("kN"));
}

double ergols_moteur_reel(double delta_v, double masse_initiale, double isp) {
    constexpr double g0 = terre_reelle.g0; // m/s^2: a real engine's standard gravity
    // m0 - mf with mf = m0 exp(-Δv / (Isp g0)), Δv in m/s.
    return masse_initiale * -std::expm1(-delta_v * 1000.0 / (isp * g0));
}

std::vector<ligne_moteur> lignes_convention_moteur(double poussee, double delta_v,
                                                   double masse_initiale, double isp,
                                                   bool convention_moteur) {
    if (!convention_moteur) {
        return {};
    }
    std::vector<ligne_moteur> lignes{{QStringLiteral("Poussée équivalente en SI"),
                                      poussee_equivalente_si(poussee),
                                      explication_convention_poussee()}};
    if (isp > 0.0 && masse_initiale > 0.0) {
        lignes.push_back(
            {QStringLiteral("Ergols d'un vrai moteur de même Isp"),
             valeur_fr(ergols_moteur_reel(delta_v, masse_initiale, isp), QStringLiteral("kg")),
             QStringLiteral("La masse qu'un vrai moteur de même Isp brûlerait pour ce Δv, "
                            "par l'équation de Tsiolkovsky : m0 (1 - exp(-Δv / (Isp · 9,80665)))"
                            ".\n") +
                 explication_convention_poussee()});
    }
    return lignes;
}

} // namespace trajel
