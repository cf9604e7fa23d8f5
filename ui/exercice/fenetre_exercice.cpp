#include "ui/exercice/fenetre_exercice.h"

#include "ui/francais/format_fr.h"
#include "ui/lecon/historique.h"
#include "ui/poste/poste.h"

#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace trajel {

namespace {

const QString km = QStringLiteral("km");
const QString degres = QStringLiteral("°");
const QString km_s = QStringLiteral("km/s");

const QColor vert_dans_tolerance(0xc6, 0xef, 0xce);

} // namespace

avancement_exercice avancement(const exercice& e, const trajectoire& actuelle,
                               const std::vector<ligne_journal>& journal, double temps_mission,
                               std::optional<rejeu_memorise>* memoire) {
    avancement_exercice a;
    a.ecarts = ecarts(e, actuelle);
    a.cible_atteinte = cible_atteinte(a.ecarts);
    a.delta_v = totaux(journal).delta_v;
    a.tirs = static_cast<int>(journal.size());
    a.budget_depasse = e.budget_delta_v && a.delta_v > *e.budget_delta_v;
    a.tirs_depasses = e.tirs_maximum && a.tirs > *e.tirs_maximum;
    if (a.cible_atteinte && !a.budget_depasse && !a.tirs_depasses && a.tirs > 0) {
        // The score is the replay's, not the rows': what the burns fly from the start.
        std::optional<rejeu_memorise> local;
        std::optional<rejeu_memorise>& m = memoire != nullptr ? *memoire : local;
        if (!m || m->journal != journal || !(m->donne == e)) {
            m = rejeu_memorise{e, journal, rejouer(e, journal)};
        }
        a.score = noter(e, m->rejeu, temps_mission);
    }
    return a;
}

QString bilan_fr(const exercice& e, const avancement_exercice& a) {
    QStringList lignes;
    if (a.budget_depasse) {
        lignes << QStringLiteral("Budget de Δv dépassé : %1 pour %2 permis.")
                      .arg(valeur_fr(a.delta_v, km_s), valeur_fr(*e.budget_delta_v, km_s));
    }
    if (a.tirs_depasses) {
        lignes << QStringLiteral("Nombre de tirs dépassé : %1 pour %2 permis.")
                      .arg(a.tirs)
                      .arg(*e.tirs_maximum);
    }
    if (a.score && a.score->atteint) {
        const score_exercice& s = *a.score;
        lignes << QStringLiteral("Objectif atteint");
        lignes << QStringLiteral("Δv dépensé : %1 ; optimum : %2 ; rapport : %3 ; note : %4 / 100")
                      .arg(valeur_fr(s.delta_v, km_s), valeur_fr(s.delta_v_optimal, km_s),
                           s.rapport ? nombre_fr(*s.rapport) : QStringLiteral("-"),
                           s.note ? nombre_fr(*s.note, 4) : QStringLiteral("-"));
        lignes << QStringLiteral("Tirs : %1 ; durée de la mission : %2")
                      .arg(s.tirs)
                      .arg(duree_fr(s.temps_mission));
    } else if (a.score) {
        for (const std::string& r : a.score->raisons) {
            lignes << QString::fromStdString(r);
        }
    } else if (lignes.isEmpty()) {
        lignes << (a.cible_atteinte && a.tirs == 0
                       ? QStringLiteral("Le départ est déjà sur l'orbite visée.")
                       : QStringLiteral("Objectif pas encore atteint."));
    }
    return lignes.join(QLatin1Char('\n'));
}

fenetre_exercice::fenetre_exercice(contexte_exercice& c)
    : QWidget(&c.principale.widget(), Qt::Tool), fenetre_outil(*this, c.principale), c_(c) {
    setObjectName(QStringLiteral("fenetre_exercice"));
    setWindowTitle(QStringLiteral("Exercice"));
    enonce_ = new QLabel(this);
    enonce_->setObjectName(QStringLiteral("enonce_exercice"));
    enonce_->setWordWrap(true);
    enonce_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("table_ecarts"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Élément"), QStringLiteral("Visée"),
                                       QStringLiteral("Actuelle"), QStringLiteral("Écart"),
                                       QStringLiteral("Tolérance")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setToolTip(QStringLiteral(
        "Les éléments vérifiés de l'orbite visée, ceux de l'orbite actuelle et leur écart ; "
        "en vert, l'écart est dans la tolérance"));
    depense_ = new QLabel(this);
    depense_->setObjectName(QStringLiteral("depense_exercice"));
    bilan_ = new QLabel(this);
    bilan_->setObjectName(QStringLiteral("bilan_exercice"));
    bilan_->setWordWrap(true);
    bilan_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(enonce_);
    disposition->addWidget(table_);
    disposition->addWidget(depense_);
    disposition->addWidget(bilan_);
    disposition->addStretch();
    suivre_les_evenements([this](bool) { actualiser(); });
    actualiser();
    resize(taille_voulue());
}

// The table whole and room for the score's three lines under it.
QSize fenetre_exercice::taille_voulue() const {
    const QFontMetrics m = fontMetrics();
    return sizeHint().expandedTo(QSize(m.averageCharWidth() * 70, 0)) + QSize(0, m.height() * 3);
}

void fenetre_exercice::actualiser() {
    const std::optional<section_exercice>& s = c_.en_cours.section();
    if (!s) {
        return;
    }
    const exercice& e = s->donne;
    const instantane_scene scene = c_.principale.scene();
    try {
        etat_ = avancement(e, scene.valeurs.traj, c_.historique.journal(), scene.temps_mission,
                           &rejeu_);
    } catch (const std::exception&) {
        // A replay that fails leaves the last figures; the window goes on.
        return;
    }
    enonce_->setText(e.enonce.empty() ? QStringLiteral("(sans énoncé)")
                                      : QString::fromStdString(e.enonce));
    remplir_table();
    QString depense = QStringLiteral("Δv dépensé : %1").arg(valeur_fr(etat_.delta_v, km_s));
    if (e.budget_delta_v) {
        depense += QStringLiteral(" sur %1").arg(valeur_fr(*e.budget_delta_v, km_s));
    }
    depense += QStringLiteral(" ; tirs : %1").arg(etat_.tirs);
    if (e.tirs_maximum) {
        depense += QStringLiteral(" sur %1").arg(*e.tirs_maximum);
    }
    depense_->setText(depense);
    bilan_->setText(bilan_fr(e, etat_));
    // The table and the score's lines shown whole: the window grows for them, never
    // shrinks. The layout is asked again now, not at the next pass of the event loop.
    table_->updateGeometry();
    layout()->invalidate();
    const QMargins marges = layout()->contentsMargins();
    const QSize voulue(table_->horizontalHeader()->length() + 2 * table_->frameWidth() +
                           marges.left() + marges.right(),
                       layout()->totalHeightForWidth(width()));
    if (isVisible() && (voulue.width() > width() || voulue.height() > height())) {
        resize(size().expandedTo(voulue));
    }
    const bool atteint = etat_.score && etat_.score->atteint;
    bilan_->setStyleSheet(atteint ? QStringLiteral("color: #006000; font-weight: bold")
                          : etat_.budget_depasse || etat_.tirs_depasses
                              ? QStringLiteral("color: #b00000")
                              : QString());
}

void fenetre_exercice::remplir_table() {
    int lignes = 0;
    for (const ecart_element& x : etat_.ecarts) {
        lignes += x.coche;
    }
    table_->setRowCount(lignes);
    int ligne = 0;
    for (const ecart_element& x : etat_.ecarts) {
        if (!x.coche) {
            continue;
        }
        const bool altitude = x.element == element_vise::za || x.element == element_vise::zp;
        const QString& unite = altitude ? km : degres;
        const QString cellules[] = {
            QString::fromLatin1(nom_element(x.element)), valeur_fr(x.visee, unite),
            x.sans_objet ? QStringLiteral("sans objet") : valeur_fr(x.actuelle, unite),
            x.sans_objet
                ? QStringLiteral("sans objet")
                : valeur_fr(std::isfinite(x.ecart) ? std::optional<double>(x.ecart) : std::nullopt,
                            unite),
            QStringLiteral("± ") + valeur_fr(x.tolerance, unite)};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(cellules[col]);
            if (col == 3 && x.dans_tolerance) {
                item->setBackground(QBrush(vert_dans_tolerance));
            }
            table_->setItem(ligne, col, item);
        }
        ++ligne;
    }
}

} // namespace trajel
