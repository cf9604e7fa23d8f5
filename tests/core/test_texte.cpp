#include "commun/principal.h"
#include "core/texte.h"
#include "verifications.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <string>

using namespace trajel;

namespace {

constexpr double plus_grand = std::numeric_limits<double>::max();

std::string texte(const QByteArray& octets) {
    return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

// A C++ locale whose numbers are written "1 234,5".
class virgule_decimale : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return ' '; }
    std::string do_grouping() const override { return "\3"; }
};

// What Str may write: a blank or a minus sign, then "0", a whole number, a fraction
// without a zero before the point, or one digit, decimals and a 2- or 3-digit exponent;
// never a trailing zero after a point.
const QRegularExpression forme_str(QStringLiteral(
    R"(^[ -](0|[1-9]\d*|[1-9]\d*\.\d*[1-9]|\.\d*[1-9]|[1-9](\.\d*[1-9])?E[+-]\d{2,3})$)"));

int chiffres_significatifs(const std::string& s) {
    std::string chiffres;
    for (char c : s.substr(0, s.find('E'))) {
        if (c >= '0' && c <= '9' && !(chiffres.empty() && c == '0')) {
            chiffres.push_back(c);
        }
    }
    return static_cast<int>(chiffres.size());
}

// Empty when x survives number -> Str -> Val to 15 significant digits; else why not.
QString defaut_aller_retour(double x) {
    const std::string t = Str(x);
    const QString description = QStringLiteral("%1 -> \"%2\"")
                                    .arg(trajel::test::texte_double(x), QString::fromStdString(t));
    if (!forme_str.match(QString::fromStdString(t)).hasMatch() || chiffres_significatifs(t) > 15) {
        return description + QStringLiteral(": forme invalide");
    }
    double relu = 0.0;
    if (trajel::test::erreur_levee([&] { relu = Val(t); })) {
        return description + QStringLiteral(": relecture en erreur");
    }
    if (Str(relu) != t) {
        return description +
               QStringLiteral(" -> %1 -> \"%2\"")
                   .arg(trajel::test::texte_double(relu), QString::fromStdString(Str(relu)));
    }
    // 15 significant digits: half a unit of the 15th digit (at most 5e-15 |x|), plus
    // half an ulp when the text is read back; a subnormal may be off by its spacing.
    if (std::fabs(relu - x) > 5.2e-15 * std::fabs(x) + std::numeric_limits<double>::denorm_min()) {
        return description +
               QStringLiteral(" relu %1: trop loin").arg(trajel::test::texte_double(relu));
    }
    const std::string g = format_general(x);
    if (g.empty() || g[0] == ' ' || Val(g) != relu) {
        return description +
               QStringLiteral(": format_general \"%1\"").arg(QString::fromStdString(g));
    }
    return {};
}

} // namespace

class TestTexte : public QObject {
    Q_OBJECT
private slots:
    void val_data() {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<double>("attendu");
        QTest::newRow("entier") << QByteArray("450") << 450.0;
        QTest::newRow("négatif") << QByteArray("-40") << -40.0;
        QTest::newRow("signe plus") << QByteArray("+5") << 5.0;
        QTest::newRow("deux moins") << QByteArray("--5") << 0.0;
        QTest::newRow("plus moins") << QByteArray("+-5") << 0.0;
        QTest::newRow("signe, blanc, chiffre") << QByteArray("- 5") << -5.0;
        QTest::newRow("décimal") << QByteArray("12.5") << 12.5;
        QTest::newRow("point en tête") << QByteArray(".5") << 0.5;
        QTest::newRow("moins point") << QByteArray("-.5") << -0.5;
        QTest::newRow("point final") << QByteArray("7.") << 7.0;
        QTest::newRow("zéros en tête") << QByteArray("007") << 7.0;
        QTest::newRow("exposant E") << QByteArray("1E3") << 1000.0;
        QTest::newRow("exposant e") << QByteArray("1e3") << 1000.0;
        QTest::newRow("exposant D") << QByteArray("1D3") << 1000.0;
        QTest::newRow("exposant d négatif") << QByteArray("1d-2") << 0.01;
        QTest::newRow("exposant signé plus") << QByteArray("2.5E+2") << 250.0;
        QTest::newRow("point puis exposant") << QByteArray(".5E1") << 5.0;
        QTest::newRow("point final puis exposant") << QByteArray("3.E2") << 300.0;
        QTest::newRow("E sans chiffre") << QByteArray("1E") << 1.0;
        QTest::newRow("E+ sans chiffre") << QByteArray("1E+") << 1.0;
        QTest::newRow("E- puis lettre") << QByteArray("1E-x") << 1.0;
        QTest::newRow("deux E") << QByteArray("1E2E3") << 100.0;
        QTest::newRow("exposant puis lettres") << QByteArray("1E2abc") << 100.0;
        QTest::newRow("blancs partout") << QByteArray("1 2 . 5 E 1") << 125.0;
        QTest::newRow("tabulation et saut de ligne") << QByteArray("\t1\n2") << 12.0;
        QTest::newRow("blancs en tête") << QByteArray("   300") << 300.0;
        QTest::newRow("blanc dans l'exposant") << QByteArray("1E -  2") << 0.01;
        QTest::newRow("retour chariot arrête") << QByteArray("1\r2") << 1.0;
        QTest::newRow("lettres") << QByteArray("abc") << 0.0;
        QTest::newRow("vide") << QByteArray("") << 0.0;
        QTest::newRow("blancs seuls") << QByteArray(" \t\n") << 0.0;
        QTest::newRow("point seul") << QByteArray(".") << 0.0;
        QTest::newRow("moins seul") << QByteArray("-") << 0.0;
        QTest::newRow("plus seul") << QByteArray("+") << 0.0;
        QTest::newRow("E5") << QByteArray("E5") << 0.0;
        QTest::newRow("moins point E") << QByteArray("-.E5") << 0.0;
        QTest::newRow("nombre puis lettres") << QByteArray("12abc") << 12.0;
        QTest::newRow("deux points") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("points consécutifs") << QByteArray("1..2") << 1.0;
        QTest::newRow("virgule") << QByteArray("1,5") << 1.5;
        QTest::newRow("virgule puis point") << QByteArray("1,5.3") << 1.5;
        QTest::newRow("point puis virgule") << QByteArray("1.5,3") << 1.5;
        QTest::newRow("virgules consécutives") << QByteArray("1,,2") << 1.0;
        QTest::newRow("virgule après l'exposant") << QByteArray("1E2,5") << 100.0;
        QTest::newRow("octet nul") << QByteArray("4\0"
                                                 "2",
                                                 3)
                                   << 4.0;
        QTest::newRow("hexadécimal") << QByteArray("&HFF") << 255.0;
        QTest::newRow("hexadécimal minuscule") << QByteArray("&hff") << 255.0;
        QTest::newRow("&H seul") << QByteArray("&H") << 0.0;
        QTest::newRow("&H puis non-chiffre") << QByteArray("&H1G") << 1.0;
        QTest::newRow("&H avec blancs") << QByteArray("& H 1 0") << 16.0;
        QTest::newRow("&H n'a pas de point") << QByteArray("&H1.5") << 1.0;
        QTest::newRow("&H 32 bits") << QByteArray("&HFFFFFFFF") << 4294967295.0;
        QTest::newRow("octal") << QByteArray("&O17") << 15.0;
        QTest::newRow("octal minuscule") << QByteArray("&o17") << 15.0;
        QTest::newRow("octal: 8 arrête") << QByteArray("&O178") << 15.0;
        QTest::newRow("&O8") << QByteArray("&O8") << 0.0;
        QTest::newRow("& seul") << QByteArray("&") << 0.0;
        QTest::newRow("&X") << QByteArray("&X1") << 0.0;
        QTest::newRow("signe avant &H") << QByteArray("-&H10") << 0.0;
        QTest::newRow("1E308") << QByteArray("1E308") << 1e308;
        QTest::newRow("le plus grand double") << QByteArray("1.7976931348623157E308") << plus_grand;
        // Above the largest double but below the halfway point to the next power: rounds down.
        QTest::newRow("arrondi au plus grand")
            << QByteArray("1.7976931348623158e308") << plus_grand;
        QTest::newRow("plus petit normal")
            << QByteArray("2.2250738585072014E-308") << std::numeric_limits<double>::min();
        QTest::newRow("plus petit sous-normal")
            << QByteArray("4.94065645841247E-324") << std::numeric_limits<double>::denorm_min();
        QTest::newRow("1E-400 lit 0") << QByteArray("1E-400") << 0.0;
        QTest::newRow("-1E-400 lit 0") << QByteArray("-1E-400") << 0.0;
        QTest::newRow("exposant négatif énorme") << QByteArray("1E-99999999999999999999") << 0.0;
        QTest::newRow("zéro, exposant énorme") << QByteArray("0E99999999999999999999") << 0.0;
        QTest::newRow("mantisse de 400 chiffres") << ("1." + QByteArray(399, '3')) << 4.0 / 3.0;
        QTest::newRow("400 chiffres et exposant négatif")
            << ("1" + QByteArray(399, '0') + "E-390") << 1e9;
        QTest::newRow("399 zéros après le point et exposant")
            << ("." + QByteArray(399, '0') + "1E400") << 1.0;
        QTest::newRow("399 zéros après le point") << ("." + QByteArray(399, '0') + "1") << 0.0;
    }
    // Every row is read a second time with its points written as commas: the decimal
    // comma reads exactly where the point does.
    void val() {
        QFETCH(QByteArray, texte);
        QFETCH(double, attendu);
        for (const QByteArray& t : {texte, QByteArray(texte).replace('.', ',')}) {
            double lu = -12345.0;
            const auto erreur = trajel::test::erreur_levee([&] { lu = Val(::texte(t)); });
            QVERIFY2(!erreur, qPrintable(trajel::test::texte_nature(erreur)));
            COMPARER_EXACT(lu, attendu);
        }
    }

    void val_deborde_data() {
        QTest::addColumn<QByteArray>("texte");
        QTest::newRow("1E309") << QByteArray("1E309");
        QTest::newRow("-1E309") << QByteArray("-1E309");
        QTest::newRow("au-delà de la moitié vers 2^1024") << QByteArray("1.7976931348623159E308");
        QTest::newRow("exposant énorme") << QByteArray("1E99999999999999999999");
        QTest::newRow("400 chiffres entiers") << QByteArray(400, '1');
        QTest::newRow("point après 309 chiffres") << (QByteArray(309, '9') + ".5");
        QTest::newRow("&H de 300 chiffres") << ("&H" + QByteArray(300, 'F'));
        QTest::newRow("&O de 400 chiffres") << ("&O" + QByteArray(400, '7'));
    }
    void val_deborde() {
        QFETCH(QByteArray, texte);
        for (const QByteArray& t : {texte, QByteArray(texte).replace('.', ',')}) {
            const std::string s = ::texte(t);
            VERIFIER_ERREUR([&] { Val(s); }, nature_erreur::depassement_capacite);
        }
    }

    void str_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("450") << 450.0 << " 450";
        QTest::newRow("-40") << -40.0 << "-40";
        QTest::newRow("0.5") << 0.5 << " .5";
        QTest::newRow("-0.5") << -0.5 << "-.5";
        QTest::newRow("0") << 0.0 << " 0";
        QTest::newRow("-0 n'est pas négatif") << -0.0 << " 0";
        QTest::newRow("1/3") << 1.0 / 3.0 << " .333333333333333";
        QTest::newRow("2/3 arrondi") << 2.0 / 3.0 << " .666666666666667";
        QTest::newRow("-2/3") << -2.0 / 3.0 << "-.666666666666667";
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << " .3";
        QTest::newRow("zéros finals d'un entier gardés") << 120.0 << " 120";
        QTest::newRow("zéros finals décimaux ôtés") << 1.10 << " 1.1";
        QTest::newRow("arrondi à 1") << 0.99999999999999994 << " 1";
        QTest::newRow("989.8") << 989.8 << " 989.8";
        QTest::newRow("1e14") << 1e14 << " 100000000000000";
        QTest::newRow("999999999999999") << 999999999999999.0 << " 999999999999999";
        QTest::newRow("1E+15") << 1e15 << " 1E+15";
        QTest::newRow("999999999999999.9 arrondi à 1E+15") << 999999999999999.9 << " 1E+15";
        QTest::newRow("1234567890123456") << 1234567890123456.0 << " 1.23456789012346E+15";
        QTest::newRow("123456789012345678") << 123456789012345678.0 << " 1.23456789012346E+17";
        QTest::newRow("0.0001") << 0.0001 << " .0001";
        QTest::newRow("0.00012345") << 0.00012345 << " .00012345";
        QTest::newRow("1E-05") << 0.00001 << " 1E-05";
        QTest::newRow("1.5E-05") << 1.5e-5 << " 1.5E-05";
        QTest::newRow("-1.5E-05") << -1.5e-5 << "-1.5E-05";
        QTest::newRow("E+100") << 1e100 << " 1E+100";
        QTest::newRow("E-100") << -1e-100 << "-1E-100";
        // The double nearest 1e-310 is subnormal: its own 15 digits are written.
        QTest::newRow("sous-normal") << 1e-310 << " 9.99999999999997E-311";
        QTest::newRow("plus petit sous-normal")
            << std::numeric_limits<double>::denorm_min() << " 4.94065645841247E-324";
        // 1.79769313486232E+308 would overflow when read back: the digits below.
        QTest::newRow("le plus grand double") << plus_grand << " 1.79769313486231E+308";
        QTest::newRow("moins le plus grand double") << -plus_grand << "-1.79769313486231E+308";
        QTest::newRow("juste sous la borne") << 1.7976931348623147e308 << " 1.79769313486231E+308";
    }
    void str() {
        QFETCH(double, x);
        QFETCH(QString, attendu);
        QCOMPARE(QString::fromStdString(Str(x)), attendu);
    }

    void format_general_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("989.8") << 989.8 << "989.8";
        QTest::newRow("0.5") << 0.5 << "0.5";
        QTest::newRow("-0.5") << -0.5 << "-0.5";
        QTest::newRow("1000") << 1000.0 << "1000";
        QTest::newRow("0") << 0.0 << "0";
        QTest::newRow("1/3") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("0.0001") << 0.0001 << "0.0001";
        QTest::newRow("1.5E-05") << 1.5e-5 << "1.5E-05";
        QTest::newRow("1E+15") << 1e15 << "1E+15";
    }
    void format_general() {
        QFETCH(double, x);
        QFETCH(QString, attendu);
        QCOMPARE(QString::fromStdString(trajel::format_general(x)), attendu);
    }

    void non_fini_leve_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<nature_erreur>("nature");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN()
                             << nature_erreur::operation_invalide;
        QTest::newRow("+infini") << std::numeric_limits<double>::infinity()
                                 << nature_erreur::depassement_capacite;
        QTest::newRow("-infini") << -std::numeric_limits<double>::infinity()
                                 << nature_erreur::depassement_capacite;
    }
    void non_fini_leve() {
        QFETCH(double, x);
        QFETCH(nature_erreur, nature);
        VERIFIER_ERREUR([x] { Str(x); }, nature);
        VERIFIER_ERREUR([x] { trajel::format_general(x); }, nature);
    }

    void aller_retour_data() {
        QTest::addColumn<double>("x");
        QTest::newRow("0") << 0.0;
        QTest::newRow("1") << 1.0;
        QTest::newRow("-1") << -1.0;
        QTest::newRow("0.1") << 0.1;
        QTest::newRow("1/3") << 1.0 / 3.0;
        QTest::newRow("-2/3") << -2.0 / 3.0;
        QTest::newRow("pi du programme") << 3.141592658;
        QTest::newRow("paramètre de départ") << 4616.4689597315436;
        QTest::newRow("excentricité de départ") << 1700.0 / 9536.0;
        QTest::newRow("0.0001") << 0.0001;
        QTest::newRow("0.00009999999999999999") << 0.00009999999999999999;
        QTest::newRow("1.5e-5") << 1.5e-5;
        QTest::newRow("999999999999999") << 999999999999999.0;
        QTest::newRow("999999999999999.9") << 999999999999999.9;
        QTest::newRow("1e15") << 1e15;
        QTest::newRow("2^53 + 1") << 9007199254740993.0;
        QTest::newRow("1e308") << 1e308;
        QTest::newRow("le plus grand double") << plus_grand;
        QTest::newRow("moins le plus grand double") << -plus_grand;
        QTest::newRow("1.797693134862315e308") << 1.797693134862315e308;
        QTest::newRow("plus petit normal") << std::numeric_limits<double>::min();
        QTest::newRow("plus petit sous-normal") << std::numeric_limits<double>::denorm_min();
        QTest::newRow("sous-normal") << 1.2345678901234e-315;
        QTest::newRow("-7236") << -7236.0;
    }
    void aller_retour() {
        QFETCH(double, x);
        const QString defaut = defaut_aller_retour(x);
        QVERIFY2(defaut.isEmpty(), qPrintable(defaut));
    }

    // Random bit patterns cover every exponent, subnormals included; random decimals
    // of 1 to 17 digits cover the rounding of the 15th digit.
    void aller_retour_aleatoire() {
        std::mt19937_64 generateur(20240607);
        int essais = 0;
        for (int i = 0; i < 100000; ++i) {
            const std::uint64_t bits = generateur();
            double x = 0.0;
            std::memcpy(&x, &bits, sizeof x);
            if (!std::isfinite(x)) {
                continue;
            }
            ++essais;
            const QString defaut = defaut_aller_retour(x);
            QVERIFY2(defaut.isEmpty(), qPrintable(defaut));
        }
        std::uniform_int_distribution<int> nombre_chiffres(1, 17);
        std::uniform_int_distribution<int> exposant(-340, 291);
        std::uniform_int_distribution<int> chiffre(0, 9);
        for (int i = 0; i < 100000; ++i) {
            std::string s = "-";
            const int n = nombre_chiffres(generateur);
            for (int k = 0; k < n; ++k) {
                s.push_back(static_cast<char>('0' + chiffre(generateur)));
            }
            s.push_back('E');
            s += std::to_string(exposant(generateur));
            const double x = std::strtod(s.c_str() + (i % 2), nullptr);
            if (!std::isfinite(x)) {
                continue;
            }
            ++essais;
            const QString defaut = defaut_aller_retour(x);
            QVERIFY2(defaut.isEmpty(), qPrintable(defaut));
        }
        QVERIFY(essais > 190000);
    }

    // The decimal point and the decimal comma read alike and numbers are written with
    // ".", whatever the C++ and Qt locales say.
    void point_decimal_avec_locales_francaises() {
        const std::locale ancienne =
            std::locale::global(std::locale(std::locale::classic(), new virgule_decimale));
        const QLocale ancienne_qt;
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        const double lu_point = Val("12.5");
        const double lu_virgule = Val("12,5");
        const std::string ecrit = Str(-1234.25);
        const std::string general = trajel::format_general(989.8);
        QLocale::setDefault(ancienne_qt);
        std::locale::global(ancienne);
        COMPARER_EXACT(lu_point, 12.5);
        COMPARER_EXACT(lu_virgule, 12.5);
        QCOMPARE(QString::fromStdString(ecrit), QStringLiteral("-1234.25"));
        QCOMPARE(QString::fromStdString(general), QStringLiteral("989.8"));
    }

    void point_decimal_avec_locale_c_francaise() {
        const std::string ancienne = std::setlocale(LC_ALL, nullptr);
        const char* obtenue = nullptr;
        for (const char* nom : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_FR", "de_DE.UTF-8"}) {
            obtenue = std::setlocale(LC_ALL, nom);
            if (obtenue != nullptr) {
                break;
            }
        }
        if (obtenue == nullptr) {
            QSKIP("no C locale with a decimal comma is installed (fr_FR.UTF-8)");
        }
        const bool virgule = std::localeconv()->decimal_point[0] == ',';
        const double lu_point = Val("12.5");
        const double lu_virgule = Val("12,5");
        const std::string ecrit = Str(0.25);
        const std::string general = trajel::format_general(-989.8);
        std::setlocale(LC_ALL, ancienne.c_str());
        QVERIFY(virgule);
        COMPARER_EXACT(lu_point, 12.5);
        COMPARER_EXACT(lu_virgule, 12.5);
        QCOMPARE(QString::fromStdString(ecrit), QStringLiteral(" .25"));
        QCOMPARE(QString::fromStdString(general), QStringLiteral("-989.8"));
    }
};
TRAJEL_TEST(TestTexte);
#include "test_texte.moc"
