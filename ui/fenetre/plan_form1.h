#pragma once

// The design of the main window "Calcul d'orbite": every control with its container,
// caption or opening text and place (twips), and the order of the Tab key.

#include "core/formulaire.h"
#include "ui/fenetre/form1.h"

#include <string_view>

namespace trajel {

// The design's controls: name, container, caption or initial text, position (twips).
struct fenetre_principale::placement {
    const char* nom;
    const char* conteneur; // nullptr: the window itself
    const char* texte;
    int gauche, haut, largeur, hauteur;
};

namespace plan_form1 {

using placement = fenetre_principale::placement;

inline constexpr placement cadres[] = {
    {"Frame1", nullptr, "Trajectoire", 11160, 0, 3135, 3255},
    {"Frame_Poussee", nullptr, "Vecteur Poussée (Newton)", 11160, 3360, 3135, 1095},
    {"Frame_RK", nullptr, "Calcul Runge Kutta", 11160, 4560, 3135, 975},
    {"Frame_satellite", nullptr, "Satellite", 11160, 5640, 3135, 1455},
    {"Frame_affichage", nullptr, "Affichage", 11160, 7200, 3135, 2295},
    {"Frame_reperes", "Frame_affichage", "Repères", 120, 240, 2895, 1335},
};

// In the order of zone_texte: Text1 .. Text13, with the texts they open with.
inline constexpr placement textes[] = {
    {"Text1", "Frame1", textes_d_ouverture[0], 240, 1080, 1095, 285},
    {"Text2", "Frame1", textes_d_ouverture[1], 240, 1440, 1095, 285},
    {"Text3", "Frame1", textes_d_ouverture[2], 240, 1800, 1095, 285},
    {"Text4", "Frame1", textes_d_ouverture[3], 240, 2160, 1095, 285},
    {"Text5", "Frame1", textes_d_ouverture[4], 240, 2520, 1095, 285},
    {"Text6", "Frame_satellite", textes_d_ouverture[5], 120, 240, 1215, 285},
    {"Text7", "Frame1", textes_d_ouverture[6], 240, 2880, 1095, 285},
    {"Text8", "Frame_Poussee", textes_d_ouverture[7], 120, 480, 1095, 285},
    {"Text9", "Frame_Poussee", textes_d_ouverture[8], 120, 240, 1095, 285},
    {"Text10", "Frame_Poussee", textes_d_ouverture[9], 120, 720, 1095, 285},
    {"Text11", "Frame_RK", textes_d_ouverture[10], 240, 240, 735, 285},
    {"Text12", "Frame_RK", textes_d_ouverture[11], 240, 480, 735, 285},
    {"Text13", "Frame_satellite", textes_d_ouverture[12], 120, 600, 735, 285},
};

// In the order of bouton_option.
inline constexpr placement options[] = {
    {"Option_circulaire", "Frame1", "circulaire", 240, 240, 1095, 255},
    {"Option_elliptique", "Frame1", "elliptique", 1680, 240, 1335, 255},
    {"Option_parabolique", "Frame1", "parabolique", 240, 600, 1215, 255},
    {"Option_hyperbolique", "Frame1", "hyperbolique", 1680, 600, 1335, 255},
    {"Option_RN", "Frame_reperes", "RN (Omega, ligne des noeuds)", 120, 240, 2655, 255},
    {"Option_RH", "Frame_reperes", "RH (i, moment cinétique)", 120, 480, 2655, 255},
    {"Option_RP", "Frame_reperes", "RP (omega, périastre)", 120, 720, 2655, 255},
    {"Option_tous", "Frame_reperes", "tous", 120, 960, 1455, 255},
};

// The buttons of one frame exclude each other: each group of options has a frame of its
// own.
constexpr bool groupes_dans_leurs_cadres() {
    const std::string_view types = options[0].conteneur;
    const std::string_view reperes = options[options_par_groupe].conteneur;
    for (std::size_t i = 0; i < std::size(options); ++i) {
        const std::size_t groupe = groupe_de(static_cast<bouton_option>(i));
        if (options[i].conteneur != (groupe == 0 ? types : reperes)) {
            return false;
        }
    }
    return types != reperes;
}
static_assert(groupes_dans_leurs_cadres());

inline constexpr placement etiquettes[] = {
    {"Label3", nullptr, "latitude", 10560, 480, 615, 255},
    {"Label1", nullptr, "0", 10680, 1080, 495, 255},
    {"Label4", nullptr, "longitude °", 240, 9240, 855, 255},
    {"Label2", nullptr, "0", 9480, 8880, 735, 255},
    {"Label14", nullptr, "Trajel, décembre 2026", 8880, 9360, 1815, 255},
    {"Label6", "Frame1", "Za (km)", 1560, 1080, 735, 255},
    {"Label8", "Frame1", "Zp (km)", 1560, 1440, 735, 255},
    {"Label9", "Frame1", "Omega °", 1560, 1800, 975, 255},
    {"Label10", "Frame1", "i °", 1560, 2160, 735, 255},
    {"Label11", "Frame1", "omega °", 1560, 2520, 975, 255},
    {"Label12", "Frame1", "Anomalie°", 1560, 2880, 1095, 255},
    {"Label21", "Frame_Poussee", "radiale", 1320, 240, 1215, 255},
    {"Label22", "Frame_Poussee", "ortho-radiale", 1320, 480, 1215, 255},
    {"Label23", "Frame_Poussee", "normale plan orbital", 1320, 720, 1695, 255},
    {"Label7", "Frame_RK", "Durée du tir (s)", 1080, 240, 1095, 255},
    {"Label13", "Frame_RK", "nb de pas", 1080, 480, 855, 375},
    {"Label18", "Frame_satellite", "Masse (kg)", 1800, 240, 975, 255},
    {"Label19", "Frame_satellite", "Isp (s)", 1800, 600, 855, 255},
    {"Label20", "Frame_satellite", "cosommée (kg):", 120, 960, 1215, 255},
    {"Label_debit", "Frame_satellite", "0", 1320, 960, 1695, 255},
};

inline constexpr placement boutons[] = {
    {"Command1", "Frame1", "Reset", 2280, 2040, 735, 375},
    {"cmd_tir", "Frame_RK", "Tir !", 2280, 360, 735, 375},
    {"Command4", "Frame_affichage", "Zoom +", 120, 1680, 735, 375},
    {"Command5", "Frame_affichage", "Zoom -", 2280, 1680, 735, 375},
};

// Tab goes in reading order: the orbit (its type, then its boxes top to bottom), the
// satellite, the thrust, the burn and "Tir !"; then Reset and the display settings.
inline constexpr const char* ordre_tabulation[] = {"Option_circulaire",
                                            "Option_elliptique",
                                            "Option_parabolique",
                                            "Option_hyperbolique",
                                            "Text1",
                                            "Text2",
                                            "Text3",
                                            "Text4",
                                            "Text5",
                                            "Text7",
                                            "Text6",
                                            "Text13",
                                            "Text9",
                                            "Text8",
                                            "Text10",
                                            "Text11",
                                            "Text12",
                                            "cmd_tir",
                                            "Command1",
                                            "Option_RN",
                                            "Option_RH",
                                            "Option_RP",
                                            "Option_tous",
                                            "Command4",
                                            "Command5"};

} // namespace plan_form1

} // namespace trajel
