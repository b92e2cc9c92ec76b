#include "text/linia.hpp"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

namespace wyrownik {

void oczysc_linie(std::string& linia) {
  // One pass that does what the four clean-up steps do in turn: a run of
  // separators becomes one space, and none is kept at either end.
  std::size_t zapis = 0;
  bool spacja_czeka = false;
  for (const char c : linia) {
    if (c == ' ' || c == ';' || c == '\t') {
      spacja_czeka = zapis > 0;
      continue;
    }
    if (spacja_czeka) {
      linia[zapis++] = ' ';
      spacja_czeka = false;
    }
    linia[zapis++] = c;
  }
  linia.resize(zapis);
}

void podziel(std::string_view linia, std::vector<std::string_view>& tokeny) {
  tokeny.clear();
  if (linia.empty()) return;
  std::size_t poczatek = 0;
  for (;;) {
    const std::size_t spacja = linia.find(' ', poczatek);
    if (spacja == std::string_view::npos) {
      tokeny.push_back(linia.substr(poczatek));
      return;
    }
    tokeny.push_back(linia.substr(poczatek, spacja - poczatek));
    poczatek = spacja + 1;
  }
}

namespace {

bool cyfra(char c) {
  return c >= '0' && c <= '9';
}

// Length of the longest prefix of `t` in the decimal form (sign, digits with
// at most one point, optional exponent); 0 when there is no digit.
std::size_t dlugosc_liczby(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t cyfry = 0;
  bool kropka = false;
  while (i < t.size()) {
    if (cyfra(t[i])) {
      ++cyfry;
    } else if (t[i] == '.' && !kropka) {
      kropka = true;
    } else {
      break;
    }
    ++i;
  }
  if (cyfry == 0) return 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    const std::size_t cyfry_wykladnika = j;
    while (j < t.size() && cyfra(t[j])) ++j;
    if (j > cyfry_wykladnika) i = j;
  }
  return i;
}

// Value of a text already known to be in the decimal form.
std::optional<double> wartosc(std::string_view t) {
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double v = 0;
  const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (blad != std::errc{} || koniec != t.data() + t.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<double> liczba(std::string_view token) {
  if (token.empty() || dlugosc_liczby(token) != token.size()) return std::nullopt;
  return wartosc(token);
}

double liczba_na_poczatku(std::string_view tekst) {
  const std::size_t start = std::min(tekst.find_first_not_of(' '), tekst.size());
  tekst.remove_prefix(start);
  const std::size_t n = dlugosc_liczby(tekst);
  if (n == 0) return 0.0;
  // Out of range ("1e999") reads as 0 too: such a text names no usable number.
  return wartosc(tekst.substr(0, n)).value_or(0.0);
}

std::optional<Trojka> znajdz_trojke(const std::vector<std::string_view>& tokeny) {
  Trojka t;
  int ciag = 0;
  for (std::size_t i = 2; i < tokeny.size(); ++i) {
    const auto v = liczba(tokeny[i]);
    if (!v) {
      ciag = 0;
      continue;
    }
    ++ciag;
    if (ciag == 1) {
      t.x = *v;
      t.indeks_x = i;
    } else if (ciag == 2) {
      t.y = *v;
      t.indeks_y = i;
    } else {
      t.z = *v;
      t.indeks_z = i;
      return t;
    }
  }
  return std::nullopt;
}

void ukosniki_na_odwrotne(std::string& tekst) {
  std::replace(tekst.begin(), tekst.end(), '/', '\\');
}

std::string_view nazwa_bazowa(std::string_view nazwa) {
  const std::size_t ostatni = nazwa.find_last_of("\\/");
  return ostatni == std::string_view::npos ? nazwa : nazwa.substr(ostatni + 1);
}

}  // namespace wyrownik
