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

// 15 significant digits in exponent form; to_chars rounds the exact binary
// value, halves to even.
std::string tekst_wykladniczy(double v) {
  std::array<char, 64> bufor{};
  const auto [koniec, blad] = std::to_chars(bufor.data(), bufor.data() + bufor.size(), v,
                                            std::chars_format::scientific, najwiecej_cyfr - 1);
  if (blad != std::errc{}) throw BladDanych("a coordinate cannot be written as text");
  const std::string_view tekst(bufor.data(), static_cast<std::size_t>(koniec - bufor.data()));
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

  const std::uint64_t czesc_calkowita =
      wykladnik >= 0 ? mantysa << wykladnik : (wykladnik > -64 ? mantysa >> -wykladnik : 0);
  const int miejsca = std::min(2, najwiecej_cyfr - liczba_cyfr(czesc_calkowita));
  const std::uint64_t skala = miejsca == 2 ? 100 : miejsca == 1 ? 10 : 1;
  // modul < 10^15 keeps mantysa · skala · 2^wykladnik below 10^17.
  const std::uint64_t q = zaokraglij(mantysa * skala, wykladnik);

  if (q == 0) return "0";  // never "-0"
  if (miejsca == 0 && q >= granica_stalej) return tekst_wykladniczy(std::copysign(1e15, v));

  std::string wynik;
  if (v < 0) wynik += '-';
  wynik += std::to_string(q / skala);
  std::uint64_t ulamkowa = q % skala;
  if (ulamkowa != 0) {
    std::array<char, 2> cyfry{};
    for (int i = miejsca - 1; i >= 0; --i) {
      cyfry[static_cast<std::size_t>(i)] = static_cast<char>('0' + ulamkowa % 10);
      ulamkowa /= 10;
    }
    std::size_t ile = static_cast<std::size_t>(miejsca);
    while (cyfry[ile - 1] == '0') --ile;
    wynik += '.';
    wynik.append(cyfry.data(), ile);
  }
  return wynik;
}

}  // namespace wyrownik
