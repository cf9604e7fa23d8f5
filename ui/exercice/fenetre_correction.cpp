#include "ui/exercice/fenetre_correction.h"

#include "ui/exercice/exercices.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/poste/poste.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace trajel {

namespace {

QTableWidget* table(QWidget* parent, const char* nom, const QStringList& entetes) {
    auto* t = new QTableWidget(0, static_cast<int>(entetes.size()), parent);
    t->setObjectName(QString::fromLatin1(nom));
    t->setHorizontalHeaderLabels(entetes);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setAlternatingRowColors(true);
    t->setWordWrap(false);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void ecrire_ligne(QTableWidget* t, int ligne, const QStringList& cellules) {
    for (int c = 0; c < cellules.size(); ++c) {
        auto* item = new QTableWidgetItem(cellules[c]);
        const QString& x = cellules[c];
        if (!x.isEmpty() && (x.front().isDigit() || x.front() == QLatin1Char('-'))) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        t->setItem(ligne, c, item);
    }
}

// As tall as its rows, up to eight: the texts under it stay in view.
void ajuster_hauteur(QTableWidget* t) {
    const int lignes = std::clamp(t->rowCount(), 1, 8);
    const int rangee = t->verticalHeader()->defaultSectionSize();
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height() + lignes * rangee +
                      2 * t->frameWidth() + t->horizontalScrollBar()->sizeHint().height());
}

QLabel* etiquette(QWidget* parent, const char* nom) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QString liste(const std::vector<std::string>& phrases) {
    QStringList l;
    for (const std::string& p : phrases) {
        l << QString::fromStdString(p);
    }
    return l.join(QLatin1Char(' '));
}

} // namespace

fenetre_correction::fenetre_correction(poste_de_travail& principale, exercice_en_cours& en_cours)
    : QWidget(&principale.widget(), Qt::Tool), fenetre_outil(*this, principale, memoire::aucune),
      en_cours_(en_cours) {
    setObjectName(QStringLiteral("fenetre_correction"));
    setWindowTitle(QStringLiteral("Correction"));
    creer_controles();
    disposer();
    const QFontMetrics m(font());
    resize(m.horizontalAdvance(QLatin1Char('x')) * 100, m.height() * 34);
}

void fenetre_correction::creer_controles() {
    enonce_ = etiquette(this, "enonce_correction");
    cible_ = etiquette(this, "cible_correction");
    tirs_ = table(this, "table_tirs_correction",
                  {QStringLiteral("n°"), QStringLiteral("Δv (km/s)"), QStringLiteral("durée (s)"),
                   QStringLiteral("type atteint"), QStringLiteral("Za (km) ou Phi (°)"),
                   QStringLiteral("Zp (km)"), QStringLiteral("i (°)")});
    score_ = etiquette(this, "score_correction");
    copie_ = etiquette(this, "copie_correction");
    voir_solution_ = new QPushButton(QStringLiteral("&Voir la solution"), this);
    voir_solution_->setObjectName(QStringLiteral("bouton_voir_solution"));
    voir_solution_->setToolTip(QStringLiteral(
        "Trace le plan impulsionnel optimal de l'assistant depuis le départ et liste ses tirs"));
    connect(voir_solution_, &QPushButton::clicked, this, &fenetre_correction::voir_solution);
    solution_ = table(this, "table_solution",
                      {QStringLiteral("n°"), QStringLiteral("où"), QStringLiteral("Δv (km/s)")});
    total_solution_ = etiquette(this, "total_solution");
}

// The correction scrolls as a whole where the screen is short of room (a large scale):
// its texts wrap and its tables keep a few rows; "Fermer" stays at the bottom.
void fenetre_correction::disposer() {
    auto* contenu = new QWidget;
    auto* d = new QVBoxLayout(contenu);
    d->addWidget(enonce_);
    d->addWidget(cible_);
    d->addWidget(new QLabel(QStringLiteral("Tirs de l'élève :"), contenu));
    d->addWidget(tirs_);
    d->addWidget(score_);
    d->addWidget(copie_);
    d->addWidget(voir_solution_, 0, Qt::AlignLeft);
    d->addWidget(solution_);
    d->addWidget(total_solution_);
    d->addStretch(1);
    auto* defilement = new QScrollArea(this);
    defilement->setObjectName(QStringLiteral("defilement_correction"));
    defilement->setWidgetResizable(true);
    defilement->setFrameShape(QFrame::NoFrame);
    defilement->setWidget(contenu);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("bouton_fermer_correction"));
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(defilement, 1);
    disposition->addWidget(fermer, 0, Qt::AlignRight);
}

void fenetre_correction::corriger_copie(const section_exercice& s,
                                        const std::vector<ligne_journal>& journal,
                                        double temps_mission) {
    exercice_ = s.donne;
    correction_ = corriger(exercice_, journal, s.score,
                           temps_mission > 0.0 ? std::optional(temps_mission) : std::nullopt);
    enonce_->setText(QStringLiteral("Énoncé : ") + QString::fromStdString(exercice_.enonce));
    cible_->setText(texte_cible());
    remplir_tirs(journal);
    score_->setText(texte_score());
    if (correction_.modifiee()) {
        copie_->setText(QString::fromUtf8(copie_modifiee) + QStringLiteral(" : ") +
                        liste(correction_.differences));
        copie_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    } else {
        copie_->setText(QStringLiteral(
            "Copie conforme : les tirs rejoués mènent à l'orbite et au score annoncés."));
        copie_->setStyleSheet({});
    }
    voir_solution_->setEnabled(exercice_.optimum.has_value());
    solution_->setRowCount(0);
    solution_->hide();
    total_solution_->clear();
    total_solution_->hide();
}

QString fenetre_correction::texte_cible() const {
    if (!exercice_.cible) {
        return {};
    }
    QStringList l;
    for (std::size_t n = 0; n < nombre_elements_vises; ++n) {
        const auto el = static_cast<element_vise>(n);
        const bool altitude = el == element_vise::za || el == element_vise::zp;
        QString t =
            QStringLiteral("%1 %2\u00A0%3")
                .arg(QString::fromLatin1(nom_element(el)), nombre_fr(exercice_.cible->valeur(el)),
                     altitude ? QStringLiteral("km") : QStringLiteral("°"));
        const critere_element& k = exercice_.criteres[n];
        if (k.coche) {
            t += QStringLiteral(" (±\u00A0%1\u00A0%2)")
                     .arg(nombre_fr(k.tolerance),
                          altitude ? QStringLiteral("%") : QStringLiteral("°"));
        }
        l << t;
    }
    return QStringLiteral("Orbite visée : ") + l.join(QStringLiteral(", "));
}

QString fenetre_correction::texte_score() const {
    const score_exercice& s = correction_.score;
    QStringList l;
    l << (s.atteint ? QStringLiteral("Objectif atteint")
                    : QStringLiteral("Objectif non atteint : ") + liste(s.raisons));
    QString dv = QStringLiteral("Δv dépensé : ") + delta_v_fr(s.delta_v);
    if (s.delta_v_optimal) {
        dv += QStringLiteral(", optimum : ") + delta_v_fr(*s.delta_v_optimal);
    }
    if (s.rapport && s.note) {
        dv += QStringLiteral(" (rapport %1, note %2 / 100)")
                  .arg(nombre_fr(*s.rapport), nombre_fr(*s.note, 4));
    } else if (s.rapport) {
        dv += QStringLiteral(" (rapport %1, pas de note)").arg(nombre_fr(*s.rapport));
    }
    l << dv;
    QString tirs = QStringLiteral("Tirs : %1").arg(s.tirs);
    if (exercice_.tirs_maximum) {
        tirs += QStringLiteral(" sur %1 permis").arg(*exercice_.tirs_maximum);
    }
    if (exercice_.budget_delta_v) {
        tirs += QStringLiteral(" ; budget de Δv : ") + delta_v_fr(*exercice_.budget_delta_v);
    }
    l << tirs;
    if (s.temps_mission) {
        l << QStringLiteral("Temps de mission : ") + duree_fr(s.temps_mission);
    }
    return QStringLiteral("Score rejoué : ") + l.join(QLatin1Char('\n'));
}

void fenetre_correction::remplir_tirs(const std::vector<ligne_journal>& journal) {
    tirs_->setRowCount(static_cast<int>(journal.size()));
    for (std::size_t k = 0; k < journal.size(); ++k) {
        const ligne_journal& l = journal[k];
        ecrire_ligne(tirs_, static_cast<int>(k),
                     {QString::number(k + 1), nombre_fr(l.delta_v), nombre_fr(l.duree),
                      QString::fromStdString(l.apres.type_conique),
                      l.apres.za_ou_phi ? nombre_fr(*l.apres.za_ou_phi) : QStringLiteral("-"),
                      nombre_fr(l.apres.zp), nombre_fr(l.apres.inclinaison)});
    }
    tirs_->resizeColumnsToContents();
    ajuster_hauteur(tirs_);
}

// The orbit each burn of the plan is fired from, numbered, and the orbit it ends on.
void fenetre_correction::voir_solution() {
    if (!exercice_.optimum) {
        return;
    }
    const solution_optimale& o = *exercice_.optimum;
    const std::vector<trajectoire> orbites =
        orbites_du_plan(exercice_.depart.orbite, o, exercice_.depart.modele);
    std::vector<orbite_fantome> fantomes;
    for (std::size_t k = 0; k < orbites.size(); ++k) {
        const bool finale = k == o.tirs.size();
        fantomes.push_back({orbites[k], {}, finale ? 0U : static_cast<unsigned>(k + 1)});
    }
    en_cours_.tracer_solution(std::move(fantomes));
    solution_->setRowCount(static_cast<int>(o.tirs.size()));
    for (std::size_t k = 0; k < o.tirs.size(); ++k) {
        ecrire_ligne(solution_, static_cast<int>(k),
                     {QString::number(k + 1), QString::fromStdString(o.tirs[k].lieu),
                      nombre_fr(o.tirs[k].delta_v)});
    }
    solution_->resizeColumnsToContents();
    ajuster_hauteur(solution_);
    total_solution_->setText(QStringLiteral("Total de la solution : ") + delta_v_fr(o.delta_v));
    solution_->show();
    total_solution_->show();
}

} // namespace trajel
