#pragma once

#include "core/surface.h"

#include <optional>
#include <vector>

namespace trajel {

// Label placement for the large view: each label keeps its anchor (the axis tip or the
// point it names, where the display list put its top-left corner) and takes the first of
// a few candidate positions around it that overlaps no label placed before it, stays
// clear of the Earth's disc and inside the view. Any unit will do, as long as it is the
// same for all (the painter's pixels).

struct rectangle_etiquette {
    double x = 0.0; // top-left corner
    double y = 0.0;
    double largeur = 0.0;
    double hauteur = 0.0;

    double droite() const { return x + largeur; }
    double bas() const { return y + hauteur; }
    // A common area, not a shared edge.
    bool chevauche(const rectangle_etiquette& r) const {
        return x < r.droite() && r.x < droite() && y < r.bas() && r.y < bas();
    }
};

struct disque_plan {
    double x = 0.0; // centre
    double y = 0.0;
    double rayon = 0.0;

    // Whether the disc and the rectangle have a common area.
    bool touche(const rectangle_etiquette& r) const;
};

struct etiquette_a_placer {
    double ancre_x = 0.0; // where the display list put the text's top-left corner
    double ancre_y = 0.0;
    double largeur = 0.0; // the text's advance and line height
    double hauteur = 0.0;
    int priorite = 0; // placed first when higher; equal ones in their order
};

struct etiquette_placee {
    rectangle_etiquette cadre;
    bool renvoi = false; // moved far from its anchor: a leader line joins them
    // The leader line's ends: the anchor and the nearest point of the frame.
    double renvoi_x = 0.0;
    double renvoi_y = 0.0;
};

// The positions, in the order of `etiquettes`. Each label in turn tries, in order: its
// own place (top-left corner on the anchor), the seven other classic positions round the
// anchor, then rings of sixteen farther out. A label with no free candidate takes the
// one with the least overlap. A label wholly outside `vue` stays where it is and hinders
// no other. `terre`: no disc when its radius is not positive.
std::vector<etiquette_placee> placer_etiquettes(const std::vector<etiquette_a_placer>& etiquettes,
                                                const disque_plan& terre,
                                                const rectangle_etiquette& vue);

// The Earth's disc in a display list, in its units: the list starts with the equatorial
// frame, whose axes leave the Earth's centre, and the Earth's outline, parallels and
// meridians follow in the same colour; the outline is the farthest of them from the
// centre. Nothing when the list does not start so.
std::optional<disque_plan> disque_terre(const std::vector<element_affichage>& elements);

} // namespace trajel
