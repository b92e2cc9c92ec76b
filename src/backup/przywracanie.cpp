#include "backup/przywracanie.hpp"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "text/blad_danych.hpp"
#include "text/pliki_robocze.hpp"
#include "text/sciezki.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// The place of a manifest entry below the scenery directory, for an entry
// written as the batch writes them: the system's own relative name, no "."
// or ".." step, no root or drive. nullopt for anything else (the manifest
// was changed by hand or by another program). Names are taken as the system
// splits them: on Linux a "\\" is a letter of a file name.
std::optional<fs::path> wzgledna(std::string_view nazwa) {
  const fs::path p = sciezka_z_bajtow(nazwa);
  if (p.empty() || p.has_root_name() || p.has_root_directory()) return std::nullopt;
  for (const auto& skladnik : p) {
    if (skladnik.empty() || skladnik == "." || skladnik == "..") return std::nullopt;
  }
  return p;
}

// The same rule as the batch's: nothing reached through a link that leads
// out of the scenery directory. The deepest part of the path that exists
// decides; a name whose folders do not exist any more lies inside.
bool wewnatrz(const fs::path& plik, const fs::path& katalog) {
  fs::path p = plik;
  std::error_code blad;
  while (p != katalog && p.has_relative_path() && !fs::exists(fs::symlink_status(p, blad))) {
    p = p.parent_path();
  }
  return wewnatrz_katalogu(p, katalog);
}

// What stands in the way of restoring `plik`: nullopt when it is to be
// restored, `juz` set when it already holds its old content. A file that
// cannot be looked up or read is reported, not a failure of the whole undo.
std::optional<Pominiecie> przeszkoda(const fs::path& plik, const fs::path& katalog,
                                     const fs::path& kopia, const WpisSpisu& w, bool& juz,
                                     OperacjeSystemu& operacje) {
  try {
    if (!wewnatrz(plik, katalog)) return Pominiecie::poza_scenerie;
    std::error_code blad;
    if (!fs::is_regular_file(plik, blad)) return Pominiecie::brak_pliku;
    const OdciskPliku teraz = odcisk_pliku(plik, operacje);
    // Never replaced (its replacement failed after its record was written),
    // or already given back: nothing to do.
    juz = teraz == w.przed;
    if (juz) return std::nullopt;
    // Only a file that still holds what the batch wrote: an edit made since,
    // or a later batch's change, is never overwritten.
    if (teraz != w.po) return Pominiecie::zmieniony;
    if (!fs::is_regular_file(kopia, blad)) return Pominiecie::zmieniona_kopia;
  } catch (const BladPliku&) {
    return Pominiecie::blad_odczytu;
  }
  return std::nullopt;
}

std::optional<Pominiecie> przywroc(const fs::path& plik, const fs::path& kopia, const WpisSpisu& w,
                                   const fs::path& kopia_robocza, OperacjeSystemu& operacje) {
  // Copied beside the file (copy synced, then renamed over): the file is
  // old or restored at every moment. The copy is what is checked: a kept
  // hard link edited through another link of the old file (a snapshot, say)
  // would give back bytes the scenery never held.
  skopiuj_plik(kopia, kopia_robocza, operacje);
  if (odcisk_pliku(kopia_robocza, operacje) != w.przed) {
    std::error_code nic;
    fs::remove(kopia_robocza, nic);
    return Pominiecie::zmieniona_kopia;
  }
  try {
    zastap_plik(kopia_robocza, plik, operacje);
  } catch (...) {
    std::error_code nic;
    fs::remove(kopia_robocza, nic);  // no scratch copy stays in the scenery
    throw;
  }
  return std::nullopt;
}

}  // namespace

WynikCofniecia cofnij_ostatnia_partie(
    const fs::path& katalog_programu, const fs::path& katalog_scenerii,
    const std::function<bool(const fs::path&, std::optional<Pominiecie>)>& po_pliku,
    OperacjeSystemu& operacje) {
  WynikCofniecia wynik;
  // The newest folder with a manifest: never an older batch in its place.
  const auto foldery = foldery_kopii(katalog_programu);
  std::optional<Spis> spis;
  for (auto it = foldery.rbegin(); it != foldery.rend() && !spis; ++it) {
    wynik.folder = *it;
    try {
      spis = czytaj_spis(*it, operacje);
    } catch (const BladDanych&) {
      wynik.bylo_co_cofac = true;
      wynik.odmowa = Odmowa::nieczytelny_spis;
      return wynik;
    }
  }
  if (!spis) return wynik;
  wynik.bylo_co_cofac = true;
  wynik.czas = spis->czas;
  wynik.uszkodzone = spis->uszkodzone;
  wynik.katalog_partii = sciezka_z_bajtow(spis->katalog_scenerii);
  if (spis->katalog_scenerii.empty()) {
    wynik.odmowa = Odmowa::brak_katalogu;
    return wynik;
  }
  std::error_code blad;
  if (!fs::equivalent(wynik.katalog_partii, katalog_scenerii, blad)) {
    wynik.odmowa = Odmowa::inny_katalog;
    return wynik;
  }

  const fs::path kopie = wynik.folder / std::string(nazwa_katalogu_plikow);
  const fs::path kopia_robocza = katalog_scenerii / std::string(nazwa_kopii_roboczej);
  bool spis_naprawiony = false;
  for (const WpisSpisu& w : spis->pliki) {
    if (w.przywrocony) continue;
    const auto miejsce = wzgledna(w.sciezka);
    const fs::path plik = miejsce ? katalog_scenerii / *miejsce : fs::path();
    std::optional<Pominiecie> powod = Pominiecie::poza_scenerie;
    if (!spis_naprawiony) {
      napraw_koniec_spisu(wynik.folder, *spis, operacje);
      spis_naprawiony = true;
    }
    if (miejsce) {
      bool juz = false;
      powod = przeszkoda(plik, katalog_scenerii, kopie / *miejsce, w, juz, operacje);
      if (!powod && !juz) powod = przywroc(plik, kopie / *miejsce, w, kopia_robocza, operacje);
    }
    if (powod) {
      wynik.pominiete.push_back({w.sciezka, plik, *powod});
    } else {
      dopisz_do_spisu(wynik.folder, rekord_przywrocenia(w.sciezka, spis->pierwszy_format),
                      operacje);
      wynik.przywrocone.push_back(plik);
    }
    if (!po_pliku(miejsce ? plik : sciezka_z_bajtow(w.sciezka), powod)) {
      wynik.przerwane = true;
      break;
    }
  }
  // The manifest first: a folder removed only in part is no batch any more.
  if (wynik.w_calosci()) {
    fs::remove(wynik.folder / std::string(nazwa_spisu), blad);
    if (!blad) fs::remove_all(wynik.folder, blad);
    if (blad) {
      wynik.ostrzezenia.push_back("cannot remove the restored backup " +
                                  bajty_sciezki(wynik.folder) + ": " + blad.message());
    }
  }
  return wynik;
}

}  // namespace wyrownik
