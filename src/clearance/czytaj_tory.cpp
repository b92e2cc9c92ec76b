#include "clearance/czytaj_tory.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/nazwy.hpp"
#include "scenery/linia_toru.hpp"
#include "text/blad_danych.hpp"
#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

// End points are converted strictly: a token that is not wholly a number
// stops the run rather than placing a track at 0.
double punkt(std::string_view token, const std::filesystem::path& plik) {
  const auto v = liczba(token);
  if (!v) {
    throw BladDanych("track end point is not a number: \"" + std::string(token) + "\" in " +
                     bajty_sciezki(plik));
  }
  return *v;
}

}  // namespace

void czytaj_tory(const std::filesystem::path& plik, const OdbiorcaOdcinkow& rejestruj_odcinek,
                 Szukanie szukanie, OperacjeSystemu& operacje, const OdbiorcaBrakow* braki) {
  CzytnikLinii czytnik(plik, operacje);
  const auto brak = [&](std::uint64_t linia, BrakOdcinka powod) {
    if (braki) (*braki)({linia, powod});
  };
  std::string bufor;
  std::string_view linia;
  std::vector<std::string_view> tokeny;
  std::string_view surowa;
  while (czytnik.czytaj(surowa)) {
    if (czy_komentarz(surowa)) continue;
    if (!(zawiera(surowa, "node", szukanie) && zawiera(surowa, "track", szukanie) &&
          zawiera(surowa, "normal", szukanie)))
      continue;
    const std::uint64_t naglowek = czytnik.nr_linii();
    // A hidden track is not collected; its own lines are read on as ordinary ones.
    if (zawiera(surowa, "unvis", szukanie) || zawiera(surowa, "novis", szukanie)) {
      brak(naglowek, BrakOdcinka::niewidoczny);
      continue;
    }

    podziel_czysto(surowa, tokeny);
    double szerokosc = tokeny.size() >= 8 ? liczba_na_poczatku(tokeny[7]) : 0.0;
    int n = 1;
    std::optional<std::pair<double, double>> p1;
    bool koniec = false;
    while (!koniec && nastepna_linia_toru(czytnik, bufor, linia, tokeny, n, szukanie)) {
      if (n == 2 && tokeny.size() >= 5) {
        szerokosc += 2 * liczba_na_poczatku(tokeny[4]);
      } else if (n == 3 && tokeny.size() >= 3) {
        p1.emplace(punkt(tokeny[0], plik), punkt(tokeny[2], plik));
      } else if (n == 6 && tokeny.size() >= 3) {
        const double x2 = punkt(tokeny[0], plik);
        const double z2 = punkt(tokeny[2], plik);
        koniec = true;
        if (!p1) break;
        const auto odcinek = utworz_odcinek(p1->first, p1->second, x2, z2, szerokosc);
        if (odcinek) {
          rejestruj_odcinek(*odcinek);
        } else {
          brak(naglowek, BrakOdcinka::krotka_cieciwa);
        }
      }
    }
    if (!koniec || !p1) brak(naglowek, BrakOdcinka::niepelny);
  }
}

}  // namespace wyrownik
