#include "scenery/przywracanie.hpp"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "platform/separator.hpp"
#include "scenery/przepisanie.hpp"
#include "text/blad_danych.hpp"
#include "text/sciezki.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// The place of a manifest entry below `katalog`, for an entry written as the
// batch writes them: relative, no "." or ".." steps, no drive. nullopt for
// anything else (the manifest was changed by hand or by another program).
std::optional<fs::path> wzgledna(std::string_view nazwa) {
  std::string z_odwrotnymi(nazwa);
  std::replace(z_odwrotnymi.begin(), z_odwrotnymi.end(), '/', '\\');
  if (nazwa_rozwiazana(z_odwrotnymi) != z_odwrotnymi) return std::nullopt;
  std::replace(z_odwrotnymi.begin(), z_odwrotnymi.end(), '\\', separator_natywny);
  return sciezka_z_bajtow(z_odwrotnymi);
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

std::optional<Pominiecie> przywroc(const fs::path& plik, const fs::path& kopia, const WpisSpisu& w,
                                   const fs::path& kopia_robocza, const OperacjeZapisu& operacje) {
  std::error_code blad;
  if (!fs::is_regular_file(plik, blad)) return Pominiecie::brak_pliku;
  const OdciskPliku teraz = odcisk_pliku(plik);
  // Never replaced (its replacement failed after its record was written), or
  // already given back: nothing to do.
  if (teraz == w.przed) return std::nullopt;
  // Only a file that still holds what the batch wrote: an edit made since,
  // or a later batch's change, is never overwritten.
  if (teraz != w.po) return Pominiecie::zmieniony;
  // A kept hard link edited through another link of the old file (a
  // snapshot, say) would give back bytes the scenery never held.
  if (!fs::is_regular_file(kopia, blad) || odcisk_pliku(kopia) != w.przed) {
    return Pominiecie::zmieniona_kopia;
  }
  // Copied beside the file (copy synced, then renamed over): the file is
  // old or restored at every moment.
  skopiuj_plik(kopia, kopia_robocza, operacje);
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
    const std::function<void(const fs::path&, std::optional<Pominiecie>)>& po_pliku,
    const OperacjeZapisu& operacje) {
  WynikCofniecia wynik;
  // The newest folder with a manifest: never an older batch in its place.
  const auto foldery = foldery_kopii(katalog_programu);
  std::optional<Spis> spis;
  for (auto it = foldery.rbegin(); it != foldery.rend() && !spis; ++it) {
    wynik.folder = *it;
    try {
      spis = czytaj_spis(*it);
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
  const fs::path kopia_robocza = katalog_scenerii / std::string(nazwa_kopii);
  for (const WpisSpisu& w : spis->pliki) {
    if (w.przywrocony) continue;
    const auto miejsce = wzgledna(w.sciezka);
    const fs::path plik = miejsce ? katalog_scenerii / *miejsce : fs::path();
    std::optional<Pominiecie> powod = Pominiecie::poza_scenerie;
    if (miejsce && wewnatrz(plik, katalog_scenerii)) {
      powod = przywroc(plik, kopie / *miejsce, w, kopia_robocza, operacje);
    }
    if (powod) {
      wynik.pominiete.push_back({w.sciezka, plik, *powod});
    } else {
      dopisz_do_spisu(wynik.folder, rekord_przywrocenia(w.sciezka, spis->pierwszy_format),
                      operacje);
      wynik.przywrocone.push_back(plik);
    }
    po_pliku(miejsce ? plik : sciezka_z_bajtow(w.sciezka), powod);
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
