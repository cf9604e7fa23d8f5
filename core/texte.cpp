#include "core/texte.h"

#include "core/erreur.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace trajel {

namespace {

bool est_blanc(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The text without its blanks, tabs and line feeds.
std::string sans_blancs(std::string_view texte) {
    std::string s;
    s.reserve(texte.size());
    for (char c : texte) {
        if (!est_blanc(c)) {
            s.push_back(c);
        }
    }
    return s;
}

int chiffre(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
    }
    return d < base ? d : -1;
}

// "&H..." or "&O...": a whole number in base 16 or 8 (no digit reads 0).
double entier_en_base(std::string_view s, int base) {
    double valeur = 0.0;
    for (char c : s) {
        const int d = chiffre(c, base);
        if (d < 0) {
            break;
        }
        valeur = controle(valeur * base + d);
    }
    return valeur;
}

// The mantissa at the start of s: an optional sign, digits and one decimal separator,
// normalised for from_chars as [-]digits[.digits]; i ends past it.
struct mantisse {
    std::string nombre;
    std::size_t chiffres = 0;
    int puissance_entiere = 0; // order of magnitude of the leading significant digit
    bool significatif = false; // a digit other than 0
};

mantisse lire_mantisse(std::string_view s, std::size_t& i) {
    mantisse m;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            m.nombre.push_back('-');
        }
        ++i;
    }
    bool apres_point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            m.nombre.push_back(c);
            ++m.chiffres;
            if (c != '0' && !m.significatif) {
                m.significatif = true;
            }
            if (!apres_point && m.significatif) {
                ++m.puissance_entiere;
            } else if (apres_point && !m.significatif) {
                --m.puissance_entiere;
            }
        } else if ((c == '.' || c == ',') && !apres_point) {
            m.nombre.push_back('.'); // a decimal comma reads as the point
            apres_point = true;
        } else {
            break;
        }
    }
    return m;
}

// The exponent from s[i]: E or D, either case, an optional sign, at least one digit; 0
// when there is none.
long long lire_exposant(std::string_view s, std::size_t i) {
    long long exposant = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool negatif = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negatif = s[j] == '-';
            ++j;
        }
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j) {
                if (exposant < 1000000000LL) { // beyond this every number overflows or vanishes
                    exposant = exposant * 10 + (s[j] - '0');
                }
            }
            exposant = negatif ? -exposant : exposant;
        }
    }
    return exposant;
}

// The decimal number at the start of s (blanks removed): 0 without a digit, and 0 below
// the smallest double; beyond the largest it overflows.
double decimal(std::string_view s) {
    std::size_t i = 0;
    mantisse m = lire_mantisse(s, i);
    if (m.chiffres == 0) {
        return 0.0;
    }
    const long long exposant = lire_exposant(s, i);
    if (!m.significatif) {
        return 0.0;
    }
    m.nombre += 'e';
    m.nombre += std::to_string(exposant);

    double valeur = 0.0;
    const auto [fin, erreur] =
        std::from_chars(m.nombre.data(), m.nombre.data() + m.nombre.size(), valeur);
    (void)fin;
    if (erreur == std::errc::result_out_of_range) {
        if (m.puissance_entiere + exposant > 0) {
            lever(nature_erreur::depassement_capacite);
        }
        return 0.0; // below the smallest double: it reads 0
    }
    return controle(valeur);
}

// |x| as 15 significant digits (trailing zeros dropped) and the decimal exponent of
// the first one.
struct chiffres_significatifs {
    std::string chiffres;
    int exposant = 0;
};

chiffres_significatifs decomposer(double x) {
    char tampon[64];
    const auto resultat = std::to_chars(tampon, tampon + sizeof tampon, std::fabs(x),
                                        std::chars_format::scientific, 14);
    const std::string_view s(tampon, static_cast<std::size_t>(resultat.ptr - tampon));
    const std::size_t e = s.find('e');
    chiffres_significatifs r;
    for (char c : s.substr(0, e)) {
        if (c != '.') {
            r.chiffres.push_back(c);
        }
    }
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), r.exposant);
    // Just below the largest double, rounding to 15 digits passes it
    // (1.7976931348623157E+308 gives 1.79769313486232E+308) and the text would overflow
    // when read back: take the 15 digits just below instead.
    double relu = 0.0;
    if (r.exposant == 308 &&
        std::from_chars(s.data(), s.data() + s.size(), relu).ec == std::errc::result_out_of_range) {
        std::size_t i = r.chiffres.size() - 1;
        for (; r.chiffres[i] == '0'; --i) {
            r.chiffres[i] = '9';
        }
        --r.chiffres[i];
    }
    while (r.chiffres.size() > 1 && r.chiffres.back() == '0') {
        r.chiffres.pop_back();
    }
    return r;
}

std::string ecrire(double x, bool zero_avant_point) {
    controle(x);
    if (x == 0.0) {
        return "0";
    }
    const chiffres_significatifs d = decomposer(x);
    std::string s = x < 0.0 ? "-" : "";
    const int n = static_cast<int>(d.chiffres.size());
    if (d.exposant >= 15 || d.exposant < -4) {
        s += d.chiffres[0];
        if (n > 1) {
            s += '.';
            s += d.chiffres.substr(1);
        }
        const int e = std::abs(d.exposant);
        s += d.exposant < 0 ? "E-" : "E+";
        if (e < 10) {
            s += '0';
        }
        s += std::to_string(e);
    } else if (d.exposant >= 0) {
        const int entiers = d.exposant + 1;
        if (n <= entiers) {
            s += d.chiffres + std::string(static_cast<std::size_t>(entiers - n), '0');
        } else {
            s += d.chiffres.substr(0, static_cast<std::size_t>(entiers)) + '.' +
                 d.chiffres.substr(static_cast<std::size_t>(entiers));
        }
    } else {
        if (zero_avant_point) {
            s += '0';
        }
        s += '.';
        s += std::string(static_cast<std::size_t>(-d.exposant - 1), '0');
        s += d.chiffres;
    }
    return s;
}

} // namespace

double Val(std::string_view texte) {
    const std::string s = sans_blancs(texte);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') {
            return entier_en_base(std::string_view(s).substr(2), 16);
        }
        if (s[1] == 'O' || s[1] == 'o') {
            return entier_en_base(std::string_view(s).substr(2), 8);
        }
        return 0.0;
    }
    return decimal(s);
}

std::string Str(double x) {
    std::string s = ecrire(x, false);
    return s[0] == '-' ? s : " " + s;
}

std::string format_general(double x) {
    return ecrire(x, true);
}

} // namespace trajel
