#include "manoeuvre/exercice.h"

#include "core/constantes.h"
#include "core/erreur.h"
#include "core/trajectoire.h"
#include "manoeuvre/bilan_tir.h"
#include "manoeuvre/conversion.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/tir.h"
#include "manoeuvre/vol_propulse.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace trajel {

namespace {

constexpr std::array<element_vise, nombre_elements_vises> elements = {
    element_vise::za, element_vise::zp, element_vise::inclinaison, element_vise::grand_omega,
    element_vise::petit_omega};

bool est_altitude(element_vise e) {
    return e == element_vise::za || e == element_vise::zp;
}

std::string nombre(double x) {
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.6g", x);
    return tampon;
}

// a - b brought into (-180, 180].
double ecart_angulaire(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) {
        d -= 360.0;
    } else if (d <= -180.0) {
        d += 360.0;
    }
    return d;
}

bool equatoriale(const exercice& e) {
    const critere_element& i = e.criteres[static_cast<std::size_t>(element_vise::inclinaison)];
    const double marge = i.coche ? i.tolerance : tolerance_angle_defaut;
    const double inclinaison = e.cible->inclinaison;
    return std::abs(inclinaison) <= marge || std::abs(inclinaison - 180.0) <= marge;
}

double tolerance_altitude(const exercice& e, element_vise el) {
    const double pourcent = e.criteres[static_cast<std::size_t>(el)].coche
                                ? e.criteres[static_cast<std::size_t>(el)].tolerance
                                : tolerance_altitude_defaut;
    return pourcent / 100.0 * (e.depart.modele.rayon + e.cible->valeur(el));
}

bool circulaire_visee(const exercice& e) {
    const double marge =
        std::max(tolerance_altitude(e, element_vise::za), tolerance_altitude(e, element_vise::zp));
    return std::abs(e.cible->za - e.cible->zp) <= marge;
}

// One request of the assistant flown impulsively: its burns added to s, the orbit
// reached into t. A Hohmann transfer's second burn is planned from the transfer orbit,
// as the assistant does. A request already met adds nothing.
void voler_demande(trajectoire& t, const demande_manoeuvre& d, solution_optimale& s) {
    if (orbite_visee_atteinte(t, d)) {
        return;
    }
    const plan_manoeuvre plan = planifier(t, d);
    t = impulsion(t, plan.tirs.front(), d.modele);
    s.tirs.push_back(plan.tirs.front());
    if (d.genre == genre_manoeuvre::hohmann && plan.tirs.size() > 1) {
        const plan_manoeuvre suite = planifier_suite(t, d);
        t = impulsion(t, suite.tirs.front(), d.modele);
        s.tirs.push_back(suite.tirs.front());
    }
}

bool proche(double r, double vise) {
    return std::abs(r - vise) <= tolerance_rayon * vise;
}

// The requests that give the target's apsides from the orbit t.
std::vector<demande_manoeuvre> demandes_forme(const trajectoire& t, const orbite_cible& c,
                                              const modele_terre& m) {
    const double R = m.rayon;
    const orbite_cible a = elements_de(t);
    const double rp = a.zp + R;
    const double ra = a.za + R;
    demande_manoeuvre d;
    d.modele = m;
    if (c.za == c.zp) {
        d.altitude_visee = c.za;
        const double rc = c.za + R;
        if (t.type_conique == elliptique && (proche(ra, rc) || proche(rp, rc))) {
            d.genre = genre_manoeuvre::circularisation;
            d.lieu = proche(ra, rc) ? apside::apoastre : apside::periastre;
        }
        return {d};
    }
    d.genre = genre_manoeuvre::changement_apside;
    if (proche(rp, c.zp + R)) {
        d.lieu = apside::periastre;
        d.altitude_visee = c.za;
        return {d};
    }
    if (proche(ra, c.za + R)) {
        d.lieu = apside::apoastre;
        d.altitude_visee = c.zp;
        return {d};
    }
    demande_manoeuvre e = d;
    d.lieu = apside::periastre;
    d.altitude_visee = c.za;
    e.lieu = apside::apoastre;
    e.altitude_visee = c.zp;
    return {d, e};
}

solution_optimale voler_ordre(trajectoire t, const orbite_cible& c, const modele_terre& m,
                              bool plan_d_abord) {
    solution_optimale s;
    demande_manoeuvre plan;
    plan.modele = m;
    plan.genre = genre_manoeuvre::changement_inclinaison;
    plan.inclinaison_visee = c.inclinaison;
    if (plan_d_abord) {
        voler_demande(t, plan, s);
    }
    // Each request from the orbit the previous one reached.
    for (std::size_t k = 0; k < 2; ++k) {
        const std::vector<demande_manoeuvre> forme = demandes_forme(t, c, m);
        if (k < forme.size()) {
            voler_demande(t, forme[k], s);
        }
    }
    if (!plan_d_abord) {
        voler_demande(t, plan, s);
    }
    for (const tir_impulsionnel& b : s.tirs) {
        s.delta_v += b.delta_v;
    }
    return s;
}

} // namespace

trajectoire impulsion(trajectoire t, const tir_impulsionnel& b, const modele_terre& m) {
    if (!b.point_libre) {
        t.anomalie = b.anomalie;
    }
    vecteur r;
    vecteur v;
    conversion_etat(1, t, r, v, m);
    const repere L = repere_local_de(r, v);
    const vecteur& d = b.direction;
    // v += delta_v (dx u + dy v + dz w)
    v.x += b.delta_v * (d.x * L.u.x + d.y * L.v.x + d.z * L.w.x);
    v.y += b.delta_v * (d.x * L.u.y + d.y * L.v.y + d.z * L.w.y);
    v.z += b.delta_v * (d.x * L.u.z + d.y * L.v.z + d.z * L.w.z);
    return orbite_atteinte(etat_de(r, v, 1.0), m);
}

const char* nom_element(element_vise e) {
    constexpr const char* noms[] = {"Za", "Zp", "i", "Omega", "omega"};
    return noms[static_cast<std::size_t>(e)];
}

double orbite_cible::valeur(element_vise e) const {
    switch (e) {
    case element_vise::za:
        return za;
    case element_vise::zp:
        return zp;
    case element_vise::inclinaison:
        return inclinaison;
    case element_vise::grand_omega:
        return grand_omega;
    case element_vise::petit_omega:
        return petit_omega;
    }
    return 0.0;
}

std::array<critere_element, nombre_elements_vises> criteres_par_defaut() {
    return {critere_element{true, tolerance_altitude_defaut},
            critere_element{true, tolerance_altitude_defaut},
            critere_element{true, tolerance_angle_defaut},
            critere_element{false, tolerance_angle_defaut},
            critere_element{false, tolerance_angle_defaut}};
}

bool solution_optimale::operator==(const solution_optimale& o) const {
    if (delta_v != o.delta_v || tirs.size() != o.tirs.size()) {
        return false;
    }
    for (std::size_t k = 0; k < tirs.size(); ++k) {
        const tir_impulsionnel& a = tirs[k];
        const tir_impulsionnel& b = o.tirs[k];
        if (a.lieu != b.lieu || a.anomalie != b.anomalie || a.point_libre != b.point_libre ||
            a.delta_v != b.delta_v || !(a.direction == b.direction)) {
            return false;
        }
    }
    return true;
}

orbite_cible elements_de(const trajectoire& t) {
    orbite_cible o;
    o.zp = t.zp;
    o.za = t.type_conique == circulaire   ? t.zp
           : t.type_conique == elliptique ? t.za
                                          : std::numeric_limits<double>::infinity();
    o.inclinaison = t.inclinaison;
    o.grand_omega = t.grand_omega;
    o.petit_omega = t.petit_omega;
    return o;
}

trajectoire trajectoire_cible(const exercice& e) {
    trajectoire t;
    const orbite_cible& c = *e.cible;
    const double R = e.depart.modele.rayon;
    const double ra = c.za + R;
    const double rp = c.zp + R;
    t.type_conique = std::string(ra == rp ? circulaire : elliptique);
    t.za = c.za;
    t.zp = c.zp;
    t.grand_omega = c.grand_omega;
    t.inclinaison = c.inclinaison;
    t.petit_omega = c.petit_omega;
    t.excentricite = (ra - rp) / (ra + rp);
    t.parametre = 2.0 * ra * rp / (ra + rp);
    construire_reperes(t);
    return t;
}

std::vector<std::string> defauts_exercice(const exercice& e) {
    std::vector<std::string> d;
    if (!(e.depart.masse > 0.0) || !std::isfinite(e.depart.masse)) {
        d.push_back("La masse du satellite au départ doit être strictement positive.");
    }
    if (!(e.depart.isp > 0.0) || !std::isfinite(e.depart.isp)) {
        d.push_back("L'Isp du départ doit être strictement positive.");
    }
    if (!e.cible) {
        d.push_back("L'orbite visée manque.");
        return d;
    }
    const orbite_cible& c = *e.cible;
    for (element_vise el : elements) {
        if (!std::isfinite(c.valeur(el))) {
            d.push_back(std::string("L'élément ") + nom_element(el) +
                        " de l'orbite visée n'est pas un nombre fini.");
        }
    }
    if (c.zp < 0.0) {
        d.push_back("L'orbite visée passe dans la Terre (Zp négative).");
    }
    if (c.za < c.zp) {
        d.push_back("L'apogée visée (Za) est plus basse que le périgée visé (Zp).");
    }
    if (c.inclinaison < 0.0 || c.inclinaison > 180.0) {
        d.push_back("L'inclinaison visée doit être comprise entre 0° et 180°.");
    }
    bool un_coche = false;
    for (element_vise el : elements) {
        const critere_element& k = e.criteres[static_cast<std::size_t>(el)];
        un_coche = un_coche || k.coche;
        if (k.coche && !(k.tolerance > 0.0 && std::isfinite(k.tolerance))) {
            d.push_back(std::string("La tolérance sur ") + nom_element(el) +
                        " doit être un nombre strictement positif (lu : " + nombre(k.tolerance) +
                        ").");
        }
    }
    if (!un_coche) {
        d.push_back("Aucun élément de l'orbite visée n'est coché.");
    }
    if (e.budget_delta_v && !(*e.budget_delta_v > 0.0 && std::isfinite(*e.budget_delta_v))) {
        d.push_back("Le budget de Δv doit être un nombre strictement positif en km/s (lu : " +
                    nombre(*e.budget_delta_v) + ").");
    }
    if (e.tirs_maximum && *e.tirs_maximum < 1) {
        d.push_back("Le nombre maximal de tirs doit être au moins 1.");
    }
    return d;
}

std::optional<solution_optimale> calculer_optimum(const depart_exercice& d,
                                                  const orbite_cible& cible) {
    std::optional<solution_optimale> meilleure;
    for (bool plan_d_abord : {false, true}) {
        try {
            solution_optimale s = voler_ordre(d.orbite, cible, d.modele, plan_d_abord);
            if (!meilleure || s.delta_v < meilleure->delta_v) {
                meilleure = std::move(s);
            }
        } catch (const erreur_calcul&) {
            // this order cannot be planned: the other may
        }
    }
    return meilleure;
}

std::array<ecart_element, nombre_elements_vises> ecarts(const exercice& e, const trajectoire& t) {
    std::array<ecart_element, nombre_elements_vises> r{};
    if (!e.cible) {
        return r;
    }
    const orbite_cible a = elements_de(t);
    const bool sans_noeud = equatoriale(e);
    for (std::size_t n = 0; n < nombre_elements_vises; ++n) {
        const element_vise el = elements[n];
        ecart_element& x = r[n];
        const critere_element& k = e.criteres[n];
        x.element = el;
        x.coche = k.coche;
        x.visee = e.cible->valeur(el);
        if (std::isfinite(a.valeur(el))) {
            x.actuelle = a.valeur(el);
        }
        if (est_altitude(el)) {
            x.tolerance = tolerance_altitude(e, el);
            x.ecart = x.actuelle ? *x.actuelle - x.visee : std::numeric_limits<double>::infinity();
        } else if (el == element_vise::inclinaison) {
            x.tolerance = k.tolerance;
            x.ecart = a.inclinaison - x.visee;
        } else {
            x.tolerance = k.tolerance;
            x.ecart = ecart_angulaire(*x.actuelle, x.visee);
        }
        x.sans_objet = (el == element_vise::grand_omega && sans_noeud) ||
                       (el == element_vise::petit_omega && circulaire_visee(e));
        if (el == element_vise::petit_omega && sans_noeud && !x.sans_objet) {
            // equatorial: the longitude of periapsis Omega + omega is what has a meaning
            x.ecart = ecart_angulaire(a.grand_omega + a.petit_omega,
                                      e.cible->grand_omega + e.cible->petit_omega);
        }
        x.dans_tolerance = x.sans_objet || std::abs(x.ecart) <= x.tolerance;
    }
    return r;
}

bool cible_atteinte(const std::array<ecart_element, nombre_elements_vises>& ecarts) {
    for (const ecart_element& x : ecarts) {
        if (x.coche && !x.dans_tolerance) {
            return false;
        }
    }
    return true;
}

rejeu_tirs rejouer(const exercice& e, const std::vector<ligne_journal>& journal) {
    rejeu_tirs r;
    r.finale = e.depart.orbite;
    r.masse = e.depart.masse;
    const modele_terre& m = e.depart.modele;
    for (const ligne_journal& l : journal) {
        try {
            trajectoire T = r.finale;
            T.anomalie = l.anomalie;
            const propulsion moteur{l.poussee, norme(l.poussee), e.depart.isp, m};
            const consigne_vol vol = consigne_du_vol(T, moteur, l.duree, l.pas, r.masse);
            trajectoire avant = T;
            etat S = etat_initial(avant, vol.m0, m);
            const etat S0 = S;
            voler(vol, S, sans_observateur);
            const trajectoire apres = orbite_atteinte(S, m);
            const bilan_tir b{0, S0, S, vol.moteur, vol.duree, vol.pas, avant, apres};
            r.delta_v += chiffres_du_tir(b).delta_v;
            r.finale = apres;
            r.masse = S.m;
            r.apres.push_back(orbite_journal_de(apres));
            ++r.tirs;
        } catch (const erreur_calcul& x) {
            r.echec = "Tir " + std::to_string(r.tirs + 1) + " : " + x.what();
            break;
        }
    }
    return r;
}

score_exercice noter(const exercice& e, const rejeu_tirs& r, std::optional<double> temps_mission) {
    score_exercice s;
    s.delta_v = r.delta_v;
    s.tirs = r.tirs;
    s.temps_mission = temps_mission;
    s.finale = elements_de(r.finale);
    s.cible_atteinte = !r.echec && e.cible && cible_atteinte(ecarts(e, r.finale));
    s.budget_depasse = e.budget_delta_v && r.delta_v > *e.budget_delta_v;
    s.tirs_depasses = e.tirs_maximum && r.tirs > *e.tirs_maximum;
    if (e.optimum) {
        s.delta_v_optimal = e.optimum->delta_v;
        if (r.delta_v > 0.0) {
            s.rapport = r.delta_v / e.optimum->delta_v;
        }
    }
    if (r.echec) {
        s.raisons.push_back(*r.echec);
    }
    if (!s.cible_atteinte) {
        s.raisons.push_back("L'orbite visée n'est pas atteinte.");
    }
    if (s.budget_depasse) {
        s.raisons.push_back("Budget de Δv dépassé : " + nombre(r.delta_v) + " km/s pour " +
                            nombre(*e.budget_delta_v) + " km/s permis.");
    }
    if (s.tirs_depasses) {
        s.raisons.push_back("Nombre de tirs dépassé : " + std::to_string(r.tirs) + " pour " +
                            std::to_string(*e.tirs_maximum) + " permis.");
    }
    s.atteint = s.cible_atteinte && !s.budget_depasse && !s.tirs_depasses;
    // A mark only for an exercise done: a missed target or a broken rule earns none.
    if (s.atteint && s.rapport) {
        s.note = 100.0 / *s.rapport;
    }
    return s;
}

std::vector<std::string> differences_copie(const exercice& e,
                                           const std::vector<ligne_journal>& journal,
                                           const score_exercice& annonce) {
    std::vector<std::string> d;
    const rejeu_tirs r = rejouer(e, journal);
    if (r.echec) {
        d.push_back(*r.echec);
        return d;
    }
    const double R = e.depart.modele.rayon;
    const auto altitude_proche = [R](double a, double b) {
        return std::abs(a - b) <= tolerance_copie_rayon * (R + std::abs(b));
    };
    const auto angle_proche = [](double a, double b) {
        return std::abs(ecart_angulaire(a, b)) <= tolerance_copie_angle;
    };
    for (std::size_t k = 0; k < journal.size(); ++k) {
        const orbite_journal& dit = journal[k].apres;
        const orbite_journal& vole = r.apres[k];
        const bool za = dit.za_ou_phi.has_value() == vole.za_ou_phi.has_value() &&
                        (!dit.za_ou_phi || altitude_proche(*dit.za_ou_phi, *vole.za_ou_phi));
        if (dit.type_conique != vole.type_conique || !za || !altitude_proche(dit.zp, vole.zp) ||
            !angle_proche(dit.inclinaison, vole.inclinaison)) {
            d.push_back("Le tir " + std::to_string(k + 1) +
                        " ne mène pas à l'orbite que le journal lui donne.");
        }
    }
    const orbite_cible f = elements_de(r.finale);
    const orbite_cible& a = annonce.finale;
    const bool za = std::isinf(f.za) ? std::isinf(a.za) : altitude_proche(a.za, f.za);
    // The node of a near-equatorial orbit and the periapsis of a near circle move with
    // the last digits: they are compared only where they are defined.
    const bool noeud = f.inclinaison > 1e-3 && f.inclinaison < 180.0 - 1e-3;
    const bool periastre = !std::isinf(f.za) && f.za - f.zp > 1e-3 * (R + f.zp);
    if (!za || !altitude_proche(a.zp, f.zp) || !angle_proche(a.inclinaison, f.inclinaison) ||
        (noeud && !angle_proche(a.grand_omega, f.grand_omega)) ||
        (noeud && periastre && !angle_proche(a.petit_omega, f.petit_omega))) {
        d.push_back("L'orbite finale annoncée n'est pas celle que les tirs atteignent.");
    }
    if (std::abs(annonce.delta_v - r.delta_v) > tolerance_copie_delta_v || annonce.tirs != r.tirs) {
        d.push_back("Le Δv ou le nombre de tirs annoncés ne sont pas ceux des tirs.");
    }
    return d;
}

} // namespace trajel
