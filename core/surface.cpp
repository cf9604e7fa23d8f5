#include "core/surface.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace trajel {

bool couper_segment(double& x1, double& y1, double& x2, double& y2, double gauche, double haut,
                    double droite, double bas) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - gauche, droite - x1, y1 - haut, bas - y1};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0.0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
        }
    }
    if (t0 > t1) {
        return false;
    }
    const double debut_x = x1;
    const double debut_y = y1;
    x1 = debut_x + t0 * dx;
    y1 = debut_y + t0 * dy;
    x2 = debut_x + t1 * dx;
    y2 = debut_y + t1 * dy;
    return true;
}

couleur_rgb palette(std::int16_t n) {
    static constexpr couleur_rgb couleurs[16] = {
        {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
        {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    };
    return couleurs[((n % 16) + 16) % 16];
}

void surface_enregistree::Line(double x1, double y1, double x2, double y2, std::int16_t n) {
    element_affichage e;
    e.nature = element_affichage::genre::trait;
    e.x1 = x1;
    e.y1 = y1;
    e.x2 = x2;
    e.y2 = y2;
    e.couleur = n;
    e.epaisseur = epaisseur_;
    e.style = style_;
    elements_.push_back(std::move(e));
    courant_x_ = x2;
    courant_y_ = y2;
}

void surface_enregistree::Print(const std::string& texte) {
    element_affichage e;
    e.nature = element_affichage::genre::texte;
    e.x1 = courant_x_;
    e.y1 = courant_y_;
    e.epaisseur = epaisseur_;
    e.style = style_;
    e.texte = texte;
    elements_.push_back(std::move(e));
}

couleur_rgb eclaircie(const couleur_rgb& c, double vers_blanc) {
    auto canal = [vers_blanc](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::lround(v + (255.0 - v) * vers_blanc));
    };
    return {canal(c.r), canal(c.g), canal(c.b)};
}

void surface_enregistree::Disque(double x, double y, double rayon, const couleur_rgb& c) {
    element_affichage e;
    e.nature = element_affichage::genre::disque;
    e.x1 = x;
    e.y1 = y;
    e.x2 = rayon;
    e.teinte = c;
    elements_.push_back(std::move(e));
}

void surface_enregistree::Polygone(const std::vector<double>& sommets, const couleur_rgb& c) {
    element_affichage e;
    e.nature = element_affichage::genre::polygone;
    if (sommets.size() >= 2) {
        e.x1 = sommets[0];
        e.y1 = sommets[1];
    }
    e.teinte = c;
    e.sommets = sommets;
    elements_.push_back(std::move(e));
}

void surface_enregistree::Cls() {
    elements_.clear();
    courant_x_ = 0.0;
    courant_y_ = 0.0;
}

void surface_enregistree::remettre(const std::vector<element_affichage>& liste) {
    elements_ = liste;
    courant_x_ = 0.0;
    courant_y_ = 0.0;
    // Filled shapes leave the current point where the last line or text put it.
    for (auto e = elements_.rbegin(); e != elements_.rend(); ++e) {
        if (e->nature == element_affichage::genre::trait ||
            e->nature == element_affichage::genre::texte) {
            const bool trait = e->nature == element_affichage::genre::trait;
            courant_x_ = trait ? e->x2 : e->x1;
            courant_y_ = trait ? e->y2 : e->y1;
            break;
        }
    }
}

std::vector<element_affichage> surface_enregistree::traits() const {
    std::vector<element_affichage> r;
    std::copy_if(
        elements_.begin(), elements_.end(), std::back_inserter(r),
        [](const element_affichage& e) { return e.nature == element_affichage::genre::trait; });
    return r;
}

std::vector<element_affichage> surface_enregistree::textes() const {
    std::vector<element_affichage> r;
    std::copy_if(
        elements_.begin(), elements_.end(), std::back_inserter(r),
        [](const element_affichage& e) { return e.nature == element_affichage::genre::texte; });
    return r;
}

} // namespace trajel
