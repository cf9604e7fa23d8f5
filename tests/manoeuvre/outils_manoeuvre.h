#pragma once

#include "core/trajectoire.h"
#include "render/scene.h"
#include "soutien/references.h"

#include <QString>
#include <QTest>

#include <cmath>
#include <map>
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

namespace trajel::test {

inline const std::map<QString, zone_texte> zones = {
    {"Text1", zone_texte::Text1},   {"Text2", zone_texte::Text2},   {"Text3", zone_texte::Text3},
    {"Text4", zone_texte::Text4},   {"Text5", zone_texte::Text5},   {"Text6", zone_texte::Text6},
    {"Text7", zone_texte::Text7},   {"Text8", zone_texte::Text8},   {"Text9", zone_texte::Text9},
    {"Text10", zone_texte::Text10}, {"Text11", zone_texte::Text11}, {"Text12", zone_texte::Text12},
    {"Text13", zone_texte::Text13}};

inline const std::map<QString, bouton_option> coniques = {
    {"circulaire", bouton_option::Option_circulaire},
    {"elliptique", bouton_option::Option_elliptique},
    {"parabolique", bouton_option::Option_parabolique},
    {"hyperbolique", bouton_option::Option_hyperbolique}};

// "Text12=abc|option=hyperbolique": what the user typed before the click.
inline void saisir(faux_formulaire& f, const QString& saisies) {
    for (const QString& s : saisies.split('|', Qt::SkipEmptyParts)) {
        const QString nom = s.section('=', 0, 0);
        const QString texte = s.section('=', 1);
        if (nom == "option") {
            f.choisir(coniques.at(texte));
        } else {
            f.ecrire(zones.at(nom), texte.toStdString());
        }
    }
}

// The window as the user leaves it: the handlers connected and the last redraw done.
inline void demarrer(module_de_test& m, const QString& saisies = {}) {
    brancher_gestionnaires(m.fenetre);
    saisir(m.fenetre, saisies);
    rafraichissement_complet();
}

} // namespace trajel::test
