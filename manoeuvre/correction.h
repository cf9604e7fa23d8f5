#pragma once

#include "core/module1.h"
#include "manoeuvre/exercice.h"
#include "manoeuvre/journal_tirs.h"

#include <optional>
#include <string>
#include <vector>

namespace trajel {

// A handed-in attempt as the teacher reads it: the score computed again from the
// journal's burns replayed from the exercise's start (never the one the file claims),
// and what of the file does not replay.
struct correction_copie {
    score_exercice score;
    std::vector<std::string> differences; // empty for an honest copy

    bool modifiee() const { return !differences.empty(); }
};

// `annonce`: the score the file claims; none counts as a claim that cannot be checked.
correction_copie corriger(const exercice& e, const std::vector<ligne_journal>& journal,
                          const std::optional<score_exercice>& annonce,
                          std::optional<double> temps_mission = std::nullopt);

// The optimal plan flown impulsively from the start around the Earth m: the orbit each
// burn is fired from (its anomaly the burn's point), in firing order, then the orbit the
// plan ends on. Stops at a burn whose orbit cannot be computed.
std::vector<trajectoire> orbites_du_plan(const trajectoire& depart, const solution_optimale& s,
                                         const modele_terre& m);

} // namespace trajel
