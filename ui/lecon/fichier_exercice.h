#pragma once

#include "manoeuvre/exercice.h"

#include <QJsonObject>
#include <QString>

#include <optional>
#include <variant>

namespace trajel {

// The "exercice" object of a lesson file: the exercise as the teacher made it and, in a
// handed-in attempt, the score the student's program gave it (the attempt itself is the
// lesson's journal). Files that hold one are written at version_format_exercice.
struct section_exercice {
    exercice donne;
    std::optional<score_exercice> score;

    bool operator==(const section_exercice&) const = default;
};

inline constexpr int version_format_exercice = 2;

QJsonObject ecrire_section_exercice(const section_exercice& s);

// The section, or the French message naming the field that is wrong; an exercise that
// defauts_exercice refuses is refused with its reasons.
std::variant<section_exercice, QString> lire_section_exercice(const QJsonValue& v);

} // namespace trajel
