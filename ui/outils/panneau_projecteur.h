#pragma once

#include "core/surface.h"
#include "manoeuvre/lecture.h"
#include "ui/image/picture1.h"

#include <QString>

#include <vector>

namespace trajel {

// One line of the projector's panel: a quantity and its value, in French format.
struct ligne_panneau {
    QString nom;
    QString valeur;
};

// The orbit's numbers for the class, from the readout's computations: the type, Za (or
// Phi for a hyperbola), Zp, i, Omega, omega, the period, the satellite's altitude and
// speed, and the last burn's delta-v (said to belong to an earlier orbit when the
// record is no longer the orbit it reached). "-" for what cannot be computed.
std::vector<ligne_panneau> lignes_panneau(const trajectoire& t, const lecture_orbite& l);

// One colour of the legend and what is drawn with it.
struct entree_legende {
    couleur_rgb couleur;
    QString texte;
};

// The colours of the frames and of the trajectory, as the drawing uses them, through
// `couleurs` when given.
std::vector<entree_legende> legende_couleurs(const palette_peinture* couleurs = nullptr);

// "Couleurs pour projecteur": each frame's colour stands out against white (a contrast of
// at least 3 to 1) and from the others, the node line a clear blue beside the Earth's
// black; the light colours of the palette darkened.
const palette_peinture& palette_projecteur();

// The Earth model: "Modèle de la Terre" and "programme (rayon 3618 km)" or "réelle
// (rayon 6378,137 km)".
ligne_panneau ligne_modele(const modele_terre& modele);

// What the print caption adds for the model: nothing for the program's Earth (the caption
// stays as it was), " ; Terre réelle (...)" for the real one.
QString legende_modele(const modele_terre& modele);

// The time since the lesson's start: "Temps de mission" and "4 h 25 min 26 s".
ligne_panneau ligne_temps_mission(double secondes);

// The lesson's earlier orbits, in the lighter shade they are drawn with.
entree_legende entree_orbites_precedentes();

} // namespace trajel
