#include "core/geographie.h"

#include "core/constantes.h"
#include "core/erreur.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace trajel {

static_assert(terre_reelle.pi == std::numbers::pi);

double angle_terre(const horloge_terre& h, double t, const modele_terre& modele) {
    return controle(-h.longitude_origine + modele.rotation() * t);
}

double longitude_reduite(double degres) {
    // fmod keeps the sign of its first operand: shift into [0, 360), then down by 180.
    double r = std::fmod(controle(degres) + 180.0, 360.0);
    if (r < 0.0) {
        r += 360.0;
    }
    return r - 180.0;
}

point_geo point_sous(const vecteur& p, double angle) {
    const double equatorial = racine(p.x * p.x + p.y * p.y);
    if (equatorial == 0.0 && p.z == 0.0) {
        lever(nature_erreur::operation_invalide);
    }
    const double degres = 180.0 / pi;
    const double ascension_droite = std::atan2(p.y, p.x) * degres;
    return {longitude_reduite(ascension_droite - angle),
            controle(std::atan2(p.z, equatorial) * degres)};
}

vecteur point_du_globe(const point_geo& g, double angle, const modele_terre& modele) {
    const double rayon_terre = modele.rayon;
    const double a = deg_rad(g.longitude + angle);
    const double b = deg_rad(g.latitude);
    const double cb = std::cos(b);
    return {rayon_terre * std::cos(a) * cb, rayon_terre * std::sin(a) * cb,
            rayon_terre * std::sin(b)};
}

std::vector<ligne_geo> couper_au_bord(const ligne_geo& ligne) {
    std::vector<ligne_geo> morceaux;
    if (ligne.empty()) {
        return morceaux;
    }
    morceaux.push_back({ligne.front()});
    for (std::size_t k = 1; k < ligne.size(); ++k) {
        const point_geo& a = ligne[k - 1];
        const point_geo& b = ligne[k];
        const double pas = b.longitude - a.longitude;
        if (std::abs(pas) > 180.0) {
            // Eastwards through +180 when the step jumps back west, and the reverse.
            const double bord = pas < 0.0 ? 180.0 : -180.0;
            const double vers_b = pas < 0.0 ? pas + 360.0 : pas - 360.0;
            const double f = (bord - a.longitude) / vers_b; // 0..1 along a -> b
            const double latitude = a.latitude + f * (b.latitude - a.latitude);
            morceaux.back().push_back({bord, latitude});
            morceaux.push_back({{-bord, latitude}});
        }
        morceaux.back().push_back(b);
    }
    return morceaux;
}

std::vector<ligne_geo> lire_cotes(std::string_view texte) {
    std::vector<ligne_geo> lignes;
    ligne_geo courante;
    auto terminer = [&] {
        if (courante.size() >= 2) {
            lignes.push_back(std::move(courante));
        }
        courante.clear();
    };
    while (!texte.empty()) {
        const std::size_t fin = texte.find('\n');
        std::string_view rang = texte.substr(0, fin);
        texte.remove_prefix(fin == std::string_view::npos ? texte.size() : fin + 1);
        if (rang.starts_with('#')) {
            continue;
        }
        if (rang.starts_with('>')) {
            terminer();
            continue;
        }
        point_geo p;
        const char* debut = rang.data();
        const char* bout = rang.data() + rang.size();
        auto [apres_longitude, e1] = std::from_chars(debut, bout, p.longitude);
        if (e1 != std::errc{} || apres_longitude == bout || *apres_longitude != ' ') {
            continue;
        }
        auto [apres_latitude, e2] = std::from_chars(apres_longitude + 1, bout, p.latitude);
        if (e2 != std::errc{} || apres_latitude != bout || !std::isfinite(p.longitude) ||
            !std::isfinite(p.latitude)) {
            continue;
        }
        courante.push_back(p);
    }
    terminer();
    return lignes;
}

} // namespace trajel
