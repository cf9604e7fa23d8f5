#include "ui/lecon/fenetre_journal.h"

#include "manoeuvre/journal_tirs.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/lecon/historique.h"
#include "ui/lecon/modele_journal.h"
#include "ui/poste/ecriture_fichier.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace trajel {

fenetre_journal::fenetre_journal(poste_de_travail& principale, historique_lecon& historique)
    : QWidget(&principale.widget(), Qt::Tool), fenetre_outil(*this, principale, memoire::aucune),
      historique_(historique) {
    setObjectName(QStringLiteral("fenetre_journal"));
    setWindowTitle(QStringLiteral("Journal des tirs"));
    creer_table();
    QHBoxLayout* boutons = creer_boutons();
    disposer(boutons, creer_notes());
    creer_dialogues();
    connect(&historique_, &historique_lecon::journal_change, this, &fenetre_journal::actualiser);
    // The Δv's tooltips follow the Earth model's engine.
    suivre_les_evenements([this](bool reussi) {
        if (reussi) {
            nommer_moteur();
        }
    });
    actualiser();
    const QFontMetrics m(font());
    resize(m.horizontalAdvance(QLatin1Char('x')) * 120, m.height() * 24);
}

// The burns' table and the mission's totals. The columns' widths are set once, from
// the headers and a representative row: the rows appended never measure the table again.
void fenetre_journal::creer_table() {
    modele_ = new modele_journal(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("table_journal"));
    table_->setModel(modele_);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    const QFontMetrics m(table_->font());
    for (int c = 0; c < modele_->columnCount(); ++c) {
        table_->setColumnWidth(c, modele_->largeur_colonne(c, m));
    }

    totaux_ = new QLabel(this);
    totaux_->setObjectName(QStringLiteral("totaux_journal"));
    totaux_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

QHBoxLayout* fenetre_journal::creer_boutons() {
    auto* copier = new QPushButton(QStringLiteral("&Copier"), this);
    copier->setObjectName(QStringLiteral("bouton_copier_journal"));
    copier->setToolTip(QStringLiteral("Met le journal dans le presse-papiers, colonnes séparées "
                                      "par des tabulations"));
    connect(copier, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->setText(
            QString::fromStdString(texte_tabule(cellules_journal(historique_.journal()))));
    });
    auto* exporter_bouton = new QPushButton(QStringLiteral("&Exporter en CSV..."), this);
    exporter_bouton->setObjectName(QStringLiteral("bouton_exporter_journal"));
    connect(exporter_bouton, &QPushButton::clicked, this, &fenetre_journal::exporter);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("bouton_fermer_journal"));
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(totaux_, 1);
    boutons->addWidget(copier);
    boutons->addWidget(exporter_bouton);
    boutons->addWidget(fermer);
    return boutons;
}

QLabel* fenetre_journal::creer_notes() {
    auto* titre_notes = new QLabel(QStringLiteral("&Notes de la leçon"), this);
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("notes_lecon"));
    titre_notes->setBuddy(notes_);
    notes_->setPlainText(historique_.notes());
    connect(notes_, &QPlainTextEdit::textChanged, this,
            [this] { historique_.definir_notes(notes_->toPlainText()); });
    connect(&historique_, &historique_lecon::notes_changees, this, [this] {
        if (notes_->toPlainText() != historique_.notes()) {
            notes_->setPlainText(historique_.notes());
        }
    });
    return titre_notes;
}

void fenetre_journal::disposer(QHBoxLayout* boutons, QLabel* titre_notes) {
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(table_, 3);
    disposition->addLayout(boutons);
    disposition->addWidget(titre_notes);
    disposition->addWidget(notes_, 1);
}

void fenetre_journal::creer_dialogues() {
    choisir_fichier = [this](const QString& propose) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Exporter le journal des tirs"),
                                            propose, QStringLiteral("Fichier CSV (*.csv)"));
    };
    avertir = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Trajel"), message);
    };
}

// Only the rows past those still shown change: a burn appends one at the end, an undo
// takes the last off. A hidden window is brought up to date when shown.
void fenetre_journal::actualiser() {
    if (!isVisible()) {
        return;
    }
    modele_->suivre(historique_.tirs_affiches());
    totaux_->setText(texte_des_totaux());
    nommer_moteur();
}

void fenetre_journal::nommer_moteur() {
    const QString bulle = explication_moteur(principale_.scene().modele);
    modele_->definir_bulle_delta_v(bulle);
    totaux_->setToolTip(bulle);
}

QString fenetre_journal::texte_des_totaux() const {
    const totaux_journal t = totaux(historique_.journal());
    return QStringLiteral("Total : %1 %2, masse consommée %3 kg, durée des tirs %4 s")
        .arg(titre_delta_v(), delta_v_fr(t.delta_v), nombre_fr(t.masse_consommee),
             nombre_fr(t.duree));
}

bool fenetre_journal::exporter_vers(const QString& chemin) {
    const QByteArray octets = QByteArray::fromStdString(csv_tableur_fr(historique_.journal()));
    if (const std::optional<QString> cause = ecrire_fichier(chemin, octets)) {
        avertir(QStringLiteral("Le journal n'a pas pu être écrit dans « %1 » : %2")
                    .arg(QDir::toNativeSeparators(chemin), *cause));
        return false;
    }
    return true;
}

void fenetre_journal::exporter() {
    const QString chemin =
        choisir_fichier(QDir::home().filePath(QStringLiteral("journal_des_tirs.csv")));
    if (!chemin.isEmpty()) {
        exporter_vers(chemin);
    }
}

QSize fenetre_journal::taille_minimale() const {
    const QFontMetrics m(font());
    return {width(), m.height() * 14};
}

// The window is made when first asked for.
void ajouter_journal(poste_de_travail& principale, historique_lecon& historique) {
    auto* action = principale.menu_outils()->addAction(QStringLiteral("&Journal des tirs"));
    action->setObjectName(QStringLiteral("menu_journal_tirs"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    action->setShortcutContext(Qt::ApplicationShortcut);
    montrer_a_la_demande<fenetre_journal>(*action, historique, [&principale, &historique] {
        return new fenetre_journal(principale, historique);
    });
}

} // namespace trajel
