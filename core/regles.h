#pragma once

#include "core/formulaire.h"

#include <optional>
#include <string>

namespace trajel {

// The rules of the main window's boxes and options, written once: the window's
// handlers and the tests' fake window both call them.

// Equal apsis altitudes make a circle, whose argument of periapsis is set to "0".
// The rule compares the two numbers whatever Text1 stands for (Za or Phi).
void regle_altitudes_egales(formulaire& f);

// An equatorial orbit has no node: a zero inclination sets Omega to "0".
void regle_inclinaison_nulle(formulaire& f);

// What an orbit-type option proposes for Text1 when it becomes selected: "elliptique"
// an apoapsis half as high again as the periapsis (floor of 1.5 Zp), "hyperbolique"
// the asymptote angle 45; the other options propose nothing.
std::optional<std::string> proposition_Text1(bouton_option type, const formulaire& f);

// The rule a change of the box runs before its full redraw; false for the boxes that
// have no change handling (Text6, Text8 to Text13).
bool regle_de_changement(zone_texte zone, formulaire& f);

// Whether the box's rule writes "0" into another box (Text1, Text2, Text4): while the
// user types, such a rule waits until the edit is committed.
bool regle_differee(zone_texte zone);

// The start values of an activation of the main window: the palette numbers, zoom 1,
// the fixed frame, the picture's size and the view frame from the scroll bars.
void valeurs_d_activation();

} // namespace trajel
