#pragma once

#include "ui/lecon/fichier_lecon.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace trajel {

// What the command line asks: `trajel [leçon.trajel]`, `--help`, `--version`. When it
// ends the program at once (help, version, an unknown option, a lesson that cannot be
// opened), `code_de_sortie` is set and `message` is what to print (on the standard
// output for 0, on the error output otherwise).
struct ligne_de_commande {
    std::optional<int> code_de_sortie;
    QString message;
    std::optional<lecon> lecon_a_ouvrir;
    QString chemin;
};

// `arguments` as QCoreApplication::arguments() gives them, the program's name first.
ligne_de_commande analyser_ligne_de_commande(const QStringList& arguments);

} // namespace trajel
