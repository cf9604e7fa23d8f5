#include "ui/lecon/modele_journal.h"

#include "core/module1.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"

#include <QFontMetrics>

#include <algorithm>

namespace trajel {

namespace {

QString type_fr(const orbite_journal& o) {
    return QString::fromStdString(o.type_conique);
}

// Za in km for an ellipse, Phi in degrees for a hyperbola.
QString za_ou_phi_fr(const orbite_journal& o) {
    if (!o.za_ou_phi) {
        return QStringLiteral("-");
    }
    const bool phi = o.type_conique == hyperbolique;
    return (phi ? QStringLiteral("Phi ") : QStringLiteral("Za ")) + nombre_fr(*o.za_ou_phi);
}

// A burn whose cells are as wide as a lesson's usually are: six significant digits,
// signs, five-digit step counts, a hyperbola's name.
ligne_journal ligne_representative() {
    ligne_journal l;
    l.anomalie = -359.999;
    l.poussee = {-12345.6, -12345.6, -12345.6};
    l.duree = 98765.4;
    l.pas = 32766;
    l.masse_avant = 999.999;
    l.masse_apres = 999.999;
    l.delta_v = 12.3456;
    l.avant = {std::string(hyperbolique), 179.999, 123456.0, 179.999};
    l.apres = l.avant;
    return l;
}

} // namespace

modele_journal::modele_journal(QObject* parent)
    : QAbstractTableModel(parent), bulle_delta_v_(explication_convention_poussee()) {
    for (const std::string& e : entetes_journal()) {
        entetes_ << QString::fromStdString(e);
    }
}

int modele_journal::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cellules_.size());
}

int modele_journal::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entetes_.size());
}

QVariant modele_journal::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        // A row's texts are made when it is first shown: a journal opened with a thousand
        // burns formats only the rows on screen.
        const auto r = static_cast<std::size_t>(index.row());
        if (cellules_[r].isEmpty()) {
            cellules_[r] = cellules(r + 1, lignes_[r]);
        }
        return cellules_[r].value(index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    return {};
}

QVariant modele_journal::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= entetes_.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return entetes_[section];
    }
    if (role == Qt::ToolTipRole && entetes_[section].startsWith(QStringLiteral("Δv"))) {
        return bulle_delta_v_;
    }
    return {};
}

void modele_journal::definir_bulle_delta_v(const QString& bulle) {
    if (bulle == bulle_delta_v_) {
        return;
    }
    bulle_delta_v_ = bulle;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(entetes_.size()) - 1);
}

void modele_journal::suivre(std::span<const ligne_journal> lignes) {
    std::size_t communes = 0;
    while (communes < lignes.size() && communes < lignes_.size() &&
           lignes[communes] == lignes_[communes]) {
        ++communes;
    }
    if (communes == 0 && !lignes_.empty() && !lignes.empty()) {
        beginResetModel();
        lignes_.assign(lignes.begin(), lignes.end());
        cellules_.assign(lignes.size(), {});
        endResetModel();
        return;
    }
    if (communes < lignes_.size()) {
        beginRemoveRows({}, static_cast<int>(communes), static_cast<int>(lignes_.size()) - 1);
        lignes_.resize(communes);
        cellules_.resize(communes);
        endRemoveRows();
    }
    if (communes < lignes.size()) {
        beginInsertRows({}, static_cast<int>(communes), static_cast<int>(lignes.size()) - 1);
        lignes_.insert(lignes_.end(), lignes.begin() + static_cast<std::ptrdiff_t>(communes),
                       lignes.end());
        cellules_.resize(lignes_.size());
        endInsertRows();
    }
}

QStringList modele_journal::cellules(std::size_t numero, const ligne_journal& l) {
    return {QString::number(numero),
            nombre_fr(l.anomalie),
            nombre_fr(l.poussee.x),
            nombre_fr(l.poussee.y),
            nombre_fr(l.poussee.z),
            nombre_fr(l.duree),
            QString::number(l.pas),
            nombre_fr(l.masse_avant, 6),
            nombre_fr(l.masse_apres, 6),
            nombre_fr(l.delta_v),
            type_fr(l.avant),
            za_ou_phi_fr(l.avant),
            nombre_fr(l.avant.zp),
            nombre_fr(l.avant.inclinaison),
            type_fr(l.apres),
            za_ou_phi_fr(l.apres),
            nombre_fr(l.apres.zp),
            nombre_fr(l.apres.inclinaison)};
}

int modele_journal::largeur_colonne(int colonne, const QFontMetrics& m) const {
    static const QStringList representatives = cellules(1000, ligne_representative());
    const int texte = std::max(m.horizontalAdvance(entetes_.value(colonne)),
                               m.horizontalAdvance(representatives.value(colonne)));
    // The cell's margins and the header's, as the style draws them.
    return texte + 2 * m.horizontalAdvance(QLatin1Char('x'));
}

} // namespace trajel
