// The text of one scenery line: clean-up, tokens, comments and numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wyrownik {

// Turns ";" and TAB into spaces, trims spaces at both ends and shrinks every
// run of spaces to one. Only the space character counts: a CR stays.
// Never fails, never lengthens the line, and cleaning twice changes nothing.
void oczysc_linie(std::string& linia);

// A raw line is a comment when its first two bytes are "//"; leading blanks
// make it an ordinary line.
inline bool czy_komentarz(std::string_view surowa) {
  return surowa.starts_with("//");
}

// A comment line "// wyrownik: pomin" (spaces, TABs and letter case aside;
// also "pomiń", its last letter in Windows-1250 or in UTF-8, as editors save
// it): the next non-empty line is kept as it is in every run.
bool czy_znacznik_pominiecia(std::string_view surowa);

// Splits at every single space, tokens counted from 1 in the text but stored
// from index 0. An empty line has no tokens; a line that was not cleaned may
// give empty tokens (a leading space gives an empty first token).
void podziel(std::string_view linia, std::vector<std::string_view>& tokeny);

// The tokens oczysc_linie and then podziel would give, read straight from
// the raw line: the runs of bytes other than space, ";" and TAB, at most
// `najwiecej` of them. Keyword tests, too, answer alike on a raw line and on
// its cleaned text (cleaning never joins or splits a run of other bytes), so
// most readers need no cleaned copy at all.
void podziel_czysto(std::string_view surowa, std::vector<std::string_view>& tokeny,
                    std::size_t najwiecej = static_cast<std::size_t>(-1));
// The first tokeny.size() tokens (fewer when the line has fewer) into
// `tokeny`, without an allocation; returns how many there are.
std::size_t podziel_czysto(std::string_view surowa, std::span<std::string_view> tokeny);

// The tokens podziel_czysto gives, one at a time: a line of any length is
// read without a vector of all its tokens (16 bytes each, eight times a
// line of short tokens).
class KursorTokenow {
 public:
  explicit KursorTokenow(std::string_view surowa)
      : p_(surowa.data()), koniec_(surowa.data() + surowa.size()) {}
  // The next token; false after the last.
  bool nastepny(std::string_view& token);

 private:
  const char* p_;
  const char* koniec_;
};

// Tokens 1, 2 and 3 of the cleaned line as numbers, read straight from the
// raw line (a vertex or an end point); false when the line has fewer than
// three tokens or one of them is not numeric.
bool trzy_liczby(std::string_view surowa, double& x, double& y, double& z);

// Whether oczysc_linie would leave the line empty: it holds nothing but
// spaces, ";" and TABs.
bool pusta_po_oczyszczeniu(std::string_view surowa);

// A whole token read as a decimal number: optional sign, digits with at most
// one "." and at least one digit, optional exponent (E or e, optional sign,
// digits). Independent of the locale. A value too small for a double is 0
// (-0 after "-"); nullopt for anything else, also for a value too large.
std::optional<double> liczba(std::string_view token);

// The number at the beginning of a text: leading spaces skipped, then the
// longest prefix of the decimal form above; 0 when there is none.
double liczba_na_poczatku(std::string_view tekst);

// The position triple of an object include: the first run of three
// consecutive numeric tokens from token 3 on. Indices are into the token
// vector (token 3 has index 2).
struct Trojka {
  double x = 0, y = 0, z = 0;
  std::size_t indeks_x = 0, indeks_y = 0, indeks_z = 0;
};
// Read from the tokens of a raw line, one at a time.
std::optional<Trojka> znajdz_trojke_w_linii(std::string_view surowa);

// Token `indeks` (from 0) of a raw line; nullopt past its last token.
std::optional<std::string_view> token_linii(std::string_view surowa, std::size_t indeks);

// Every "/" turned into "\": how names of included files are compared and stored.
void ukosniki_na_odwrotne(std::string& tekst);

// The part of an object name after its last "\" or "/" (the whole name when
// there is none).
std::string_view nazwa_bazowa(std::string_view nazwa);

}  // namespace wyrownik
