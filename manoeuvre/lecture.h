#pragma once

#include "core/caracteristiques.h"
#include "manoeuvre/bilan_tir.h"

#include <optional>

namespace trajel {

// What the readout of the lesson shows after a redraw: the conic of the record, the
// satellite on it and the figures of the last completed burn. Each part that cannot be
// computed is left empty; nothing is raised.
struct lecture_orbite {
    std::optional<caracteristiques_orbite> orbite;
    std::optional<caracteristiques_satellite> satellite;
    std::optional<chiffres_tir> tir;
    // Whether the last burn ended on the orbit of the record (its periapsis altitude,
    // excentricity and inclination, to a millionth): false once Reset, a preset or a
    // typed element has replaced the orbit the burn reached.
    bool tir_sur_cette_orbite = false;
};

// The times of an open conic are given on the anomalies it is drawn on; `tir` is the
// last completed burn; the conic turns around the model's Earth.
lecture_orbite lire_orbite(const trajectoire& t, const std::optional<bilan_tir>& tir,
                           const modele_terre& modele = terre_du_programme);
// The same with the shared last burn, dernier_tir.
lecture_orbite lire_orbite(const trajectoire& t, const modele_terre& modele = terre_du_programme);

} // namespace trajel
