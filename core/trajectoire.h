#pragma once

#include "core/module1.h"

#include <cmath>

namespace trajel {

// Cosine and sine of an angle in degrees.
struct trigo {
    double c = 1.0;
    double s = 0.0;
};

inline trigo trigo_de(const double& degres) {
    const double radians = deg_rad(degres);
    return {std::cos(radians), std::sin(radians)};
}

// The axes of the frame builders below, one at a time, for the drawings that need
// only one: repere_local's u = (cL cB, sL cB, sB) and v = cA east + sA north ...
inline vecteur u_local(const trigo& longitude, const trigo& latitude) {
    return {controle(longitude.c * latitude.c), controle(longitude.s * latitude.c),
            controle(latitude.s)};
}

inline vecteur v_local(const trigo& longitude, const trigo& latitude, const trigo& cap) {
    return {controle(-(longitude.s * cap.c + longitude.c * latitude.s * cap.s)),
            controle(longitude.c * cap.c - longitude.s * latitude.s * cap.s),
            controle(latitude.c * cap.s)};
}

// ... and repere_orbital's u, the direction in the orbit plane at `angle` from the
// ascending node, and v, a quarter turn further along the motion.
inline vecteur u_orbital(const trigo& grand_omega, const trigo& inclinaison, const trigo& angle) {
    return {controle(grand_omega.c * angle.c - grand_omega.s * inclinaison.c * angle.s),
            controle(grand_omega.s * angle.c + grand_omega.c * inclinaison.c * angle.s),
            controle(inclinaison.s * angle.s)};
}

inline vecteur v_orbital(const trigo& grand_omega, const trigo& inclinaison, const trigo& angle) {
    return {controle(-(grand_omega.c * angle.s + grand_omega.s * inclinaison.c * angle.c)),
            controle(-grand_omega.s * angle.s + grand_omega.c * inclinaison.c * angle.c),
            controle(inclinaison.s * angle.c)};
}

// The box as an error names it ("la zone « Masse (kg) »"); Text1 after its caption.
const char* nom_de_boite(zone_texte zone);

// Reads the orbit, satellite and thrust inputs of Form1 into t (always traj) and the
// satellite globals, derives the conic and its four frames, and sets Label_debit to
// "0". The altitudes are above the model's Earth. A hyperbola whose angle Phi has a cosine outside
// (0, 1) is refused.
void calcul_trajectoire(trajectoire& t, const modele_terre& modele = terre_du_programme);

// The frame of an orbit: rotations about z by the node longitude, about the new x by
// the inclination, about the new z by an angle in the orbit plane from the node.
// All three in degrees. u points along that angle, w along the orbit normal.
void repere_orbital(const double& grand_omega, const double& inclinaison, const double& angle,
                    repere& out);

// The frame at longitude and latitude (degrees): u the unit direction there, v the
// heading (degrees from the east towards the north), w = u x v.
void repere_local(const double& longitude, const double& latitude, const double& cap, repere& out);

// The four frames of t from its angles: RN (node, 0, 0), RH (node, inclination, 0),
// RP (node, inclination, omega) and the satellite's (node, inclination, anomaly +
// omega).
void construire_reperes(trajectoire& t);

} // namespace trajel
