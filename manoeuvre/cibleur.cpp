#include "manoeuvre/cibleur.h"

#include "core/caracteristiques.h"
#include "core/texte.h"
#include "manoeuvre/etat.h"
#include "manoeuvre/vol_propulse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>

namespace trajel {

namespace {

// The correction stops at a hundredth of the tolerances (tolerance_rayon,
// tolerance_inclinaison).
constexpr double ecart_converge = 0.01; // in tolerances
// An orbit kept whose eccentricity is below this is kept as a circle: the eccentricity
// vector aimed at 0, e itself allowed as a margin.
constexpr double excentricite_cercle = 1e-5;
// Finite differences, in each parameter's own scale; the longest Newton step, likewise.
constexpr double pas_differences = 1e-6;
constexpr double pas_newton_maximum = 0.5;
constexpr int amortissements_maximum = 8; // Levenberg's terms tried after Newton's step

constexpr double degres_par_radian = 180.0 / pi;

[[noreturn]] void refuser(const std::string& raison) {
    throw erreur_calcul(nature_erreur::tir_refuse, "Manœuvre impossible : " + raison);
}

std::string secondes(double s) {
    char texte[32];
    std::snprintf(texte, sizeof texte, "%.0f s", s);
    return texte;
}

// A value as the window reads back its text.
double relu(double x) {
    return Val(Str(x == 0.0 ? 0.0 : x)); // no "-0" in a box
}

int pas_pour(double duree) {
    const double n = std::ceil(duree / pas_maximum_secondes);
    if (!(n <= pas_maximum_tir)) {
        refuser("le tir demanderait plus de 32766 pas d'une seconde.");
    }
    return std::max(1, static_cast<int>(n));
}

double normaliser_degres(double angle) {
    const double a = std::fmod(angle, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

tir_prepare ecrire(const commande_tir& c, double module_poussee_choisi, const depart_tir& d,
                   std::optional<int> pas) {
    // Unit thrust in the local frame (radial, ortho-radial, normal).
    const double az = deg_rad(c.azimut);
    const double el = deg_rad(c.elevation);
    const vecteur direction{std::sin(az) * std::cos(el), std::cos(az) * std::cos(el), std::sin(el)};
    tir_prepare p;
    for (int i = 1; i <= 3; ++i) {
        p.poussee(i) = relu(controle(module_poussee_choisi * direction(i)));
    }
    p.duree = relu(c.duree);
    if (!(p.duree > 0.0)) {
        refuser("la durée du tir doit être positive.");
    }
    p.pas = pas ? *pas : pas_pour(p.duree);
    p.anomalie_depart = relu(normaliser_degres(c.anomalie_depart));
    const double debit = quotient(norme(p.poussee), controle(d.isp * d.modele.g0)); // kg/s
    p.masse_finale = controle(d.masse - controle(p.duree * debit));
    return p;
}

// What the orbit reached is measured by, from the end state.
struct mesure_orbite {
    double a = 0.0;  // km
    double e = 0.0;  // |eps|
    vecteur epsilon; // eccentricity vector
    vecteur u;       // radial at the end
    vecteur w;       // orbit normal
};

mesure_orbite mesurer(const etat& S, double mu) {
    const vecteur r = position_de(S);
    const vecteur v = vitesse_de(S);
    mesure_orbite m;
    const double energie =
        controle(0.5 * (v.x * v.x + v.y * v.y + v.z * v.z) - quotient(mu, norme(r)));
    if (!(energie < 0.0)) {
        refuser("le tir essayé mène à une orbite ouverte.");
    }
    m.a = quotient(-mu, 2.0 * energie); // a = -mu / (2 E)
    vecteur h;
    prod_vectoriel(r, v, h);
    unitaire(r, m.u);
    unitaire(h, m.w);
    vecteur vh;
    prod_vectoriel(v, h, vh);
    for (int i = 1; i <= 3; ++i) {
        m.epsilon(i) = controle(vh(i) / mu - m.u(i)); // eps = v x h / mu - r / |r|
    }
    m.e = norme(m.epsilon);
    return m;
}

double scalaire(const vecteur& a, const vecteur& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// One residual: its value in its unit, the tolerance in that unit, and a margin the
// target itself leaves (an orbit kept as a circle that is not quite one).
struct residu {
    double valeur = 0.0;
    double unite = 1.0;
    double marge = 0.0;
};

// The eccentricity vector in the plane reached: along the radial and ortho-radial axes
// at the end (e cos nu, e sin nu), aimed at 0.
void residus_cercle(const mesure_orbite& m, double marge, std::vector<residu>& r) {
    vecteur t;
    prod_vectoriel(m.w, m.u, t);
    r.push_back({scalaire(m.epsilon, m.u), tolerance_rayon, marge});
    r.push_back({scalaire(m.epsilon, t), tolerance_rayon, marge});
}

// The conic kept, of periapsis rp and apoapsis ra: a and e, or the circle when e is tiny.
void residus_forme(const mesure_orbite& m, double rp, double ra, std::vector<residu>& r) {
    const double a = 0.5 * (rp + ra);
    const double e = (ra - rp) / (ra + rp);
    // rp = a (1 - e): each of a and e within half the tolerance keeps rp within it.
    r.push_back({m.a - a, 0.5 * tolerance_rayon * rp, 0.0});
    if (e < excentricite_cercle) {
        residus_cercle(m, e, r);
    } else {
        r.push_back({m.e - e, 0.5 * tolerance_rayon * rp / a, 0.0});
    }
}

std::vector<residu> residus_de(const cible_tir& c, const etat& fin) {
    const mesure_orbite m = mesurer(fin, c.mu);
    std::vector<residu> r;
    switch (c.g) {
    case cible_tir::genre::apside_atteinte: {
        const double rayon = c.apoastre ? m.a * (1.0 + m.e) : m.a * (1.0 - m.e);
        r.push_back({rayon - c.rayon, tolerance_rayon * c.rayon, 0.0});
        break;
    }
    case cible_tir::genre::cercle:
        r.push_back({m.a - c.rayon, tolerance_rayon * c.rayon, 0.0});
        residus_cercle(m, 0.0, r);
        break;
    case cible_tir::genre::apsides:
        residus_forme(m, c.rp, c.ra, r);
        break;
    case cible_tir::genre::plan_et_apsides: {
        // The normal aimed at: the node line n turned by the inclination.
        const double O = deg_rad(c.grand_omega);
        const double i = deg_rad(c.inclinaison);
        const vecteur n{std::cos(O), std::sin(O), 0.0};
        const vecteur w{std::sin(O) * std::sin(i), -std::cos(O) * std::sin(i), std::cos(i)};
        vecteur axe_i; // d w / d i = n x w
        prod_vectoriel(n, w, axe_i);
        r.push_back({scalaire(m.w, axe_i) * degres_par_radian, tolerance_inclinaison, 0.0});
        r.push_back({scalaire(m.w, n) * degres_par_radian, tolerance_inclinaison, 0.0});
        residus_forme(m, c.rp, c.ra, r);
        break;
    }
    }
    return r;
}

std::vector<std::string> noms_de(const cible_tir& c) {
    std::vector<std::string> forme{"Δ demi-grand axe (km)"};
    const double e = (c.ra - c.rp) / (c.ra + c.rp);
    if (c.g == cible_tir::genre::cercle || e < excentricite_cercle) {
        forme.insert(forme.end(), {"e cos ν", "e sin ν"});
    } else {
        forme.push_back("Δ excentricité");
    }
    switch (c.g) {
    case cible_tir::genre::apside_atteinte:
        return {c.apoastre ? "Δ rayon de l'apoastre (km)" : "Δ rayon du périastre (km)"};
    case cible_tir::genre::cercle:
        return {"Δ demi-grand axe (km)", "e cos ν", "e sin ν"};
    case cible_tir::genre::apsides:
        return forme;
    case cible_tir::genre::plan_et_apsides:
        forme.insert(forme.begin(), {"Δ inclinaison (°)", "Δ plan sur l'autre axe (°)"});
        return forme;
    }
    return forme;
}

// A trial: the burn as written, where it ends and what it misses by.
struct essai {
    tir_prepare p;
    etat fin;
    std::vector<residu> residus;
    double merite = 0.0; // sum of the squares of the residuals in tolerances
    double ecart = 0.0;  // the largest residual in tolerances, margins deducted
};

essai essayer(const depart_tir& d, const cible_tir& cible, const commande_tir& c, double F,
              std::optional<int> pas = std::nullopt) {
    essai e;
    e.p = ecrire(c, F, d, pas);
    e.fin = integrer_tir_prepare(d, e.p);
    e.residus = residus_de(cible, e.fin);
    for (const residu& r : e.residus) {
        const double x = r.valeur / r.unite;
        e.merite += x * x;
        e.ecart = std::max(e.ecart, std::max(0.0, std::abs(r.valeur) - r.marge) / r.unite);
    }
    if (!std::isfinite(e.merite)) {
        refuser("le tir essayé ne donne pas d'orbite définie.");
    }
    return e;
}

// The free parameters: their place in commande_tir and their scale.
double& parametre(commande_tir& c, int k) {
    switch (k) {
    case 0:
        return c.azimut;
    case 1:
        return c.elevation;
    case 2:
        return c.duree;
    default:
        return c.anomalie_depart;
    }
}

// Solves A x = b (n x n) by Gaussian elimination with partial pivoting; false when A is
// singular.
bool resoudre(std::vector<std::vector<double>> A, std::vector<double> b, std::vector<double>& x) {
    const std::size_t n = b.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i < n; ++i) {
            if (std::abs(A[i][k]) > std::abs(A[pivot][k])) {
                pivot = i;
            }
        }
        if (!(std::abs(A[pivot][k]) > 0.0)) {
            return false;
        }
        std::swap(A[k], A[pivot]);
        std::swap(b[k], b[pivot]);
        for (std::size_t i = k + 1; i < n; ++i) {
            const double f = A[i][k] / A[k][k];
            for (std::size_t j = k; j < n; ++j) {
                A[i][j] -= f * A[k][j];
            }
            b[i] -= f * b[k];
        }
    }
    x.assign(n, 0.0);
    for (std::size_t k = n; k-- > 0;) {
        double s = b[k];
        for (std::size_t j = k + 1; j < n; ++j) {
            s -= A[k][j] * x[j];
        }
        x[k] = s / A[k][k];
    }
    for (double v : x) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

// Newton's step for F + J dx = 0 (m residuals, k parameters): least squares when
// m > k, the least change otherwise, with Levenberg's term `levenberg` (relative to the
// largest diagonal term) that keeps the parameters the residuals hardly see from
// moving: 1e-12 for Newton's own step, more to damp it towards the steepest descent.
bool pas_de_newton(const std::vector<std::vector<double>>& J, const std::vector<double>& F,
                   double levenberg, std::vector<double>& dx) {
    const std::size_t m = F.size();
    const std::size_t k = J.empty() ? 0 : J[0].size();
    const std::size_t n = std::min(m, k);
    std::vector<std::vector<double>> A(n, std::vector<double>(n, 0.0));
    std::vector<double> b(n, 0.0);
    double diagonale = 0.0;
    if (m > k) { // (J^T J + mu) dx = -J^T F
        for (std::size_t i = 0; i < k; ++i) {
            for (std::size_t j = 0; j < k; ++j) {
                for (std::size_t l = 0; l < m; ++l) {
                    A[i][j] += J[l][i] * J[l][j];
                }
            }
            for (std::size_t l = 0; l < m; ++l) {
                b[i] -= J[l][i] * F[l];
            }
            diagonale = std::max(diagonale, A[i][i]);
        }
    } else { // dx = J^T y, (J J^T + mu) y = -F
        for (std::size_t i = 0; i < m; ++i) {
            for (std::size_t j = 0; j < m; ++j) {
                for (std::size_t l = 0; l < k; ++l) {
                    A[i][j] += J[i][l] * J[j][l];
                }
            }
            b[i] = -F[i];
            diagonale = std::max(diagonale, A[i][i]);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        A[i][i] += levenberg * diagonale;
    }
    std::vector<double> y;
    if (!(diagonale > 0.0) || !resoudre(A, b, y)) {
        return false;
    }
    if (m > k) {
        dx = y;
    } else {
        dx.assign(k, 0.0);
        for (std::size_t l = 0; l < k; ++l) {
            for (std::size_t i = 0; i < m; ++i) {
                dx[l] += J[i][l] * y[i];
            }
        }
    }
    return true;
}

iteration_ciblage ligne_de(int numero, const commande_tir& c, const essai& e, double lambda) {
    iteration_ciblage it;
    it.numero = numero;
    it.commande = c;
    it.commande.duree = e.p.duree;
    it.commande.anomalie_depart = e.p.anomalie_depart;
    it.pas = e.p.pas;
    for (const residu& r : e.residus) {
        it.residus.push_back(r.valeur);
    }
    it.ecart = e.ecart;
    it.amortissement = lambda;
    return it;
}

// Why the first guess cannot be corrected around the impulse: a burn of more than 32766
// steps of a second, or longer than a quarter of the period; none when it can.
std::optional<std::string> trop_long(const depart_tir& d, const tir_prepare& premier) {
    if (premier.duree > pas_maximum_tir * pas_maximum_secondes) {
        return "le tir durerait " + secondes(premier.duree) +
               ", plus que 32766 pas d'une seconde : la cible est hors de portée de "
               "cette poussée.";
    }
    try {
        const std::optional<double> periode =
            caracteristiques_de(conique_de(d.orbite, d.modele)).periode;
        if (periode && premier.duree > 0.25 * *periode) {
            return "la poussée est trop faible : le tir durerait " + secondes(premier.duree) +
                   ", plus du quart de la période (" + secondes(*periode) +
                   ") ; un tir aussi long ne se corrige pas autour "
                   "de l'impulsion.";
        }
    } catch (const erreur_calcul&) {
    }
    return std::nullopt;
}

// The free parameters (their places in parametre()): the azimuth and the duration, the
// elevation for a plane change, and the start unless it is free (on a circle the burn
// starts where the satellite stands).
std::vector<int> parametres_libres(const cible_tir& cible, const tir_impulsionnel& tir) {
    std::vector<int> libres{0, 2};
    if (cible.g == cible_tir::genre::plan_et_apsides) {
        libres = {0, 1, 2};
    }
    if (!tir.point_libre) {
        libres.push_back(3);
    }
    return libres;
}

// The scales of the parameters: the angles in radians, the duration in first-guess
// durations.
std::array<double, 4> echelles_de(const tir_prepare& premier) {
    return {degres_par_radian, degres_par_radian, premier.duree, degres_par_radian};
}

// The correction under way: the free parameters and their scales, the command and the
// trial it gave.
struct correction {
    const depart_tir& d;
    const cible_tir& cible;
    double poussee; // N, the thrust chosen
    std::vector<int> libres;
    std::array<double, 4> echelles;
    commande_tir x;
    essai courant;

    double echelle(int k) const { return echelles[static_cast<std::size_t>(k)]; }
};

// The residuals of a trial in tolerances.
std::vector<double> residus_reduits(const essai& e) {
    std::vector<double> F(e.residus.size());
    for (std::size_t i = 0; i < F.size(); ++i) {
        F[i] = e.residus[i].valeur / e.residus[i].unite;
    }
    return F;
}

// The sensitivities dF / dx of the reduced residuals F of the current trial, by forward
// differences in each parameter's scale, with the steps of the current burn. Raises
// the error of a trial that fails.
std::vector<std::vector<double>> sensibilites(const correction& k, const std::vector<double>& F) {
    const std::size_t m = F.size();
    std::vector<std::vector<double>> J(m, std::vector<double>(k.libres.size()));
    for (std::size_t j = 0; j < k.libres.size(); ++j) {
        commande_tir xj = k.x;
        parametre(xj, k.libres[j]) += pas_differences * k.echelle(k.libres[j]);
        const essai ej = essayer(k.d, k.cible, xj, k.poussee, k.courant.p.pas);
        for (std::size_t i = 0; i < m; ++i) {
            J[i][j] = (ej.residus[i].valeur / ej.residus[i].unite - F[i]) / pas_differences;
        }
    }
    return J;
}

// Damping: Newton's step, then Levenberg's steps ever closer to the steepest descent and
// shorter, until the residuals decrease. The first trial that lowers the merit becomes
// the current one; Levenberg's term of its step, none when no step lowers it.
std::optional<double> avancer(correction& k, const std::vector<std::vector<double>>& J,
                              const std::vector<double>& F) {
    for (int essai_pas = 0; essai_pas <= amortissements_maximum; ++essai_pas) {
        const double levenberg = essai_pas == 0 ? 1e-12 : 1e-6 * std::pow(100.0, essai_pas - 1);
        std::vector<double> dx;
        if (!pas_de_newton(J, F, levenberg, dx)) {
            continue;
        }
        double plus_grand = 0.0;
        for (double v : dx) {
            plus_grand = std::max(plus_grand, std::abs(v));
        }
        const double lambda =
            plus_grand > pas_newton_maximum ? pas_newton_maximum / plus_grand : 1.0;
        commande_tir essaye = k.x;
        for (std::size_t j = 0; j < k.libres.size(); ++j) {
            parametre(essaye, k.libres[j]) += lambda * dx[j] * k.echelle(k.libres[j]);
        }
        try {
            essai e = essayer(k.d, k.cible, essaye, k.poussee);
            if (e.merite < k.courant.merite) {
                k.x = essaye;
                k.courant = std::move(e);
                return levenberg;
            }
        } catch (const erreur_calcul&) {
        }
    }
    return std::nullopt;
}

// Newton's iterations from the current trial, each row added to `iterations`, until
// the residuals are within a hundredth of their tolerances; why it failed, none when it
// met the target. A target that the burn's parameters hardly see (an apsis kept at the
// burn's point moves with the square of the changes) is met when within its tolerance,
// when the correction stalls or has run its iterations.
std::optional<std::string> corriger(correction& k, std::vector<iteration_ciblage>& iterations) {
    for (int numero = 1; k.courant.ecart > ecart_converge; ++numero) {
        if (numero > iterations_maximum) {
            if (k.courant.ecart <= 1.0) {
                return std::nullopt;
            }
            return "la correction n'a pas convergé en " + std::to_string(iterations_maximum) +
                   " itérations.";
        }
        const std::vector<double> F = residus_reduits(k.courant);
        std::vector<std::vector<double>> J;
        try {
            J = sensibilites(k, F);
        } catch (const erreur_calcul& e) {
            return std::string("une sensibilité ne se calcule pas (") + e.what() + ").";
        }
        const std::optional<double> levenberg = avancer(k, J, F);
        if (!levenberg) {
            if (k.courant.ecart <= 1.0) {
                return std::nullopt;
            }
            return "la correction ne réduit plus l'écart à l'itération " + std::to_string(numero) +
                   ".";
        }
        iterations.push_back(ligne_de(numero, k.x, k.courant, *levenberg));
    }
    return std::nullopt;
}

} // namespace

cible_tir cible_de(const demande_manoeuvre& d, const plan_manoeuvre& plan) {
    const tir_impulsionnel& tir = plan.tirs.front();
    const double rayon_terre = d.modele.rayon;
    cible_tir c;
    c.mu = d.modele.mu;
    c.rp = tir.apres.zp + rayon_terre;
    c.ra = tir.apres.za + rayon_terre;
    c.inclinaison = tir.apres.inclinaison;
    c.grand_omega = tir.apres.grand_omega;
    switch (d.genre) {
    case genre_manoeuvre::hohmann:
        if (plan.tirs.size() > 1) {
            c.g = cible_tir::genre::apside_atteinte;
            c.rayon = d.altitude_visee + rayon_terre;
            c.apoastre = tir.direction.y > 0.0; // raised along the motion
        } else {
            c.g = cible_tir::genre::cercle;
            c.rayon = c.rp;
        }
        break;
    case genre_manoeuvre::circularisation:
        c.g = cible_tir::genre::cercle;
        c.rayon = c.rp;
        break;
    case genre_manoeuvre::changement_apside:
        c.g = cible_tir::genre::apsides;
        break;
    case genre_manoeuvre::changement_inclinaison:
        c.g = cible_tir::genre::plan_et_apsides;
        break;
    case genre_manoeuvre::geostationnaire:
        if (plan.tirs.size() > 1) {
            c.g = cible_tir::genre::apside_atteinte;
            c.rayon = rayon_geostationnaire(d.modele);
            // The apsis brought to rc: the apoapsis, even lowered to it (from a GTO
            // beyond the geostationary radius).
            c.apoastre = std::abs(c.ra - c.rayon) <= std::abs(c.rp - c.rayon);
        } else if (tir.direction.z != 0.0) {
            c.g = cible_tir::genre::plan_et_apsides; // the circle in the equator
        } else {
            c.g = cible_tir::genre::cercle;
            c.rayon = c.rp;
        }
        break;
    }
    return c;
}

tir_prepare tir_ecrit(const commande_tir& c, double module_poussee_choisi, const depart_tir& d) {
    return ecrire(c, module_poussee_choisi, d, std::nullopt);
}

void ecrire_tir(formulaire& f, const tir_prepare& p) {
    const std::string x = Str(p.poussee.x);
    const std::string y = Str(p.poussee.y);
    const std::string z = Str(p.poussee.z);
    const std::string duree = Str(p.duree);
    const std::string pas = Str(p.pas);
    const std::string anomalie = Str(p.anomalie_depart);
    f.changer_texte(zone_texte::Text9, x);
    f.changer_texte(zone_texte::Text8, y);
    f.changer_texte(zone_texte::Text10, z);
    f.changer_texte(zone_texte::Text11, duree);
    f.changer_texte(zone_texte::Text12, pas);
    f.changer_texte(zone_texte::Text7, anomalie);
}

etat integrer_tir_prepare(const depart_tir& d, const tir_prepare& p) {
    // The burn's own steps, with the values the window reads back from the texts: the
    // record at the burn's anomaly, the thrust and its length (calcul_trajectoire's
    // |F|), the Isp and the mass.
    trajectoire T = d.orbite;
    T.anomalie = p.anomalie_depart;
    const propulsion moteur{p.poussee, norme(p.poussee), d.isp, d.modele};
    const consigne_vol vol = consigne_du_vol(T, moteur, p.duree, p.pas, d.masse);
    etat S = etat_initial(T, vol.m0, d.modele);
    voler(vol, S, sans_observateur);
    return S;
}

ciblage cibler(const depart_tir& d, const tir_impulsionnel& tir, const cible_tir& cible,
               double module_poussee_choisi) {
    ciblage c;
    c.noms_residus = noms_de(cible);
    const tir_prepare premier =
        preparer_tir(d.orbite, tir, module_poussee_choisi, d.masse, d.isp, d.modele); // may refuse
    c.tir = premier;
    c.commande = {std::atan2(tir.direction.x, tir.direction.y) * degres_par_radian,
                  std::asin(std::clamp(tir.direction.z, -1.0, 1.0)) * degres_par_radian,
                  premier.duree, premier.anomalie_depart};
    if (std::optional<std::string> raison = trop_long(d, premier)) {
        c.message = std::move(*raison);
        return c;
    }

    correction k{d,
                 cible,
                 module_poussee_choisi,
                 parametres_libres(cible, tir),
                 echelles_de(premier),
                 c.commande,
                 {}};
    try {
        k.courant = essayer(d, cible, k.x, module_poussee_choisi);
    } catch (const erreur_calcul& e) {
        c.message =
            std::string("le tir de première estimation ne s'intègre pas (") + e.what() + ").";
        return c;
    }
    c.iterations.push_back(ligne_de(0, k.x, k.courant, 0.0));
    if (std::optional<std::string> raison = corriger(k, c.iterations)) {
        c.message = std::move(*raison);
        return c;
    }
    c.converge = true;
    c.tir = k.courant.p;
    c.commande = k.x;
    c.commande.duree = k.courant.p.duree;
    c.commande.anomalie_depart = k.courant.p.anomalie_depart;
    c.prevue = orbite_de(position_de(k.courant.fin), vitesse_de(k.courant.fin), d.modele);
    return c;
}

} // namespace trajel
