#pragma once

#include "core/module1.h"

#include <optional>

namespace trajel {

// The conic of a record as Kepler's laws see it. An ellipse typed with Za below Zp
// has a negative excentricite in the record and its periapsis at anomaly 180: here e
// is |excentricite| and anomalies are counted from the true periapsis.
enum class forme_conique { cercle, ellipse, parabole, hyperbole };

struct conique {
    forme_conique forme = forme_conique::ellipse;
    double e = 0.0;        // >= 0
    double p = 0.0;        // km
    double decalage = 0.0; // degrees: the record's anomaly minus the anomaly from the periapsis
    modele_terre modele = terre_du_programme; // the Earth it turns around

    bool fermee() const {
        return forme == forme_conique::cercle || forme == forme_conique::ellipse;
    }
};

// The conic of t, from its type, excentricite and parametre (an ellipse whose radii
// are not both positive, a parameter that is not positive or an unknown type raise
// the arithmetic error).
conique conique_de(const trajectoire& t, const modele_terre& modele = terre_du_programme);

// The record's anomaly (degrees) as a true anomaly from the periapsis, radians; and
// back, in [0, 360) for a closed orbit and (-180, 180] for an open one.
double anomalie_vraie(const conique& c, double anomalie_record);
double anomalie_record(const conique& c, double anomalie_vraie);

// The figures of the conic, in km, s, km/s, km^2/s, km^2/s^2 and degrees. What a
// conic does not have is left empty.
struct caracteristiques_orbite {
    conique c;
    std::optional<double> a; // semi-major axis, negative for a hyperbola
    double rp = 0.0;         // periapsis radius
    double zp = 0.0;
    std::optional<double> ra; // apoapsis radius
    std::optional<double> za;
    std::optional<double> periode;
    std::optional<double> moyen_mouvement; // degrees per second
    double energie = 0.0;                  // specific energy, -mu (1 - e^2) / (2 p)
    double moment_cinetique = 0.0;         // (mu p)^0.5
    double vitesse_periastre = 0.0;
    std::optional<double> vitesse_apoastre;
    double vitesse_liberation_periastre = 0.0; // (2 mu / rp)^0.5
    std::optional<double> vitesse_infinie;     // open conics: (2 energy)^0.5
    std::optional<double> anomalie_asymptote;  // open conics: arccos(-1 / e)
    std::optional<double> angle_deviation;     // open conics: 2 arcsin(1 / e)
};

caracteristiques_orbite caracteristiques_de(const conique& c);

enum class apside { periastre, apoastre };

// The satellite on its conic at the record's anomaly.
struct caracteristiques_satellite {
    double anomalie_vraie = 0.0; // degrees from the periapsis
    double rayon = 0.0;
    double altitude = 0.0;
    double vitesse = 0.0;
    double vitesse_radiale = 0.0;
    double vitesse_orthoradiale = 0.0;
    double pente = 0.0; // flight-path angle above the local horizontal, degrees
    std::optional<double> temps_depuis_periastre;
    std::optional<apside> prochaine_apside;
    std::optional<double> temps_prochaine_apside;
};

// The anomalies (record's degrees) an open conic is followed on: its times are given
// only there. A closed orbit ignores them.
struct anomalies_suivies {
    double debut = -180.0;
    double fin = 180.0;
};

caracteristiques_satellite satellite_de(const caracteristiques_orbite& o, double anomalie,
                                        const anomalies_suivies& suivies);

} // namespace trajel
