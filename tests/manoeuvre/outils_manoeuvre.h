#pragma once

#include "core/trajectoire.h"
#include "render/scene.h"
#include "soutien/references.h"

#include <QString>
#include <QTest>

#include <cmath>
#include <numbers>

// |a - b| <= tolerance, with both values printed to 17 digits on failure.
#define PROCHE(a, b, tolerance)                                                                    \
    do {                                                                                           \
        const double proche_a_ = (a);                                                              \
        const double proche_b_ = (b);                                                              \
        QVERIFY2(std::abs(proche_a_ - proche_b_) <= (tolerance),                                   \
                 qPrintable(QStringLiteral("%1 = %2, %3 = %4, écart %5")                           \
                                .arg(QStringLiteral(#a))                                           \
                                .arg(proche_a_, 0, 'g', 17)                                        \
                                .arg(QStringLiteral(#b))                                           \
                                .arg(proche_b_, 0, 'g', 17)                                        \
                                .arg(std::abs(proche_a_ - proche_b_), 0, 'g', 3)));                \
    } while (false)
