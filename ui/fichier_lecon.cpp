#include "ui/fichier_lecon.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <optional>

namespace trajel {

namespace {

constexpr const char* noms_types[] = {"circulaire", "elliptique", "parabolique", "hyperbolique"};
constexpr const char* noms_reperes[] = {"RN", "RH", "RP", "tous"};
constexpr qsizetype tirs_maximum = 100000;

// What is wrong with a field: its name and why.
struct champ_invalide {
    QString message;
};

[[noreturn]] void refuser(const QString& champ, const QString& raison) {
    throw champ_invalide{QStringLiteral("Champ « %1 » %2.").arg(champ, raison)};
}

QJsonValue exiger(const QJsonObject& o, const QString& champ, const QString& nom) {
    const QJsonValue v = o.value(nom);
    if (v.isUndefined()) {
        throw champ_invalide{QStringLiteral("Champ « %1 » manquant.").arg(champ)};
    }
    return v;
}

double nombre(const QJsonObject& o, const QString& parent, const QString& nom, double min,
              double max) {
    const QString champ = parent.isEmpty() ? nom : parent + QLatin1Char('.') + nom;
    const QJsonValue v = exiger(o, champ, nom);
    if (!v.isDouble()) {
        refuser(champ, QStringLiteral(": un nombre est attendu"));
    }
    const double x = v.toDouble();
    if (!std::isfinite(x) || x < min || x > max) {
        refuser(champ, QStringLiteral("hors des limites (%1 à %2) : %3")
                           .arg(min, 0, 'g', 15)
                           .arg(max, 0, 'g', 15)
                           .arg(x, 0, 'g', 15));
    }
    return x;
}

int entier(const QJsonObject& o, const QString& parent, const QString& nom, int min, int max) {
    const double x = nombre(o, parent, nom, min, max);
    const QString champ = parent.isEmpty() ? nom : parent + QLatin1Char('.') + nom;
    if (x != std::floor(x)) {
        refuser(champ, QStringLiteral(": un nombre entier est attendu"));
    }
    return static_cast<int>(x);
}

QString texte(const QJsonObject& o, const QString& champ, const QString& nom, qsizetype longueur) {
    const QJsonValue v = exiger(o, champ, nom);
    if (!v.isString()) {
        refuser(champ, QStringLiteral(": un texte est attendu"));
    }
    QString t = v.toString();
    if (t.size() > longueur) {
        refuser(champ, QStringLiteral("trop long (plus de %1 caractères)").arg(longueur));
    }
    return t;
}

QJsonObject objet(const QJsonObject& o, const QString& champ, const QString& nom) {
    const QJsonValue v = exiger(o, champ, nom);
    if (!v.isObject()) {
        refuser(champ, QStringLiteral(": un objet est attendu"));
    }
    return v.toObject();
}

template <std::size_t N>
int choix(const QJsonObject& o, const QString& nom, const char* const (&noms)[N]) {
    const QString t = texte(o, nom, nom, 100);
    for (std::size_t i = 0; i < N; ++i) {
        if (t == QLatin1String(noms[i])) {
            return static_cast<int>(i);
        }
    }
    QStringList permis;
    for (const char* n : noms) {
        permis << QString::fromLatin1(n);
    }
    refuser(nom, QStringLiteral(": « %1 » n'est pas l'un de %2").arg(t, permis.join(", ")));
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
    const QString type = texte(o, champ + ".type", "type", 20);
    bool connu = false;
    for (const char* n : noms_types) {
        connu = connu || type == QLatin1String(n);
    }
    if (!connu) {
        refuser(champ + ".type", QStringLiteral(": type de conique inconnu « %1 »").arg(type));
    }
    r.type_conique = type.toStdString();
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

lecon lire_objet(const QJsonObject& racine) {
    lecon l;
    const QJsonObject textes = objet(racine, "textes", "textes");
    for (int i = 0; i < 13; ++i) {
        const QString nom = QStringLiteral("Text%1").arg(i + 1);
        l.textes[static_cast<std::size_t>(i)] =
            texte(textes, "textes." + nom, nom, longueur_maximale_texte);
    }
    l.type_orbite = static_cast<bouton_option>(choix(racine, "type_orbite", noms_types));
    l.reperes = static_cast<bouton_option>(static_cast<int>(bouton_option::Option_RN) +
                                           choix(racine, "reperes", noms_reperes));
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
    }
    // The notes hold whatever their editor holds: only the file's size bounds them.
    l.notes = texte(racine, "notes", "notes", taille_maximale_lecon);
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
        journal.append(ecrire_tir(t));
    }
    const int reperes = static_cast<int>(l.reperes) - static_cast<int>(bouton_option::Option_RN);
    const QJsonObject racine{
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
    if (version.toDouble() > version_format_lecon) {
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
