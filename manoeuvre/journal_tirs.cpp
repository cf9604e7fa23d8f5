#include "manoeuvre/journal_tirs.h"

#include <charconv>
#include <cstdio>

namespace trajel {

namespace {

std::string nombre(double x) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.15g", x);
    return tampon;
}

// The shortest digits that read back to the same double, whatever the locale, with a
// decimal comma: "36000", "2,6949798982636901e-05", "1e+20".
std::string nombre_fr_exact(double x) {
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, x).ptr;
    std::string texte(tampon, fin);
    for (char& c : texte) {
        if (c == '.') {
            c = ',';
        }
    }
    return texte;
}

using ecriture_nombre = std::string (*)(double);

void ajouter_orbite(std::vector<std::string>& ligne, const orbite_journal& o,
                    ecriture_nombre nombre) {
    ligne.push_back(o.type_conique);
    ligne.push_back(o.za_ou_phi ? nombre(*o.za_ou_phi) : std::string("-"));
    ligne.push_back(nombre(o.zp));
    ligne.push_back(nombre(o.inclinaison));
}

std::vector<std::vector<std::string>> cellules(const std::vector<ligne_journal>& lignes,
                                               ecriture_nombre nombre) {
    std::vector<std::vector<std::string>> table{entetes_journal()};
    for (std::size_t n = 0; n < lignes.size(); ++n) {
        const ligne_journal& l = lignes[n];
        std::vector<std::string> ligne{
            std::to_string(n + 1), nombre(l.anomalie), nombre(l.poussee.x),   nombre(l.poussee.y),
            nombre(l.poussee.z),   nombre(l.duree),    std::to_string(l.pas), nombre(l.masse_avant),
            nombre(l.masse_apres), nombre(l.delta_v)};
        ajouter_orbite(ligne, l.avant, nombre);
        ajouter_orbite(ligne, l.apres, nombre);
        table.push_back(std::move(ligne));
    }
    return table;
}

std::string joindre(const std::vector<std::vector<std::string>>& lignes, char separateur,
                    bool guillemets) {
    std::string texte;
    for (const auto& ligne : lignes) {
        for (std::size_t i = 0; i < ligne.size(); ++i) {
            if (i > 0) {
                texte += separateur;
            }
            const std::string& c = ligne[i];
            if (guillemets &&
                c.find_first_of(std::string{separateur, '"', '\n'}) != std::string::npos) {
                texte += '"';
                for (char x : c) {
                    texte += x;
                    if (x == '"') {
                        texte += '"';
                    }
                }
                texte += '"';
            } else {
                texte += c;
            }
        }
        texte += '\n';
    }
    return texte;
}

} // namespace

orbite_journal orbite_journal_de(const trajectoire& t) {
    orbite_journal o;
    o.type_conique = t.type_conique;
    if (t.type_conique == elliptique) {
        o.za_ou_phi = t.za;
    } else if (t.type_conique == hyperbolique) {
        o.za_ou_phi = t.angle_asymptote;
    }
    o.zp = t.zp;
    o.inclinaison = t.inclinaison;
    return o;
}

ligne_journal ligne_du_tir(const bilan_tir& b, const trajectoire& avant, const trajectoire& apres) {
    ligne_journal l;
    l.anomalie = avant.anomalie;
    l.poussee = b.moteur.poussee;
    l.duree = b.duree;
    l.pas = b.pas;
    l.masse_avant = b.depart.m;
    l.masse_apres = b.arrivee.m;
    l.delta_v = chiffres_du_tir(b).delta_v;
    l.avant = orbite_journal_de(avant);
    l.apres = orbite_journal_de(apres);
    l.tir = b;
    l.tir->numero = 0;
    return l;
}

totaux_journal totaux(const std::vector<ligne_journal>& lignes) {
    totaux_journal t;
    for (const ligne_journal& l : lignes) {
        t.delta_v += l.delta_v;
        t.masse_consommee += l.masse_avant - l.masse_apres;
        t.duree += l.duree;
    }
    return t;
}

std::vector<std::string> entetes_journal() {
    return {"n°",
            "anomalie (°)",
            "poussée radiale (N)",
            "poussée ortho-radiale (N)",
            "poussée normale (N)",
            "durée (s)",
            "pas",
            "masse avant (kg)",
            "masse après (kg)",
            "Δv (km/s)",
            "type avant",
            "Za (km) ou Phi (°) avant",
            "Zp avant (km)",
            "i avant (°)",
            "type après",
            "Za (km) ou Phi (°) après",
            "Zp après (km)",
            "i après (°)"};
}

std::vector<std::vector<std::string>> cellules_journal(const std::vector<ligne_journal>& lignes) {
    return cellules(lignes, nombre);
}

std::string texte_tabule(const std::vector<std::vector<std::string>>& lignes) {
    return joindre(lignes, '\t', false);
}

std::string texte_csv(const std::vector<std::vector<std::string>>& lignes) {
    return joindre(lignes, ',', true);
}

std::string csv_tableur_fr(const std::vector<ligne_journal>& lignes) {
    return tableur_fr(cellules(lignes, nombre_fr_exact));
}

std::string tableur_fr(const std::vector<std::vector<std::string>>& lignes) {
    return "\xEF\xBB\xBF" + joindre(lignes, ';', true);
}

std::string nombre_tableur_fr(double x) {
    return nombre_fr_exact(x);
}

} // namespace trajel
