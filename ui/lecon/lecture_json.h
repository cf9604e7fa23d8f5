#pragma once

// The readers of a lesson file's fields: each takes the field's dotted name for its
// message ("Champ « vue.zoom » : un nombre est attendu.") and throws champ_invalide
// when the field is missing or wrong.

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <array>
#include <limits>
#include <span>

namespace trajel::lecture {

struct champ_invalide {
    QString message;
};

inline constexpr double grand = std::numeric_limits<double>::max();

// "parent.nom", or nom at the top.
QString sous(const QString& parent, const QString& nom);

[[noreturn]] void refuser(const QString& champ, const QString& raison);
QJsonValue exiger(const QJsonObject& o, const QString& champ, const QString& nom);

// A finite number within [min, max].
double nombre(const QJsonObject& o, const QString& parent, const QString& nom, double min = -grand,
              double max = grand);
int entier(const QJsonObject& o, const QString& parent, const QString& nom, int min, int max);
bool booleen(const QJsonObject& o, const QString& champ, const QString& nom);
QString texte(const QJsonObject& o, const QString& champ, const QString& nom, qsizetype longueur);
QJsonObject objet(const QJsonObject& o, const QString& champ, const QString& nom);
// The index of the text among `noms`.
int choix(const QJsonObject& o, const QString& champ, const QString& nom,
          std::span<const char* const> noms);

// N finite numbers in a list.
void lire_nombres(const QJsonObject& o, const QString& champ, const QString& nom,
                  std::span<double> r);
template <std::size_t N>
std::array<double, N> lire_liste(const QJsonObject& o, const QString& champ, const QString& nom) {
    std::array<double, N> r{};
    lire_nombres(o, champ, nom, r);
    return r;
}

} // namespace trajel::lecture
