#include "text/tekst_wspolrzednej.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "text/blad_danych.hpp"

namespace wyrownik {

namespace {

constexpr std::uint64_t granica_stalej = 1'000'000'000'000'000;  // 10^15
constexpr int najwiecej_cyfr = 15;

int liczba_cyfr(std::uint64_t n) {
  int cyfry = 0;
  for (; n > 0; n /= 10) ++cyfry;
  return cyfry;
}

// n · 2^wykladnik rounded to a whole number, halves to even, exactly.
// Requires n < 2^61, and n · 2^wykladnik < 2^63 when wykladnik >= 0.
std::uint64_t zaokraglij(std::uint64_t n, int wykladnik) {
  if (wykladnik >= 0) return n << wykladnik;
  const int przesuniecie = -wykladnik;
  if (przesuniecie > 62) return 0;  // below 2^61 / 2^63 = 1/4
  const std::uint64_t calosc = n >> przesuniecie;
  const std::uint64_t reszta = n & ((std::uint64_t{1} << przesuniecie) - 1);
  const std::uint64_t polowa = std::uint64_t{1} << (przesuniecie - 1);
  if (reszta > polowa || (reszta == polowa && (calosc & 1) != 0)) return calosc + 1;
  return calosc;
}

// The exponent form of to_chars' output: "E", no trailing zeros after the point.
std::string w_formie_wykladniczej(std::string_view tekst) {
  const std::size_t e = tekst.find('e');
  std::string_view mantysa = tekst.substr(0, e);
  if (mantysa.find('.') != std::string_view::npos) {
    mantysa = mantysa.substr(0, mantysa.find_last_not_of('0') + 1);
    if (mantysa.back() == '.') mantysa.remove_suffix(1);
  }
  std::string wynik(mantysa);
  wynik += 'E';
  wynik += tekst.substr(e + 1);
  return wynik;
}

// 15 significant digits in exponent form; to_chars rounds the exact binary
// value, halves to even. Near the largest double that rounding passes it
// ("1.79769313486232E+308" reads as no number at all): there the shortest
// text that reads back exactly is written instead.
std::string tekst_wykladniczy(double v) {
  std::array<char, 64> bufor{};
  std::to_chars_result w = std::to_chars(bufor.data(), bufor.data() + bufor.size(), v,
                                         std::chars_format::scientific, najwiecej_cyfr - 1);
  double z_powrotem = 0;
  if (w.ec == std::errc{} && std::from_chars(bufor.data(), w.ptr, z_powrotem).ec != std::errc{}) {
    w = std::to_chars(bufor.data(), bufor.data() + bufor.size(), v, std::chars_format::scientific);
  }
  if (w.ec != std::errc{}) throw BladDanych("a coordinate cannot be written as text");
  return w_formie_wykladniczej(
      std::string_view(bufor.data(), static_cast<std::size_t>(w.ptr - bufor.data())));
}

// q / 100 (at least 10^13) as the double nearest to it, written with 15
// significant digits; to_chars rounds the exact binary value, halves to even.
std::string pietnascie_cyfr(std::uint64_t q, bool ujemna) {
  const std::string dziesietny =
      std::to_string(q / 100) + "." + std::to_string(q % 100 / 10) + std::to_string(q % 10);
  double d = 0;
  std::from_chars(dziesietny.data(), dziesietny.data() + dziesietny.size(), d);
  const int calkowite = liczba_cyfr(q / 100);
  std::array<char, 64> bufor{};
  const auto [koniec, blad] = std::to_chars(bufor.data(), bufor.data() + bufor.size(), d,
                                            std::chars_format::fixed, najwiecej_cyfr - calkowite);
  if (blad != std::errc{}) throw BladDanych("a coordinate cannot be written as text");
  std::string_view tekst(bufor.data(), static_cast<std::size_t>(koniec - bufor.data()));
  if (tekst.find('.') != std::string_view::npos) {
    tekst = tekst.substr(0, tekst.find_last_not_of('0') + 1);
    if (tekst.back() == '.') tekst.remove_suffix(1);
  }
  // Rounded up to 10^15: sixteen digits, so the exponent form.
  if (std::count_if(tekst.begin(), tekst.end(), [](char c) { return c != '.'; }) > najwiecej_cyfr) {
    return tekst_wykladniczy(ujemna ? -1e15 : 1e15);
  }
  return (ujemna ? "-" : "") + std::string(tekst);
}

}  // namespace

std::string tekst_wspolrzednej(double v) {
  if (!std::isfinite(v)) throw BladDanych("a coordinate is not a finite number");
  const double modul = std::fabs(v);
  if (modul >= static_cast<double>(granica_stalej)) return tekst_wykladniczy(v);

  // modul = mantysa · 2^wykladnik exactly, mantysa a whole number below 2^53.
  int wykladnik = 0;
  const double ulamek = std::frexp(modul, &wykladnik);
  const auto mantysa = static_cast<std::uint64_t>(std::ldexp(ulamek, 53));
  wykladnik -= 53;

  // Step 1: to 2 decimal places. modul < 10^15 keeps mantysa · 100 ·
  // 2^wykladnik below 10^17.
  const std::uint64_t q = zaokraglij(mantysa * 100, wykladnik);
  if (q == 0) return "0";  // never "-0"
  // Step 2: at most 15 significant digits, which only values from 10^13 on
  // (10^15 hundredths) lose; there the value rounded in step 1 is the double
  // nearest to it.
  if (q >= granica_stalej) return pietnascie_cyfr(q, v < 0);

  std::string wynik;
  if (v < 0) wynik += '-';
  wynik += std::to_string(q / 100);
  if (q % 100 != 0) {
    wynik += '.';
    wynik += static_cast<char>('0' + q % 100 / 10);
    if (q % 10 != 0) wynik += static_cast<char>('0' + q % 10);
  }
  return wynik;
}

void dopisz_stalopozycyjnie(std::string& s, double v, int cyfry) {
  static constexpr std::uint64_t potegi_pieciu[] = {1, 5, 25, 125};
  static constexpr std::uint64_t potegi_dziesieciu[] = {1, 10, 100, 1000};
  char bufor[400];  // to_chars' longest fixed form of a double with 3 places is 313 bytes
  const double modul = std::fabs(v);
  if (cyfry < 0 || cyfry > 3 || !(modul < static_cast<double>(granica_stalej))) {
    const auto w = std::to_chars(bufor, bufor + sizeof bufor, v, std::chars_format::fixed, cyfry);
    if (w.ec != std::errc{}) throw BladDanych("a number cannot be written as text");
    s.append(bufor, w.ptr);
    return;
  }
  // v · 10^cyfry = mantysa · 5^cyfry · 2^(wykladnik + cyfry), mantysa below
  // 2^53: the product stays below 2^61, and zaokraglij rounds as to_chars
  // does, halves to even on the exact value.
  int wykladnik = 0;
  const double ulamek = std::frexp(modul, &wykladnik);
  const auto mantysa = static_cast<std::uint64_t>(std::ldexp(ulamek, 53));
  wykladnik -= 53;
  const auto p = static_cast<std::size_t>(cyfry);
  const std::uint64_t q = zaokraglij(mantysa * potegi_pieciu[p], wykladnik + cyfry);
  if (std::signbit(v)) s += '-';
  char* koniec = std::to_chars(bufor, bufor + sizeof bufor, q / potegi_dziesieciu[p]).ptr;
  if (p > 0) {
    *koniec++ = '.';
    std::uint64_t ulamkowa = q % potegi_dziesieciu[p];
    for (std::size_t i = p; i-- > 0; ulamkowa /= 10)
      koniec[i] = static_cast<char>('0' + ulamkowa % 10);
    koniec += p;
  }
  s.append(bufor, koniec);
}

}  // namespace wyrownik
