#include "ui/francais/format_fr.h"

#include <QLocale>

#include <cmath>

namespace trajel {

namespace {

const QLocale& francais() {
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

// "3,50" -> "3,5", "2,000" -> "2".
QString sans_zeros_finaux(QString s) {
    const QChar virgule = francais().decimalPoint().front();
    if (!s.contains(virgule)) {
        return s;
    }
    while (s.endsWith(QLatin1Char('0'))) {
        s.chop(1);
    }
    if (s.endsWith(virgule)) {
        s.chop(1);
    }
    return s;
}

QString exposant(int n) {
    static const char16_t chiffres[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString s = n < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar c : QString::number(std::abs(n))) {
        s += QChar(chiffres[c.digitValue()]);
    }
    return s;
}

} // namespace

QString nombre_fr(double x, int chiffres) {
    if (!std::isfinite(x)) {
        return QStringLiteral("-");
    }
    if (x == 0.0) {
        return QStringLiteral("0");
    }
    int puissance = static_cast<int>(std::floor(std::log10(std::abs(x))));
    // Rounding to the digits shown may carry to the next power: 999 999,6 is a million.
    if (std::round(std::abs(x) / std::pow(10.0, puissance - chiffres + 1)) >=
        std::pow(10.0, chiffres)) {
        ++puissance;
    }
    if (puissance >= 6 || puissance < -3) {
        const double mantisse = x / std::pow(10.0, puissance);
        return sans_zeros_finaux(francais().toString(mantisse, 'f', chiffres - 1)) +
               QStringLiteral(" × 10") + exposant(puissance);
    }
    const int decimales = std::max(0, chiffres - 1 - puissance);
    return sans_zeros_finaux(francais().toString(x, 'f', decimales));
}

QString valeur_fr(const std::optional<double>& x, const QString& unite, int chiffres) {
    if (!x || !std::isfinite(*x)) {
        return QStringLiteral("-");
    }
    // An angle's degree sign sticks to its number ("25°"); other units stand apart.
    if (unite.isEmpty() || unite == QStringLiteral("°")) {
        return nombre_fr(*x, chiffres) + unite;
    }
    return nombre_fr(*x, chiffres) + QChar(0x202F) + unite;
}

QString duree_fr(const std::optional<double>& secondes) {
    if (!secondes || !std::isfinite(*secondes)) {
        return QStringLiteral("-");
    }
    const QString signe = *secondes < 0.0 ? QStringLiteral("-") : QString();
    const double s = std::abs(*secondes);
    if (s < 60.0) {
        return signe + nombre_fr(s, 4) + QStringLiteral(" s");
    }
    // Counted in tenths of a second, so that 59,96 s carries to the next minute.
    const long long dixiemes = std::llround(s * 10.0);
    const long long secondes_entieres = dixiemes / 10 % 60;
    const long long minutes = dixiemes / 600 % 60;
    const long long heures = dixiemes / 36000 % 24;
    const long long jours = dixiemes / 864000;
    if (jours > 0) {
        return signe + QStringLiteral("%1 j %2 h %3 min").arg(jours).arg(heures).arg(minutes);
    }
    if (heures > 0) {
        return signe +
               QStringLiteral("%1 h %2 min %3 s").arg(heures).arg(minutes).arg(secondes_entieres);
    }
    const QString sec = sans_zeros_finaux(francais().toString((dixiemes % 600) / 10.0, 'f', 1));
    return signe + QStringLiteral("%1 min %2 s").arg(minutes).arg(sec);
}

} // namespace trajel
