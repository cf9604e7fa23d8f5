#pragma once

#include <QLineEdit>
#include <QString>

namespace trajel {

// Significant digits a box shows while it does not have the focus.
constexpr int chiffres_boite = 6;

// What a box shows of its text while it does not have the focus: a number of more than
// six significant digits rounded to six, written as the program writes numbers ("."
// always, the exponent kept: " 1.47877933029813E-06" shows " 1.47878E-06", " 6.99999999999999"
// shows " 7"); any other text (short numbers, typed forms, words) as it stands.
QString texte_lisible(const QString& texte);

// A box of the main window. text() is always the exact text, the one every handler, the
// lesson file and copy read; only the picture of an unfocused box is rounded, and the
// tooltip then gives the exact text.
class boite_lisible : public QLineEdit {
    Q_OBJECT
public:
    explicit boite_lisible(const QString& texte, QWidget* parent = nullptr);

    // The text painted now: the exact text with the focus, texte_lisible() without.
    QString texte_affiche() const;
    // The tooltip shown: the box's own, and the exact text when the box rounds it.
    QString bulle() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
};

} // namespace trajel
