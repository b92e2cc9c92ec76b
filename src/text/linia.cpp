#include "text/linia.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "text/wielkosc_liter.hpp"

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

namespace {
bool separator(char c) {
  return c == ' ' || c == ';' || c == '\t';
}
}  // namespace

void podziel_czysto(std::string_view surowa, std::vector<std::string_view>& tokeny,
                    std::size_t najwiecej) {
  tokeny.clear();
  const char* p = surowa.data();
  const char* const koniec = p + surowa.size();
  while (tokeny.size() < najwiecej) {
    while (p != koniec && separator(*p)) ++p;
    if (p == koniec) return;
    const char* const start = p;
    while (p != koniec && !separator(*p)) ++p;
    tokeny.emplace_back(start, static_cast<std::size_t>(p - start));
  }
}

std::size_t podziel_czysto(std::string_view surowa, std::span<std::string_view> tokeny) {
  KursorTokenow kursor(surowa);
  std::size_t ile = 0;
  while (ile < tokeny.size() && kursor.nastepny(tokeny[ile])) ++ile;
  return ile;
}

namespace {

// Powers of ten a double holds exactly.
constexpr double potegi_dziesieciu[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common number: a sign, at most 15 digits with at most one point, no
// exponent, read from `p` on and `p` left after it. Its digits as a whole
// number are exact in a double, and so is the power of ten; one division
// then rounds correctly, as from_chars does. nullopt when there is no digit
// or too many; whether the token ends at `p` is the caller's to decide.
inline std::optional<double> liczba_prosta(const char*& p, const char* const koniec) {
  const bool ujemna = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // The whole part, then the fraction: no test for a second point per digit.
  std::uint64_t cyfry = 0;
  const auto czytaj_cyfry = [&] {
    const char* const od = p;
    for (unsigned cyfra;
         p != koniec && (cyfra = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9; ++p) {
      cyfry = cyfry * 10 + cyfra;
    }
    return static_cast<std::size_t>(p - od);
  };
  std::size_t ile_cyfr = czytaj_cyfry();
  std::size_t po_kropce = 0;
  if (p != koniec && *p == '.') {
    ++p;
    po_kropce = czytaj_cyfry();
    ile_cyfr += po_kropce;
  }
  if (ile_cyfr == 0 || ile_cyfr > 15) return std::nullopt;
  double v = static_cast<double>(cyfry);
  if (po_kropce > 0) v /= potegi_dziesieciu[po_kropce];
  return ujemna ? -v : v;
}

// The token at `p` (not a separator) as a number, `p` left after it. The
// common form is read in the pass that finds the token's end; any other
// token goes to the full reader.
std::optional<double> token_liczbowy(const char*& p, const char* const koniec) {
  const char* const start = p;
  auto v = liczba_prosta(p, koniec);
  if (!v || (p != koniec && !separator(*p))) {
    while (p != koniec && !separator(*p)) ++p;
    v = liczba(std::string_view(start, static_cast<std::size_t>(p - start)));
  }
  return v;
}

}  // namespace

bool trzy_liczby(std::string_view surowa, double& x, double& y, double& z) {
  const char* p = surowa.data();
  const char* const koniec = p + surowa.size();
  double* const cele[] = {&x, &y, &z};
  for (double* cel : cele) {
    while (p != koniec && separator(*p)) ++p;
    if (p == koniec) return false;
    // Written out rather than through token_liczbowy: the scan's hottest
    // loop, where the shared form cost 16 instructions a vertex line.
    const char* const start = p;
    auto v = liczba_prosta(p, koniec);
    if (!v || (p != koniec && !separator(*p))) {
      while (p != koniec && !separator(*p)) ++p;
      v = liczba(std::string_view(start, static_cast<std::size_t>(p - start)));
    }
    if (!v) return false;
    *cel = *v;
  }
  return true;
}

bool pusta_po_oczyszczeniu(std::string_view surowa) {
  for (const char c : surowa) {
    if (!separator(c)) return false;
  }
  return true;
}

bool czy_znacznik_pominiecia(std::string_view surowa) {
  if (!czy_komentarz(surowa)) return false;
  std::size_t i = 2;
  const auto biale = [&] {
    while (i < surowa.size() && (surowa[i] == ' ' || surowa[i] == '\t' || surowa[i] == '\r')) ++i;
  };
  // Most comments differ at their first letter: no copy of the line.
  for (const char litera : std::string_view("wyrownik:pomi")) {
    biale();
    if (i == surowa.size() || mala(surowa[i]) != static_cast<unsigned char>(litera)) return false;
    ++i;
  }
  biale();
  const std::string_view reszta = surowa.substr(i);
  if (reszta.empty()) return false;
  if (mala(reszta[0]) == 'n' || mala(reszta[0]) == 0xF1) {
    i += 1;  // n, or ń in Windows-1250
  } else if (reszta.starts_with("\xC5\x84") || reszta.starts_with("\xC5\x83")) {
    i += 2;  // ń or Ń in UTF-8
  } else {
    return false;
  }
  biale();
  return i == surowa.size();
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

// The power of ten of the text's first significant digit, its exponent
// taken into account, saturated far beyond the range of a double; nullopt
// when every digit is 0.
std::optional<long> rzad_wielkosci(std::string_view t) {
  std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
  long calkowite = 0;  // digits before the point
  long ulamkowe = 0;   // digits after it, read so far
  bool po_kropce = false;
  std::optional<long> pierwsza;  // integer digits before it, or minus its place after the point
  for (; i < t.size() && (cyfra(t[i]) || t[i] == '.'); ++i) {
    if (t[i] == '.') {
      po_kropce = true;
      continue;
    }
    if (po_kropce) {
      ++ulamkowe;
      if (!pierwsza && t[i] != '0') pierwsza = -ulamkowe;
    } else {
      if (!pierwsza && t[i] != '0') pierwsza = calkowite;
      ++calkowite;
    }
  }
  if (!pierwsza) return std::nullopt;
  // 10^(calkowite - 1 - index) for a digit before the point, 10^(-place) after it.
  const long rzad = *pierwsza >= 0 ? calkowite - 1 - *pierwsza : *pierwsza;
  long wykladnik = 0;
  if (i < t.size()) {  // the exponent: 'e' or 'E', a sign, digits
    ++i;
    const bool ujemny = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    for (; i < t.size(); ++i) wykladnik = std::min(wykladnik * 10 + (t[i] - '0'), 100000L);
    if (ujemny) wykladnik = -wykladnik;
  }
  return rzad + wykladnik;
}

// Value of a text already known to be in the decimal form. A value too
// small for a double is 0 (with the text's sign); one too large has none.
std::optional<double> wartosc(std::string_view t) {
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double v = 0;
  const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (blad == std::errc::result_out_of_range) {
    const auto rzad = rzad_wielkosci(t);
    if (rzad && *rzad < 0) return t.front() == '-' ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (blad != std::errc{} || koniec != t.data() + t.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<double> liczba(std::string_view token) {
  if (token.empty()) return std::nullopt;
  const char* p = token.data();
  const char* const koniec = p + token.size();
  if (const auto v = liczba_prosta(p, koniec); v && p == koniec) return v;
  if (dlugosc_liczby(token) != token.size()) return std::nullopt;
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

bool KursorTokenow::nastepny(std::string_view& token) {
  while (p_ != koniec_ && separator(*p_)) ++p_;
  if (p_ == koniec_) return false;
  const char* const start = p_;
  while (p_ != koniec_ && !separator(*p_)) ++p_;
  token = std::string_view(start, static_cast<std::size_t>(p_ - start));
  return true;
}

std::optional<std::string_view> token_linii(std::string_view surowa, std::size_t indeks) {
  KursorTokenow kursor(surowa);
  std::string_view token;
  for (std::size_t i = 0; kursor.nastepny(token); ++i) {
    if (i == indeks) return token;
  }
  return std::nullopt;
}

std::optional<Trojka> znajdz_trojke_w_linii(std::string_view surowa) {
  const char* p = surowa.data();
  const char* const koniec = p + surowa.size();
  Trojka t;
  int ciag = 0;
  for (std::size_t i = 0;; ++i) {
    while (p != koniec && separator(*p)) ++p;
    if (p == koniec) return std::nullopt;
    if (i < 2) {
      while (p != koniec && !separator(*p)) ++p;
      continue;
    }
    const auto v = token_liczbowy(p, koniec);
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
}

void ukosniki_na_odwrotne(std::string& tekst) {
  std::replace(tekst.begin(), tekst.end(), '/', '\\');
}

std::string_view nazwa_bazowa(std::string_view nazwa) {
  const std::size_t ostatni = nazwa.find_last_of("\\/");
  return ostatni == std::string_view::npos ? nazwa : nazwa.substr(ostatni + 1);
}

}  // namespace wyrownik
