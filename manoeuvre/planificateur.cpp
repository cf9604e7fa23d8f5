#include "manoeuvre/planificateur.h"

#include "core/kepler.h"
#include "core/trajectoire.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/vol_propulse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace trajel {

namespace {

constexpr double pas_cible = 1.0;       // s, the longest step a prepared burn takes
constexpr double dv_negligeable = 1e-9; // km/s: a burn this small is not planned
const vecteur prograde{0.0, 1.0, 0.0};  // ortho-radial: along the motion at an apsis
const vecteur retrograde{0.0, -1.0, 0.0};

[[noreturn]] void refuser(const std::string& raison) {
    throw erreur_calcul(nature_erreur::tir_refuse, "Manœuvre impossible : " + raison);
}

// What the plan reads of the current orbit.
struct orbite_actuelle {
    conique c;
    caracteristiques_orbite o;
    double anomalie = 0.0; // the satellite's, record's degrees
    double grand_omega = 0.0;
    double inclinaison = 0.0;
    double petit_omega = 0.0;
};

orbite_actuelle orbite_de_depart(const trajectoire& t, const modele_terre& modele) {
    orbite_actuelle a;
    try {
        a.c = conique_de(t, modele);
        a.o = caracteristiques_de(a.c);
    } catch (const erreur_calcul&) {
        refuser("l'orbite actuelle n'est pas une conique définie.");
    }
    a.anomalie = t.anomalie;
    a.grand_omega = t.grand_omega;
    a.inclinaison = t.inclinaison;
    a.petit_omega = t.petit_omega;
    return a;
}

// Speed at radius r on the orbit, from the energy: v = (2 (energy + mu / r))^0.5.
double vitesse_a(const caracteristiques_orbite& o, double r) {
    return racine(controle(2.0 * (o.energie + quotient(o.c.modele.mu, r))));
}

// Speed at r1 on an ellipse from r1 to r2: (mu (2 / r1 - 2 / (r1 + r2)))^0.5.
double vitesse_transfert(double r1, double r2, double mu) {
    return racine(controle(mu * (2.0 / r1 - 2.0 / (r1 + r2))));
}

double vitesse_circulaire(double r, double mu) {
    return racine(quotient(mu, r));
}

// Half the period of the ellipse from r1 to r2: pi (a^3 / mu)^0.5, a = (r1 + r2) / 2.
double demi_periode(double r1, double r2, const modele_terre& modele) {
    const double a = 0.5 * (r1 + r2);
    return controle(modele.pi * racine(controle(a * a * a) / modele.mu));
}

double rayon_vise(double altitude, double rayon_terre) {
    const double r = controle(altitude + rayon_terre);
    if (!(r > rayon_terre)) {
        refuser("l'altitude visée place l'orbite dans la Terre (elle doit être positive).");
    }
    return r;
}

// Time from the satellite to the point at the record's anomaly: modulo the period on a
// closed orbit, signed on an open one; none when a time is not defined there.
std::optional<double> attente(const orbite_actuelle& a, double anomalie_point) {
    try {
        const double t_sat =
            temps_depuis_periastre(a.c.e, a.c.p, anomalie_vraie(a.c, a.anomalie), a.c.modele);
        const double t_point =
            temps_depuis_periastre(a.c.e, a.c.p, anomalie_vraie(a.c, anomalie_point), a.c.modele);
        double d = t_point - t_sat;
        if (a.c.fermee() && d < 0.0) {
            d += *a.o.periode;
        }
        return controle(d);
    } catch (const erreur_calcul&) {
        return std::nullopt;
    }
}

double anomalie_apside(const orbite_actuelle& a, apside lieu) {
    return anomalie_record(a.c, lieu == apside::periastre ? 0.0 : pi);
}

const char* nom_apside(apside lieu) {
    return lieu == apside::periastre ? "au périastre" : "à l'apoastre";
}

// A burn along the motion at an apsis (or anywhere on a circle) from speed v_avant to
// v_apres; the orbit reached has its apsides at r and r_oppose.
tir_impulsionnel tir_tangent(const orbite_actuelle& a, const std::string& lieu, double anomalie,
                             bool libre, double v_avant, double v_apres, double r,
                             double r_oppose) {
    tir_impulsionnel tir;
    tir.lieu = lieu;
    tir.anomalie = anomalie;
    tir.point_libre = libre;
    tir.delta_v = std::abs(controle(v_apres - v_avant));
    tir.direction = v_apres >= v_avant ? prograde : retrograde;
    tir.attente = libre ? std::optional<double>(0.0) : attente(a, anomalie);
    const double rayon_terre = a.c.modele.rayon;
    tir.apres = {controle(std::min(r, r_oppose) - rayon_terre),
                 controle(std::max(r, r_oppose) - rayon_terre), a.inclinaison, a.grand_omega};
    return tir;
}

plan_manoeuvre conclure(std::vector<tir_impulsionnel> tirs, std::optional<double> transfert) {
    plan_manoeuvre plan;
    for (tir_impulsionnel& tir : tirs) {
        if (tir.delta_v > dv_negligeable) {
            plan.delta_v_total = controle(plan.delta_v_total + tir.delta_v);
            plan.tirs.push_back(std::move(tir));
        }
    }
    if (plan.tirs.empty()) {
        refuser("l'orbite actuelle est déjà celle visée : aucun tir n'est nécessaire.");
    }
    if (plan.tirs.size() > 1) {
        plan.duree_transfert = transfert;
    }
    return plan;
}

void exiger_orbite_fermee(const orbite_actuelle& a, const char* manoeuvre) {
    if (!a.c.fermee()) {
        refuser(std::string(manoeuvre) + " demande une orbite fermée ; l'orbite actuelle est " +
                (a.c.forme == forme_conique::parabole ? "une parabole." : "une hyperbole."));
    }
}

} // namespace

double rayon_geostationnaire(const modele_terre& modele) {
    const double T = modele.jour_sideral;
    return std::cbrt(modele.mu * T * T / (4.0 * modele.pi * modele.pi));
}

namespace {

// Hohmann: from the apsis r1 (or anywhere on a circle), an ellipse to the circle rc,
// then the circle at its far end.
plan_manoeuvre hohmann(const orbite_actuelle& a, double rc) {
    exiger_orbite_fermee(a, "un transfert de Hohmann");
    struct option {
        apside lieu;
        double r1;
    };
    std::vector<option> options;
    if (a.c.forme == forme_conique::cercle) {
        options.push_back({apside::periastre, a.o.rp});
    } else {
        options.push_back({apside::periastre, a.o.rp});
        options.push_back({apside::apoastre, *a.o.ra});
    }
    // From an ellipse, the cheaper of the two apsides.
    std::optional<plan_manoeuvre> meilleur;
    for (const option& o : options) {
        const bool libre = a.c.forme == forme_conique::cercle;
        const double anomalie = libre ? a.anomalie : anomalie_apside(a, o.lieu);
        const double v1 = vitesse_a(a.o, o.r1);
        const double mu = a.c.modele.mu;
        const double vt1 = vitesse_transfert(o.r1, rc, mu);
        const double vt2 = vitesse_transfert(rc, o.r1, mu);
        const double vc2 = vitesse_circulaire(rc, mu);
        std::vector<tir_impulsionnel> tirs;
        tirs.push_back(tir_tangent(a, libre ? "à la position actuelle" : nom_apside(o.lieu),
                                   anomalie, libre, v1, vt1, o.r1, rc));
        tir_impulsionnel second =
            tir_tangent(a, "à l'autre extrémité du transfert", std::fmod(anomalie + 180.0, 360.0),
                        false, vt2, vc2, rc, rc);
        second.attente.reset(); // from the transfer orbit, not from this one
        tirs.push_back(second);
        try {
            plan_manoeuvre plan = conclure(std::move(tirs), demi_periode(o.r1, rc, a.c.modele));
            if (!meilleur || plan.delta_v_total < meilleur->delta_v_total) {
                meilleur = std::move(plan);
            }
        } catch (const erreur_calcul&) {
        }
    }
    if (!meilleur) {
        refuser("l'orbite actuelle est déjà le cercle visé : aucun tir n'est nécessaire.");
    }
    return *meilleur;
}

plan_manoeuvre circularisation(const orbite_actuelle& a, apside lieu) {
    if (a.c.forme == forme_conique::cercle) {
        refuser("l'orbite actuelle est déjà circulaire.");
    }
    if (lieu == apside::apoastre && !a.c.fermee()) {
        refuser("une orbite ouverte n'a pas d'apoastre ; circularisez au périastre.");
    }
    const double r = lieu == apside::periastre ? a.o.rp : *a.o.ra;
    return conclure({tir_tangent(a, nom_apside(lieu), anomalie_apside(a, lieu), false,
                                 vitesse_a(a.o, r), vitesse_circulaire(r, a.c.modele.mu), r, r)},
                    std::nullopt);
}

plan_manoeuvre changement_apside(const orbite_actuelle& a, apside lieu, double r_oppose) {
    const bool libre = a.c.forme == forme_conique::cercle;
    if (!libre && lieu == apside::apoastre && !a.c.fermee()) {
        refuser("une orbite ouverte n'a pas d'apoastre ; le tir se fait au périastre.");
    }
    const double r = libre || lieu == apside::periastre ? a.o.rp : *a.o.ra;
    const double anomalie = libre ? a.anomalie : anomalie_apside(a, lieu);
    return conclure({tir_tangent(a, libre ? "à la position actuelle" : nom_apside(lieu), anomalie,
                                 libre, vitesse_a(a.o, r),
                                 vitesse_transfert(r, r_oppose, a.c.modele.mu), r, r_oppose)},
                    std::nullopt);
}

// At a node the horizontal velocity vt turns about the radial axis by the change of
// inclination di, the radial one stays: delta_v = 2 vt sin(|di| / 2), along
// (-sin(|di| / 2) ortho-radial, +-cos(|di| / 2) normal). Turning by +di about the
// radial axis raises the inclination at the ascending node and lowers it at the
// descending one.
struct noeud {
    std::string lieu;
    double anomalie; // the argument of latitude omega + anomaly is 0 or 180 there
    double sens;     // +1 at the ascending node of the new plane, -1 at the descending
};

std::optional<tir_impulsionnel> tir_au_noeud(const orbite_actuelle& a, const noeud& n, double visee,
                                             double noeud_vise) {
    const double nu = anomalie_vraie(a.c, n.anomalie);
    const double denominateur = 1.0 + a.c.e * std::cos(nu);
    if (!(denominateur > 0.0)) {
        return std::nullopt; // beyond the asymptotes of an open conic
    }
    const double di = controle(visee - a.inclinaison);
    const double demi = deg_rad(std::abs(di)) / 2.0;
    const double vt = quotient(a.o.moment_cinetique * denominateur, a.c.p); // h / r
    tir_impulsionnel tir;
    tir.lieu = n.lieu;
    tir.anomalie = n.anomalie;
    tir.delta_v = controle(2.0 * vt * std::sin(demi));
    tir.direction = {0.0, -std::sin(demi),
                     controle(n.sens * (di < 0.0 ? -1.0 : 1.0)) * std::cos(demi)};
    tir.attente = attente(a, n.anomalie);
    tir.apres = {a.o.zp, a.o.za.value_or(a.o.zp), visee, noeud_vise};
    return tir;
}

// Longitude (degrees, [0, 360)) of the point at the record's anomaly of an equatorial
// orbit: the first axis of its frame, turned by omega + anomaly in the plane.
double longitude_sur_equateur(const orbite_actuelle& a, double anomalie) {
    repere Q;
    repere_orbital(a.grand_omega, a.inclinaison, controle(a.petit_omega + anomalie), Q);
    const double l = std::atan2(Q.u.y, Q.u.x) * 180.0 / pi;
    return l < 0.0 ? l + 360.0 : l;
}

// An equatorial orbit has no line of nodes: the teacher's node (the satellite's place by
// default) becomes the ascending node of the new plane. The orbit turns one way about
// the polar axis (cos i > 0) or the other, which decides the anomaly that reaches it.
noeud noeud_choisi(const orbite_actuelle& a, const std::optional<double>& longitude) {
    if (!longitude) {
        return {"à la position actuelle (nœud ascendant)", a.anomalie, 1.0};
    }
    const double l = std::fmod(std::fmod(*longitude, 360.0) + 360.0, 360.0);
    const double ecart = controle(l - longitude_sur_equateur(a, a.anomalie));
    const double sens_orbite = std::cos(deg_rad(a.inclinaison)) > 0.0 ? 1.0 : -1.0;
    const double anomalie = std::fmod(a.anomalie + sens_orbite * ecart + 720.0, 360.0);
    return {"au nœud choisi (nœud ascendant)", anomalie, 1.0};
}

// Of two burns at the nodes, the slower node's, the cheaper; of two whose delta-v agree
// within tolerance_rayon (their radii agree as closely: a circle, or nearly one), the
// one reached sooner. A node already passed on an open conic is never the sooner.
bool prefere(const tir_impulsionnel& x, const tir_impulsionnel& y) {
    const double ecart = x.delta_v - y.delta_v;
    if (std::abs(ecart) > tolerance_rayon * std::max(x.delta_v, y.delta_v)) {
        return ecart < 0.0;
    }
    const auto delai = [](const tir_impulsionnel& t) {
        return t.attente && *t.attente >= 0.0 ? *t.attente
                                              : std::numeric_limits<double>::infinity();
    };
    return delai(x) < delai(y);
}

plan_manoeuvre changement_inclinaison(const orbite_actuelle& a, double visee,
                                      const std::optional<double>& longitude_noeud) {
    if (!(visee >= 0.0 && visee <= 180.0)) {
        refuser("l'inclinaison visée doit être comprise entre 0° et 180°.");
    }
    // Equatorial to the program's pi: sin(180 degrees) is some 4e-9 with it.
    if (std::abs(std::sin(deg_rad(a.inclinaison))) < 1e-8) {
        const noeud n = noeud_choisi(a, longitude_noeud);
        const std::optional<tir_impulsionnel> tir =
            tir_au_noeud(a, n, visee, longitude_sur_equateur(a, n.anomalie));
        if (!tir) {
            refuser("le nœud choisi n'est pas sur la branche de conique parcourue.");
        }
        return conclure({*tir}, std::nullopt);
    }
    const noeud noeuds[2] = {{"au nœud ascendant", std::fmod(720.0 - a.petit_omega, 360.0), 1.0},
                             {"au nœud descendant", std::fmod(900.0 - a.petit_omega, 360.0), -1.0}};
    std::optional<tir_impulsionnel> meilleur;
    for (const noeud& n : noeuds) {
        const std::optional<tir_impulsionnel> tir = tir_au_noeud(a, n, visee, a.grand_omega);
        if (tir && (!meilleur || prefere(*tir, *meilleur))) {
            meilleur = tir;
        }
    }
    if (!meilleur) {
        refuser("aucun nœud n'est sur la branche de conique parcourue.");
    }
    return conclure({*meilleur}, std::nullopt);
}

bool equatoriale(const orbite_actuelle& a) {
    // Equatorial to the program's pi: sin(180 degrees) is some 4e-9 with it.
    return std::abs(std::sin(deg_rad(a.inclinaison))) < 1e-8 && a.inclinaison < 90.0;
}

// At the node n, the horizontal speed v_avant of the plane turned by |i| about the radial
// axis into the equator (as tir_au_noeud turns it) and changed to v_apres: one burn of
// (v_avant^2 + v_apres^2 - 2 v_avant v_apres cos i)^0.5, to the circle of radius r.
tir_impulsionnel tir_vers_equateur(const orbite_actuelle& a, const noeud& n, double v_avant,
                                   double v_apres, double r) {
    const double di = controle(0.0 - a.inclinaison);
    const double angle = deg_rad(std::abs(di));
    const double s = n.sens * (di < 0.0 ? -1.0 : 1.0);
    const double dy = controle(v_apres * std::cos(angle) - v_avant);
    const double dz = controle(s * v_apres * std::sin(angle));
    tir_impulsionnel tir;
    tir.lieu = n.lieu;
    tir.anomalie = n.anomalie;
    tir.delta_v = controle(std::hypot(dy, dz));
    tir.direction = {0.0, quotient(dy, tir.delta_v), quotient(dz, tir.delta_v)};
    tir.attente = attente(a, n.anomalie);
    const double z = controle(r - a.c.modele.rayon);
    tir.apres = {z, z, 0.0, a.grand_omega};
    return tir;
}

// The nodes of an inclined orbit: the argument of latitude omega + anomaly is 0 or 180.
std::array<noeud, 2> noeuds_de(const orbite_actuelle& a, const char* asc, const char* desc) {
    return {noeud{asc, std::fmod(720.0 - a.petit_omega, 360.0), 1.0},
            noeud{desc, std::fmod(900.0 - a.petit_omega, 360.0), -1.0}};
}

// The geostationary circle rc from an inclined circle: the first burn of the transfer at
// a node, the second at the other node, the transfer's apoapsis, where it also turns the
// plane into the equator. Done there it costs less than the plane change alone at the
// start (2 v1 sin(i / 2)) or at the arrival (2 vc sin(i / 2)) added to the transfer.
plan_manoeuvre geostationnaire_incline(const orbite_actuelle& a, double rc) {
    const double mu = a.c.modele.mu;
    const double r1 = a.o.rp;
    const double v1 = vitesse_circulaire(r1, mu);
    const double vt1 = vitesse_transfert(r1, rc, mu);
    const double vt2 = vitesse_transfert(rc, r1, mu);
    const double vc2 = vitesse_circulaire(rc, mu);
    const double demi = deg_rad(std::abs(a.inclinaison)) / 2.0;
    const double hohmann_seul = std::abs(vt1 - v1) + std::abs(vc2 - vt2);
    const double separe = hohmann_seul + 2.0 * std::min(v1, vc2) * std::sin(demi);
    const std::array<noeud, 2> depart = noeuds_de(a, "au nœud ascendant (début du transfert)",
                                                  "au nœud descendant (début du transfert)");
    const std::array<noeud, 2> arrivee = noeuds_de(
        a,
        "au nœud descendant, apoastre du transfert, avec le changement de plan (moins coûteux "
        "qu'au départ ou à l'arrivée)",
        "au nœud ascendant, apoastre du transfert, avec le changement de plan (moins coûteux "
        "qu'au départ ou à l'arrivée)");
    std::optional<plan_manoeuvre> meilleur;
    for (std::size_t k = 0; k < 2; ++k) {
        tir_impulsionnel premier =
            tir_tangent(a, depart[k].lieu, depart[k].anomalie, false, v1, vt1, r1, rc);
        tir_impulsionnel second = tir_vers_equateur(a, arrivee[1 - k], vt2, vc2, rc);
        second.attente.reset(); // from the transfer orbit, not from this one
        plan_manoeuvre plan =
            conclure({std::move(premier), std::move(second)}, demi_periode(r1, rc, a.c.modele));
        if (!meilleur || *plan.tirs.front().attente < *meilleur->tirs.front().attente) {
            meilleur = std::move(plan);
        }
    }
    if (!(meilleur->delta_v_total < separe)) {
        refuser("le changement de plan coûte moins seul, au départ : faites d'abord le "
                "changement d'inclinaison à 0°, puis visez l'orbite géostationnaire.");
    }
    return *meilleur;
}

// At the node n of an inclined ellipse: its radius, and the velocity's radial and
// horizontal parts, mu / h e sin(nu) and h / r.
struct etat_au_noeud {
    double r;
    double vr;
    double vt;
};

etat_au_noeud etat_au(const orbite_actuelle& a, const noeud& n) {
    const double nu = anomalie_vraie(a.c, n.anomalie);
    const double r = quotient(a.c.p, controle(1.0 + a.c.e * std::cos(nu)));
    const double h = a.o.moment_cinetique;
    return {r, controle(quotient(h, a.c.p) * a.c.e * std::sin(nu)), quotient(h, r)};
}

// From the node n, the velocity made horizontal, of the speed that carries the opposite
// node (an apsis then) to rc: a tangent burn when n is an apsis already.
tir_impulsionnel tir_vers_ligne_des_noeuds(const orbite_actuelle& a, const noeud& n,
                                           const etat_au_noeud& e, double rc) {
    const double dx = -e.vr;
    const double dy = controle(vitesse_transfert(e.r, rc, a.c.modele.mu) - e.vt);
    tir_impulsionnel tir;
    tir.lieu = n.lieu;
    tir.anomalie = n.anomalie;
    tir.delta_v = controle(std::hypot(dx, dy));
    tir.direction = {quotient(dx, tir.delta_v), quotient(dy, tir.delta_v), 0.0};
    tir.attente = attente(a, n.anomalie);
    const double rayon_terre = a.c.modele.rayon;
    tir.apres = {controle(std::min(e.r, rc) - rayon_terre),
                 controle(std::max(e.r, rc) - rayon_terre), a.inclinaison, a.grand_omega};
    return tir;
}

// The geostationary circle rc from an inclined ellipse (a GTO): at one node the apsides
// brought onto the line of nodes, the opposite one at rc; there, the circularisation
// combined with the plane change into the equator, (v^2 + vc^2 - 2 v vc cos i)^0.5, less
// than the two made separately. One burn when a node is already an apsis at rc; of the
// two nodes, the cheaper plan.
plan_manoeuvre geostationnaire_ellipse(const orbite_actuelle& a, double rc) {
    const double mu = a.c.modele.mu;
    const double vc = vitesse_circulaire(rc, mu);
    const double sin_demi = std::sin(deg_rad(std::abs(a.inclinaison)) / 2.0);
    const std::array<noeud, 2> noeuds = noeuds_de(a, "au nœud ascendant", "au nœud descendant");
    std::optional<plan_manoeuvre> meilleur;
    double separe = 0.0;
    for (std::size_t k = 0; k < 2; ++k) {
        const etat_au_noeud e = etat_au(a, noeuds[k]);
        const etat_au_noeud oppose = etat_au(a, noeuds[1 - k]);
        const bool apside_a_rc = std::abs(oppose.r - rc) <= tolerance_rayon * rc &&
                                 std::abs(oppose.vr) <= tolerance_rayon * oppose.vt;
        const char* nom = rc > e.r ? "apoastre" : "périastre";
        noeud arrivee = noeuds[1 - k];
        arrivee.lieu += std::string(", ") + nom +
                        " : cercle et changement de plan en un seul tir (moins coûteux que "
                        "séparés)";
        std::vector<tir_impulsionnel> tirs;
        std::optional<double> transfert;
        double v_arrivee = oppose.vt;
        if (!apside_a_rc) {
            tir_impulsionnel premier = tir_vers_ligne_des_noeuds(a, noeuds[k], e, rc);
            premier.lieu += " : l'apside opposée portée à l'altitude géostationnaire";
            if (std::abs(e.vr) > tolerance_rayon * e.vt) {
                // The apsides off the nodes: the radial speed cancelled, at a cost.
                premier.lieu += " (vitesse radiale annulée : apsides sur la ligne des nœuds)";
            }
            tirs.push_back(std::move(premier));
            v_arrivee = vitesse_transfert(rc, e.r, mu);
            transfert = demi_periode(e.r, rc, a.c.modele);
        }
        tir_impulsionnel second = tir_vers_equateur(a, arrivee, v_arrivee, vc, rc);
        if (!tirs.empty()) {
            second.attente.reset(); // from the orbit the first burn reaches
        }
        tirs.push_back(std::move(second));
        plan_manoeuvre plan = conclure(std::move(tirs), transfert);
        const double a_part = plan.tirs.size() > 1 ? plan.tirs.front().delta_v : 0.0;
        const double sep =
            a_part + std::abs(vc - v_arrivee) + 2.0 * std::min(vc, v_arrivee) * sin_demi;
        if (!meilleur || plan.delta_v_total < meilleur->delta_v_total) {
            meilleur = std::move(plan);
            separe = sep;
        }
    }
    if (!(meilleur->delta_v_total < separe)) {
        refuser("le changement de plan coûte moins seul : faites d'abord le changement "
                "d'inclinaison à 0°, puis visez l'orbite géostationnaire.");
    }
    return *meilleur;
}

plan_manoeuvre geostationnaire(const orbite_actuelle& a, double rc) {
    if (equatoriale(a)) {
        return hohmann(a, rc);
    }
    exiger_orbite_fermee(a, "l'orbite géostationnaire");
    return a.c.forme == forme_conique::cercle ? geostationnaire_incline(a, rc)
                                              : geostationnaire_ellipse(a, rc);
}

// The apsis radii (none for the apoapsis of an open conic) and the inclination the
// manoeuvre aims at from a; none when no burn can aim from there.
struct visee_rayons {
    double rp = 0.0;
    std::optional<double> ra;
    double inclinaison = 0.0;
};

std::optional<visee_rayons> visee_de(const orbite_actuelle& a, const demande_manoeuvre& d) {
    const bool libre = a.c.forme == forme_conique::cercle;
    switch (d.genre) {
    case genre_manoeuvre::hohmann: {
        const double rc = rayon_vise(d.altitude_visee, a.c.modele.rayon);
        return visee_rayons{rc, rc, a.inclinaison};
    }
    case genre_manoeuvre::circularisation:
    case genre_manoeuvre::changement_apside: {
        const bool cercle_vise = d.genre == genre_manoeuvre::circularisation;
        const double r_oppose = cercle_vise ? 0.0 : rayon_vise(d.altitude_visee, a.c.modele.rayon);
        if (!libre && d.lieu == apside::apoastre && !a.c.fermee()) {
            return std::nullopt;
        }
        const double r = libre || d.lieu == apside::periastre ? a.o.rp : *a.o.ra;
        if (cercle_vise) {
            return visee_rayons{r, r, a.inclinaison};
        }
        return visee_rayons{std::min(r, r_oppose), std::max(r, r_oppose), a.inclinaison};
    }
    case genre_manoeuvre::changement_inclinaison:
        return visee_rayons{a.o.rp, a.o.ra, d.inclinaison_visee};
    case genre_manoeuvre::geostationnaire: {
        const double rc = rayon_geostationnaire(a.c.modele);
        return visee_rayons{rc, rc, 0.0};
    }
    }
    return std::nullopt;
}

bool atteinte(const orbite_actuelle& a, const visee_rayons& v) {
    const auto proche = [](double r, double vise) {
        return std::abs(r - vise) <= tolerance_rayon * vise;
    };
    const bool apoastre = v.ra ? a.o.ra && proche(*a.o.ra, *v.ra) : !a.o.ra;
    return proche(a.o.rp, v.rp) && apoastre &&
           std::abs(a.inclinaison - v.inclinaison) <= tolerance_inclinaison;
}

[[noreturn]] void refuser_atteinte(genre_manoeuvre g) {
    switch (g) {
    case genre_manoeuvre::hohmann:
        refuser("l'orbite actuelle est déjà le cercle visé, à 0,01 % près : aucun tir n'est "
                "nécessaire.");
    case genre_manoeuvre::circularisation:
        refuser("l'orbite actuelle est déjà circulaire, à 0,01 % près : aucun tir n'est "
                "nécessaire.");
    default:
        refuser("l'orbite actuelle est déjà celle visée (rayons à 0,01 % près, inclinaison à "
                "0,001° près) : aucun tir n'est nécessaire.");
    }
}

} // namespace

bool orbite_visee_atteinte(const trajectoire& t, const demande_manoeuvre& d) {
    try {
        const orbite_actuelle a = orbite_de_depart(t, d.modele);
        const std::optional<visee_rayons> v = visee_de(a, d);
        return v && atteinte(a, *v);
    } catch (const erreur_calcul&) {
        return false;
    }
}

plan_manoeuvre planifier(const trajectoire& t, const demande_manoeuvre& d) {
    const orbite_actuelle a = orbite_de_depart(t, d.modele);
    const double rayon_terre = d.modele.rayon;
    if (const std::optional<visee_rayons> v = visee_de(a, d); v && atteinte(a, *v)) {
        refuser_atteinte(d.genre);
    }
    switch (d.genre) {
    case genre_manoeuvre::hohmann:
        return hohmann(a, rayon_vise(d.altitude_visee, rayon_terre));
    case genre_manoeuvre::circularisation:
        return circularisation(a, d.lieu);
    case genre_manoeuvre::changement_apside:
        return changement_apside(a, d.lieu, rayon_vise(d.altitude_visee, rayon_terre));
    case genre_manoeuvre::changement_inclinaison:
        return changement_inclinaison(a, d.inclinaison_visee, d.longitude_noeud);
    case genre_manoeuvre::geostationnaire:
        return geostationnaire(a, rayon_geostationnaire(d.modele));
    }
    refuser("manœuvre inconnue.");
}

plan_manoeuvre planifier_suite(const trajectoire& t, const demande_manoeuvre& d) {
    const orbite_actuelle a = orbite_de_depart(t, d.modele);
    const double rayon_terre = d.modele.rayon;
    const bool geo = d.genre == genre_manoeuvre::geostationnaire;
    const double rc =
        geo ? rayon_geostationnaire(d.modele) : rayon_vise(d.altitude_visee, rayon_terre);
    exiger_orbite_fermee(a, "la fin d'un transfert de Hohmann");
    if (a.c.forme == forme_conique::cercle) {
        refuser("l'orbite de transfert est un cercle : le premier tir n'a rien changé.");
    }
    const apside lieu =
        std::abs(a.o.rp - rc) < std::abs(*a.o.ra - rc) ? apside::periastre : apside::apoastre;
    if (geo && !equatoriale(a)) {
        // The far end of the transfer is a node: the circle and the plane change there.
        const double r = lieu == apside::periastre ? a.o.rp : *a.o.ra;
        const double anomalie = anomalie_apside(a, lieu);
        const double u = std::fmod(a.petit_omega + anomalie + 360.0, 360.0);
        const bool ascendant = u < 90.0 || u > 270.0;
        const noeud n{ascendant ? "au nœud ascendant, avec le changement de plan"
                                : "au nœud descendant, avec le changement de plan",
                      anomalie, ascendant ? 1.0 : -1.0};
        return conclure(
            {tir_vers_equateur(a, n, vitesse_a(a.o, r), vitesse_circulaire(r, a.c.modele.mu), r)},
            std::nullopt);
    }
    plan_manoeuvre plan = circularisation(a, lieu);
    plan.tirs.front().apres = {controle(rc - rayon_terre), controle(rc - rayon_terre),
                               a.inclinaison, a.grand_omega};
    return plan;
}

tir_prepare preparer_tir(const trajectoire& t, const tir_impulsionnel& tir,
                         double module_poussee_choisi, double masse_initiale, double isp_moteur,
                         const modele_terre& modele) {
    if (!(module_poussee_choisi > 0.0) || !std::isfinite(module_poussee_choisi)) {
        refuser("la poussée doit être strictement positive.");
    }
    if (!(masse_initiale > 0.0) || !std::isfinite(masse_initiale)) {
        refuser("la masse du satellite doit être strictement positive.");
    }
    if (!(isp_moteur > 0.0) || !std::isfinite(isp_moteur)) {
        refuser("l'Isp doit être strictement positive.");
    }
    // mf = m0 exp(-delta_v / (isp g0)); D = (m0 - mf) isp g0 / F. isp g0 in the thrust's
    // units (km/s for the program's Earth, m/s for the real one); delta_v in km/s.
    const double vitesse_ejection = controle(isp_moteur * modele.g0);
    const double rapport =
        controle(tir.delta_v / controle(vitesse_ejection * modele.facteur_poussee));
    const double masse_finale = masse_initiale * std::exp(-rapport);
    const double consommee = controle(-masse_initiale * std::expm1(-rapport));
    if (!(masse_finale > 0.0) || !(consommee < masse_initiale)) {
        refuser("ce tir demanderait plus que toute la masse du satellite (Isp trop faible).");
    }
    tir_prepare p;
    p.masse_finale = masse_finale;
    p.duree = quotient(controle(consommee * vitesse_ejection), module_poussee_choisi);
    p.pas = static_cast<int>(
        std::clamp(std::ceil(p.duree / pas_cible), 1.0, static_cast<double>(pas_maximum_vol)));
    for (int i = 1; i <= 3; ++i) {
        const double composante = controle(module_poussee_choisi * tir.direction(i));
        p.poussee(i) = composante == 0.0 ? 0.0 : composante; // no "-0" in a box
    }

    // The start, half the burn's time before its point.
    if (tir.point_libre) {
        p.anomalie_depart = t.anomalie;
        return p;
    }
    const orbite_actuelle a = orbite_de_depart(t, modele);
    try {
        const double t_point =
            temps_depuis_periastre(a.c.e, a.c.p, anomalie_vraie(a.c, tir.anomalie), modele);
        const double t_depart = controle(t_point - p.duree / 2.0);
        p.anomalie_depart = anomalie_record(a.c, anomalie_au_temps(a.c.e, a.c.p, t_depart, modele));
    } catch (const erreur_calcul&) {
        refuser("le point du tir n'est pas atteint sur la conique actuelle.");
    }
    return p;
}

plan_manoeuvre suivi_manoeuvre::plan_restant(const trajectoire& t, const demande_manoeuvre& d) {
    if (faits() == 0) {
        plan_manoeuvre plan = planifier(t, d);
        prevus_ = static_cast<int>(plan.tirs.size());
        visees_.clear();
        for (const tir_impulsionnel& tir : plan.tirs) {
            visees_.push_back(tir.apres);
        }
        return plan;
    }
    if (faits() < prevus_) {
        return planifier_suite(t, d);
    }
    return {};
}

void suivi_manoeuvre::noter_preparation(unsigned dernier_numero, double duree, int pas,
                                        const vecteur& poussee, std::optional<orbite_etat> prevue) {
    en_attente_ = tir_en_attente{dernier_numero, duree, pas, poussee, std::move(prevue)};
}

suivi_manoeuvre::issue suivi_manoeuvre::suivre(const std::optional<bilan_tir>& dernier) {
    if (!en_attente_ || !dernier || dernier->numero == en_attente_->numero_precedent) {
        return issue::rien;
    }
    const tir_en_attente attendu = *en_attente_;
    en_attente_.reset();
    // Exact: both sides are the numbers read back from the same texts.
    const bool le_meme = dernier->duree == attendu.duree && dernier->pas == attendu.pas &&
                         dernier->moteur.poussee == attendu.poussee;
    const std::size_t fait = resultats_.size();
    if (!le_meme || fait >= visees_.size()) {
        recommencer();
        return issue::autre_tir;
    }
    resultat r;
    r.visee = visees_[fait];
    r.prevue = attendu.prevue;
    try {
        r.obtenue = orbite_de(position_de(dernier->arrivee), vitesse_de(dernier->arrivee),
                              dernier->moteur.modele);
    } catch (const erreur_calcul&) {
    }
    resultats_.push_back(r);
    return issue::tir_suivi;
}

void suivi_manoeuvre::recommencer() {
    prevus_ = 0;
    visees_.clear();
    resultats_.clear();
    en_attente_.reset();
}

} // namespace trajel
