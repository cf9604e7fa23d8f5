#include "ui/lecon/lecture_json.h"

#include <QJsonArray>
#include <QStringList>

#include <cmath>

namespace trajel::lecture {

QString sous(const QString& parent, const QString& nom) {
    return parent.isEmpty() ? nom : parent + QLatin1Char('.') + nom;
}

void refuser(const QString& champ, const QString& raison) {
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
    const QString champ = sous(parent, nom);
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
    if (x != std::floor(x)) {
        refuser(sous(parent, nom), QStringLiteral(": un nombre entier est attendu"));
    }
    return static_cast<int>(x);
}

bool booleen(const QJsonObject& o, const QString& champ, const QString& nom) {
    const QJsonValue v = exiger(o, champ, nom);
    if (!v.isBool()) {
        refuser(champ, QStringLiteral(": vrai ou faux est attendu"));
    }
    return v.toBool();
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

int choix(const QJsonObject& o, const QString& champ, const QString& nom,
          std::span<const char* const> noms) {
    const QString t = texte(o, champ, nom, 100);
    QStringList permis;
    for (std::size_t i = 0; i < noms.size(); ++i) {
        if (t == QLatin1String(noms[i])) {
            return static_cast<int>(i);
        }
        permis << QString::fromLatin1(noms[i]);
    }
    refuser(champ, QStringLiteral(": « %1 » n'est pas l'un de %2").arg(t, permis.join(", ")));
}

void lire_nombres(const QJsonObject& o, const QString& champ, const QString& nom,
                  std::span<double> r) {
    const QJsonValue v = exiger(o, champ, nom);
    const QJsonArray a = v.toArray();
    const QString raison = QStringLiteral(": %1 nombres sont attendus").arg(r.size());
    if (!v.isArray() || a.size() != static_cast<qsizetype>(r.size())) {
        refuser(champ, raison);
    }
    for (std::size_t i = 0; i < r.size(); ++i) {
        const QJsonValue x = a[static_cast<qsizetype>(i)];
        if (!x.isDouble() || !std::isfinite(x.toDouble())) {
            refuser(champ, raison);
        }
        r[i] = x.toDouble();
    }
}

} // namespace trajel::lecture
