#include "ui/exercice/comparaison_copies.h"

#include "manoeuvre/journal_tirs.h"
#include "ui/francais/format_fr.h"
#include "ui/lecon/fichier_lecon.h"
#include "ui/poste/ecriture_fichier.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <variant>

namespace trajel {

namespace {

// Sorted by its number (Qt::UserRole) when it has one, else by its text.
class cellule_triee : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& autre) const override {
        const QVariant a = data(Qt::UserRole);
        const QVariant b = autre.data(Qt::UserRole);
        if (a.isValid() && b.isValid()) {
            return a.toDouble() < b.toDouble();
        }
        return QTableWidgetItem::operator<(autre);
    }
};

// Copies with no figure sort after the others.
constexpr double sans_valeur = std::numeric_limits<double>::infinity();

std::string raisons(const copie_comparee& c) {
    std::string r;
    for (const std::vector<std::string>* l :
         {&c.correction.differences, &c.correction.score.raisons}) {
        for (const std::string& p : *l) {
            r += (r.empty() ? "" : " ") + p;
        }
    }
    return c.refus ? c.refus->toStdString() : r;
}

} // namespace

QString copie_comparee::remarque() const {
    if (refus) {
        return *refus;
    }
    QStringList r{correction.modifiee() ? QString::fromUtf8(copie_modifiee)
                                        : QStringLiteral("copie conforme")};
    if (autre_exercice) {
        r << QStringLiteral("autre exercice");
    }
    return r.join(QStringLiteral(" ; "));
}

copie_comparee lire_copie(const QString& chemin) {
    copie_comparee c;
    c.fichier = QFileInfo(chemin).fileName();
    QFile f(chemin);
    if (QFileInfo(chemin).isDir() || !f.open(QIODevice::ReadOnly)) {
        c.refus = pourquoi_illisible(chemin, f);
        return c;
    }
    if (f.size() > taille_maximale_lecon) {
        c.refus = lecon_trop_volumineuse();
        return c;
    }
    const std::variant<lecon, QString> lu = lire_lecon(f.readAll());
    if (const QString* message = std::get_if<QString>(&lu)) {
        c.refus = *message;
        return c;
    }
    const lecon& l = std::get<lecon>(lu);
    if (!l.exercice) {
        c.refus = QStringLiteral("Leçon sans exercice : ce n'est pas une copie rendue.");
        return c;
    }
    if (!l.exercice->score) {
        c.refus = QStringLiteral("Exercice non rendu : le fichier n'a pas de score.");
        return c;
    }
    c.section = l.exercice;
    c.correction = corriger(l.exercice->donne, l.journal, l.exercice->score,
                            l.temps_mission > 0.0 ? std::optional(l.temps_mission) : std::nullopt);
    return c;
}

std::vector<copie_comparee> comparer_copies(const QStringList& chemins) {
    std::vector<copie_comparee> copies;
    const exercice* premier = nullptr;
    for (const QString& chemin : chemins) {
        copies.push_back(lire_copie(chemin));
    }
    for (copie_comparee& c : copies) {
        if (!c.section) {
            continue;
        }
        if (premier == nullptr) {
            premier = &c.section->donne;
        }
        c.autre_exercice = !(c.section->donne == *premier);
    }
    return copies;
}

std::string csv_copies(const std::vector<copie_comparee>& copies) {
    std::vector<std::vector<std::string>> lignes{{"fichier", "atteint", "Δv dépensé (km/s)",
                                                  "rapport à l'optimum", "tirs", "copie",
                                                  "raisons"}};
    for (const copie_comparee& c : copies) {
        const score_exercice& s = c.correction.score;
        const bool lue = !c.refus;
        lignes.push_back({c.fichier.toStdString(), lue ? (s.atteint ? "oui" : "non") : "-",
                          lue ? nombre_tableur_fr(s.delta_v) : "-",
                          lue && s.rapport ? nombre_tableur_fr(*s.rapport) : "-",
                          lue ? std::to_string(s.tirs) : "-", c.remarque().toStdString(),
                          raisons(c)});
    }
    return tableur_fr(lignes);
}

fenetre_comparaison::fenetre_comparaison(poste_de_travail& principale)
    : QWidget(&principale.widget(), Qt::Tool), fenetre_outil(*this, principale, memoire::aucune) {
    setObjectName(QStringLiteral("comparaison_copies"));
    setWindowTitle(QStringLiteral("Comparaison des copies"));
    table_ = new QTableWidget(0, 6, this);
    table_->setObjectName(QStringLiteral("table_copies"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Fichier"), QStringLiteral("Atteint"), QStringLiteral("Δv dépensé (km/s)"),
         QStringLiteral("Rapport à l'optimum"), QStringLiteral("Tirs"), QStringLiteral("Copie")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* exporter_bouton = new QPushButton(QStringLiteral("&Exporter en CSV..."), this);
    exporter_bouton->setObjectName(QStringLiteral("bouton_exporter_copies"));
    connect(exporter_bouton, &QPushButton::clicked, this, &fenetre_comparaison::exporter);
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("bouton_fermer_copies"));
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(exporter_bouton);
    boutons->addWidget(fermer);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(table_, 1);
    disposition->addLayout(boutons);
    choisir_fichier = [this](const QString& propose) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Exporter la comparaison"),
                                            propose, QStringLiteral("Fichier CSV (*.csv)"));
    };
    avertir = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Trajel"), message);
    };
    const QFontMetrics m(font());
    resize(m.horizontalAdvance(QLatin1Char('x')) * 100, m.height() * 16);
}

void fenetre_comparaison::afficher(std::vector<copie_comparee> copies) {
    copies_ = std::move(copies);
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(copies_.size()));
    for (std::size_t k = 0; k < copies_.size(); ++k) {
        remplir_ligne(static_cast<int>(k), copies_[k]);
    }
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->resizeColumnsToContents();
    // A long reason is cut: it is whole in the tooltip. The window takes the table's width.
    const int x = fontMetrics().horizontalAdvance(QLatin1Char('x'));
    table_->setColumnWidth(5, std::min(table_->columnWidth(5), 48 * x));
    // The window as large as the table, every row shown up to 20, within the screen.
    int largeur = 4 * x + table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < table_->columnCount(); ++c) {
        largeur += table_->columnWidth(c);
    }
    const int lignes = std::min(table_->rowCount(), 20);
    int hauteur = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth() +
                  layout()->contentsMargins().top() + layout()->contentsMargins().bottom() +
                  layout()->spacing() + layout()->itemAt(1)->sizeHint().height() +
                  table_->horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < lignes; ++r) {
        hauteur += table_->rowHeight(r);
    }
    QSize taille(std::max(width(), largeur), std::max(height(), hauteur));
    if (const QScreen* ecran = screen()) {
        taille = taille.boundedTo(ecran->availableGeometry().size() * 9 / 10);
    }
    resize(taille);
}

void fenetre_comparaison::remplir_ligne(int ligne, const copie_comparee& c) {
    const score_exercice& s = c.correction.score;
    const bool lue = !c.refus;
    const auto cellule = [&](int colonne, const QString& texte, double cle) {
        auto* item = new cellule_triee(texte);
        item->setData(Qt::UserRole, cle);
        if (colonne >= 2 && colonne <= 4) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        table_->setItem(ligne, colonne, item);
        return item;
    };
    auto* nom = new cellule_triee(c.fichier);
    nom->setData(Qt::UserRole + 1, ligne); // its copy, whatever the order shown
    table_->setItem(ligne, 0, nom);
    auto* atteint = new cellule_triee(
        lue ? (s.atteint ? QStringLiteral("oui") : QStringLiteral("non")) : QStringLiteral("-"));
    table_->setItem(ligne, 1, atteint);
    cellule(2, lue ? nombre_fr(s.delta_v) : QStringLiteral("-"), lue ? s.delta_v : sans_valeur);
    cellule(3, lue && s.rapport ? nombre_fr(*s.rapport) : QStringLiteral("-"),
            lue && s.rapport ? *s.rapport : sans_valeur);
    cellule(4, lue ? QString::number(s.tirs) : QStringLiteral("-"), lue ? s.tirs : sans_valeur);
    auto* remarque = new cellule_triee(c.remarque());
    remarque->setToolTip(QString::fromStdString(raisons(c)));
    atteint->setToolTip(lue ? QString::fromStdString(raisons(c)) : QString());
    if (c.refus || c.correction.modifiee() || c.autre_exercice) {
        remarque->setForeground(QColor(0xb0, 0, 0));
    }
    table_->setItem(ligne, 5, remarque);
}

// In the order the table shows.
bool fenetre_comparaison::exporter_vers(const QString& chemin) {
    std::vector<copie_comparee> lignes;
    for (int r = 0; r < table_->rowCount(); ++r) {
        lignes.push_back(copies_[table_->item(r, 0)->data(Qt::UserRole + 1).toULongLong()]);
    }
    const QByteArray octets = QByteArray::fromStdString(csv_copies(lignes));
    if (const std::optional<QString> cause = ecrire_fichier(chemin, octets)) {
        avertir(QStringLiteral("La comparaison n'a pas pu être écrite dans « %1 » : %2")
                    .arg(QDir::toNativeSeparators(chemin), *cause));
        return false;
    }
    return true;
}

void fenetre_comparaison::exporter() {
    const QString chemin =
        choisir_fichier(QDir::home().filePath(QStringLiteral("comparaison_des_copies.csv")));
    if (!chemin.isEmpty()) {
        exporter_vers(chemin);
    }
}

comparateur_copies::comparateur_copies(poste_de_travail& principale, QAction& action)
    : QObject(&principale.widget()), principale_(principale), dossier_(QDir::homePath()) {
    setObjectName(QStringLiteral("comparateur_copies"));
    choisir_copies = [this](const QString& dossier) {
        return QFileDialog::getOpenFileNames(&principale_.widget(),
                                             QStringLiteral("Comparer des copies"), dossier,
                                             QStringLiteral("Leçons Trajel (*.trajel)"));
    };
    connect(&action, &QAction::triggered, this, &comparateur_copies::comparer);
}

void comparateur_copies::comparer() {
    const QStringList chemins = choisir_copies(dossier_);
    if (chemins.isEmpty()) {
        return;
    }
    dossier_ = QFileInfo(chemins.front()).absolutePath();
    if (fenetre_.isNull()) {
        fenetre_ = new fenetre_comparaison(principale_);
    }
    fenetre_->afficher(comparer_copies(chemins));
    fenetre_->montrer();
}

} // namespace trajel
