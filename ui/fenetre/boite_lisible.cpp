#include "ui/fenetre/boite_lisible.h"

#include "core/texte.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <charconv>
#include <cmath>
#include <string>

namespace trajel {

namespace {

// A whole text that is one decimal number: sign, mantissa with "." or ",", exponent E or D.
const QRegularExpression& forme_nombre() {
    static const QRegularExpression f(
        QStringLiteral("^\\s*([-+]?)(\\d*)[.,]?(\\d*)(?:[EeDd]([-+]?\\d+))?\\s*$"));
    return f;
}

// Digits of the mantissa from the first one that is not zero.
int chiffres_significatifs(const QString& entiers, const QString& decimales) {
    const QString tout = entiers + decimales;
    qsizetype debut = 0;
    while (debut < tout.size() && tout[debut] == QLatin1Char('0')) {
        ++debut;
    }
    return static_cast<int>(tout.size() - debut);
}

} // namespace

QString texte_lisible(const QString& texte) {
    const QRegularExpressionMatch m = forme_nombre().match(texte);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()) ||
        chiffres_significatifs(m.captured(2), m.captured(3)) <= chiffres_boite) {
        return texte;
    }
    // The sign "+" is not one from_chars reads: "-" or nothing.
    const QString signe = m.captured(1) == QLatin1String("-") ? m.captured(1) : QString();
    const QString exposant = m.captured(4).isEmpty() ? QStringLiteral("0") : m.captured(4);
    const std::string lu = (signe + m.captured(2) + QLatin1Char('.') + m.captured(3) +
                            QLatin1Char('e') + QString(exposant).remove(QLatin1Char('+')))
                               .toStdString();
    double x = 0.0;
    const auto [fin, erreur] = std::from_chars(lu.data(), lu.data() + lu.size(), x);
    if (erreur != std::errc() || fin != lu.data() + lu.size() || !std::isfinite(x)) {
        return texte; // beyond a double: the handlers will say so
    }
    // x rounded to six significant digits, read back as the nearest double (to_chars and
    // from_chars, whatever the C locale's decimal point).
    char arrondi[32];
    const auto ecrit = std::to_chars(arrondi, arrondi + sizeof arrondi, x,
                                     std::chars_format::scientific, chiffres_boite - 1);
    if (ecrit.ec != std::errc() || std::from_chars(arrondi, ecrit.ptr, x).ec != std::errc() ||
        !std::isfinite(x)) {
        return texte;
    }
    QString s = QString::fromStdString(Str(x));
    if (!texte.startsWith(QLatin1Char(' ')) && s.startsWith(QLatin1Char(' '))) {
        s.remove(0, 1); // a typed text keeps its own start
    }
    return s;
}

boite_lisible::boite_lisible(const QString& texte, QWidget* parent) : QLineEdit(texte, parent) {}

QString boite_lisible::texte_affiche() const {
    return hasFocus() ? text() : texte_lisible(text());
}

QString boite_lisible::bulle() const {
    if (texte_lisible(text()) == text()) {
        return toolTip();
    }
    const QString exact = QStringLiteral("Valeur exacte : ") + text().trimmed();
    return toolTip().isEmpty() ? exact : toolTip() + QLatin1Char('\n') + exact;
}

void boite_lisible::paintEvent(QPaintEvent* e) {
    const QString affiche = texte_affiche();
    if (affiche == text()) {
        QLineEdit::paintEvent(e);
        return;
    }
    // The frame as QLineEdit paints it, then the rounded text where its text would stand.
    QPainter p(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, this);
    const QRect r = style()
                        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                        .marginsRemoved(textMargins());
    // One line centred as QLineEdit centres it, inside its horizontal margin of 2 pixels.
    const int hauteur = fontMetrics().height();
    const QRect ligne(r.x() + 2, r.y() + (r.height() - hauteur + 1) / 2, r.width() - 4, hauteur);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.drawText(ligne, Qt::AlignTop | (alignment() & Qt::AlignHorizontal_Mask), affiche);
}

bool boite_lisible::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), bulle(), this);
        return true;
    }
    return QLineEdit::event(e);
}

} // namespace trajel
