#pragma once

#include <string>
#include <string_view>

namespace trajel {

// Reading a number from a text. Blanks, tabs and line feeds are ignored wherever
// they stand; the longest leading number is taken: an optional sign, digits, one
// decimal separator ("." or ",", whatever the locale; reading stops at a second
// one), an optional exponent introduced by E or
// D (either case) with an optional sign; or "&H" / "&O" (either case) followed by a
// hexadecimal or octal whole number. A text with no leading number reads 0. Nothing
// is rejected, but a number beyond the range of a double overflows (erreur_calcul).
double Val(std::string_view texte);

// Writing a number: at most 15 significant digits, trailing zeros and a trailing
// point dropped, "." always, no zero before the point of a magnitude below 1, a
// blank before a value that is not negative. Exponent form ("1E+15", "1.5E-05")
// when the decimal exponent is 15 or more, or below -4. Every text written reads
// back with Val (the few values that would round past the largest double are
// written with the 15 digits below). A NaN or an infinity is never written: it
// raises the arithmetic error.
std::string Str(double x);

// The general number format, written with "." whatever the locale: the look of Str
// without the leading blank, with a zero before the point ("0.5", "989.8").
std::string format_general(double x);

} // namespace trajel
