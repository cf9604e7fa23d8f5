#include "ui/lecon/fichier_exercice.h"

#include "core/erreur.h"
#include "core/trajectoire.h"
#include "ui/lecon/lecture_json.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QStringList>

#include <cmath>
#include <limits>

namespace trajel {

namespace {

constexpr const char* noms_types[] = {"circulaire", "elliptique", "parabolique", "hyperbolique"};
constexpr const char* noms_reperes[] = {"RN", "RH", "RP", "tous"};
constexpr const char* noms_releves[] = {"entier", "sans_dernier_tir"};
// As the lesson names them; the key is written only for the real Earth.
constexpr const char* noms_modeles[] = {"terre_du_programme", "terre_reelle"};
constexpr qsizetype longueur_maximale = 1 << 20;

using lecture::champ_invalide;
using lecture::sous;

// The section's fields, named from the file's root: "exercice.depart.masse".
QString racine(const QString& parent) {
    return parent.isEmpty() ? QStringLiteral("exercice") : QStringLiteral("exercice.") + parent;
}

[[noreturn]] void refuser(const QString& champ, const QString& raison) {
    lecture::refuser(racine(champ), raison);
}

QJsonValue exiger(const QJsonObject& o, const QString& champ, const QString& nom) {
    return lecture::exiger(o, racine(champ), nom);
}

double nombre(const QJsonObject& o, const QString& parent, const QString& nom,
              double min = -lecture::grand, double max = lecture::grand) {
    return lecture::nombre(o, racine(parent), nom, min, max);
}

bool booleen(const QJsonObject& o, const QString& parent, const QString& nom) {
    return lecture::booleen(o, sous(racine(parent), nom), nom);
}

QString texte(const QJsonObject& o, const QString& parent, const QString& nom) {
    return lecture::texte(o, sous(racine(parent), nom), nom, longueur_maximale);
}

QJsonObject objet(const QJsonObject& o, const QString& parent, const QString& nom) {
    return lecture::objet(o, sous(racine(parent), nom), nom);
}

int choix(const QJsonObject& o, const QString& parent, const QString& nom,
          std::span<const char* const> noms) {
    return lecture::choix(o, sous(racine(parent), nom), nom, noms);
}

vecteur lire_vecteur(const QJsonObject& o, const QString& parent, const QString& nom) {
    const std::array<double, 3> a = lecture::lire_liste<3>(o, sous(racine(parent), nom), nom);
    return {a[0], a[1], a[2]};
}

// The start's record: its type, shape and angles; the frames built again from them.
constexpr const char* noms_orbite[] = {"za",          "zp",          "grand_omega",
                                       "inclinaison", "petit_omega", "excentricite",
                                       "parametre",   "anomalie",    "angle_asymptote"};

std::array<double*, 9> nombres_de(trajectoire& t) {
    return {&t.za,           &t.zp,        &t.grand_omega, &t.inclinaison,    &t.petit_omega,
            &t.excentricite, &t.parametre, &t.anomalie,    &t.angle_asymptote};
}

QJsonObject ecrire_depart(depart_exercice d) {
    QJsonObject textes;
    for (int i = 0; i < 13; ++i) {
        textes.insert(QStringLiteral("Text%1").arg(i + 1),
                      QString::fromStdString(d.textes[static_cast<std::size_t>(i)]));
    }
    QJsonObject orbite{{"type", QString::fromStdString(d.orbite.type_conique)}};
    const std::array<double*, 9> nombres = nombres_de(d.orbite);
    for (std::size_t i = 0; i < nombres.size(); ++i) {
        orbite.insert(QLatin1String(noms_orbite[i]), *nombres[i]);
    }
    const int reperes = static_cast<int>(d.reperes) - static_cast<int>(bouton_option::Option_RN);
    QJsonObject o{
        {"textes", textes},
        {"type_orbite", QLatin1String(noms_types[static_cast<int>(d.type_orbite)])},
        {"reperes", QLatin1String(noms_reperes[reperes])},
        {"vue",
         QJsonObject{{"longitude", d.longitude}, {"latitude", d.latitude}, {"zoom", d.zoom}}},
        {"orbite", orbite},
        {"masse", d.masse},
        {"isp", d.isp}};
    if (d.modele == terre_reelle) {
        o.insert("modele", QLatin1String(noms_modeles[1]));
    }
    return o;
}

depart_exercice lire_depart(const QJsonObject& o) {
    depart_exercice d;
    const QJsonObject textes = objet(o, "depart", "textes");
    for (int i = 0; i < 13; ++i) {
        d.textes[static_cast<std::size_t>(i)] =
            texte(textes, "depart.textes", QStringLiteral("Text%1").arg(i + 1)).toStdString();
    }
    d.type_orbite = static_cast<bouton_option>(choix(o, "depart", "type_orbite", noms_types));
    d.reperes = static_cast<bouton_option>(static_cast<int>(bouton_option::Option_RN) +
                                           choix(o, "depart", "reperes", noms_reperes));
    const QJsonObject vue = objet(o, "depart", "vue");
    d.longitude = static_cast<int>(nombre(vue, "depart.vue", "longitude", -180, 180));
    d.latitude = static_cast<int>(nombre(vue, "depart.vue", "latitude", -90, 90));
    d.zoom = nombre(vue, "depart.vue", "zoom", 1e-3, 1e6);
    const QJsonObject orbite = objet(o, "depart", "orbite");
    d.orbite.type_conique = noms_types[choix(orbite, "depart.orbite", "type", noms_types)];
    const std::array<double*, 9> nombres = nombres_de(d.orbite);
    for (std::size_t i = 0; i < nombres.size(); ++i) {
        *nombres[i] = nombre(orbite, "depart.orbite", QLatin1String(noms_orbite[i]));
    }
    construire_reperes(d.orbite);
    d.masse = nombre(o, "depart", "masse");
    d.isp = nombre(o, "depart", "isp");
    if (o.contains("modele")) {
        d.modele =
            choix(o, "depart", "modele", noms_modeles) == 1 ? terre_reelle : terre_du_programme;
    }
    return d;
}

// Altitudes and angles; an open orbit's infinite Za is left out.
QJsonObject ecrire_elements(const orbite_cible& c) {
    QJsonObject o{{"zp", c.zp},
                  {"i", c.inclinaison},
                  {"grand_omega", c.grand_omega},
                  {"petit_omega", c.petit_omega}};
    if (std::isfinite(c.za)) {
        o.insert("za", c.za);
    }
    return o;
}

orbite_cible lire_elements(const QJsonObject& o, const QString& champ, bool za_exigee) {
    orbite_cible c;
    c.za = za_exigee || o.contains("za") ? nombre(o, champ, "za")
                                         : std::numeric_limits<double>::infinity();
    c.zp = nombre(o, champ, "zp");
    c.inclinaison = nombre(o, champ, "i");
    c.grand_omega = nombre(o, champ, "grand_omega");
    c.petit_omega = nombre(o, champ, "petit_omega");
    return c;
}

QJsonObject ecrire_optimum(const solution_optimale& s) {
    QJsonArray tirs;
    for (const tir_impulsionnel& t : s.tirs) {
        tirs.append(
            QJsonObject{{"lieu", QString::fromStdString(t.lieu)},
                        {"anomalie", t.anomalie},
                        {"point_libre", t.point_libre},
                        {"delta_v", t.delta_v},
                        {"direction", QJsonArray{t.direction.x, t.direction.y, t.direction.z}}});
    }
    return {{"delta_v", s.delta_v}, {"tirs", tirs}};
}

solution_optimale lire_optimum(const QJsonObject& o) {
    solution_optimale s;
    s.delta_v = nombre(o, "optimum", "delta_v", 0.0);
    const QJsonValue tirs = exiger(o, "optimum.tirs", "tirs");
    if (!tirs.isArray()) {
        refuser("optimum.tirs", QStringLiteral(": une liste est attendue"));
    }
    for (qsizetype k = 0; k < tirs.toArray().size(); ++k) {
        const QString champ = QStringLiteral("optimum.tirs[%1]").arg(k + 1);
        const QJsonValue v = tirs.toArray()[k];
        if (!v.isObject()) {
            refuser(champ, QStringLiteral(": un objet est attendu"));
        }
        const QJsonObject t = v.toObject();
        tir_impulsionnel b;
        b.lieu = texte(t, champ, "lieu").toStdString();
        b.anomalie = nombre(t, champ, "anomalie");
        b.point_libre = booleen(t, champ, "point_libre");
        b.delta_v = nombre(t, champ, "delta_v", 0.0);
        b.direction = lire_vecteur(t, champ, "direction");
        s.tirs.push_back(b);
    }
    return s;
}

QJsonObject ecrire_score(const score_exercice& s) {
    QJsonArray raisons;
    for (const std::string& r : s.raisons) {
        raisons.append(QString::fromStdString(r));
    }
    QJsonObject o{{"atteint", s.atteint},
                  {"cible_atteinte", s.cible_atteinte},
                  {"budget_depasse", s.budget_depasse},
                  {"tirs_depasses", s.tirs_depasses},
                  {"delta_v", s.delta_v},
                  {"tirs", s.tirs},
                  {"finale", ecrire_elements(s.finale)},
                  {"raisons", raisons}};
    const std::pair<const char*, const std::optional<double>*> options[] = {
        {"delta_v_optimal", &s.delta_v_optimal},
        {"rapport", &s.rapport},
        {"note", &s.note},
        {"temps_mission", &s.temps_mission}};
    for (const auto& [nom, valeur] : options) {
        if (*valeur) {
            o.insert(QLatin1String(nom), **valeur);
        }
    }
    return o;
}

score_exercice lire_score(const QJsonObject& o) {
    score_exercice s;
    s.atteint = booleen(o, "score", "atteint");
    s.cible_atteinte = booleen(o, "score", "cible_atteinte");
    s.budget_depasse = booleen(o, "score", "budget_depasse");
    s.tirs_depasses = booleen(o, "score", "tirs_depasses");
    s.delta_v = nombre(o, "score", "delta_v", 0.0);
    s.tirs = static_cast<int>(nombre(o, "score", "tirs", 0.0, 1e6));
    s.finale = lire_elements(objet(o, "score", "finale"), "score.finale", false);
    const QJsonArray raisons = exiger(o, "score.raisons", "raisons").toArray();
    for (const QJsonValue& r : raisons) {
        s.raisons.push_back(r.toString().toStdString());
    }
    const std::pair<const char*, std::optional<double>*> options[] = {
        {"delta_v_optimal", &s.delta_v_optimal},
        {"rapport", &s.rapport},
        {"note", &s.note},
        {"temps_mission", &s.temps_mission}};
    for (const auto& [nom, valeur] : options) {
        if (o.contains(QLatin1String(nom))) {
            *valeur = nombre(o, "score", QLatin1String(nom), 0.0);
        }
    }
    return s;
}

QJsonObject ecrire_criteres(const exercice& e) {
    QJsonObject o;
    for (std::size_t k = 0; k < nombre_elements_vises; ++k) {
        o.insert(
            QLatin1String(nom_element(static_cast<element_vise>(k))),
            QJsonObject{{"coche", e.criteres[k].coche}, {"tolerance", e.criteres[k].tolerance}});
    }
    return o;
}

void lire_criteres(const QJsonObject& o, exercice& e) {
    for (std::size_t k = 0; k < nombre_elements_vises; ++k) {
        const QString nom = QLatin1String(nom_element(static_cast<element_vise>(k)));
        const QJsonObject c = objet(o, "criteres", nom);
        e.criteres[k].coche = booleen(c, "criteres." + nom, "coche");
        e.criteres[k].tolerance = nombre(c, "criteres." + nom, "tolerance");
    }
}

section_exercice lire_section(const QJsonObject& o) {
    section_exercice s;
    exercice& e = s.donne;
    e.depart = lire_depart(objet(o, QString(), "depart"));
    if (o.contains("cible")) {
        e.cible = lire_elements(objet(o, QString(), "cible"), "cible", true);
    }
    lire_criteres(objet(o, QString(), "criteres"), e);
    if (o.contains("budget_delta_v")) {
        e.budget_delta_v = nombre(o, QString(), "budget_delta_v");
    }
    if (o.contains("tirs_maximum")) {
        e.tirs_maximum = lecture::entier(o, racine({}), "tirs_maximum", -1000000, 1000000);
    }
    e.enonce = texte(o, QString(), "enonce").toStdString();
    e.assistant_permis = booleen(o, QString(), "assistant");
    e.releve = static_cast<releve_permis>(choix(o, QString(), "releve", noms_releves));
    if (o.contains("optimum")) {
        e.optimum = lire_optimum(objet(o, QString(), "optimum"));
    }
    if (o.contains("score")) {
        s.score = lire_score(objet(o, QString(), "score"));
    }
    return s;
}

} // namespace

QJsonObject ecrire_section_exercice(const section_exercice& s) {
    const exercice& e = s.donne;
    QJsonObject o{{"depart", ecrire_depart(e.depart)},
                  {"criteres", ecrire_criteres(e)},
                  {"enonce", QString::fromStdString(e.enonce)},
                  {"assistant", e.assistant_permis},
                  {"releve", QLatin1String(noms_releves[static_cast<int>(e.releve)])}};
    if (e.cible) {
        o.insert("cible", ecrire_elements(*e.cible));
    }
    if (e.budget_delta_v) {
        o.insert("budget_delta_v", *e.budget_delta_v);
    }
    if (e.tirs_maximum) {
        o.insert("tirs_maximum", *e.tirs_maximum);
    }
    if (e.optimum) {
        o.insert("optimum", ecrire_optimum(*e.optimum));
    }
    if (s.score) {
        o.insert("score", ecrire_score(*s.score));
    }
    return o;
}

std::variant<section_exercice, QString> lire_section_exercice(const QJsonValue& v) {
    if (!v.isObject()) {
        return QStringLiteral("Champ « exercice » : un objet est attendu.");
    }
    try {
        section_exercice s = lire_section(v.toObject());
        const std::vector<std::string> defauts = defauts_exercice(s.donne);
        if (!defauts.empty()) {
            QStringList raisons;
            for (const std::string& d : defauts) {
                raisons << QString::fromStdString(d);
            }
            return QStringLiteral("Exercice refusé : %1").arg(raisons.join(QLatin1Char(' ')));
        }
        return s;
    } catch (const champ_invalide& e) {
        return e.message;
    } catch (const erreur_calcul& e) {
        return QStringLiteral("Champ « exercice.depart.orbite » : %1").arg(e.what());
    }
}

} // namespace trajel
