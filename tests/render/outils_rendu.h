#pragma once

#include "core/erreur.h"
#include "core/surface.h"

#include <QPoint>
#include <QTest>

// A drawing expected to succeed: an arithmetic error fails the test instead of leaving
// the test function (QtTest would end the whole program on it).
#define SANS_ERREUR(instruction)                                                                   \
    do {                                                                                           \
        try {                                                                                      \
            instruction;                                                                           \
        } catch (const trajel::erreur_calcul& erreur_inattendue) {                                 \
            QFAIL(erreur_inattendue.what());                                                       \
        }                                                                                          \
    } while (false)

namespace trajel::test {

inline QPoint debut(const element_affichage& e) {
    return QPoint(static_cast<int>(e.x1), static_cast<int>(e.y1));
}
inline QPoint fin(const element_affichage& e) {
    return QPoint(static_cast<int>(e.x2), static_cast<int>(e.y2));
}

} // namespace trajel::test
