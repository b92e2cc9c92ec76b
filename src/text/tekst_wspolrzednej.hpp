// The text a new coordinate is written with.
#pragma once

#include <string>

namespace wyrownik {

// `v` rounded to 2 decimal places, halves to the even digit, judged on the
// exact binary value of the double (7.125 is a true half and gives "7.12";
// 2.675 is really 2.67499... and gives "2.67"). Then at most 15 significant
// digits: from 10^13 on, the rounded value (the double nearest to it) loses
// its last decimals, rounded the same way; two steps, so 12345678901234.148
// gives 12345678901234.15, then "12345678901234.2". No trailing zeros, no point when nothing
// follows it, a "0" before a leading point, "-" only before a value that does not round to zero.
// Never depends on the locale.
//
// Magnitudes of 10^15 and more (never met in sceneries) are written with 15
// significant digits in exponent form, "1.5E+15", which reads back as a
// numeric token. Throws BladDanych for an infinite or NaN value, which no line
// may receive.
std::string tekst_wspolrzednej(double v);

// Appends `v` in fixed notation with `cyfry` decimal places, byte for byte
// as std::to_chars(..., std::chars_format::fixed, cyfry) writes it ("-"
// before any negative value, also one that rounds to zero): worked out with
// whole numbers, exactly, for 0 to 3 places below 10^15, and by to_chars
// otherwise.
void dopisz_stalopozycyjnie(std::string& s, double v, int cyfry);

}  // namespace wyrownik
