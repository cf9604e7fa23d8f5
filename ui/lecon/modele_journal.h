#pragma once

#include "manoeuvre/journal_tirs.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <span>
#include <vector>

class QFontMetrics;

namespace trajel {

// The journal's rows as the table shows them: one a burn, in firing order, its cells in
// the tools' French numbers. Following the history's journal, only the rows past those
// still the same change: a burn appends one, an undo removes the last.
class modele_journal : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit modele_journal(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows made those of `lignes`: the rows past the common ones removed, the new
    // ones appended; a journal with nothing in common is reset.
    void suivre(std::span<const ligne_journal> lignes);
    // The tooltip of the Δv columns' headers.
    void definir_bulle_delta_v(const QString& bulle);

    // The cells of one row, as shown.
    static QStringList cellules(std::size_t numero, const ligne_journal& l);
    // A column's width for its header and the widest cell it is likely to hold, in
    // `m`'s font: computed once, not over every row.
    int largeur_colonne(int colonne, const QFontMetrics& m) const;

private:
    QStringList entetes_;
    QString bulle_delta_v_;
    std::vector<ligne_journal> lignes_;
    mutable std::vector<QStringList> cellules_; // empty until the row is first shown
};

} // namespace trajel
