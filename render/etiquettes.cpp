#include "render/etiquettes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace trajel {

namespace {

// Room kept between two labels, and between a label and the Earth's outline, in line
// heights; the gap of the centred classic positions.
constexpr double marge_relative = 0.12;
// The rings: the first this many line heights from the anchor, each the next this much
// farther; sixteen directions on each.
constexpr double premier_anneau = 0.5;
constexpr double raison_anneaux = 1.3;
constexpr int directions_par_anneau = 16;
// A label whose frame lies farther than this many line heights from its anchor gets a
// leader line.
constexpr double distance_renvoi = 0.6;

double distance_au_cadre(double px, double py, const rectangle_etiquette& r, double& qx,
                         double& qy) {
    qx = std::clamp(px, r.x, r.droite());
    qy = std::clamp(py, r.y, r.bas());
    return std::hypot(px - qx, py - qy);
}

rectangle_etiquette elargi(const rectangle_etiquette& r, double marge) {
    return {r.x - marge, r.y - marge, r.largeur + 2.0 * marge, r.hauteur + 2.0 * marge};
}

bool contient(const rectangle_etiquette& vue, const rectangle_etiquette& r) {
    return r.x >= vue.x && r.y >= vue.y && r.droite() <= vue.droite() && r.bas() <= vue.bas();
}

double aire_commune(const rectangle_etiquette& a, const rectangle_etiquette& b) {
    const double l = std::min(a.droite(), b.droite()) - std::max(a.x, b.x);
    const double h = std::min(a.bas(), b.bas()) - std::max(a.y, b.y);
    return l > 0.0 && h > 0.0 ? l * h : 0.0;
}

// The classic eight: the label's own place (below right of the anchor), above right,
// above left, below left, then centred right, left, above and below.
std::vector<rectangle_etiquette> positions_classiques(const etiquette_a_placer& e) {
    const double ax = e.ancre_x, ay = e.ancre_y, w = e.largeur, h = e.hauteur;
    const double g = marge_relative * h;
    return {{ax, ay, w, h},
            {ax, ay - h - g, w, h},
            {ax - w - g, ay - h - g, w, h},
            {ax - w - g, ay, w, h},
            {ax + g, ay - h / 2.0, w, h},
            {ax - w - g, ay - h / 2.0, w, h},
            {ax - w / 2.0, ay - h - g, w, h},
            {ax - w / 2.0, ay + g, w, h}};
}

// The frame whose nearest point to the anchor lies `d` away from it in the direction
// (c, s): its centre beyond that point by half the frame along the same direction.
rectangle_etiquette sur_anneau(const etiquette_a_placer& e, double d, double c, double s) {
    const double demi_l = e.largeur / 2.0, demi_h = e.hauteur / 2.0;
    const double t = std::min(
        std::abs(c) > 1e-12 ? demi_l / std::abs(c) : std::numeric_limits<double>::infinity(),
        std::abs(s) > 1e-12 ? demi_h / std::abs(s) : std::numeric_limits<double>::infinity());
    const double cx = e.ancre_x + (d + t) * c, cy = e.ancre_y + (d + t) * s;
    return {cx - demi_l, cy - demi_h, e.largeur, e.hauteur};
}

// How far the rings go: past the Earth's disc seen from the anchor, and at least a few
// lines; never beyond the view's diagonal.
double portee(const etiquette_a_placer& e, const disque_plan& terre,
              const rectangle_etiquette& vue) {
    double d = 8.0 * e.hauteur;
    if (terre.rayon > 0.0) {
        d = std::max(d, std::hypot(e.ancre_x - terre.x, e.ancre_y - terre.y) + terre.rayon +
                            2.0 * e.hauteur);
    }
    return std::min(d, std::max(8.0 * e.hauteur, std::hypot(vue.largeur, vue.hauteur)));
}

struct placement {
    const std::vector<rectangle_etiquette>& poses;
    const disque_plan& terre;
    const rectangle_etiquette& vue;
    double marge;

    // 0 for a free candidate; otherwise how much it is in the way.
    double gene(const rectangle_etiquette& r) const {
        const rectangle_etiquette large = elargi(r, marge);
        double g = 0.0;
        for (const rectangle_etiquette& p : poses) {
            g += aire_commune(large, p);
        }
        if (terre.rayon > 0.0 && disque_plan{terre.x, terre.y, terre.rayon + marge}.touche(r)) {
            g += r.largeur * r.hauteur;
        }
        if (!contient(vue, r)) {
            g += r.largeur * r.hauteur - aire_commune(r, vue) + 1e-9;
        }
        return g;
    }
};

rectangle_etiquette meilleure_position(const etiquette_a_placer& e, const placement& p) {
    rectangle_etiquette meilleure{e.ancre_x, e.ancre_y, e.largeur, e.hauteur};
    double moindre = std::numeric_limits<double>::infinity();
    auto essayer = [&](const rectangle_etiquette& r) {
        const double g = p.gene(r);
        if (g < moindre) {
            moindre = g;
            meilleure = r;
        }
        return g == 0.0;
    };
    for (const rectangle_etiquette& r : positions_classiques(e)) {
        if (essayer(r)) {
            return r;
        }
    }
    const double fin = portee(e, p.terre, p.vue);
    constexpr double pas_angle = 2.0 * 3.14159265358979323846 / directions_par_anneau;
    for (double d = premier_anneau * e.hauteur; d <= fin; d *= raison_anneaux) {
        for (int k = 0; k < directions_par_anneau; ++k) {
            const rectangle_etiquette r =
                sur_anneau(e, d, std::cos(k * pas_angle), std::sin(k * pas_angle));
            if (essayer(r)) {
                return r;
            }
        }
    }
    return meilleure;
}

} // namespace

bool disque_plan::touche(const rectangle_etiquette& r) const {
    const double px = std::clamp(x, r.x, r.droite());
    const double py = std::clamp(y, r.y, r.bas());
    return std::hypot(px - x, py - y) < rayon;
}

std::vector<etiquette_placee> placer_etiquettes(const std::vector<etiquette_a_placer>& etiquettes,
                                                const disque_plan& terre,
                                                const rectangle_etiquette& vue) {
    std::vector<std::size_t> ordre(etiquettes.size());
    std::iota(ordre.begin(), ordre.end(), std::size_t{0});
    std::stable_sort(ordre.begin(), ordre.end(), [&](std::size_t a, std::size_t b) {
        return etiquettes[a].priorite > etiquettes[b].priorite;
    });
    std::vector<etiquette_placee> resultat(etiquettes.size());
    std::vector<rectangle_etiquette> poses;
    poses.reserve(etiquettes.size());
    for (const std::size_t n : ordre) {
        const etiquette_a_placer& e = etiquettes[n];
        etiquette_placee& sortie = resultat[n];
        const rectangle_etiquette propre{e.ancre_x, e.ancre_y, e.largeur, e.hauteur};
        if (!(e.largeur > 0.0 && e.hauteur > 0.0) || !propre.chevauche(vue)) {
            sortie.cadre = propre; // empty, or not seen: where it was
            continue;
        }
        const placement p{poses, terre, vue, marge_relative * e.hauteur};
        sortie.cadre = meilleure_position(e, p);
        poses.push_back(sortie.cadre);
        double qx = 0.0, qy = 0.0;
        const double d = distance_au_cadre(e.ancre_x, e.ancre_y, sortie.cadre, qx, qy);
        sortie.renvoi = d > distance_renvoi * e.hauteur;
        sortie.renvoi_x = qx;
        sortie.renvoi_y = qy;
    }
    return resultat;
}

std::optional<disque_plan> disque_terre(const std::vector<element_affichage>& elements) {
    const auto premier = std::find_if(elements.begin(), elements.end(), [](const auto& e) {
        return e.nature == element_affichage::genre::trait;
    });
    if (premier == elements.end()) {
        return std::nullopt;
    }
    disque_plan d{premier->x1, premier->y1, 0.0};
    for (auto it = premier; it != elements.end(); ++it) {
        if (it->nature != element_affichage::genre::trait) {
            continue; // the frame's labels
        }
        if (it->couleur != premier->couleur) {
            break; // the Earth's lines end with the first line of another colour
        }
        if (it->x1 == d.x && it->y1 == d.y) {
            continue; // an axis
        }
        d.rayon = std::max({d.rayon, std::hypot(it->x1 - d.x, it->y1 - d.y),
                            std::hypot(it->x2 - d.x, it->y2 - d.y)});
    }
    if (!(d.rayon > 0.0)) {
        return std::nullopt;
    }
    return d;
}

} // namespace trajel
