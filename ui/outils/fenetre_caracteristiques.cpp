#include "ui/outils/fenetre_caracteristiques.h"

#include "ecran/placement.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/poste/poste.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

const QString tiret = QStringLiteral("-");
const QString km = QStringLiteral("km");
const QString km_s = QStringLiteral("km/s");
const QString km2_s2 = QStringLiteral("km²/s²");
const QString degres = QStringLiteral("°");

QString nom_forme(forme_conique f) {
    switch (f) {
    case forme_conique::cercle:
        return QStringLiteral("cercle");
    case forme_conique::ellipse:
        return QStringLiteral("ellipse");
    case forme_conique::parabole:
        return QStringLiteral("parabole");
    case forme_conique::hyperbole:
        return QStringLiteral("hyperbole");
    }
    return tiret;
}

// The conic of a record named as the orbit's own row names it: by its noun ("ellipse"
// rather than the orbit type's "elliptique").
QString nom_type(const std::string& type) {
    const std::pair<std::string_view, forme_conique> formes[] = {
        {circulaire, forme_conique::cercle},
        {elliptique, forme_conique::ellipse},
        {parabolique, forme_conique::parabole},
        {hyperbolique, forme_conique::hyperbole},
    };
    for (const auto& [mot, forme] : formes) {
        if (type == mot) {
            return nom_forme(forme);
        }
    }
    return tiret;
}

// A duration with its seconds: "54 min 36,6 s (3 276,6 s)".
QString duree_et_secondes(const std::optional<double>& s) {
    if (!s || std::abs(*s) < 60.0) {
        return duree_fr(s);
    }
    return duree_fr(s) + QStringLiteral(" (") + valeur_fr(s, QStringLiteral("s")) + ')';
}

// A row of the orbit, of the satellite, of the burn or of its error: "-" when the part
// could not be computed.
template <class F> auto sur_orbite(F f) {
    return [f](const auto& d) { return QStringList{d.l.orbite ? f(*d.l.orbite) : tiret}; };
}
template <class F> auto sur_satellite(F f) {
    return [f](const auto& d) { return QStringList{d.l.satellite ? f(*d.l.satellite) : tiret}; };
}
template <class F> auto sur_tir(F f) {
    return [f](const auto& d) {
        return QStringList{d.l.tir && d.tir != nullptr ? f(*d.l.tir, *d.tir) : tiret};
    };
}
template <class F> auto sur_erreur(F f) {
    return [f](const auto& d) { return QStringList{d.erreur ? f(*d.erreur) : tiret}; };
}
// The conic the finite burn gave beside the one its impulse would give.
template <class F> auto comparaison(F f) {
    return [f](const auto& d) {
        if (!d.l.tir) {
            return QStringList{tiret, tiret};
        }
        auto cote = [&](const std::optional<orbite_etat>& o) { return o ? f(*o) : tiret; };
        return QStringList{cote(d.l.tir->apres_tir), cote(d.l.tir->apres_impulsion)};
    };
}

} // namespace

fenetre_caracteristiques::fenetre_caracteristiques(poste_de_travail& principale)
    : QWidget(&principale.widget(), Qt::Tool), fenetre_outil(*this, principale) {
    setObjectName(QStringLiteral("fenetre_caracteristiques"));
    setWindowTitle(QStringLiteral("Caractéristiques de l'orbite"));

    arbre_ = new QTreeWidget(this);
    arbre_->setObjectName(QStringLiteral("arbre_caracteristiques"));
    arbre_->setColumnCount(3);
    arbre_->setHeaderLabels(
        {QStringLiteral("Grandeur"), QStringLiteral("Valeur"), QStringLiteral("Impulsion")});
    arbre_->setAlternatingRowColors(true);
    arbre_->setUniformRowHeights(true);
    arbre_->setRootIsDecorated(true);
    arbre_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    arbre_->setToolTip(QStringLiteral(
        "Grandeurs de l'orbite, du satellite et du dernier tir, recalculées après chaque "
        "tracé et chaque tir ; « - » : la grandeur n'existe pas pour cette conique"));
    construire_orbite();
    construire_satellite();
    construire_tir();
    construire_comparaison();
    construire_erreur();
    arbre_->expandAll();
    construire_boutons();

    // A refused or failed event has changed nothing; a completed one refreshes the
    // readout when it changed the orbit, the satellite or the last burn.
    suivre_les_evenements([this](bool reussi) {
        if (reussi && isVisible() && lu_sur_ != source_de(principale_.scene())) {
            actualiser();
        }
    });
    actualiser();
    ajuster_colonnes();
    resize(taille_voulue());
}

void fenetre_caracteristiques::construire_boutons() {
    auto* copier = new QPushButton(QStringLiteral("&Copier"), this);
    copier->setObjectName(QStringLiteral("bouton_copier"));
    copier->setToolTip(QStringLiteral("Met toutes les valeurs dans le presse-papiers"));
    connect(copier, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(texte()); });
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("bouton_fermer"));
    fermer->setToolTip(QStringLiteral("Ferme les caractéristiques (F2 les rouvre)"));
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    boutons_ = new QHBoxLayout;
    boutons_->addStretch();
    boutons_->addWidget(copier);
    boutons_->addWidget(fermer);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(arbre_);
    disposition->addLayout(boutons_);
}

// The names as wide as the longest; the values share what the window leaves.
void fenetre_caracteristiques::ajuster_colonnes() {
    arbre_->resizeColumnToContents(0);
    arbre_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    arbre_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    arbre_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    arbre_->header()->setStretchLastSection(false);
}

// Every row and every column whole, the burn's comparison column counted even before
// a burn shows it, so that the window need not grow then.
QSize fenetre_caracteristiques::taille_minimale() const {
    const QFontMetrics m(arbre_->font());
    return {m.horizontalAdvance(QLatin1Char('x')) * 64, m.height() * 20};
}

QSize fenetre_caracteristiques::taille_voulue() const {
    const QFontMetrics m(arbre_->font());
    const QAbstractItemView* vue = arbre_; // the view's size hints are public there
    const int marge_colonne = m.horizontalAdvance(QStringLiteral("xxxx"));
    const int noms = std::max(vue->sizeHintForColumn(0), arbre_->header()->sectionSizeHint(0));
    // The widest value; the comparison's columns hold values of the same kind.
    const int valeurs =
        std::max({vue->sizeHintForColumn(1), vue->sizeHintForColumn(2),
                  m.horizontalAdvance(QStringLiteral("1,23456 × 10⁻¹² km²/s²")),
                  arbre_->header()->sectionSizeHint(1), arbre_->header()->sectionSizeHint(2)});
    const int ascenseur = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QMargins bords = layout()->contentsMargins();
    const int largeur = noms + 2 * valeurs + 3 * marge_colonne + ascenseur +
                        2 * arbre_->frameWidth() + bords.left() + bords.right();
    int rangs = 0;
    for (int i = 0; i < arbre_->topLevelItemCount(); ++i) {
        rangs += 1 + arbre_->topLevelItem(i)->childCount();
    }
    const int rang = std::max(vue->sizeHintForRow(0), m.height() + 4);
    const int hauteur = rangs * rang + arbre_->header()->sizeHint().height() +
                        2 * arbre_->frameWidth() + bords.top() + bords.bottom() +
                        layout()->spacing() + boutons_->sizeHint().height();
    return {largeur, hauteur};
}

QTreeWidgetItem* fenetre_caracteristiques::groupe(const QString& nom) {
    auto* g = new QTreeWidgetItem(arbre_, {nom});
    QFont gras = g->font(0);
    gras.setBold(true);
    g->setFont(0, gras);
    g->setFirstColumnSpanned(false);
    return g;
}

void fenetre_caracteristiques::ajouter(QTreeWidgetItem* g, const QString& nom, valeur calcul) {
    lignes_.push_back({new QTreeWidgetItem(g, {nom}), std::move(calcul)});
}

void fenetre_caracteristiques::construire_orbite() {
    QTreeWidgetItem* g = groupe(QStringLiteral("Orbite"));
    using O = caracteristiques_orbite;
    ajouter(g, QStringLiteral("Conique"),
            sur_orbite([](const O& o) { return nom_forme(o.c.forme); }));
    ajouter(g, QStringLiteral("Excentricité e"),
            sur_orbite([](const O& o) { return nombre_fr(o.c.e); }));
    ajouter(g, QStringLiteral("Paramètre p"),
            sur_orbite([](const O& o) { return valeur_fr(o.c.p, km); }));
    ajouter(g, QStringLiteral("Demi-grand axe a"),
            sur_orbite([](const O& o) { return valeur_fr(o.a, km); }));
    ajouter(g, QStringLiteral("Rayon du périastre"),
            sur_orbite([](const O& o) { return valeur_fr(o.rp, km); }));
    ajouter(g, QStringLiteral("Altitude du périastre"), sur_orbite([](const O& o) {
                // Below the ground: the satellite would meet the Earth before its periapsis.
                return valeur_fr(o.zp, km) +
                       (o.zp < 0.0 ? QStringLiteral(" : l'orbite coupe la Terre") : QString());
            }));
    ajouter(g, QStringLiteral("Rayon de l'apoastre"),
            sur_orbite([](const O& o) { return valeur_fr(o.ra, km); }));
    ajouter(g, QStringLiteral("Altitude de l'apoastre"),
            sur_orbite([](const O& o) { return valeur_fr(o.za, km); }));
    ajouter(g, QStringLiteral("Période"),
            sur_orbite([](const O& o) { return duree_et_secondes(o.periode); }));
    ajouter(g, QStringLiteral("Moyen mouvement"),
            sur_orbite([](const O& o) { return valeur_fr(o.moyen_mouvement, "°/s"); }));
    ajouter(g, QStringLiteral("Révolutions par jour"), sur_orbite([](const O& o) {
                return valeur_fr(o.periode ? std::optional<double>(86400.0 / *o.periode)
                                           : std::nullopt,
                                 QString());
            }));
    ajouter(g, QStringLiteral("Énergie spécifique"),
            sur_orbite([](const O& o) { return valeur_fr(o.energie, km2_s2); }));
    ajouter(g, QStringLiteral("Moment cinétique h"),
            sur_orbite([](const O& o) { return valeur_fr(o.moment_cinetique, "km²/s"); }));
    ajouter(g, QStringLiteral("Vitesse au périastre"),
            sur_orbite([](const O& o) { return valeur_fr(o.vitesse_periastre, km_s); }));
    ajouter(g, QStringLiteral("Vitesse à l'apoastre"),
            sur_orbite([](const O& o) { return valeur_fr(o.vitesse_apoastre, km_s); }));
    ajouter(g, QStringLiteral("Vitesse de libération au périastre"),
            sur_orbite([](const O& o) { return valeur_fr(o.vitesse_liberation_periastre, km_s); }));
    ajouter(g, QStringLiteral("Vitesse à l'infini v∞"),
            sur_orbite([](const O& o) { return valeur_fr(o.vitesse_infinie, km_s); }));
    ajouter(g, QStringLiteral("Anomalie de l'asymptote"),
            sur_orbite([](const O& o) { return valeur_fr(o.anomalie_asymptote, degres); }));
    ajouter(g, QStringLiteral("Angle de déviation"),
            sur_orbite([](const O& o) { return valeur_fr(o.angle_deviation, degres); }));
}

void fenetre_caracteristiques::construire_satellite() {
    QTreeWidgetItem* g = groupe(QStringLiteral("Satellite"));
    using S = caracteristiques_satellite;
    ajouter(g, QStringLiteral("Anomalie vraie depuis le périastre"),
            sur_satellite([](const S& s) { return valeur_fr(s.anomalie_vraie, degres); }));
    ajouter(g, QStringLiteral("Rayon r"),
            sur_satellite([](const S& s) { return valeur_fr(s.rayon, km); }));
    ajouter(g, QStringLiteral("Altitude"),
            sur_satellite([](const S& s) { return valeur_fr(s.altitude, km); }));
    ajouter(g, QStringLiteral("Vitesse"),
            sur_satellite([](const S& s) { return valeur_fr(s.vitesse, km_s); }));
    ajouter(g, QStringLiteral("Vitesse radiale"),
            sur_satellite([](const S& s) { return valeur_fr(s.vitesse_radiale, km_s); }));
    ajouter(g, QStringLiteral("Vitesse ortho-radiale"),
            sur_satellite([](const S& s) { return valeur_fr(s.vitesse_orthoradiale, km_s); }));
    ajouter(g, QStringLiteral("Pente de la trajectoire"),
            sur_satellite([](const S& s) { return valeur_fr(s.pente, degres); }));
    ajouter(g, QStringLiteral("Temps depuis le périastre"),
            sur_satellite([](const S& s) { return duree_et_secondes(s.temps_depuis_periastre); }));
    ajouter(g, QStringLiteral("Prochaine apside"), sur_satellite([](const S& s) {
                if (!s.prochaine_apside || !s.temps_prochaine_apside) {
                    return tiret;
                }
                return (*s.prochaine_apside == apside::periastre ? QStringLiteral("périastre")
                                                                 : QStringLiteral("apoastre")) +
                       QStringLiteral(" dans ") + duree_fr(s.temps_prochaine_apside);
            }));
    ajouter(g, QStringLiteral("Temps de mission"),
            [](const donnees& d) { return QStringList{duree_et_secondes(d.temps_mission)}; });
}

void fenetre_caracteristiques::construire_tir() {
    using C = chiffres_tir;
    using B = bilan_tir;
    groupe_tir_ = groupe(QStringLiteral("Dernier tir"));
    QTreeWidgetItem* g = groupe_tir_;
    ajouter(g, QStringLiteral("Durée"),
            sur_tir([](const C&, const B& b) { return valeur_fr(b.duree, "s"); }));
    ajouter(g, QStringLiteral("Nombre de pas"),
            sur_tir([](const C&, const B& b) { return QString::number(b.pas); }));
    ajouter(g, QStringLiteral("Pas d'intégration"),
            sur_tir([](const C&, const B& b) { return valeur_fr(b.duree / b.pas, "s"); }));
    ajouter(g, QStringLiteral("Poussée"),
            sur_tir([](const C&, const B& b) { return valeur_fr(b.moteur.module_poussee, "N"); }));
    ajouter(g, QStringLiteral("Masse consommée"),
            sur_tir([](const C& c, const B&) { return valeur_fr(c.masse_consommee, "kg"); }));
    ajouter(g, titre_delta_v(),
            sur_tir([](const C& c, const B&) { return delta_v_fr(c.delta_v); }));
    // The engine's convention, row by row: the SI thrust, a real engine's propellant.
    const auto moteur = [](const C& c, const B& b) {
        return lignes_convention_moteur(b.moteur.module_poussee, c.delta_v, b.depart.m,
                                        b.moteur.isp);
    };
    const std::vector<ligne_moteur> modele = lignes_convention_moteur(1.0, 1.0, 1.0, 1.0);
    for (std::size_t k = 0; k < modele.size(); ++k) {
        ajouter(g, modele[k].nom, sur_tir([moteur, k](const C& c, const B& b) {
                    const std::vector<ligne_moteur> l = moteur(c, b);
                    return k < l.size() ? l[k].valeur : tiret;
                }));
        lignes_.back().item->setToolTip(0, modele[k].bulle);
        lignes_.back().item->setToolTip(1, modele[k].bulle);
        lignes_moteur_.push_back(lignes_.back().item);
    }
    ajouter(g, QStringLiteral("Vitesse avant le tir"),
            sur_tir([](const C& c, const B&) { return valeur_fr(c.vitesse_avant, km_s); }));
    ajouter(g, QStringLiteral("Vitesse après le tir"),
            sur_tir([](const C& c, const B&) { return valeur_fr(c.vitesse_apres, km_s); }));
    ajouter(g, QStringLiteral("Variation d'énergie"),
            sur_tir([](const C& c, const B&) { return valeur_fr(c.delta_energie, km2_s2); }));
}

void fenetre_caracteristiques::construire_comparaison() {
    QTreeWidgetItem* comparer =
        groupe(QStringLiteral("Tir fini et impulsion du même Δv au début du tir"));
    comparer->setText(1, QStringLiteral("tir fini"));
    comparer->setText(2, QStringLiteral("impulsion"));
    groupes_du_tir_.push_back(comparer);
    ajouter(comparer, QStringLiteral("Vitesse au départ de l'orbite"), [](const donnees& d) {
        if (!d.l.tir) {
            return QStringList{tiret, tiret};
        }
        return QStringList{valeur_fr(d.l.tir->vitesse_apres, km_s),
                           valeur_fr(d.l.tir->vitesse_impulsion, km_s)};
    });
    using E = orbite_etat;
    ajouter(comparer, QStringLiteral("Conique"),
            comparaison([](const E& o) { return nom_type(o.type_conique); }));
    ajouter(comparer, QStringLiteral("Demi-grand axe a"),
            comparaison([](const E& o) { return valeur_fr(o.a, km); }));
    ajouter(comparer, QStringLiteral("Excentricité e"),
            comparaison([](const E& o) { return nombre_fr(o.excentricite); }));
    ajouter(comparer, QStringLiteral("Altitude du périastre"),
            comparaison([](const E& o) { return valeur_fr(o.zp, km); }));
    ajouter(comparer, QStringLiteral("Altitude de l'apoastre"),
            comparaison([](const E& o) { return valeur_fr(o.za, km); }));
    ajouter(comparer, QStringLiteral("Inclinaison"),
            comparaison([](const E& o) { return valeur_fr(o.inclinaison, degres); }));
    ajouter(comparer, QStringLiteral("Énergie spécifique"),
            comparaison([](const E& o) { return valeur_fr(o.energie, km2_s2); }));
    ajouter(comparer, QStringLiteral("Perte du tir fini en énergie"), [](const donnees& d) {
        if (!d.l.tir || !d.l.tir->apres_tir || !d.l.tir->apres_impulsion) {
            return QStringList{tiret, QString()};
        }
        return QStringList{
            valeur_fr(d.l.tir->apres_impulsion->energie - d.l.tir->apres_tir->energie, km2_s2),
            QString()};
    });
}

void fenetre_caracteristiques::construire_erreur() {
    QTreeWidgetItem* erreur =
        groupe(QStringLiteral("Erreur d'intégration : le même tir en deux fois moins de pas"));
    groupes_du_tir_.push_back(erreur);
    using I = erreur_integration;
    ajouter(erreur, QStringLiteral("Pas du tir refait"),
            sur_erreur([](const I& e) { return QString::number(e.pas_reduits); }));
    ajouter(erreur, QStringLiteral("Écart des positions finales"),
            sur_erreur([](const I& e) { return valeur_fr(e.ecart_position, km); }));
    ajouter(erreur, QStringLiteral("Écart des vitesses finales"),
            sur_erreur([](const I& e) { return valeur_fr(e.ecart_vitesse, km_s); }));
    ajouter(erreur, QStringLiteral("Erreur estimée du tir (Richardson)"),
            sur_erreur([](const I& e) { return valeur_fr(e.richardson, km); }));
}

void fenetre_caracteristiques::actualiser() {
    const instantane_scene scene = principale_.scene();
    lu_sur_ = source_de(scene);
    try {
        donnees d;
        d.l = lire_orbite(scene.valeurs.traj, scene.modele);
        d.tir = scene.dernier_tir ? &*scene.dernier_tir : nullptr;
        d.temps_mission = scene.temps_mission;
        if (d.tir != nullptr && d.tir->numero != tir_analyse_) {
            // The burn redone in half its steps, once: at most half the burn's cost.
            tir_analyse_ = d.tir->numero;
            try {
                erreur_ = estimer_erreur_integration(*d.tir);
            } catch (const erreur_calcul&) {
                erreur_.reset();
            }
        }
        if (d.tir != nullptr) {
            d.erreur = erreur_;
        }
        for (const ligne& l : lignes_) {
            const QStringList valeurs = l.calcul(d);
            for (int i = 0; i < valeurs.size(); ++i) {
                if (l.item->text(i + 1) != valeurs[i]) {
                    l.item->setText(i + 1, valeurs[i]);
                }
            }
        }
        const bool avec_tir = d.tir != nullptr && dernier_tir_montre_;
        if (groupe_tir_->isHidden() == dernier_tir_montre_) {
            groupe_tir_->setHidden(!dernier_tir_montre_);
        }
        // Hiding a row lays the whole tree out again and repaints it: only on a change.
        const auto cacher = [avec_tir](QTreeWidgetItem* item) {
            if (item->isHidden() == avec_tir) {
                item->setHidden(!avec_tir);
            }
        };
        for (int i = 0; i < groupe_tir_->childCount(); ++i) {
            cacher(groupe_tir_->child(i));
        }
        // A model with SI thrust has no convention to explain.
        for (QTreeWidgetItem* item : lignes_moteur_) {
            item->setHidden(!avec_tir || scene.modele.poussee_si);
        }
        // After Reset, a preset or a typed element, the burn was made on another orbit.
        groupe_tir_->setText(1, !avec_tir ? QStringLiteral("aucun tir effectué")
                                : d.l.tir_sur_cette_orbite
                                    ? QString()
                                    : QStringLiteral("sur une orbite précédente"));
        for (QTreeWidgetItem* g : groupes_du_tir_) {
            cacher(g);
        }
        if (arbre_->isColumnHidden(2) == avec_tir) {
            arbre_->setColumnHidden(2, !avec_tir);
        }
    } catch (const std::exception&) {
        // A readout that fails leaves the last one shown; the redraw goes on.
    }
}

void fenetre_caracteristiques::montrer_dernier_tir(bool montre) {
    dernier_tir_montre_ = montre;
    actualiser();
}

QString fenetre_caracteristiques::texte() const {
    QStringList lignes{windowTitle()};
    auto colonnes = [this](const QTreeWidgetItem* item) {
        QStringList c;
        for (int i = 0; i < arbre_->columnCount(); ++i) {
            if (!arbre_->isColumnHidden(i) && !item->text(i).isEmpty()) {
                c << item->text(i);
            }
        }
        return c.join(QLatin1Char('\t'));
    };
    for (int i = 0; i < arbre_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* g = arbre_->topLevelItem(i);
        if (g->isHidden()) {
            continue;
        }
        lignes << QString() << colonnes(g);
        for (int j = 0; j < g->childCount(); ++j) {
            if (!g->child(j)->isHidden()) {
                lignes << colonnes(g->child(j));
            }
        }
    }
    return lignes.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace trajel
