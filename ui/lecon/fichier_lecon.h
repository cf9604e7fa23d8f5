#pragma once

#include "core/formulaire.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/journal_tirs.h"
#include "ui/lecon/fichier_exercice.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace trajel {

// A lesson as its file holds it (JSON, extension .trajel): the exact texts of the
// thirteen boxes, the orbit type and the frame option, the view (scroll bars, zoom), the
// marks and the animation's time acceleration, the journal of the burns and the notes;
// the last burn's record, whether the picture showed its arc, the consumed mass as
// Label_debit wrote it, the mission clock, and the Earth model (key "modele", written
// only for the real Earth: a file without it is of the program's Earth, as before).
// Reading and writing need only QtCore, so that the fuzzer calls the reader as it stands.
struct lecon {
    std::array<QString, 13> textes;
    bouton_option type_orbite = bouton_option::Option_elliptique;
    bouton_option reperes = bouton_option::Option_tous;
    int longitude = 20; // HScroll1, degrees
    int latitude = 40;  // minus VScroll1, degrees
    double zoom = 1.0;
    bool marques = false;
    double acceleration = 1.0;
    std::vector<ligne_journal> journal;
    QString notes;
    std::optional<bilan_tir> dernier_tir; // its numero is not kept
    bool arc_du_tir = false;
    std::optional<QString> debit;             // Label_debit; none in files that did not keep it
    double temps_mission = 0.0;               // s; 0 in files that did not keep it
    modele_terre modele = terre_du_programme; // its burns' records fly around it
    // An exercise and, handed in, its score; none in a plain lesson, whose file is
    // written at version 1 as before.
    std::optional<section_exercice> exercice;

    bool operator==(const lecon&) const = default;
};

inline constexpr const char* format_lecon = "trajel-lecon";
inline constexpr int version_format_lecon = 1;
// A file that holds an exercise is written at version_format_exercice (2); both are read.
// Larger files are refused before they are parsed, and not written. The thirteen boxes
// full, at most 6 bytes a character ("\u0001"), take 2.6 MB of it; the notes have no
// limit of their own.
inline constexpr qint64 taille_maximale_lecon = 16 * 1024 * 1024;
// A box's text, in UTF-16 units: what the main window's boxes hold (QLineEdit's default
// maxLength, which they keep).
inline constexpr int longueur_maximale_texte = 32767;

QByteArray ecrire_lecon(const lecon& l);

// Why the file at `chemin`, which `fichier` failed to open for reading, cannot be read.
QString pourquoi_illisible(const QString& chemin, const QFile& fichier);

// Why a file larger than taille_maximale_lecon is refused.
QString lecon_trop_volumineuse();

// The lesson the bytes hold, or the French message that says what is wrong with them
// (not JSON, not a Trajel lesson, a newer format, a field missing, of the wrong type or
// out of its range, named).
std::variant<lecon, QString> lire_lecon(const QByteArray& octets);

} // namespace trajel
