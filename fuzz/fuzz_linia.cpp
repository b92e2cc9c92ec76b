// Line clean-up, tokens, keywords and numbers: the fast readers must agree
// with the plain ones on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/linia.hpp"
#include "text/tekst_wspolrzednej.hpp"
#include "text/wielkosc_liter.hpp"

namespace {

// An invariant broken: said where, then a crash libFuzzer keeps the input of.
void wymagaj(bool warunek, int wiersz = __builtin_LINE()) {
  if (warunek) return;
  std::fprintf(stderr, "invariant broken at %s:%d\n", __FILE__, wiersz);
  __builtin_trap();
}

std::size_t wzorcowo(std::string_view tekst, std::string_view slowo) {
  for (std::size_t i = 0; i + slowo.size() <= tekst.size(); ++i) {
    if (wyrownik::rowne_bez_wielkosci(tekst.substr(i, slowo.size()), slowo)) return i;
  }
  return std::string_view::npos;
}

// The position triple as defined: the first run of three numeric tokens
// from token 3 on, each token read on its own.
std::optional<wyrownik::Trojka> trojka_wzorcowo(const std::vector<std::string_view>& tokeny) {
  for (std::size_t i = 2; i + 2 < tokeny.size(); ++i) {
    const auto x = wyrownik::liczba(tokeny[i]);
    const auto y = wyrownik::liczba(tokeny[i + 1]);
    const auto z = wyrownik::liczba(tokeny[i + 2]);
    if (x && y && z) return wyrownik::Trojka{*x, *y, *z, i, i + 1, i + 2};
  }
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t ile) {
  using namespace wyrownik;
  const std::string_view surowa(reinterpret_cast<const char*>(dane), ile);
  std::string czysta(surowa);
  oczysc_linie(czysta);
  wymagaj(czysta.size() <= surowa.size());
  std::string dwa_razy = czysta;
  oczysc_linie(dwa_razy);
  wymagaj(dwa_razy == czysta);

  std::vector<std::string_view> z_surowej, z_czystej;
  podziel_czysto(surowa, z_surowej);
  podziel(czysta, z_czystej);
  wymagaj(z_surowej == z_czystej);
  wymagaj(pusta_po_oczyszczeniu(surowa) == czysta.empty());

  for (const std::string_view slowo :
       {"include", "node", "endtri", "triangle_strip", "endmaterial"}) {
    wymagaj(znajdz_bez_wielkosci(surowa, slowo) == wzorcowo(surowa, slowo));
    wymagaj(zawiera(surowa, slowo) == zawiera(czysta, slowo));
  }
  const auto trojka = znajdz_trojke_w_linii(surowa);
  const auto wzor = trojka_wzorcowo(z_czystej);
  wymagaj(trojka.has_value() == wzor.has_value());
  if (trojka && wzor) {
    // Compared as bits: a NaN never is, and -0 differs from 0 in a file.
    wymagaj(std::memcmp(&trojka->x, &wzor->x, sizeof(double)) == 0 &&
            std::memcmp(&trojka->y, &wzor->y, sizeof(double)) == 0 &&
            std::memcmp(&trojka->z, &wzor->z, sizeof(double)) == 0);
    wymagaj(trojka->indeks_x == wzor->indeks_x && trojka->indeks_z == wzor->indeks_z);
  }
  // Every token read as a number writes back as a number.
  for (const auto token : z_czystej) {
    const auto v = liczba(token);
    if (v) wymagaj(liczba(tekst_wspolrzednej(*v)).has_value());
  }
  return 0;
}
