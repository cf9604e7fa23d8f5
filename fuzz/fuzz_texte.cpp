// libFuzzer target for the two number-text rules (Val and Str).
//
// Properties checked on every input:
// - Val never crashes; the only error it may raise is an overflow.
// - Val agrees bit for bit with a reference reader written independently here
//   (grammar scan, then the C library's strtod on the normalised number).
// - Val stops where the rule stops: appending characters that cannot extend a number,
//   or inserting blanks, tabs or line feeds anywhere, changes nothing.
// - For the value read, and for the first 8 bytes taken as a double: Str writes a text
//   of the expected form that Val reads back to 15 significant digits, and
//   format_general reads back to the same value.

#include "core/erreur.h"
#include "core/texte.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

using trajel::erreur_calcul;
using trajel::nature_erreur;

namespace {

[[noreturn]] void echec(const char* propriete, std::string_view texte, double valeur = 0.0) {
    std::fprintf(stderr, "propriété violée: %s\ntexte (%zu octets): \"", propriete, texte.size());
    for (unsigned char c : texte) {
        if (c >= 32 && c < 127 && c != '"' && c != '\\') {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\x%02x", c);
        }
    }
    std::fprintf(stderr, "\"\nvaleur: %.17g\n", valeur);
    std::abort();
}

// Val's result, or that it overflowed. Any other error is a failure.
struct lecture {
    bool deborde = false;
    double valeur = 0.0;
};

lecture lire(std::string_view texte) {
    lecture r;
    try {
        r.valeur = trajel::Val(texte);
    } catch (const erreur_calcul& e) {
        if (e.nature() != nature_erreur::depassement_capacite) {
            echec("Val lève une autre erreur qu'un dépassement", texte);
        }
        r.deborde = true;
        return r;
    }
    if (!std::isfinite(r.valeur)) {
        echec("Val rend une valeur non finie", texte, r.valeur);
    }
    return r;
}

bool memes_lectures(const lecture& a, const lecture& b) {
    return a.deborde == b.deborde && (a.deborde || a.valeur == b.valeur);
}

bool chiffre_base(char c, int base) {
    if (base == 8) {
        return c >= '0' && c <= '7';
    }
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// How much the reference reader can tell.
enum class jugement {
    exact,            // the value read, or that it overflows
    debordement_seul, // only whether it overflows (long hexadecimal or octal numbers,
                      // which Val sums in double)
    rien,             // a whole number right at 2^1024: rounding decides
};

// The reference reader.
jugement reference(std::string_view texte, lecture& attendu) {
    std::string s;
    for (char c : texte) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s.push_back(c);
        }
    }
    attendu = lecture{};
    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        std::size_t i = 2;
        while (i < s.size() && s[i] == '0') {
            ++i;
        }
        std::size_t fin = i;
        while (fin < s.size() && chiffre_base(s[fin], base)) {
            ++fin;
        }
        const std::size_t n = fin - i;                           // significant digits
        if ((base == 16 && n <= 13) || (base == 8 && n <= 17)) { // below 2^52: exact
            attendu.valeur = n == 0 ? 0.0
                                    : static_cast<double>(std::strtoull(
                                          std::string(s, i, n).c_str(), nullptr, base));
            return jugement::exact;
        }
        // Beyond 2^1024 it overflows, below 2^1020 it does not.
        const std::size_t limite = base == 16 ? 256 : 342;
        if (n == limite) {
            return jugement::rien;
        }
        attendu.deborde = n > limite;
        return jugement::debordement_seul;
    }

    // [+-] digits [(.|,) digits] [(E|e|D|d) [+-] digits], at least one mantissa digit.
    std::string nombre;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        nombre.push_back(s[i++]);
    }
    bool chiffre_vu = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        nombre.push_back(s[i++]);
        chiffre_vu = true;
    }
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) { // the decimal point or comma
        nombre.push_back('.');
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            nombre.push_back(s[i++]);
            chiffre_vu = true;
        }
    }
    if (!chiffre_vu) {
        return jugement::exact;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exposant = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exposant.push_back(s[j++]);
        }
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9') {
                exposant.push_back(s[j++]);
            }
            nombre += exposant;
        }
    }
    // strtod rounds correctly and reads "." in the C locale, the fuzzer's.
    const double v = std::strtod(nombre.c_str(), nullptr);
    if (std::isinf(v)) {
        attendu.deborde = true;
    } else {
        attendu.valeur = v;
    }
    return jugement::exact;
}

// The form Str writes: a blank or "-", then "0", a whole number, a fraction with no
// zero before the point, or d[.ddd]E(+|-)dd[d]; at most 15 significant digits and no
// trailing zero after a point.
bool forme_str(const std::string& t) {
    if (t.size() < 2 || (t[0] != ' ' && t[0] != '-')) {
        return false;
    }
    const std::string corps = t.substr(1);
    if (corps == "0") {
        return t[0] == ' ';
    }
    const std::size_t e = corps.find('E');
    const std::string mantisse = corps.substr(0, e);
    if (e != std::string::npos) {
        const std::string exposant = corps.substr(e + 1);
        if (exposant.size() < 3 || exposant.size() > 4 ||
            (exposant[0] != '+' && exposant[0] != '-') ||
            exposant.find_first_not_of("0123456789", 1) != std::string::npos) {
            return false;
        }
        if (mantisse.empty() || mantisse[0] < '1' || mantisse[0] > '9' ||
            (mantisse.size() > 1 && mantisse[1] != '.')) {
            return false;
        }
    }
    const std::size_t point = mantisse.find('.');
    if (mantisse.empty() || mantisse.find_first_not_of("0123456789.") != std::string::npos ||
        (point != std::string::npos && mantisse.find('.', point + 1) != std::string::npos)) {
        return false;
    }
    if (point != std::string::npos && (point + 1 == mantisse.size() || mantisse.back() == '0')) {
        return false;
    }
    if (mantisse[0] == '0') {
        return false; // no zero before the point, no leading zero
    }
    int significatifs = 0;
    bool debut = false;
    for (char c : mantisse) {
        if (c >= '1' && c <= '9') {
            debut = true;
        }
        if (debut && c != '.') {
            ++significatifs;
        }
    }
    return significatifs >= 1 && significatifs <= 15;
}

void verifier_ecriture(double x, std::string_view origine) {
    std::string t;
    try {
        t = trajel::Str(x);
    } catch (const erreur_calcul&) {
        echec("Str lève pour une valeur finie", origine, x);
    }
    if (!forme_str(t)) {
        echec("Str écrit une forme inattendue", t, x);
    }
    const lecture relu = lire(t);
    if (relu.deborde) {
        echec("le texte de Str déborde à la relecture", t, x);
    }
    if (trajel::Str(relu.valeur) != t) {
        echec("Str(Val(Str(x))) diffère de Str(x)", t, x);
    }
    // Half a unit of the 15th digit (at most 5e-15 |x|) and half an ulp on reading.
    if (std::fabs(relu.valeur - x) >
        5.2e-15 * std::fabs(x) + std::numeric_limits<double>::denorm_min()) {
        echec("Val(Str(x)) s'écarte de x au-delà de 15 chiffres", t, x);
    }
    const std::string g = trajel::format_general(x);
    if (g.empty() || g[0] == ' ' || g == "-0" || g[0] == '.' || (g[0] == '-' && g[1] == '.')) {
        echec("format_general écrit une forme inattendue", g, x);
    }
    const lecture relu_g = lire(g);
    if (relu_g.deborde || relu_g.valeur != relu.valeur) {
        echec("format_general ne relit pas comme Str", g, x);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const lecture lu = lire(texte);

    lecture attendu;
    switch (reference(texte, attendu)) {
    case jugement::exact:
        if (!memes_lectures(lu, attendu)) {
            echec("Val diffère de la lecture de référence", texte, lu.valeur);
        }
        break;
    case jugement::debordement_seul:
        if (attendu.deborde != lu.deborde) {
            echec("Val déborde à tort (ou pas) sur un long nombre entier", texte, lu.valeur);
        }
        break;
    case jugement::rien:
        break;
    }

    // Characters that extend no number, and blanks inserted anywhere, change nothing.
    if (!memes_lectures(lire(texte + "x,#\r"), lu)) {
        echec("Val lit au-delà du nombre", texte, lu.valeur);
    }
    if (taille > 0) {
        std::string avec_blanc = texte;
        const char blancs[] = {' ', '\t', '\n'};
        avec_blanc.insert(donnees[0] % (taille + 1), 1, blancs[donnees[taille - 1] % 3]);
        if (!memes_lectures(lire(avec_blanc), lu)) {
            echec("un blanc inséré change la lecture", avec_blanc, lu.valeur);
        }
    }

    if (!lu.deborde) {
        verifier_ecriture(lu.valeur, texte);
    }
    if (taille >= sizeof(double)) {
        double x = 0.0;
        std::memcpy(&x, donnees, sizeof x);
        if (std::isfinite(x)) {
            verifier_ecriture(x, texte);
        } else {
            try {
                trajel::Str(x);
                echec("Str écrit une valeur non finie", texte, x);
            } catch (const erreur_calcul&) {
            }
        }
    }
    return 0;
}
