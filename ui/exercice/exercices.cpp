#include "ui/exercice/exercices.h"

#include "ui/lecon/fichiers_lecon.h"
#include "ui/poste/poste.h"

#include <QMenu>

namespace trajel {

mode_exercice exercice_en_cours::mode() const {
    if (!section_) {
        return mode_exercice::aucun;
    }
    return section_->score ? mode_exercice::correction : mode_exercice::eleve;
}

void exercice_en_cours::appliquer(const std::optional<section_exercice>& s) {
    if (s == section_) {
        return;
    }
    section_ = s;
    const bool traces = orbites_.cible || !orbites_.solution.empty();
    orbites_ = {};
    if (traces && redessiner) {
        redessiner();
    }
    emit change();
}

void exercice_en_cours::tracer_cible(std::optional<trajectoire> cible) {
    orbites_.cible = std::move(cible);
    if (redessiner) {
        redessiner();
    }
}

void exercice_en_cours::tracer_solution(std::vector<orbite_fantome> solution) {
    orbites_.solution = std::move(solution);
    if (redessiner) {
        redessiner();
    }
}

exercice_en_cours* installer_exercices(poste_de_travail& principale, historique_lecon& historique,
                                       fichiers_lecon& fichiers, acces_outils_exercice acces) {
    auto* en_cours = new exercice_en_cours(&principale.widget());
    en_cours->setObjectName(QStringLiteral("exercice_en_cours"));
    QMenu* menu = principale.menu_outils()->addMenu(QStringLiteral("E&xercice"));
    menu->setObjectName(QStringLiteral("menu_exercice"));
    menu->menuAction()->setObjectName(QStringLiteral("menu_exercice"));
    en_cours->redessiner = [&principale] { principale.executer(commande::redessiner{}); };
    orbites_de_l_exercice = [en_cours] { return en_cours->orbites(); };
    QObject::connect(en_cours, &QObject::destroyed, [] { orbites_de_l_exercice = nullptr; });
    fichiers.exercice_applique = [en_cours](const std::optional<section_exercice>& s) {
        en_cours->appliquer(s);
    };
    fichiers.exercice_actuel = [en_cours] { return en_cours->section(); };
    // The windows live as long as the main window; the context is theirs.
    auto* contexte =
        new contexte_exercice{principale, historique, fichiers, *en_cours, menu, std::move(acces)};
    QObject::connect(en_cours, &QObject::destroyed, [contexte] { delete contexte; });
    installer_eleve(*contexte);
    installer_correction(*contexte);
    return en_cours;
}

} // namespace trajel
