#include "ui/outils/panneau_projecteur.h"

#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/outils/choix_modele.h"

namespace trajel {

std::vector<ligne_panneau> lignes_panneau(const trajectoire& t, const lecture_orbite& l) {
    const QString km = QStringLiteral("km");
    const QString degres = QStringLiteral("°");
    const auto& o = l.orbite;
    const auto& s = l.satellite;
    auto orbite = [&](auto f) { return o ? f(*o) : QStringLiteral("-"); };
    std::vector<ligne_panneau> lignes;
    lignes.reserve(11);
    lignes.push_back({QStringLiteral("Trajectoire"), t.type_conique.empty()
                                                         ? QStringLiteral("-")
                                                         : QString::fromStdString(t.type_conique)});
    if (t.type_conique == hyperbolique) {
        lignes.push_back({QStringLiteral("Phi"), valeur_fr(t.angle_asymptote, degres)});
    } else {
        lignes.push_back({QStringLiteral("Za"), orbite([&](const caracteristiques_orbite& c) {
                              return valeur_fr(c.za, km);
                          })});
    }
    lignes.push_back({QStringLiteral("Zp"), orbite([&](const caracteristiques_orbite& c) {
                          return valeur_fr(c.zp, km);
                      })});
    lignes.push_back({QStringLiteral("i"), valeur_fr(t.inclinaison, degres)});
    lignes.push_back({QStringLiteral("Omega"), valeur_fr(t.grand_omega, degres)});
    lignes.push_back({QStringLiteral("omega"), valeur_fr(t.petit_omega, degres)});
    lignes.push_back({QStringLiteral("Période"), orbite([](const caracteristiques_orbite& c) {
                          return duree_fr(c.periode);
                      })});
    lignes.push_back({QStringLiteral("Altitude du satellite"),
                      s ? valeur_fr(s->altitude, km) : QStringLiteral("-")});
    lignes.push_back({QStringLiteral("Vitesse du satellite"),
                      s ? valeur_fr(s->vitesse, QStringLiteral("km/s")) : QStringLiteral("-")});
    QString dv = QStringLiteral("aucun tir");
    if (l.tir) {
        dv = delta_v_fr(l.tir->delta_v);
        if (!l.tir_sur_cette_orbite) {
            dv += QStringLiteral(" (orbite précédente)");
        }
    }
    lignes.push_back({QStringLiteral("Δv du dernier tir"), dv});
    return lignes;
}

std::vector<entree_legende> legende_couleurs(const palette_peinture* couleurs) {
    auto couleur = [couleurs](std::int16_t n) {
        return couleurs != nullptr ? (*couleurs)[((n % 16) + 16) % 16] : palette(n);
    };
    return {
        {couleur(couleur_terre), QStringLiteral("Terre, repère équatorial")},
        {couleur(couleur_RN), QStringLiteral("RN : ligne des nœuds")},
        {couleur(couleur_RH), QStringLiteral("RH : moment cinétique")},
        {couleur(couleur_RP), QStringLiteral("RP : périastre")},
        {couleur(couleur_trajectoire), QStringLiteral("Trajectoire, satellite")},
    };
}

const palette_peinture& palette_projecteur() {
    static const palette_peinture couleurs = {{
        {0, 0, 0},     // black: the Earth, the equatorial frame
        {0, 114, 230}, // navy to a clear blue: the node line
        {0, 155, 70},  // green: the angular momentum
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {225, 110, 0},   // olive to orange: the periapsis
        {110, 110, 110}, // silver to a grey that shows on white
        {128, 128, 128},
        {0, 0, 255},
        {0, 170, 0},   // lime, darkened
        {0, 150, 170}, // cyan, darkened
        {205, 0, 80},  // red to crimson, apart from the orange: the trajectory
        {190, 0, 190}, // magenta, darkened
        {185, 150, 0}, // yellow, darkened
        {255, 255, 255},
    }};
    return couleurs;
}

ligne_panneau ligne_modele(const modele_terre& modele) {
    return {QStringLiteral("Modèle de la Terre"),
            modele == terre_reelle ? QStringLiteral("réelle (rayon 6378,137 km)")
                                   : QStringLiteral("programme (rayon 3618 km)")};
}

QString legende_modele(const modele_terre& modele) {
    return modele == terre_reelle ? QStringLiteral(" ; ") + nom_du_modele(modele) : QString();
}

ligne_panneau ligne_temps_mission(double secondes) {
    return {QStringLiteral("Temps de mission"), duree_fr(secondes)};
}

entree_legende entree_orbites_precedentes() {
    return {eclaircie(palette(couleur_trajectoire), 0.5),
            QStringLiteral("Orbites précédentes (n° du journal), tirets")};
}

} // namespace trajel
