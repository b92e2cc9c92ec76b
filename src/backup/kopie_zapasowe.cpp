#include "backup/kopie_zapasowe.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "platform/plik_odczytu.hpp"
#include "text/blad_danych.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// "RRRR-MM-DD_GG-MM-SS" and "RRRR-MM-DD GG:MM:SS" of the local time now.
std::pair<std::string, std::string> teraz() {
  const std::time_t t = std::time(nullptr);
  const std::tm* czas = std::localtime(&t);
  char nazwa[32], tekst[32];
  std::strftime(nazwa, sizeof nazwa, "%Y-%m-%d_%H-%M-%S", czas);
  std::strftime(tekst, sizeof tekst, "%Y-%m-%d %H:%M:%S", czas);
  return {nazwa, tekst};
}

// A batch folder's name as its time and its number within that second:
// "RRRR-MM-DD_GG-MM-SS", then "_002", "_003", ... (1 without). nullopt for a
// name of any other form, which no batch made.
std::optional<std::pair<std::string, unsigned long>> klucz_kopii(const std::string& nazwa) {
  constexpr std::string_view wzor = "0000-00-00_00-00-00";
  if (nazwa.size() < wzor.size()) return std::nullopt;
  for (std::size_t i = 0; i < wzor.size(); ++i) {
    const bool cyfra = nazwa[i] >= '0' && nazwa[i] <= '9';
    if (wzor[i] == '0' ? !cyfra : nazwa[i] != wzor[i]) return std::nullopt;
  }
  if (nazwa.size() == wzor.size()) return std::pair(nazwa, 1ul);
  unsigned long n = 0;
  const char* const koniec = nazwa.data() + nazwa.size();
  const char* const od = nazwa.data() + wzor.size() + 1;
  if (nazwa[wzor.size()] != '_' || std::from_chars(od, koniec, n).ptr != koniec || n < 2) {
    return std::nullopt;
  }
  return std::pair(nazwa.substr(0, wzor.size()), n);
}

// The names of the folders under kopie/ that batches made (with a manifest
// or, left by a crash, without), oldest first: by time, then by number.
std::vector<std::string> nazwy_kopii(const fs::path& kopie) {
  std::vector<std::string> nazwy;
  std::error_code blad;
  for (fs::directory_iterator it(kopie, blad), e; !blad && it != e; it.increment(blad)) {
    std::string nazwa = bajty_sciezki(it->path().filename());
    if (it->is_directory(blad) && klucz_kopii(nazwa)) nazwy.push_back(std::move(nazwa));
  }
  std::sort(nazwy.begin(), nazwy.end(), [](const std::string& a, const std::string& b) {
    return *klucz_kopii(a) < *klucz_kopii(b);
  });
  return nazwy;
}

// The folder of a new batch, made: its name sorts after every batch folder
// there. Batches within one second, and one whose second is taken or
// already passed (a pruned folder's name freed, the clock set back), take
// the next number after the newest. Throws BladPliku.
fs::path nowa_kopia(const fs::path& kopie, const std::string& nazwa) {
  std::pair<std::string, unsigned long> klucz(nazwa, 1);
  const auto nazwy = nazwy_kopii(kopie);
  if (!nazwy.empty()) {
    const auto ostatni = *klucz_kopii(nazwy.back());
    if (!(klucz > ostatni)) klucz = {ostatni.first, ostatni.second + 1};
  }
  std::error_code blad;
  fs::create_directories(kopie, blad);
  for (;; ++klucz.second) {
    char przyrostek[24] = "";
    if (klucz.second > 1) std::snprintf(przyrostek, sizeof przyrostek, "_%03lu", klucz.second);
    const fs::path folder = kopie / sciezka_z_bajtow(klucz.first + przyrostek);
    // create_directory is false for a folder that is there: never two
    // batches in one folder.
    if (fs::create_directory(folder, blad)) return folder;
    if (blad) throw BladPliku("cannot create the backup folder", folder, blad);
  }
}

}  // namespace

std::vector<fs::path> foldery_kopii(const fs::path& katalog_programu) {
  const fs::path kopie = katalog_programu / std::string(nazwa_katalogu_kopii);
  std::vector<fs::path> foldery;
  std::error_code blad;
  for (const auto& nazwa : nazwy_kopii(kopie)) {
    const fs::path folder = kopie / sciezka_z_bajtow(nazwa);
    if (fs::exists(folder / std::string(nazwa_spisu), blad)) foldery.push_back(folder);
  }
  return foldery;
}

KopiaZapasowa::KopiaZapasowa(fs::path katalog_programu, std::string ustawienia,
                             OperacjeSystemu& operacje)
    : katalog_programu_(std::move(katalog_programu)),
      ustawienia_(std::move(ustawienia)),
      operacje_(&operacje) {}

// Pruning is housekeeping: a folder that cannot be removed now (a file of it
// held open, a folder without permission) is left for a later batch, which
// tries again, and the batch goes on. The manifest goes first, so that a
// folder removed only in part is no batch any more, only a leftover.
void KopiaZapasowa::usun_stare() {
  const fs::path kopie = katalog_programu_ / std::string(nazwa_katalogu_kopii);
  const auto usun = [&](const fs::path& folder) {
    std::error_code blad;
    fs::remove(folder / std::string(nazwa_spisu), blad);
    if (!blad) fs::remove_all(folder, blad);
    if (blad) {
      ostrzezenia_.push_back("cannot remove the old backup " + bajty_sciezki(folder) + ": " +
                             blad.message());
    }
  };
  std::error_code blad;
  for (const auto& nazwa : nazwy_kopii(kopie)) {
    const fs::path folder = kopie / sciezka_z_bajtow(nazwa);
    if (!fs::exists(folder / std::string(nazwa_spisu), blad)) usun(folder);
  }
  // The last ten batches are kept: this one and nine before it.
  const auto stare = foldery_kopii(katalog_programu_);
  for (std::size_t i = 0; i + ile_kopii_trzymac <= stare.size(); ++i) usun(stare[i]);
}

void KopiaZapasowa::zaloz(const fs::path& katalog_scenerii) {
  const fs::path kopie = katalog_programu_ / std::string(nazwa_katalogu_kopii);
  usun_stare();
  const auto [nazwa, czas] = teraz();
  const fs::path folder = nowa_kopia(kopie, nazwa);
  std::error_code blad;
  fs::create_directories(folder / std::string(nazwa_katalogu_plikow), blad);
  if (blad) throw BladPliku("cannot create the backup folder", folder, blad);
  katalog_ = folder;
  katalog_scenerii_ = fs::canonical(katalog_scenerii, blad);
  if (blad) throw BladPliku("cannot look up", katalog_scenerii, blad);
  dopisz_do_spisu(katalog_, poczatek_spisu(czas, ustawienia_, bajty_sciezki(katalog_scenerii_)),
                  *operacje_);
  // The new folders' entries durable, each in its parent.
  synchronizuj_katalog(katalog_);
  synchronizuj_katalog(kopie);
  synchronizuj_katalog(katalog_programu_);
}

void KopiaZapasowa::zachowaj(const fs::path& katalog_scenerii, std::string_view sceneria,
                             const fs::path& plik, const fs::path& nowa_tresc) {
  if (katalog_.empty()) zaloz(katalog_scenerii);
  if (sceneria != sceneria_) {
    sceneria_ = sceneria;
    dopisz_do_spisu(katalog_, rekord_scenerii(sceneria_), *operacje_);
  }
  // Names are kept as the system resolves them: a file reached through a
  // link inside the scenery is kept (and later restored) where it really is.
  std::error_code blad;
  const fs::path prawdziwy = fs::canonical(plik, blad);
  if (blad) throw BladPliku("cannot look up", plik, blad);
  const fs::path wzgledna = prawdziwy.lexically_relative(katalog_scenerii_);
  const OdciskPliku po = odcisk_pliku(nowa_tresc, *operacje_);
  const auto [wpis, pierwszy] = zachowane_.try_emplace(bajty_sciezki(wzgledna));
  if (pierwszy) {
    const fs::path pliki = katalog_ / std::string(nazwa_katalogu_plikow);
    const fs::path kopia = pliki / wzgledna;
    if (const auto nie = operacje_->utworz_katalogi(kopia.parent_path())) {
      zachowane_.erase(wpis);
      throw BladPliku("cannot create the backup folder", kopia.parent_path(), nie);
    }
    wpis->second = odcisk_pliku(prawdziwy, *operacje_);
    try {
      zachowaj_plik(prawdziwy, kopia, *operacje_);
    } catch (...) {
      zachowane_.erase(wpis);
      throw;
    }
    // Each folder's entry made durable in its parent once: a second file
    // of the same folder adds no new folder.
    for (fs::path k = kopia.parent_path(); k != katalog_ && k.has_relative_path();
         k = k.parent_path()) {
      if (!zsynchronizowane_.insert(k.native()).second) break;
      synchronizuj_katalog(k.parent_path());
    }
  }
  // Replaced again in this batch: the first old content stays kept, and
  // this line tells what the batch wrote last.
  const OdciskPliku& przed = wpis->second;
  dopisz_do_spisu(katalog_, rekord_pliku(przed, po, bajty_sciezki(wzgledna)), *operacje_);
}

std::vector<OpisKopii> lista_kopii(const fs::path& katalog_programu, OperacjeSystemu& operacje) {
  std::vector<OpisKopii> wynik;
  for (const auto& folder : foldery_kopii(katalog_programu)) {
    OpisKopii opis;
    opis.katalog = folder;
    try {
      const auto spis = czytaj_spis(folder, operacje);
      if (!spis) continue;
      opis.czas = spis->czas;
      opis.ustawienia = spis->ustawienia;
      opis.katalog_scenerii = sciezka_z_bajtow(spis->katalog_scenerii);
      opis.ile_plikow = spis->pliki.size();
      opis.ile_przywroconych =
          static_cast<std::size_t>(std::count_if(spis->pliki.begin(), spis->pliki.end(),
                                                 [](const WpisSpisu& w) { return w.przywrocony; }));
      opis.uszkodzone = spis->uszkodzone;
    } catch (const BladDanych&) {
      opis.czytelny = false;
    } catch (const BladPliku&) {
      opis.czytelny = false;
    }
    wynik.push_back(std::move(opis));
  }
  return wynik;
}

}  // namespace wyrownik
