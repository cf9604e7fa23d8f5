#include "render/trace_sol.h"

#include "core/caracteristiques.h"
#include "core/kepler.h"
#include "core/surface.h"
#include "render/projection.h"
#include "render/scene.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace trajel {

namespace {

// The point of t's conic at the record's anomaly nu, km in the equatorial frame.
vecteur position(const trajectoire& t, double nu) {
    vecteur p;
    if (!point_sur_conique(t, nu, p)) {
        lever(nature_erreur::operation_invalide); // on or beyond an asymptote
    }
    return p;
}

// A closed orbit: the inertial directions and the times of one revolution, a degree of
// anomaly apart from the satellite's, serve every revolution; each later one finds the
// Earth turned by one period more.
void trace_fermee(const trajectoire& t, const conique& c, const horloge_terre& h, int revolutions,
                  trace_au_sol& trace, ligne_geo& ligne) {
    const modele_terre& m = c.modele;
    const double periode = periode_orbitale(c.e, c.p, m);
    trace.periode = periode;
    trace.decalage = controle(-m.rotation() * periode);
    const double t0 = temps_depuis_periastre(c.e, c.p, anomalie_vraie(c, t.anomalie), m);
    struct pas_orbite {
        point_geo direction; // right ascension (reduced) and declination
        double delai = 0.0;  // s after the satellite, within one period
    };
    std::array<pas_orbite, 360> tour;
    for (int j = 0; j < 360; ++j) {
        const double nu = controle(t.anomalie + j);
        tour[j].direction = point_sous(position(t, nu), 0.0);
        if (j > 0) {
            // Kepler's time from the periapsis is taken modulo the period: back into
            // (0, period) after the satellite.
            double delai = temps_depuis_periastre(c.e, c.p, anomalie_vraie(c, nu), m) - t0;
            if (delai < 0.0) {
                delai += periode;
            }
            tour[j].delai = delai;
        }
    }
    ligne.reserve(360 * static_cast<std::size_t>(revolutions) + 1);
    for (int k = 0; k < revolutions; ++k) {
        const double debut = controle(h.temps + k * periode);
        for (const pas_orbite& pas : tour) {
            const double angle = angle_terre(h, debut + pas.delai, m);
            ligne.push_back(
                {longitude_reduite(pas.direction.longitude - angle), pas.direction.latitude});
        }
    }
    const double fin = controle(h.temps + revolutions * periode);
    ligne.push_back({longitude_reduite(tour[0].direction.longitude - angle_terre(h, fin, m)),
                     tour[0].direction.latitude});
    trace.sous_satellite = ligne.front();
}

// An open conic over its drawn range, its times signed from the satellite's.
void trace_ouverte(const trajectoire& t, const conique& c, const horloge_terre& h,
                   trace_au_sol& trace, ligne_geo& ligne) {
    const modele_terre& m = c.modele;
    const double t0 = temps_depuis_periastre(c.e, c.p, anomalie_vraie(c, t.anomalie), m);
    trace.sous_satellite = point_sous(position(t, t.anomalie), angle_terre(h, h.temps, m));
    const plage_anomalies plage = plage_tracee(t);
    for (int nu = plage.debut; nu <= plage.fin; ++nu) {
        vecteur p;
        if (!point_sur_conique(t, nu, p)) {
            continue;
        }
        const double temps =
            h.temps + temps_depuis_periastre(c.e, c.p, anomalie_vraie(c, nu), m) - t0;
        ligne.push_back(point_sous(p, angle_terre(h, controle(temps), m)));
    }
}

void plume(surface& s, int largeur, int style) {
    s.DrawWidth(largeur);
    s.DrawStyle(style);
}

// A text whose top-left corner is (x, y).
void ecrire(surface_enregistree& s, double x, double y, const std::string& texte) {
    s.placer(x, y);
    s.Print(texte);
}

std::string degres(int valeur) {
    return std::to_string(valeur) + "°";
}

constexpr double marge_gauche = 480.0; // twips: room for "-60°" and a gap
constexpr double marge_droite = 240.0;
constexpr double marge_haut = 180.0;
constexpr double place_etiquettes = 320.0; // the longitudes under the map
constexpr double interligne = 210.0;       // 8.25 pt text, a line
constexpr double marque = 80.0;            // half the size of a mark

void dessiner_graticule(surface_enregistree& s, const cadre_carte& c) {
    plume(s, 1, style_pointille);
    for (int lon = -150; lon <= 150; lon += 30) {
        s.Line(c.x(lon), c.y(90.0), c.x(lon), c.y(-90.0), couleur_graticule);
    }
    for (int lat = -60; lat <= 60; lat += 30) {
        s.Line(c.x(-180.0), c.y(lat), c.x(180.0), c.y(lat), couleur_graticule);
    }
    plume(s, 1, style_plein);
    const double bas = c.y(-90.0);
    s.Line(c.x(-180.0), c.y(90.0), c.x(180.0), c.y(90.0), couleur_cadre_carte);
    s.Line(c.x(180.0), c.y(90.0), c.x(180.0), bas, couleur_cadre_carte);
    s.Line(c.x(180.0), bas, c.x(-180.0), bas, couleur_cadre_carte);
    s.Line(c.x(-180.0), bas, c.x(-180.0), c.y(90.0), couleur_cadre_carte);
    for (int lon = -180; lon <= 180; lon += 30) {
        ecrire(s, c.x(lon) - 150.0, bas + 40.0, degres(lon));
    }
    for (int lat = -90; lat <= 90; lat += 30) {
        ecrire(s, c.gauche - marge_gauche + 60.0, c.y(lat) - 100.0, degres(lat));
    }
}

void dessiner_cotes(surface_enregistree& s, const cadre_carte& c,
                    const std::vector<ligne_geo>& cotes) {
    plume(s, 1, style_plein);
    for (const ligne_geo& ligne : cotes) {
        for (std::size_t k = 1; k < ligne.size(); ++k) {
            const point_geo& a = ligne[k - 1];
            const point_geo& b = ligne[k];
            if (std::abs(b.longitude - a.longitude) <= 180.0) {
                s.Line(c.x(a.longitude), c.y(a.latitude), c.x(b.longitude), c.y(b.latitude),
                       couleur_cotes);
            }
        }
    }
}

void dessiner_sites(surface_enregistree& s, const cadre_carte& c) {
    plume(s, 1, style_plein);
    for (const site_de_lancement& site : sites_de_lancement) {
        const double x = c.x(site.position.longitude);
        const double y = c.y(site.position.latitude);
        s.Line(x - marque, y, x, y - marque, couleur_sites);
        s.Line(x, y - marque, x + marque, y, couleur_sites);
        s.Line(x + marque, y, x, y + marque, couleur_sites);
        s.Line(x, y + marque, x - marque, y, couleur_sites);
        ecrire(s, x + marque + 40.0, y - 100.0, site.nom);
    }
}

void dessiner_trace(surface_enregistree& s, const cadre_carte& c, const trace_au_sol& trace,
                    couches_carte& couches) {
    plume(s, 2, style_plein);
    for (const ligne_geo& morceau : trace.morceaux) {
        for (std::size_t k = 1; k < morceau.size(); ++k) {
            s.Line(c.x(morceau[k - 1].longitude), c.y(morceau[k - 1].latitude),
                   c.x(morceau[k].longitude), c.y(morceau[k].latitude), couleur_trace);
        }
    }
    couches.trace = s.elements().size();
    if (trace.sous_satellite) {
        const double x = c.x(trace.sous_satellite->longitude);
        const double y = c.y(trace.sous_satellite->latitude);
        s.Line(x - marque, y - marque, x + marque, y + marque, couleur_trace);
        s.Line(x - marque, y + marque, x + marque, y - marque, couleur_trace);
        ecrire(s, x + marque + 20.0, y - marque - 180.0, "S");
    }
    couches.marque = s.elements().size();
    plume(s, 1, style_plein);
}

// The time of the periapsis passage on the Earth's clock, and the period of a closed
// orbit.
struct passage {
    double temps = 0.0;
    std::optional<double> periode;
};

passage passage_au_periastre(const trajectoire& t, const horloge_terre& h,
                             const modele_terre& modele) {
    const conique c = conique_de(t, modele);
    passage p;
    p.temps = h.temps - temps_depuis_periastre(c.e, c.p, anomalie_vraie(c, t.anomalie), modele);
    if (c.fermee()) {
        p.periode = periode_orbitale(c.e, c.p, modele);
    }
    return p;
}

} // namespace

trace_au_sol calculer_trace(const trajectoire& t, const horloge_terre& h, int revolutions,
                            const modele_terre& modele) {
    const conique c = conique_de(t, modele);
    trace_au_sol trace;
    ligne_geo ligne;
    if (c.fermee()) {
        trace_fermee(t, c, h, std::clamp(revolutions, revolutions_minimum, revolutions_maximum),
                     trace, ligne);
    } else {
        trace_ouverte(t, c, h, trace, ligne);
    }
    trace.morceaux = couper_au_bord(ligne);
    return trace;
}

point_geo point_sous_satellite(const trajectoire& t, const horloge_terre& h,
                               const modele_terre& modele) {
    if (!conique_de(t, modele).fermee()) {
        return point_sous(position(t, t.anomalie), angle_terre(h, h.temps, modele));
    }
    // As the first point of a closed orbit's track: its direction, then the Earth turned.
    const point_geo d = point_sous(position(t, t.anomalie), 0.0);
    return {longitude_reduite(d.longitude - angle_terre(h, h.temps, modele)), d.latitude};
}

bool sur_la_meme_trace(const trajectoire& depart, const horloge_terre& h_depart,
                       const trajectoire& t, const horloge_terre& h, const modele_terre& modele) {
    trajectoire meme_conique = depart;
    meme_conique.anomalie = t.anomalie;
    meme_conique.repere_sat = t.repere_sat;
    if (!(meme_conique == t) || h.longitude_origine != h_depart.longitude_origine) {
        return false;
    }
    const passage avant = passage_au_periastre(depart, h_depart, modele);
    const passage apres = passage_au_periastre(t, h, modele);
    const double ecoule = h.temps - h_depart.temps;
    if (!avant.periode) {
        return ecoule >= 0.0 && std::abs(apres.temps - avant.temps) <= 1e-6;
    }
    const double periode = *avant.periode;
    double ecart = std::fmod(apres.temps - avant.temps, periode);
    ecart = std::min(std::abs(ecart), periode - std::abs(ecart));
    return ecoule >= 0.0 && ecoule < periode && ecart <= 1e-9 * periode;
}

cadre_carte cadre_de_carte(double largeur, double hauteur, int lignes_sous) {
    const double dispo_x = std::max(largeur - marge_gauche - marge_droite, 0.0);
    const double dispo_y =
        std::max(hauteur - marge_haut - place_etiquettes - interligne * (lignes_sous + 0.5), 0.0);
    cadre_carte c;
    c.largeur = std::min(dispo_x, 2.0 * dispo_y);
    c.hauteur = c.largeur / 2.0;
    c.gauche = marge_gauche + (dispo_x - c.largeur) / 2.0;
    c.haut = marge_haut;
    return c;
}

couches_carte dessiner_carte(surface_enregistree& s, const std::vector<ligne_geo>& cotes,
                             const trace_au_sol& trace,
                             const std::vector<std::string>& lignes_sous) {
    s.Cls();
    const cadre_carte c =
        cadre_de_carte(s.Width(), s.Height(), static_cast<int>(lignes_sous.size()));
    couches_carte couches;
    dessiner_graticule(s, c);
    dessiner_cotes(s, c, cotes);
    dessiner_sites(s, c);
    couches.fond = s.elements().size();
    dessiner_trace(s, c, trace, couches);
    double y = c.y(-90.0) + place_etiquettes;
    for (const std::string& ligne : lignes_sous) {
        ecrire(s, c.gauche, y, ligne);
        y += interligne;
    }
    return couches;
}

} // namespace trajel
