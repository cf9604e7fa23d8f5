#pragma once

#include "core/erreur.h"
#include "core/vecteur.h"

#include <QMetaType>
#include <QString>
#include <QTest>

#include <cmath>
#include <functional>
#include <optional>

Q_DECLARE_METATYPE(trajel::vecteur)
Q_DECLARE_METATYPE(trajel::nature_erreur)

namespace trajel::test {

// The nature of the erreur_calcul that f raises, or nothing when f returns.
inline std::optional<nature_erreur> erreur_levee(const std::function<void()>& f) {
    try {
        f();
    } catch (const erreur_calcul& e) {
        return e.nature();
    }
    return std::nullopt;
}

inline QString texte_nature(std::optional<nature_erreur> n) {
    if (!n) {
        return QStringLiteral("aucune erreur");
    }
    switch (*n) {
    case nature_erreur::division_par_zero:
        return QStringLiteral("division_par_zero");
    case nature_erreur::operation_invalide:
        return QStringLiteral("operation_invalide");
    case nature_erreur::depassement_capacite:
        return QStringLiteral("depassement_capacite");
    case nature_erreur::angle_phi_invalide:
        return QStringLiteral("angle_phi_invalide");
    case nature_erreur::tir_refuse:
        return QStringLiteral("tir_refuse");
    }
    return QStringLiteral("?");
}

inline QString texte_double(double x) {
    return QString::number(x, 'g', 17);
}

inline QString texte_vecteur(const vecteur& v) {
    return QStringLiteral("(%1, %2, %3)")
        .arg(texte_double(v.x), texte_double(v.y), texte_double(v.z));
}

} // namespace trajel::test

// Bit-for-bit equality of two doubles (0 and -0 compare equal), with both values shown.
#define COMPARER_EXACT(obtenu, attendu)                                                            \
    do {                                                                                           \
        const double obtenu_ = (obtenu);                                                           \
        const double attendu_ = (attendu);                                                         \
        QVERIFY2(obtenu_ == attendu_, qPrintable(QStringLiteral("%1 obtenu, %2 attendu")           \
                                                     .arg(trajel::test::texte_double(obtenu_),     \
                                                          trajel::test::texte_double(attendu_)))); \
    } while (false)

// |obtenu - attendu| <= tolerance.
#define COMPARER_PROCHE(obtenu, attendu, tolerance)                                                \
    do {                                                                                           \
        const double obtenu_ = (obtenu);                                                           \
        const double attendu_ = (attendu);                                                         \
        QVERIFY2(std::fabs(obtenu_ - attendu_) <= (tolerance),                                     \
                 qPrintable(QStringLiteral("%1 obtenu, %2 attendu")                                \
                                .arg(trajel::test::texte_double(obtenu_),                          \
                                     trajel::test::texte_double(attendu_))));                      \
    } while (false)

// Each component within tolerance.
#define COMPARER_VECTEUR(obtenu, attendu, tolerance)                                               \
    do {                                                                                           \
        const trajel::vecteur obtenu_v_ = (obtenu);                                                \
        const trajel::vecteur attendu_v_ = (attendu);                                              \
        QVERIFY2(std::fabs(obtenu_v_.x - attendu_v_.x) <= (tolerance) &&                           \
                     std::fabs(obtenu_v_.y - attendu_v_.y) <= (tolerance) &&                       \
                     std::fabs(obtenu_v_.z - attendu_v_.z) <= (tolerance),                         \
                 qPrintable(QStringLiteral("%1 obtenu, %2 attendu")                                \
                                .arg(trajel::test::texte_vecteur(obtenu_v_),                       \
                                     trajel::test::texte_vecteur(attendu_v_))));                   \
    } while (false)

// f must raise erreur_calcul of the given nature.
#define VERIFIER_ERREUR(f, nature)                                                                 \
    do {                                                                                           \
        const auto levee_ = trajel::test::erreur_levee(f);                                         \
        QVERIFY2(levee_ == std::optional<trajel::nature_erreur>(nature),                           \
                 qPrintable(QStringLiteral("%1 levée, %2 attendue")                                \
                                .arg(trajel::test::texte_nature(levee_),                           \
                                     trajel::test::texte_nature(nature))));                        \
    } while (false)
