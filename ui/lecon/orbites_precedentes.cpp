#include "ui/lecon/orbites_precedentes.h"

#include "core/processeur.h"
#include "manoeuvre/vol_propulse.h"
#include "ui/lecon/historique.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace trajel {

namespace {

// The powered flight of b, its start first, each step's position after it.
std::vector<vecteur> arc_du_tir(const bilan_tir& b) {
    std::vector<vecteur> arc{position_de(b.depart)};
    if (b.pas < 1) {
        return arc;
    }
    arc.reserve(static_cast<std::size_t>(b.pas) + 1);
    etat S = b.depart;
    voler(b.moteur, quotient(b.duree, b.pas), b.pas, S,
          [&](const etat& etape, double) { arc.push_back(position_de(etape)); });
    return arc;
}

} // namespace

orbites_precedentes_lecon::orbites_precedentes_lecon(poste_de_travail& principale,
                                                     historique_lecon& historique)
    : QObject(&historique), principale_(principale), historique_(historique) {
    action_ = new QAction(QStringLiteral("Orbites précédentes"), this);
    action_->setObjectName(QStringLiteral("menu_orbites_precedentes"));
    action_->setCheckable(true);
    connect(action_, &QAction::toggled, this, &orbites_precedentes_lecon::basculer);
    connect(&historique_, &historique_lecon::journal_change, this,
            &orbites_precedentes_lecon::journal_change);
    fantomes_de_la_lecon = [this] { return fantomes(); };
}

orbites_precedentes_lecon::~orbites_precedentes_lecon() {
    fantomes_de_la_lecon = nullptr;
}

std::vector<orbite_fantome> orbites_precedentes_lecon::fantomes() {
    const std::vector<ligne_journal> journal = historique_.journal();
    dessines_ = journal.size();
    std::vector<orbite_fantome> f;
    for (std::size_t i = 0; i < journal.size(); ++i) {
        if (!journal[i].tir) {
            continue;
        }
        const bilan_tir& b = *journal[i].tir;
        auto deja =
            std::find_if(arcs_.begin(), arcs_.end(), [&](const auto& a) { return a.first == b; });
        if (deja == arcs_.end()) {
            arcs_.emplace_back(b, arc_du_tir(b));
            deja = arcs_.end() - 1;
        }
        f.push_back({b.avant, deja->second, static_cast<unsigned>(i + 1)});
    }
    return f;
}

void orbites_precedentes_lecon::basculer(bool actif) {
    historique_.redessiner([&] {
        options_affichage options = principale_.scene().affichage;
        options.orbites_precedentes = actif;
        principale_.executer(commande::afficher{options});
    });
}

void orbites_precedentes_lecon::journal_change() {
    // A burn joins the journal after its event drew the picture: drawn again with it.
    // An undo or an opened lesson has drawn it already.
    if (action_->isChecked() && historique_.journal().size() != dessines_) {
        historique_.redessiner();
    }
}

orbites_precedentes_lecon* ajouter_orbites_precedentes(poste_de_travail& principale,
                                                       historique_lecon& historique) {
    auto* o = new orbites_precedentes_lecon(principale, historique);
    principale.menu_outils()->addAction(o->action());
    return o;
}

} // namespace trajel
