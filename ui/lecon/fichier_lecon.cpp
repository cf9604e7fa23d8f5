#include "ui/lecon/fichier_lecon.h"

#include "ui/lecon/lecture_json.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>

namespace trajel {

namespace {

constexpr const char* noms_types[] = {"circulaire", "elliptique", "parabolique", "hyperbolique"};
constexpr const char* noms_reperes[] = {"RN", "RH", "RP", "tous"};
constexpr const char* noms_modeles[] = {"terre_du_programme", "terre_reelle"};
constexpr qsizetype tirs_maximum = 100000;

using lecture::champ_invalide;
using lecture::choix;
using lecture::entier;
using lecture::exiger;
using lecture::lire_liste;
using lecture::nombre;
using lecture::objet;
using lecture::refuser;
using lecture::texte;

// The keyword of a conic's type, one of the four.
std::string type_de_conique(const QJsonObject& o, const QString& champ) {
    const QString type = texte(o, champ + ".type", "type", 20);
    for (const char* n : noms_types) {
        if (type == QLatin1String(n)) {
            return type.toStdString();
        }
    }
    refuser(champ + ".type", QStringLiteral(": type de conique inconnu « %1 »").arg(type));
}

QJsonObject ecrire_orbite(const orbite_journal& o) {
    QJsonObject j{
        {"type", QString::fromStdString(o.type_conique)}, {"zp", o.zp}, {"i", o.inclinaison}};
    if (o.za_ou_phi) {
        j.insert("za_ou_phi", *o.za_ou_phi);
    }
    return j;
}

orbite_journal lire_orbite(const QJsonObject& o, const QString& champ) {
    orbite_journal r;
    r.type_conique = type_de_conique(o, champ);
    constexpr double grand = 1e300;
    r.zp = nombre(o, champ, "zp", -grand, grand);
    r.inclinaison = nombre(o, champ, "i", -grand, grand);
    if (o.contains("za_ou_phi")) {
        r.za_ou_phi = nombre(o, champ, "za_ou_phi", -grand, grand);
    }
    return r;
}

QJsonObject ecrire_tir(const ligne_journal& l) {
    return {{"anomalie", l.anomalie},
            {"poussee", QJsonArray{l.poussee.x, l.poussee.y, l.poussee.z}},
            {"duree", l.duree},
            {"pas", l.pas},
            {"masse_avant", l.masse_avant},
            {"masse_apres", l.masse_apres},
            {"delta_v", l.delta_v},
            {"avant", ecrire_orbite(l.avant)},
            {"apres", ecrire_orbite(l.apres)}};
}

ligne_journal lire_tir(const QJsonObject& o, const QString& champ) {
    constexpr double grand = 1e300;
    ligne_journal l;
    l.anomalie = nombre(o, champ, "anomalie", -grand, grand);
    const QJsonValue p = exiger(o, champ + ".poussee", "poussee");
    if (!p.isArray() || p.toArray().size() != 3) {
        refuser(champ + ".poussee", QStringLiteral(": trois nombres sont attendus"));
    }
    const QJsonArray a = p.toArray();
    double* composantes[] = {&l.poussee.x, &l.poussee.y, &l.poussee.z};
    for (int i = 0; i < 3; ++i) {
        if (!a[i].isDouble() || !std::isfinite(a[i].toDouble())) {
            refuser(champ + ".poussee", QStringLiteral(": trois nombres sont attendus"));
        }
        *composantes[i] = a[i].toDouble();
    }
    l.duree = nombre(o, champ, "duree", -grand, grand);
    l.pas = entier(o, champ, "pas", 1, 32766);
    l.masse_avant = nombre(o, champ, "masse_avant", 0.0, grand);
    l.masse_apres = nombre(o, champ, "masse_apres", 0.0, grand);
    l.delta_v = nombre(o, champ, "delta_v", -grand, grand);
    l.avant = lire_orbite(objet(o, champ + ".avant", "avant"), champ + ".avant");
    l.apres = lire_orbite(objet(o, champ + ".apres", "apres"), champ + ".apres");
    return l;
}

// Numbers written in a list (read back by lire_liste).
QJsonArray liste(std::initializer_list<double> valeurs) {
    QJsonArray a;
    for (double v : valeurs) {
        a.append(v);
    }
    return a;
}

QJsonArray ecrire_etat(const etat& e) {
    return liste({e.y(1), e.y(2), e.y(3), e.y(4), e.y(5), e.y(6), e.m});
}

etat lire_etat(const QJsonObject& o, const QString& parent, const QString& nom) {
    const std::array<double, 7> a = lire_liste<7>(o, parent + QLatin1Char('.') + nom, nom);
    etat e;
    for (int i = 1; i <= 6; ++i) {
        e.y(i) = a[static_cast<std::size_t>(i - 1)];
    }
    e.m = a[6];
    return e;
}

// The frames' axes in the order RN, RH, RP, sat; u, v, w each.
std::array<repere*, 4> reperes_de(trajectoire& t) {
    return {&t.repere_RN, &t.repere_RH, &t.repere_RP, &t.repere_sat};
}

QJsonObject ecrire_trajectoire(trajectoire t) {
    QJsonArray axes;
    for (repere* r : reperes_de(t)) {
        for (const vecteur* a : {&r->u, &r->v, &r->w}) {
            axes.append(a->x);
            axes.append(a->y);
            axes.append(a->z);
        }
    }
    return {{"type", QString::fromStdString(t.type_conique)},
            {"za", t.za},
            {"zp", t.zp},
            {"grand_omega", t.grand_omega},
            {"inclinaison", t.inclinaison},
            {"petit_omega", t.petit_omega},
            {"excentricite", t.excentricite},
            {"parametre", t.parametre},
            {"anomalie", t.anomalie},
            {"angle_asymptote", t.angle_asymptote},
            {"reperes", axes}};
}

trajectoire lire_trajectoire(const QJsonObject& parent, const QString& champ, const QString& nom) {
    const QJsonObject o = objet(parent, champ, nom);
    trajectoire t;
    t.type_conique = type_de_conique(o, champ);
    constexpr double grand = std::numeric_limits<double>::max();
    double* nombres[] = {&t.za,          &t.zp,          &t.grand_omega,
                         &t.inclinaison, &t.petit_omega, &t.excentricite,
                         &t.parametre,   &t.anomalie,    &t.angle_asymptote};
    const char* noms[] = {"za",          "zp",          "grand_omega",
                          "inclinaison", "petit_omega", "excentricite",
                          "parametre",   "anomalie",    "angle_asymptote"};
    for (std::size_t i = 0; i < std::size(noms); ++i) {
        *nombres[i] = nombre(o, champ, QLatin1String(noms[i]), -grand, grand);
    }
    const std::array<double, 36> axes = lire_liste<36>(o, champ + ".reperes", "reperes");
    std::size_t k = 0;
    for (repere* r : reperes_de(t)) {
        for (vecteur* a : {&r->u, &r->v, &r->w}) {
            a->x = axes[k++];
            a->y = axes[k++];
            a->z = axes[k++];
        }
    }
    return t;
}

QJsonObject ecrire_bilan(const bilan_tir& b, bool arc) {
    const vecteur& F = b.moteur.poussee;
    return {{"depart", ecrire_etat(b.depart)},
            {"arrivee", ecrire_etat(b.arrivee)},
            {"poussee", liste({F.x, F.y, F.z})},
            {"module_poussee", b.moteur.module_poussee},
            {"isp", b.moteur.isp},
            {"duree", b.duree},
            {"pas", b.pas},
            {"avant", ecrire_trajectoire(b.avant)},
            {"apres", ecrire_trajectoire(b.apres)},
            {"arc", arc}};
}

bilan_tir lire_bilan(const QJsonObject& o, const QString& champ) {
    constexpr double grand = std::numeric_limits<double>::max();
    bilan_tir b;
    b.depart = lire_etat(o, champ, "depart");
    b.arrivee = lire_etat(o, champ, "arrivee");
    const std::array<double, 3> F = lire_liste<3>(o, champ + ".poussee", "poussee");
    b.moteur.poussee = {F[0], F[1], F[2]};
    b.moteur.module_poussee = nombre(o, champ, "module_poussee", 0.0, grand);
    b.moteur.isp = nombre(o, champ, "isp", -grand, grand);
    b.duree = nombre(o, champ, "duree", -grand, grand);
    b.pas = entier(o, champ, "pas", 1, 32766);
    b.avant = lire_trajectoire(o, champ + ".avant", "avant");
    b.apres = lire_trajectoire(o, champ + ".apres", "apres");
    return b;
}

void lire_dernier_tir(const QJsonObject& racine, lecon& l) {
    const QString champ = QStringLiteral("dernier_tir");
    const QJsonObject o = objet(racine, champ, champ);
    l.dernier_tir = lire_bilan(o, champ);
    const QJsonValue arc = exiger(o, champ + ".arc", "arc");
    if (!arc.isBool()) {
        refuser(champ + ".arc", QStringLiteral(": vrai ou faux est attendu"));
    }
    l.arc_du_tir = arc.toBool();
}

lecon lire_objet(const QJsonObject& racine) {
    lecon l;
    const QJsonObject textes = objet(racine, "textes", "textes");
    for (int i = 0; i < 13; ++i) {
        const QString nom = QStringLiteral("Text%1").arg(i + 1);
        l.textes[static_cast<std::size_t>(i)] =
            texte(textes, "textes." + nom, nom, longueur_maximale_texte);
    }
    l.type_orbite =
        static_cast<bouton_option>(choix(racine, "type_orbite", "type_orbite", noms_types));
    l.reperes = static_cast<bouton_option>(static_cast<int>(bouton_option::Option_RN) +
                                           choix(racine, "reperes", "reperes", noms_reperes));
    const QJsonObject vue = objet(racine, "vue", "vue");
    l.longitude = entier(vue, "vue", "longitude", -180, 180);
    l.latitude = entier(vue, "vue", "latitude", -90, 90);
    l.zoom = nombre(vue, "vue", "zoom", 1e-3, 1e6);
    const QJsonValue marques = exiger(racine, "marques", "marques");
    if (!marques.isBool()) {
        refuser("marques", QStringLiteral(": vrai ou faux est attendu"));
    }
    l.marques = marques.toBool();
    l.acceleration = nombre(racine, QString(), "acceleration", 1e-3, 1e9);
    const QJsonValue journal = exiger(racine, "journal", "journal");
    if (!journal.isArray()) {
        refuser("journal", QStringLiteral(": une liste est attendue"));
    }
    const QJsonArray tirs = journal.toArray();
    if (tirs.size() > tirs_maximum) {
        refuser("journal", QStringLiteral("trop long (plus de %1 tirs)").arg(tirs_maximum));
    }
    for (qsizetype i = 0; i < tirs.size(); ++i) {
        const QString champ = QStringLiteral("journal[%1]").arg(i + 1);
        if (!tirs[i].isObject()) {
            refuser(champ, QStringLiteral(": un objet est attendu"));
        }
        l.journal.push_back(lire_tir(tirs[i].toObject(), champ));
        if (tirs[i].toObject().contains("tir")) {
            const QString sous_champ = champ + QStringLiteral(".tir");
            l.journal.back().tir =
                lire_bilan(objet(tirs[i].toObject(), sous_champ, "tir"), sous_champ);
        }
    }
    // The notes hold whatever their editor holds: only the file's size bounds them.
    l.notes = texte(racine, "notes", "notes", taille_maximale_lecon);
    if (racine.contains("dernier_tir")) {
        lire_dernier_tir(racine, l);
    }
    if (racine.contains("temps_mission")) {
        l.temps_mission = nombre(racine, QString(), "temps_mission", 0.0, 1e300);
    }
    if (racine.contains("debit")) {
        l.debit = texte(racine, "debit", "debit", longueur_maximale_texte);
    }
    if (racine.contains("exercice")) {
        if (racine.value("version").toDouble() < version_format_exercice) {
            refuser("exercice", QStringLiteral(": une leçon de format 1 n'a pas d'exercice"));
        }
        auto section = lire_section_exercice(racine.value("exercice"));
        if (const QString* erreur = std::get_if<QString>(&section)) {
            throw champ_invalide{*erreur};
        }
        l.exercice = std::get<section_exercice>(std::move(section));
    }
    if (racine.contains("modele")) {
        l.modele = choix(racine, "modele", "modele", noms_modeles) == 1 ? terre_reelle
                                                                        : terre_du_programme;
    }
    // The window opens in the lesson's Earth: the exercise must have been made around it.
    if (l.exercice && !(l.exercice->donne.depart.modele == l.modele)) {
        refuser("exercice.depart.modele",
                QStringLiteral(": n'est pas le modèle de la Terre de la leçon"));
    }
    // The burns recorded were integrated around the lesson's Earth.
    if (l.dernier_tir) {
        l.dernier_tir->moteur.modele = l.modele;
    }
    for (ligne_journal& ligne : l.journal) {
        if (ligne.tir) {
            ligne.tir->moteur.modele = l.modele;
        }
    }
    return l;
}

} // namespace

QByteArray ecrire_lecon(const lecon& l) {
    QJsonObject textes;
    for (int i = 0; i < 13; ++i) {
        textes.insert(QStringLiteral("Text%1").arg(i + 1), l.textes[static_cast<std::size_t>(i)]);
    }
    QJsonArray journal;
    for (const ligne_journal& t : l.journal) {
        QJsonObject ligne = ecrire_tir(t);
        if (t.tir) {
            QJsonObject tir = ecrire_bilan(*t.tir, false);
            tir.remove("arc");
            ligne.insert("tir", tir);
        }
        journal.append(ligne);
    }
    const int reperes = static_cast<int>(l.reperes) - static_cast<int>(bouton_option::Option_RN);
    QJsonObject racine{
        {"format", QString::fromLatin1(format_lecon)},
        {"version", version_format_lecon},
        {"textes", textes},
        {"type_orbite", QString::fromLatin1(noms_types[static_cast<int>(l.type_orbite)])},
        {"reperes", QString::fromLatin1(noms_reperes[reperes])},
        {"vue",
         QJsonObject{{"longitude", l.longitude}, {"latitude", l.latitude}, {"zoom", l.zoom}}},
        {"marques", l.marques},
        {"acceleration", l.acceleration},
        {"journal", journal},
        {"notes", l.notes}};
    if (l.temps_mission != 0.0) {
        racine.insert("temps_mission", l.temps_mission);
    }
    if (l.dernier_tir) {
        racine.insert("dernier_tir", ecrire_bilan(*l.dernier_tir, l.arc_du_tir));
    }
    if (l.debit) {
        racine.insert("debit", *l.debit);
    }
    if (l.exercice) {
        racine.insert("version", version_format_exercice);
        racine.insert("exercice", ecrire_section_exercice(*l.exercice));
    }
    if (l.modele == terre_reelle) {
        racine.insert("modele", QString::fromLatin1(noms_modeles[1]));
    }
    return QJsonDocument(racine).toJson(QJsonDocument::Indented);
}

QString pourquoi_illisible(const QString& chemin, const QFile& fichier) {
    const QFileInfo info(chemin);
    if (!info.exists()) {
        return QStringLiteral("le fichier n'existe pas");
    }
    if (info.isDir()) {
        return QStringLiteral("c'est un dossier");
    }
    if (!info.isReadable()) {
        return QStringLiteral("la lecture en est refusée");
    }
    return fichier.errorString();
}

QString lecon_trop_volumineuse() {
    return QStringLiteral("Ce fichier est trop volumineux pour une leçon Trajel (plus de %1 Mo).")
        .arg(taille_maximale_lecon / (1024 * 1024));
}

std::variant<lecon, QString> lire_lecon(const QByteArray& octets) {
    if (octets.size() > taille_maximale_lecon) {
        return lecon_trop_volumineuse();
    }
    QJsonParseError erreur;
    const QJsonDocument document = QJsonDocument::fromJson(octets, &erreur);
    if (document.isNull()) {
        return QStringLiteral("Ce fichier n'est pas une leçon Trajel : ce n'est pas du JSON "
                              "valide (%1, à l'octet %2).")
            .arg(erreur.errorString())
            .arg(erreur.offset);
    }
    const QJsonObject racine = document.object();
    if (!document.isObject() || racine.value("format").toString() != QLatin1String(format_lecon)) {
        return QStringLiteral("Ce fichier n'est pas une leçon Trajel.");
    }
    const QJsonValue version = racine.value("version");
    if (!version.isDouble() || version.toDouble() < 1 ||
        version.toDouble() != std::floor(version.toDouble())) {
        return QStringLiteral("Champ « version » : un nombre entier positif est attendu.");
    }
    if (version.toDouble() > version_format_exercice) {
        return QStringLiteral("Leçon enregistrée par une version plus récente (format %1).")
            .arg(version.toDouble(), 0, 'g', 15);
    }
    try {
        return lire_objet(racine);
    } catch (const champ_invalide& e) {
        return e.message;
    }
}

} // namespace trajel
