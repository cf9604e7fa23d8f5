#pragma once

#include "core/caracteristiques.h"
#include "core/module1.h"
#include "manoeuvre/bilan_tir.h"

#include <optional>
#include <string>
#include <vector>

namespace trajel {

// Manoeuvres planned from the current orbit as impulses, then prepared as finite burns
// of the program: thrust fixed in the local frame, duration from the rocket equation,
// centred on the impulse's point. What cannot be planned is refused
// (nature_erreur::tir_refuse) with the reason in French.

enum class genre_manoeuvre {
    hohmann,                // to a circle: two burns half a transfer ellipse apart
    circularisation,        // at an apsis
    changement_apside,      // the opposite apsis moved by a burn at one apsis
    changement_inclinaison, // at a node
    // To the geostationary circle of the model: a Hohmann transfer, and from an inclined
    // circle the plane change to i = 0, made where it is cheaper: combined with the
    // second burn at the transfer's apoapsis (a node), or alone at the start. From an
    // inclined ellipse (a GTO), a burn at a node bringing the opposite node, an apsis
    // then, to the geostationary radius, where the circle and the plane change are one.
    geostationnaire
};

// The radius of the model's geostationary circle, whose period is one sidereal day:
// a = (mu T^2 / (4 pi^2))^(1/3), km.
double rayon_geostationnaire(const modele_terre& modele);

// The tolerances a burn is held to, by the planner and by the targeter: a radius to
// 0.01 %, an inclination to 0.001 degree.
inline constexpr double tolerance_rayon = 1e-4;
inline constexpr double tolerance_inclinaison = 0.001; // degrees

struct demande_manoeuvre {
    genre_manoeuvre genre = genre_manoeuvre::hohmann;
    double altitude_visee = 36000.0; // km: the circle of a Hohmann, the new opposite apsis
    apside lieu = apside::apoastre;  // where a circularisation or an apsis change burns
    double inclinaison_visee = 0.0;  // degrees
    // The node of a plane change of an equatorial orbit, which has none of its own: its
    // longitude (degrees, from the first axis of the fixed frame); none for the
    // satellite's current position.
    std::optional<double> longitude_noeud;
    modele_terre modele = terre_du_programme; // the Earth the altitudes and speeds are of
};

// The orbit a burn aims at: apsis altitudes (km) and inclination (degrees).
struct orbite_visee {
    double zp = 0.0;
    double za = 0.0;
    double inclinaison = 0.0;
    double grand_omega = 0.0; // degrees, the ascending node of the plane aimed at
};

struct tir_impulsionnel {
    std::string lieu;      // where it burns, in French
    double anomalie = 0.0; // degrees, the record's anomaly of the burn point
    // On a circle every point is alike: the burn begins where the satellite stands.
    bool point_libre = false;
    double delta_v = 0.0;          // km/s
    vecteur direction;             // unit, local frame: x radial, y ortho-radial, z normal
    std::optional<double> attente; // s from the satellite's place to the burn point
    orbite_visee apres;
};

struct plan_manoeuvre {
    std::vector<tir_impulsionnel> tirs;
    std::optional<double> duree_transfert; // s from the first burn to the last
    double delta_v_total = 0.0;            // km/s
};

// The whole manoeuvre from the orbit of t. An orbit already the one aimed at, within
// the tolerances, is refused: nothing is to be fired.
plan_manoeuvre planifier(const trajectoire& t, const demande_manoeuvre& d);

// Whether the orbit of t is already the one `d` aims at: each apsis radius within
// tolerance_rayon of the one aimed at, the inclination within tolerance_inclinaison.
// False when the orbit is no conic or the target cannot be planned.
bool orbite_visee_atteinte(const trajectoire& t, const demande_manoeuvre& d);

// The second burn of a Hohmann transfer from the orbit its first burn reached: the
// circularisation at the apsis nearest the target circle.
plan_manoeuvre planifier_suite(const trajectoire& t, const demande_manoeuvre& d);

// A finite burn that delivers the impulse: the anomaly to start from, half the burn's
// time before its point (Kepler's equation), so that the burn is centred on it; the
// thrust (N, local frame) of the chosen magnitude; the duration from the rocket
// equation, delta_v = isp g0 ln(m0 / mf) km/s with the flow |F| / (isp g0) kg/s; and
// steps of at most one second, 32766 at most.
struct tir_prepare {
    double anomalie_depart = 0.0; // degrees, the record's convention
    vecteur poussee;              // N
    double duree = 0.0;           // s
    int pas = 0;
    double masse_finale = 0.0; // kg
};

tir_prepare preparer_tir(const trajectoire& t, const tir_impulsionnel& tir,
                         double module_poussee_choisi, double masse_initiale, double isp_moteur,
                         const modele_terre& modele = terre_du_programme);

// The progress of a plan through the burns the teacher fires: the burns planned, the
// orbit each aimed at and the one it gave, and the burn prepared and not yet fired.
class suivi_manoeuvre {
public:
    struct resultat {
        orbite_visee visee;
        std::optional<orbite_etat> prevue;  // the targeter's prediction, when corrected
        std::optional<orbite_etat> obtenue; // none when the end state has no conic
    };
    // What the last completed burn was to the plan.
    enum class issue {
        rien,      // no burn since the preparation, or none prepared
        tir_suivi, // the burn prepared: its result is recorded
        autre_tir  // another burn, or one past the plan: the plan starts again
    };

    // The burns still to fire from the orbit of t: the whole plan before the first burn
    // (which fixes the burns planned and the orbits they aim at), the circularisation
    // of a Hohmann after its first, nothing once every burn is done.
    plan_manoeuvre plan_restant(const trajectoire& t, const demande_manoeuvre& d);

    // The burn written into the window, as the window reads it back, while the last
    // completed burn of the run is number `dernier_numero` (0: none yet).
    // `prevue` is the orbit the targeter predicted for it.
    void noter_preparation(unsigned dernier_numero, double duree, int pas, const vecteur& poussee,
                           std::optional<orbite_etat> prevue = std::nullopt);

    // After an event: compares the last completed burn with the one prepared.
    issue suivre(const std::optional<bilan_tir>& dernier);

    void recommencer();

    int faits() const { return static_cast<int>(resultats_.size()); }
    int prevus() const { return prevus_; }
    int prochain() const { return faits() + 1; }
    bool termine() const { return prevus_ > 0 && faits() >= prevus_; }
    bool en_attente() const { return en_attente_.has_value(); }
    const std::vector<resultat>& resultats() const { return resultats_; }

private:
    struct tir_en_attente {
        unsigned numero_precedent = 0;
        double duree = 0.0;
        int pas = 0;
        vecteur poussee;
        std::optional<orbite_etat> prevue;
    };
    int prevus_ = 0;
    std::vector<orbite_visee> visees_;
    std::vector<resultat> resultats_;
    std::optional<tir_en_attente> en_attente_;
};

} // namespace trajel
