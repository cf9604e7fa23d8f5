#pragma once

#include "core/module1.h"
#include "manoeuvre/bilan_tir.h"

#include <memory>

namespace trajel {

// The burn from the satellite's place on T (always traj), around the model's Earth: integrates the
// powered flight read from the window (duration Text11, steps Text12, thrust, mass, Isp), writes
// the conic reached into the element boxes and the options, the remaining mass into Text6 and the
// consumed mass into Label_debit, then draws the orbit before the burn, the new orbit and the
// powered arc. A burn that cannot be computed is refused (tir_refuse) before anything is changed.
void calcul_tir(trajectoire& T, const modele_terre& modele = terre_du_programme);

// The conic reached at the end of a burn, as the window writes it: a near circle whose
// apsides read back equal placed from the node line (omega 0).
trajectoire orbite_atteinte(const etat& fin, const modele_terre& modele = terre_du_programme);

// Draws again, over the scene of the orbit reached, what the burn b drew over it: the
// orbit before the burn, the orbit reached and the powered arc, integrated again from
// the burn's record with its own engine and steps and projected for the current view.
void retracer_tir(const bilan_tir& b);

// "Tir !": rereads the window into traj and the satellite values, then fires. A refused
// or failed burn leaves the window and the shared values as they were.
void cmd_tir_Click(const modele_terre& modele = terre_du_programme);

// The undo of a burn: takes a snapshot of what a burn changes (the window as it
// stands, traj and the satellite values) and puts it back, without running any
// handler, when it goes out of scope without having been validated, so that the
// error that abandons the burn goes on to whoever reports it.
class garde_tir {
public:
    garde_tir();
    ~garde_tir();
    garde_tir(const garde_tir&) = delete;
    garde_tir& operator=(const garde_tir&) = delete;

    // The burn has completed: nothing is put back.
    void valider() { validee_ = true; }

private:
    bool validee_ = false;
    std::unique_ptr<formulaire::memoire> fenetre_;
    valeurs_calculees valeurs_;
};

} // namespace trajel
