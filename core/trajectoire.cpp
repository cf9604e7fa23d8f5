#include "core/trajectoire.h"

#include "core/texte.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace trajel {

const char* nom_de_boite(zone_texte zone) {
    switch (zone) {
    case zone_texte::Text1:
        return Form1->selectionne(bouton_option::Option_hyperbolique) ? "la zone « Phi° »"
                                                                      : "la zone « Za (km) »";
    case zone_texte::Text2:
        return "la zone « Zp (km) »";
    case zone_texte::Text3:
        return "la zone « Omega ° »";
    case zone_texte::Text4:
        return "la zone « i ° »";
    case zone_texte::Text5:
        return "la zone « omega ° »";
    case zone_texte::Text6:
        return "la zone « Masse (kg) »";
    case zone_texte::Text7:
        return "la zone « Anomalie° »";
    case zone_texte::Text8:
        return "la poussée ortho-radiale";
    case zone_texte::Text9:
        return "la poussée radiale";
    case zone_texte::Text10:
        return "la poussée normale au plan orbital";
    case zone_texte::Text13:
        return "la zone « Isp (s) »";
    default:
        return "une zone de la fenêtre";
    }
}

namespace {

double valeur(zone_texte zone) {
    return en_calculant(nom_de_boite(zone), [zone] { return Val(Form1->texte(zone)); });
}

constexpr const char* passe_par_le_centre =
    "Cette orbite passe par le centre de la Terre (un rayon d'apside nul : altitude -3618 km, "
    "ou Za + Zp = -7236 km) : elle ne peut pas être tracée.";

constexpr const char* trop_grande =
    "Cette orbite est trop grande pour être calculée : une altitude est si grande devant "
    "l'autre que l'excentricité s'arrondit à 1 (dépassement de capacité).";

// e = (ra - rp) / (ra + rp) rounds to +-1 once the smaller radius is below half an ulp of
// the larger, and p = (1 - e^2) a to 0, though both radii are nonzero. The larger radius
// is then the one out of scale when it is further above the Earth's radius than the
// smaller is below it (|ra rp| >= R^2): the orbit is too large; otherwise the smaller one
// is a zero radius within rounding, and the orbit passes through the centre.
bool excentricite_arrondie_par_la_taille(double ra, double rp, double rayon) {
    const double petit = std::min(std::abs(ra), std::abs(rp));
    const double grand = std::max(std::abs(ra), std::abs(rp));
    return petit > 0.0 && grand / rayon >= rayon / petit;
}

// The shape of the conic from the type and the altitudes or the angle Phi.
void calculer_forme(trajectoire& t, const modele_terre& modele) {
    const double rayon_terre = modele.rayon;
    if (t.type_conique == circulaire) {
        t.za = valeur(zone_texte::Text2);
        t.zp = t.za;
        const double r = controle(t.zp + rayon_terre);
        t.excentricite = 0.0;
        t.parametre = r;
    } else if (t.type_conique == elliptique) {
        t.za = valeur(zone_texte::Text1);
        t.zp = valeur(zone_texte::Text2);
        const double ra = controle(t.za + rayon_terre);
        const double rp = controle(t.zp + rayon_terre);
        const double a = controle(controle(rp + ra) * 0.5);
        // ra + rp = 0, or one radius 0 (e = +-1, p = 0): a segment through the Earth's
        // centre, where r = p / (1 + e cos nu) is 0 / 0.
        if (controle(rp + ra) == 0.0) {
            // (ra - rp) / 0: a division by zero, or 0 / 0 when both radii are 0.
            throw erreur_calcul(ra == rp ? nature_erreur::operation_invalide
                                         : nature_erreur::division_par_zero,
                                passe_par_le_centre);
        }
        t.excentricite = quotient(controle(ra - rp), controle(rp + ra));
        t.parametre = controle((1.0 - t.excentricite * t.excentricite) * a);
        if (t.parametre == 0.0) {
            if (excentricite_arrondie_par_la_taille(ra, rp, rayon_terre)) {
                throw erreur_calcul(nature_erreur::depassement_capacite, trop_grande);
            }
            throw erreur_calcul(nature_erreur::operation_invalide, passe_par_le_centre);
        }
    } else if (t.type_conique == parabolique) {
        t.zp = valeur(zone_texte::Text2);
        t.excentricite = 1.0;
        t.parametre = controle(2.0 * controle(t.zp + rayon_terre));
    } else if (t.type_conique == hyperbolique) {
        t.angle_asymptote = valeur(zone_texte::Text1);
        t.zp = valeur(zone_texte::Text2);
        const double rp = controle(t.zp + rayon_terre);
        // cos(Phi) = 1 / e: a hyperbola needs it strictly between 0 and 1.
        const double c = std::cos(deg_rad(t.angle_asymptote));
        if (!(c > 0.0 && c < 1.0)) {
            lever(nature_erreur::angle_phi_invalide);
        }
        t.excentricite = quotient(1.0, c);
        const double a = quotient(rp, t.excentricite - 1.0);
        t.parametre = controle((t.excentricite * t.excentricite - 1.0) * a);
    }
}

} // namespace

void repere_orbital(const double& grand_omega, const double& inclinaison, const double& angle,
                    repere& out) {
    const trigo o = trigo_de(grand_omega);
    const trigo i = trigo_de(inclinaison);
    const trigo w = trigo_de(angle);
    out.u = u_orbital(o, i, w);
    out.v = v_orbital(o, i, w);
    prod_vectoriel(out.u, out.v, out.w);
}

void repere_local(const double& longitude, const double& latitude, const double& cap, repere& out) {
    const trigo l = trigo_de(longitude);
    const trigo b = trigo_de(latitude);
    const trigo a = trigo_de(cap);
    out.u = u_local(l, b);
    out.v = v_local(l, b, a);
    prod_vectoriel(out.u, out.v, out.w);
}

void construire_reperes(trajectoire& t) {
    repere_orbital(t.grand_omega, 0.0, 0.0, t.repere_RN);
    repere_orbital(t.grand_omega, t.inclinaison, 0.0, t.repere_RH);
    repere_orbital(t.grand_omega, t.inclinaison, t.petit_omega, t.repere_RP);
    repere_orbital(t.grand_omega, t.inclinaison, controle(t.anomalie + t.petit_omega),
                   t.repere_sat);
}

void calcul_trajectoire(trajectoire& resultat, const modele_terre& modele) {
    // Computed aside and stored at the end: an error leaves the record and the
    // satellite values as the last successful computation left them.
    trajectoire t = resultat;

    // The first selected orbit-type option names the conic; none keeps the old type.
    if (Form1->selectionne(bouton_option::Option_circulaire)) {
        t.type_conique = circulaire;
    } else if (Form1->selectionne(bouton_option::Option_elliptique)) {
        t.type_conique = elliptique;
    } else if (Form1->selectionne(bouton_option::Option_parabolique)) {
        t.type_conique = parabolique;
    } else if (Form1->selectionne(bouton_option::Option_hyperbolique)) {
        t.type_conique = hyperbolique;
    }

    const char* forme = t.type_conique == hyperbolique ? "la forme de la conique (Phi, Zp)"
                                                       : "la forme de la conique (Za, Zp)";
    en_calculant(forme, [&] { calculer_forme(t, modele); });

    en_calculant("l'orientation de l'orbite (Omega, i, omega, anomalie)", [&] {
        t.grand_omega = valeur(zone_texte::Text3);
        t.inclinaison = valeur(zone_texte::Text4);
        t.petit_omega = valeur(zone_texte::Text5);
        t.anomalie = valeur(zone_texte::Text7);
        construire_reperes(t);
    });

    const double isp_lu = valeur(zone_texte::Text13);
    const double masse_lue = valeur(zone_texte::Text6);
    vecteur poussee_lue;
    poussee_lue.x = valeur(zone_texte::Text9);  // radial
    poussee_lue.y = valeur(zone_texte::Text8);  // ortho-radial
    poussee_lue.z = valeur(zone_texte::Text10); // normal to the orbit plane
    const double module =
        en_calculant("le module de la poussée (radiale, ortho-radiale, normale)", [&] {
            return puissance(controle(poussee_lue.x * poussee_lue.x +
                                      poussee_lue.y * poussee_lue.y +
                                      poussee_lue.z * poussee_lue.z),
                             0.5);
        });

    resultat = std::move(t);
    isp = isp_lu;
    masse = masse_lue;
    poussee = poussee_lue;
    module_poussee = module;
    Form1->legende_Label_debit("0");
}

} // namespace trajel
