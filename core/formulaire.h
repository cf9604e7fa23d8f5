#pragma once

#include "core/constantes.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace trajel {

class surface;

// The controls of the main window that the computations read and write. The
// window is the model: the procedures read the boxes at the moment they run.
enum class zone_texte {
    Text1,
    Text2,
    Text3,
    Text4,
    Text5,
    Text6,
    Text7,
    Text8,
    Text9,
    Text10,
    Text11,
    Text12,
    Text13,
};

enum class bouton_option {
    Option_circulaire,
    Option_elliptique,
    Option_parabolique,
    Option_hyperbolique,
    Option_RN,
    Option_RH,
    Option_RP,
    Option_tous,
};

// The texts the boxes hold when the window opens (Reset writes them back but Text11 and
// Text12), in the order of zone_texte.
inline constexpr std::array<const char*, 13> textes_d_ouverture = {
    "2000", "300", "20", "20", "10", "1000", "25", "0", "0", "0", "10", "100", "100"};

// The options form two groups of four, the orbit types and the frames: one of each is
// selected, and selecting one deselects the others of its group. At opening,
// "elliptique" and "tous".
inline constexpr std::size_t options_par_groupe = 4;
inline constexpr std::size_t groupe_de(bouton_option b) {
    return static_cast<std::size_t>(b) / options_par_groupe;
}
inline constexpr std::array<bool, 8> options_d_ouverture = {false, true,  false, false,
                                                            false, false, false, true};

// The main window as the computations see it. Assigning a text that changes, or
// selecting an option that was not selected, runs that control's handler at once,
// nested, before the call returns; an error raised there comes out of the call.
class formulaire {
public:
    virtual ~formulaire() = default;

    virtual std::string texte(zone_texte zone) const = 0;
    virtual void changer_texte(zone_texte zone, const std::string& texte) = 0;

    virtual bool selectionne(bouton_option bouton) const = 0;
    virtual void selectionner(bouton_option bouton) = 0;

    virtual int valeur_HScroll1() const = 0; // view longitude, degrees
    virtual int valeur_VScroll1() const = 0; // minus the view latitude, degrees

    virtual std::string legende_Label_debit() const = 0;
    virtual void legende_Label_debit(const std::string& legende) = 0;

    virtual surface& Picture1() = 0;

    // What the window shows, kept exactly as it stands (every box's text, the
    // selections, the captions that follow them, Label_debit), and put back as it was
    // without running any handler.
    class memoire {
    public:
        virtual ~memoire() = default;
    };
    virtual std::unique_ptr<memoire> memoriser() const = 0;
    virtual void restituer(const memoire& m) = 0;

    // The Earth model chosen in the window, which its handlers compute around.
    virtual const modele_terre& modele_de_la_terre() const { return terre_du_programme; }
};

} // namespace trajel
