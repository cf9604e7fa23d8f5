// libFuzzer target for the lesson file's reader.
//
// Properties checked on every input:
// - lire_lecon never crashes and lets no exception out; it returns a lesson or a French
//   message.
// - A lesson it accepts is written again and read back equal (texts, options, view,
//   journal, notes, exercise), and its texts and numbers keep within the limits the
//   reader sets; an exercise it accepts has no fault.

#include "ui/lecon/fichier_lecon.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <variant>

using trajel::lecon;

namespace {

[[noreturn]] void echec(const char* propriete) {
    std::fprintf(stderr, "fuzz_lecon: %s\n", propriete);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const std::variant<lecon, QString> lu = trajel::lire_lecon(octets);
    if (const QString* message = std::get_if<QString>(&lu)) {
        if (message->isEmpty()) {
            echec("a refusal without its reason");
        }
        return 0;
    }
    const lecon& l = std::get<lecon>(lu);
    for (const QString& t : l.textes) {
        if (t.size() > trajel::longueur_maximale_texte) {
            echec("a box's text past its limit");
        }
    }
    if (!(l.zoom > 0.0) || !std::isfinite(l.acceleration) || l.longitude < -180 ||
        l.longitude > 180 || l.latitude < -90 || l.latitude > 90) {
        echec("a view or an acceleration out of range");
    }
    if (l.exercice && !trajel::defauts_exercice(l.exercice->donne).empty()) {
        echec("an exercise accepted with faults");
    }
    const std::variant<lecon, QString> relu = trajel::lire_lecon(trajel::ecrire_lecon(l));
    if (!std::holds_alternative<lecon>(relu) || !(std::get<lecon>(relu) == l)) {
        echec("an accepted lesson does not read back equal once written");
    }
    return 0;
}
