#include "text/sciezki.hpp"

#include <algorithm>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "text/kodowanie.hpp"
#include "text/wielkosc_liter.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

bool istnieje(const fs::path& p) {
  std::error_code blad;
  return fs::exists(p, blad);
}

// Whether something exists at `p`; a refusal of the system other than "no
// such file or directory" is a failure, not a missing file.
bool istnieje_scisle(const fs::path& p) {
  std::error_code blad;
  const bool jest = fs::exists(p, blad);
  // A name too long for the system names nothing that could exist.
  if (blad && blad != std::errc::no_such_file_or_directory && blad != std::errc::not_a_directory &&
      blad != std::errc::filename_too_long) {
    throw BladPliku("cannot look up", p, blad);
  }
  return jest;
}

bool katalog(const fs::path& p) {
  std::error_code blad;
  return fs::is_directory(p, blad);
}

// A directory entry's name as the scenery text would spell it: sceneries are
// Windows-1250, while names on disk are usually UTF-8.
std::string nazwa_jak_w_scenerii(const std::string& na_dysku) {
  if constexpr (!nazwy_na_dysku_w_utf8) return na_dysku;
  return utf8_na_cp1250(na_dysku).value_or(na_dysku);
}

std::string zlozona(std::string_view tekst) {
  std::string w(tekst);
  std::transform(w.begin(), w.end(), w.begin(), [](char c) { return static_cast<char>(mala(c)); });
  return w;
}

// The entry of `rodzic` named `skladnik` without regard to letter case.
std::optional<fs::path> dopasuj_skladnik(const fs::path& rodzic, std::string_view skladnik) {
  const fs::path wprost = rodzic / sciezka_z_bajtow(skladnik);
  if (istnieje(wprost)) return wprost;
  std::error_code blad;
  fs::directory_iterator it(rodzic.empty() ? fs::path(".") : rodzic, blad);
  if (blad) return std::nullopt;
  for (; it != fs::directory_iterator(); it.increment(blad)) {
    if (blad) return std::nullopt;
    const std::string nazwa = bajty_sciezki(it->path().filename());
    if (rowne_bez_wielkosci(nazwa, skladnik) ||
        rowne_bez_wielkosci(nazwa_jak_w_scenerii(nazwa), skladnik)) {
      return rodzic / sciezka_z_bajtow(nazwa);
    }
  }
  return std::nullopt;
}

std::optional<fs::path> rozwiaz_skladniki(fs::path sciezka,
                                          const std::vector<std::string>& skladniki) {
  for (const auto& s : skladniki) {
    auto dalej = dopasuj_skladnik(sciezka, s);
    if (!dalej) return std::nullopt;
    sciezka = std::move(*dalej);
  }
  return sciezka;
}

// Whether `plik` really lies inside `katalog`, links followed.

std::vector<std::string> tnij(std::string_view tekst, std::string_view separatory) {
  std::vector<std::string> czesci;
  std::size_t start = 0;
  while (start <= tekst.size()) {
    const std::size_t koniec = std::min(tekst.find_first_of(separatory, start), tekst.size());
    if (koniec > start) czesci.emplace_back(tekst.substr(start, koniec - start));
    start = koniec + 1;
  }
  return czesci;
}

}  // namespace

std::string tekst_katalogu_scenerii(std::string_view korzen) {
  std::string tekst(korzen);
  if (tekst.empty() || (tekst.back() != '/' && tekst.back() != '\\')) tekst += separator_natywny;
  tekst += "scenery";
  tekst += separator_natywny;
  return tekst;
}

std::optional<fs::path> znajdz_katalog(std::string_view tekst) {
  std::string surowy(tekst);
  if constexpr (!odwrotny_ukosnik_rozdziela) std::replace(surowy.begin(), surowy.end(), '\\', '/');
  fs::path sciezka = sciezka_z_bajtow(surowy);
  // Without the separator at its end: some systems look up no "dir\\".
  if (!sciezka.has_filename() && sciezka.has_relative_path()) sciezka = sciezka.parent_path();
  if (katalog(sciezka)) return sciezka;
  // Walk down from the root of the path, matching each missing component
  // without regard to case.
  fs::path baza = sciezka.root_path();
  std::vector<std::string> skladniki;
  for (const auto& s : sciezka.relative_path()) {
    if (!s.empty()) skladniki.push_back(bajty_sciezki(s));
  }
  auto wynik = rozwiaz_skladniki(baza, skladniki);
  if (wynik && katalog(*wynik)) return wynik;
  return std::nullopt;
}

namespace {

// The components of an include name with "." and ".." resolved on the text;
// nullopt for a name that leads outside the scenery directory.
std::optional<std::vector<std::string>> skladniki_nazwy(std::string_view nazwa) {
  if (nazwa.empty() || nazwa.front() == '\\' || nazwa.front() == '/') return std::nullopt;
  if (nazwa.size() >= 2 && nazwa[1] == ':') return std::nullopt;  // drive letter
  std::vector<std::string> skladniki;
  for (auto& s : tnij(nazwa, "\\/")) {
    if (s == ".") continue;
    if (s == "..") {
      if (skladniki.empty()) return std::nullopt;  // would climb above the scenery
      skladniki.pop_back();
      continue;
    }
    skladniki.push_back(std::move(s));
  }
  if (skladniki.empty()) return std::nullopt;
  return skladniki;
}

}  // namespace

std::optional<std::string> nazwa_rozwiazana(std::string_view nazwa) {
  const auto skladniki = skladniki_nazwy(nazwa);
  if (!skladniki) return std::nullopt;
  std::string wynik;
  for (const auto& s : *skladniki) {
    if (!wynik.empty()) wynik += '\\';
    wynik += s;
  }
  return wynik;
}

std::optional<std::string> PamiecKatalogow::dopasuj(const fs::path& rodzic,
                                                    std::string_view skladnik) {
  auto [wpis, nowy] = katalogi_.try_emplace(bajty_sciezki(rodzic));
  if (nowy) {
    std::error_code blad;
    fs::directory_iterator it(rodzic.empty() ? fs::path(".") : rodzic, blad);
    for (; !blad && it != fs::directory_iterator(); it.increment(blad)) {
      const std::string nazwa = bajty_sciezki(it->path().filename());
      wpis->second.try_emplace(zlozona(nazwa), nazwa);
      wpis->second.try_emplace(zlozona(nazwa_jak_w_scenerii(nazwa)), nazwa);
    }
    if (blad && blad != std::errc::no_such_file_or_directory &&
        blad != std::errc::not_a_directory) {
      katalogi_.erase(wpis);
      throw BladPliku("cannot list", rodzic, blad);
    }
  }
  const auto znaleziona = wpis->second.find(zlozona(skladnik));
  if (znaleziona == wpis->second.end()) return std::nullopt;
  return znaleziona->second;
}

std::optional<fs::path> znajdz_w_scenerii(const fs::path& katalog_scenerii, std::string_view nazwa,
                                          PamiecKatalogow* pamiec) {
  const auto skladniki = skladniki_nazwy(nazwa);
  if (!skladniki) return std::nullopt;
  fs::path wynik = katalog_scenerii;
  for (const auto& s : *skladniki) wynik /= sciezka_z_bajtow(s);
  if (!istnieje_scisle(wynik)) {
    PamiecKatalogow wlasna;
    PamiecKatalogow& p = pamiec ? *pamiec : wlasna;
    wynik = katalog_scenerii;
    for (const auto& s : *skladniki) {
      const fs::path wprost = wynik / sciezka_z_bajtow(s);
      if (istnieje_scisle(wprost)) {
        wynik = wprost;
        continue;
      }
      const auto nazwa_na_dysku = p.dopasuj(wynik, s);
      if (!nazwa_na_dysku) return std::nullopt;
      wynik /= sciezka_z_bajtow(*nazwa_na_dysku);
    }
  }
  if (!wewnatrz_katalogu(wynik, katalog_scenerii)) return std::nullopt;
  return wynik;
}

bool wewnatrz_katalogu(const fs::path& plik, const fs::path& katalog) {
  std::error_code blad;
  const fs::path k = fs::canonical(katalog, blad);
  if (blad) throw BladPliku("cannot look up", katalog, blad);
  const fs::path p = fs::canonical(plik, blad);
  if (blad == std::errc::no_such_file_or_directory) return false;  // a dangling link
  if (blad) throw BladPliku("cannot look up", plik, blad);
  return std::mismatch(k.begin(), k.end(), p.begin(), p.end()).first == k.end();
}

std::optional<fs::path> znajdz_nazwe(const fs::path& katalog, std::string_view nazwa) {
  return dopasuj_skladnik(katalog, nazwa);
}

std::string tekst_pelnej_sciezki(std::string_view tekst_katalogu, std::string_view nazwa) {
  std::string tekst(tekst_katalogu);
  tekst += nazwa;
  std::replace(tekst.begin() + static_cast<std::ptrdiff_t>(tekst_katalogu.size()), tekst.end(),
               '\\', separator_natywny);
  return tekst;
}

bool czy_zwykly_plik(const fs::path& sciezka) {
  std::error_code blad;
  return fs::is_regular_file(sciezka, blad) && !czy_ukryty(sciezka);
}

std::vector<std::string> pliki_scenerii(const fs::path& katalog_scenerii) {
  std::vector<std::string> nazwy;
  std::error_code blad;
  fs::directory_iterator it(katalog_scenerii, blad);
  if (blad) return nazwy;
  for (; it != fs::directory_iterator(); it.increment(blad)) {
    if (blad) break;
    std::string nazwa = bajty_sciezki(it->path().filename());
    if (nazwa.size() < 5) continue;
    if (!rowne_bez_wielkosci(std::string_view(nazwa).substr(nazwa.size() - 4), ".scn")) continue;
    if (!czy_zwykly_plik(it->path())) continue;
    nazwy.push_back(std::move(nazwa));
  }
  std::sort(nazwy.begin(), nazwy.end(), [](const std::string& a, const std::string& b) {
    const int r = porownaj_bez_wielkosci(a, b);
    return r != 0 ? r < 0 : a < b;
  });
  return nazwy;
}

}  // namespace wyrownik
