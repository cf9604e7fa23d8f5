#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace trajel {

// What stopped a computation. The first three are the arithmetic faults of the
// floating-point unit (and of the conversions to whole numbers); the others are
// inputs that the program refuses before they can produce a meaningless result.
enum class nature_erreur {
    division_par_zero,
    operation_invalide,   // square root or arc-cosine outside its domain, 0/0
    depassement_capacite, // overflow, or a whole-number conversion out of range
    angle_phi_invalide,   // a hyperbola whose asymptote angle describes none
    tir_refuse,           // a burn refused before anything was changed
};

// The program's one error: it abandons the computation in progress and the event
// being handled, with every handler nested in it. The outermost handler reports it.
class erreur_calcul : public std::runtime_error {
public:
    explicit erreur_calcul(nature_erreur nature);
    erreur_calcul(nature_erreur nature, const std::string& message);
    // The same error, naming the quantity whose computation failed.
    erreur_calcul(const erreur_calcul& e, const std::string& grandeur);

    nature_erreur nature() const noexcept { return nature_; }
    const std::string& grandeur() const noexcept { return grandeur_; }

private:
    nature_erreur nature_;
    std::string grandeur_;
};

[[noreturn]] void lever(nature_erreur nature);

// Runs calcul(); an error it raises that names no quantity yet names `grandeur`.
template <class Calcul> auto en_calculant(const char* grandeur, Calcul&& calcul) {
    try {
        return calcul();
    } catch (const erreur_calcul& e) {
        const bool arithmetique = e.nature() == nature_erreur::division_par_zero ||
                                  e.nature() == nature_erreur::operation_invalide ||
                                  e.nature() == nature_erreur::depassement_capacite;
        if (!arithmetique || !e.grandeur().empty()) {
            throw;
        }
        throw erreur_calcul(e, grandeur);
    }
}

// Guarded arithmetic. Every value that leaves a procedure passes one of these, so a
// NaN or an infinity never reaches a drawing or a text.

// x itself, or the error: NaN is an invalid operation, an infinity an overflow.
inline double controle(double x) {
    if (std::isnan(x)) {
        lever(nature_erreur::operation_invalide);
    }
    if (std::isinf(x)) {
        lever(nature_erreur::depassement_capacite);
    }
    return x;
}

// a / b; 0/0 is invalid, any other division by zero is a division by zero.
inline double quotient(double a, double b) {
    controle(a);
    controle(b);
    if (b == 0.0) {
        lever(a == 0.0 ? nature_erreur::operation_invalide : nature_erreur::division_par_zero);
    }
    return controle(a / b);
}

inline double racine(double x) {
    if (controle(x) < 0.0) {
        lever(nature_erreur::operation_invalide);
    }
    return std::sqrt(x);
}

// x to the power y, as a general power function: 0 to a negative power divides by
// zero, a negative number to a fractional power is invalid.
inline double puissance(double x, double y) {
    controle(x);
    controle(y);
    if (x == 0.0 && y < 0.0) {
        lever(nature_erreur::division_par_zero);
    }
    if (x < 0.0 && std::trunc(y) != y) {
        lever(nature_erreur::operation_invalide);
    }
    return controle(std::pow(x, y));
}

// Conversions to whole numbers. Rounding goes to the nearest, halves to the even
// neighbour; a value out of the type's range overflows.
std::int16_t entier16(double x);
std::int32_t entier32(double x);

} // namespace trajel
