#pragma once

#include "core/formulaire.h"
#include "core/module1.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/planificateur.h"
#include "manoeuvre/vol_propulse.h"

#include <optional>
#include <string>
#include <vector>

namespace trajel {

// The targeter: the finite burn that delivers an impulse of the plan is corrected until
// the orbit it reaches is the one aimed at. Each trial is the burn "Tir !" would fire:
// the texts the assistant writes (anomaly, thrust, duration, steps) read back, the state
// on the record at that anomaly, the program's own integration loop with the same
// steps. Nothing shared is read or written.

// What the burn starts from, as the window holds it: the record (traj, whose anomaly
// the burn's replaces), the mass of Text6 and the Isp of Text13 as read.
struct depart_tir {
    trajectoire orbite;
    double masse = 0.0; // kg
    double isp = 0.0;   // s
    modele_terre modele = terre_du_programme;
};

// What the corrected burn must reach (radii in km, angles in degrees).
struct cible_tir {
    enum class genre {
        apside_atteinte, // the apsis opposite the burn at `rayon` (a Hohmann's first burn)
        cercle,          // the circle of radius `rayon`
        apsides,         // the apsides rp and ra
        plan_et_apsides  // the plane (grand_omega, inclinaison), the apsides rp, ra kept
    };
    genre g = genre::cercle;
    double rayon = 0.0;
    bool apoastre = true; // apside_atteinte: the apoapsis is the one aimed at
    double rp = 0.0;
    double ra = 0.0;
    double grand_omega = 0.0;
    double inclinaison = 0.0;
    double mu = terre_du_programme.mu; // km^3/s^2, of the Earth the orbit is measured around
};

// The target of the first burn of `plan` for the manoeuvre `d`: the apsis reached for a
// Hohmann burn followed by another, the circle for its second and for a
// circularisation, both apsides for an apsis change, the plane and both apsides for a
// plane change.
cible_tir cible_de(const demande_manoeuvre& d, const plan_manoeuvre& plan);

// The finite burn's free parameters: the thrust's direction in the local frame (azimuth
// in the orbit plane from the ortho-radial axis towards the radial one, 180 for
// retrograde; elevation towards the orbit normal), the duration and the anomaly where
// it starts.
struct commande_tir {
    double azimut = 0.0;          // degrees
    double elevation = 0.0;       // degrees
    double duree = 0.0;           // s
    double anomalie_depart = 0.0; // degrees, the record's
};

// One row of the correction: the burn tried and what it missed the target by.
struct iteration_ciblage {
    int numero = 0; // 0: the first guess from the impulse
    commande_tir commande;
    int pas = 0;
    std::vector<double> residus; // in the units of noms_residus
    double ecart = 0.0;          // the largest residual, in tolerances
    double amortissement = 0.0;  // Levenberg's term of the step that reached it
};

struct ciblage {
    bool converge = false;
    std::string message; // why the correction failed, in French
    std::vector<std::string> noms_residus;
    std::vector<iteration_ciblage> iterations;
    // The corrected burn as the assistant writes it, its values read back from the
    // texts; the impulsive first guess when the correction failed.
    tir_prepare tir;
    commande_tir commande;
    std::optional<orbite_etat> prevue; // the orbit it gives: the one "Tir !" will reach
};

// Largest step count and longest step of a prepared burn (s).
inline constexpr int pas_maximum_tir = pas_maximum_vol;
inline constexpr double pas_maximum_secondes = 1.0;

// Corrects the finite burn of `tir` (first guess: preparer_tir) by Newton's method on
// finite-difference sensitivities, damped, in at most iterations_maximum iterations.
// A burn the planner cannot prepare is refused (nature_erreur::tir_refuse); a burn too
// long to be short beside the orbit, one that needs more than 32766 steps of a second,
// or a correction that does not converge comes back with converge false and its reason.
inline constexpr int iterations_maximum = 15;
ciblage cibler(const depart_tir& depart, const tir_impulsionnel& tir, const cible_tir& cible,
               double module_poussee_choisi);

// The burn of command c with thrust F as the assistant writes it (texts read back).
tir_prepare tir_ecrit(const commande_tir& c, double module_poussee_choisi, const depart_tir& d);

// Writes burn p into the window's boxes as the user would type them: the thrust (Text9,
// Text8, Text10), the duration (Text11), the steps (Text12), and the anomaly (Text7)
// last, whose handler redraws. Each text reads back as the value in p.
void ecrire_tir(formulaire& f, const tir_prepare& p);

// The end state of burn p fired from d: the burn's own steps (consigne_du_vol,
// etat_initial, voler) with the values "Tir !" reads back from the texts. A burn "Tir !"
// would refuse is refused the same way.
etat integrer_tir_prepare(const depart_tir& d, const tir_prepare& p);

} // namespace trajel
