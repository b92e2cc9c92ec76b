#include "config/konfiguracja.hpp"

#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

#include "platform/bledy.hpp"
#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

enum Sekcja : std::size_t { sciezka, inc, tekstury, drogi, rzeki, wyjatki, ile_sekcji };

// Header texts in the order they are tested; each is compared over its own
// length, so anything after it on the line is ignored.
constexpr std::array<std::string_view, ile_sekcji> naglowki = {
    "[Sciezka dostepu]", "[inc]",   "[tekstury]",
    "[drogi]",           "[rzeki]", "[Wyjatki - poczatki nazw inc]"};

void dopisz(std::vector<std::string>& lista, const std::string& linia) {
  if (lista.size() < Konfiguracja::pojemnosc_listy) lista.push_back(linia);
}

void obsluz_linie(const std::string& linia, std::array<bool, ile_sekcji>& otwarta,
                  Konfiguracja& k) {
  if (!linia.empty() && linia.front() == '[') otwarta.fill(false);
  if (!linia.empty()) {
    if (otwarta[sciezka]) {
      k.sciezka_scenerii = linia;
      otwarta[sciezka] = false;
    }
    if (otwarta[inc]) dopisz(k.lista_inc, linia);
    if (otwarta[tekstury]) dopisz(k.lista_tekstur, linia);
    if (otwarta[wyjatki]) dopisz(k.lista_wyjatkow, linia);
  }
  if (linia == "1" && otwarta[drogi]) {
    k.drogi = true;
    otwarta[drogi] = false;
  }
  if (linia == "1" && otwarta[rzeki]) {
    k.rzeki = true;
    otwarta[rzeki] = false;
  }
  for (std::size_t s = 0; s < ile_sekcji; ++s) {
    if (zaczyna_sie_bez_wielkosci(linia, naglowki[s])) otwarta[s] = true;
  }
}

bool przed(const std::string& a, const std::string& b) {
  return porownaj_bez_wielkosci(a, b) < 0;
}

}  // namespace

void odczyt_ini(const fs::path& katalog_programu, Konfiguracja& konfiguracja,
                Komunikaty& komunikaty, OperacjeSystemu& operacje) {
  const auto plik = znajdz_nazwe(katalog_programu, "wyrownik.ini");
  std::error_code blad;
  if (!plik || !fs::is_regular_file(*plik, blad)) {
    komunikaty.pokaz_komunikat(komunikat::brak_ini);
    return;
  }
  const auto rozmiar = fs::file_size(*plik, blad);
  if (blad) {
    komunikaty.pokaz_komunikat(komunikat::brak_ini);
    return;
  }
  if (rozmiar < 10) {
    komunikaty.pokaz_komunikat(komunikat::pusty_ini);
    return;
  }

  Konfiguracja wczytana = konfiguracja;
  try {
    CzytnikLinii czytnik(*plik, operacje);
    std::array<bool, ile_sekcji> otwarta{};
    std::string linia;
    std::string_view surowa;
    while (czytnik.czytaj(surowa)) {
      linia.assign(surowa);
      oczysc_linie(linia);
      obsluz_linie(linia, otwarta, wczytana);
    }
  } catch (const BladPliku&) {
    // Unreadable is as good as missing: nothing half-read is kept.
    komunikaty.pokaz_komunikat(komunikat::brak_ini);
    return;
  }
  konfiguracja = std::move(wczytana);

  if (konfiguracja.lista_wyjatkow.size() > 1) {
    sortuj_inc_wyjatki(konfiguracja.lista_wyjatkow, 0,
                       static_cast<std::ptrdiff_t>(konfiguracja.lista_wyjatkow.size()) - 1);
  }
}

void sortuj_inc_wyjatki(std::vector<std::string>& tabl, std::ptrdiff_t lewy, std::ptrdiff_t prawy) {
  while (lewy < prawy) {
    std::ptrdiff_t i = lewy;
    std::ptrdiff_t j = prawy;
    const std::string p = tabl[static_cast<std::size_t>(lewy)];
    for (;;) {
      while (przed(tabl[static_cast<std::size_t>(i)], p)) ++i;
      while (przed(p, tabl[static_cast<std::size_t>(j)])) --j;
      if (i > j) break;
      std::swap(tabl[static_cast<std::size_t>(i)], tabl[static_cast<std::size_t>(j)]);
      ++i;
      --j;
      if (i >= j) break;
    }
    // Recurse into the smaller part and loop on the larger one: the depth
    // stays logarithmic even on a list that is already in order.
    if (j - lewy < prawy - i) {
      sortuj_inc_wyjatki(tabl, lewy, j);
      lewy = i;
    } else {
      sortuj_inc_wyjatki(tabl, i, prawy);
      prawy = j;
    }
  }
}

bool czy_wybrany(const std::vector<std::string>& lista_inc, std::string_view nazwa) {
  return std::any_of(lista_inc.begin(), lista_inc.end(), [&](const std::string& e) {
    return e == "*" || rowne_bez_wielkosci(e, nazwa);
  });
}

bool czy_wyjatek(const std::vector<std::string>& lista_wyjatkow, std::string_view nazwa) {
  // Every prefix of the name is looked up in the sorted list, so an entry
  // that begins another entry is never missed.
  const auto mniejsze = [](const std::string& e, std::string_view n) {
    return porownaj_bez_wielkosci(e, n) < 0;
  };
  for (std::size_t dl = 1; dl <= nazwa.size(); ++dl) {
    const std::string_view poczatek = nazwa.substr(0, dl);
    const auto it =
        std::lower_bound(lista_wyjatkow.begin(), lista_wyjatkow.end(), poczatek, mniejsze);
    if (it != lista_wyjatkow.end() && porownaj_bez_wielkosci(*it, poczatek) == 0) return true;
  }
  return false;
}

}  // namespace wyrownik
