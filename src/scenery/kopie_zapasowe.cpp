#include "scenery/kopie_zapasowe.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "platform/plik_odczytu.hpp"
#include "scenery/przepisanie.hpp"
#include "text/czytnik_linii.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

constexpr std::string_view naglowek = "wyrownik: kopia zapasowa partii";
constexpr std::string_view pole_czas = "czas: ";
constexpr std::string_view pole_ustawienia = "ustawienia: ";
constexpr std::string_view pole_katalog = "katalog: ";
constexpr std::string_view pole_sceneria = "sceneria: ";
constexpr std::string_view pole_plik = "plik: ";
constexpr std::string_view pole_przywrocono = "przywrocono: ";

std::string szesnastkowo(std::uint64_t v) {
  char tekst[17];
  const auto w = std::to_chars(tekst, tekst + sizeof tekst, v, 16);
  return std::string(tekst, w.ptr);
}

// "RRRR-MM-DD_GG-MM-SS" and "RRRR-MM-DD GG:MM:SS" of the local time now.
std::pair<std::string, std::string> teraz() {
  const std::time_t t = std::time(nullptr);
  const std::tm* czas = std::localtime(&t);
  char nazwa[32], tekst[32];
  std::strftime(nazwa, sizeof nazwa, "%Y-%m-%d_%H-%M-%S", czas);
  std::strftime(tekst, sizeof tekst, "%Y-%m-%d %H:%M:%S", czas);
  return {nazwa, tekst};
}

// The folders of kept batches, oldest first (their names sort by time).
std::vector<fs::path> foldery_kopii(const fs::path& katalog_programu) {
  std::vector<fs::path> foldery;
  std::error_code blad;
  for (fs::directory_iterator it(katalog_programu / std::string(nazwa_katalogu_kopii), blad), e;
       !blad && it != e; it.increment(blad)) {
    if (it->is_directory(blad) && fs::exists(it->path() / std::string(nazwa_spisu), blad)) {
      foldery.push_back(it->path());
    }
  }
  std::sort(foldery.begin(), foldery.end());
  return foldery;
}

struct WpisSpisu {
  fs::path sciezka;  // relative to the scenery directory
  OdciskPliku przed, po;
  bool przywrocony = false;
};

struct Spis {
  OpisKopii opis;
  std::vector<WpisSpisu> pliki;
};

std::optional<std::uint64_t> liczba_z(std::string_view& tekst, int podstawa) {
  std::uint64_t v = 0;
  const auto w = std::from_chars(tekst.data(), tekst.data() + tekst.size(), v, podstawa);
  if (w.ec != std::errc{} || w.ptr == tekst.data() + tekst.size() || *w.ptr != ' ') {
    return std::nullopt;
  }
  tekst.remove_prefix(static_cast<std::size_t>(w.ptr - tekst.data()) + 1);
  return v;
}

std::optional<Spis> czytaj_spis(const fs::path& folder) {
  Spis spis;
  spis.opis.katalog = folder;
  try {
    CzytnikLinii czytnik(folder / std::string(nazwa_spisu));
    std::string_view linia;
    if (!czytnik.czytaj(linia) || linia != naglowek) return std::nullopt;
    while (czytnik.czytaj(linia)) {
      if (linia.starts_with(pole_czas)) {
        spis.opis.czas = linia.substr(pole_czas.size());
      } else if (linia.starts_with(pole_ustawienia)) {
        spis.opis.ustawienia = linia.substr(pole_ustawienia.size());
      } else if (linia.starts_with(pole_katalog)) {
        spis.opis.katalog_scenerii = sciezka_z_bajtow(linia.substr(pole_katalog.size()));
      } else if (linia.starts_with(pole_plik)) {
        std::string_view reszta = linia.substr(pole_plik.size());
        WpisSpisu w;
        const auto r1 = liczba_z(reszta, 10), s1 = liczba_z(reszta, 16);
        const auto r2 = liczba_z(reszta, 10), s2 = liczba_z(reszta, 16);
        if (!r1 || !s1 || !r2 || !s2 || reszta.empty()) return std::nullopt;
        w.przed = {*r1, *s1};
        w.po = {*r2, *s2};
        w.sciezka = sciezka_z_bajtow(reszta);
        // A file replaced twice in the batch: its last content counts.
        const auto jest = std::find_if(spis.pliki.begin(), spis.pliki.end(),
                                       [&](const WpisSpisu& v) { return v.sciezka == w.sciezka; });
        if (jest != spis.pliki.end()) {
          jest->po = w.po;
        } else {
          spis.pliki.push_back(std::move(w));
        }
      } else if (linia.starts_with(pole_przywrocono)) {
        const fs::path p(std::string(linia.substr(pole_przywrocono.size())));
        for (auto& w : spis.pliki) {
          if (w.sciezka == p) w.przywrocony = true;
        }
      }
    }
  } catch (const BladPliku&) {
    return std::nullopt;
  }
  spis.opis.ile_plikow = spis.pliki.size();
  spis.opis.ile_przywroconych = static_cast<std::size_t>(std::count_if(
      spis.pliki.begin(), spis.pliki.end(), [](const WpisSpisu& w) { return w.przywrocony; }));
  return spis;
}

void dopisz_linie_spisu(const fs::path& folder, std::string_view linia,
                        const OperacjeZapisu& operacje) {
  PlikZapisu spis(folder / std::string(nazwa_spisu), PlikZapisu::Tryb::dopisz, operacje);
  spis.zapisz_linie(linia);
  spis.zamknij(/*na_dysk=*/true);
}

}  // namespace

OdciskPliku odcisk_pliku(const fs::path& plik) {
  PlikOdczytu czytany(plik);
  std::string bufor(1 << 20, '\0');
  OdciskPliku o;
  o.skrot = 14695981039346656037ull;
  for (std::size_t n; (n = czytany.czytaj(bufor.data(), bufor.size())) > 0;) {
    o.rozmiar += n;
    for (std::size_t i = 0; i < n; ++i) {
      o.skrot = (o.skrot ^ static_cast<unsigned char>(bufor[i])) * 1099511628211ull;
    }
  }
  return o;
}

KopiaZapasowa::KopiaZapasowa(fs::path katalog_programu, std::string ustawienia,
                             const OperacjeZapisu& operacje)
    : katalog_programu_(std::move(katalog_programu)),
      ustawienia_(std::move(ustawienia)),
      operacje_(&operacje) {}

void KopiaZapasowa::zaloz(const fs::path& katalog_scenerii) {
  const fs::path kopie = katalog_programu_ / std::string(nazwa_katalogu_kopii);
  // The last ten batches are kept: this one and nine before it.
  auto stare = foldery_kopii(katalog_programu_);
  while (stare.size() >= ile_kopii_trzymac) {
    std::error_code blad;
    fs::remove_all(stare.front(), blad);
    if (blad) throw BladPliku("cannot remove the old backup", stare.front(), blad);
    stare.erase(stare.begin());
  }
  const auto [nazwa, czas] = teraz();
  fs::path folder = kopie / nazwa;
  std::error_code blad;
  // Batches within one second: "_002", "_003", ... so that names still sort
  // by time.
  for (int n = 2; fs::exists(folder, blad); ++n) {
    char przyrostek[16];
    std::snprintf(przyrostek, sizeof przyrostek, "_%03d", n);
    folder = kopie / (nazwa + przyrostek);
  }
  fs::create_directories(folder / std::string(nazwa_katalogu_plikow), blad);
  if (blad) throw BladPliku("cannot create the backup folder", folder, blad);
  katalog_ = folder;
  katalog_scenerii_ = fs::canonical(katalog_scenerii, blad);
  if (blad) throw BladPliku("cannot look up", katalog_scenerii, blad);
  std::string tresc(naglowek);
  tresc.append("\r\n").append(pole_czas).append(czas);
  tresc.append("\r\n").append(pole_ustawienia).append(ustawienia_);
  tresc.append("\r\n").append(pole_katalog).append(bajty_sciezki(katalog_scenerii_));
  dopisz_linie_spisu(katalog_, tresc, *operacje_);
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
    dopisz_linie_spisu(katalog_, std::string(pole_sceneria) + sceneria_, *operacje_);
  }
  // Names are kept as the system resolves them: a file reached through a
  // link inside the scenery is kept (and later restored) where it really is.
  std::error_code blad;
  const fs::path prawdziwy = fs::canonical(plik, blad);
  if (blad) throw BladPliku("cannot look up", plik, blad);
  const fs::path wzgledna = prawdziwy.lexically_relative(katalog_scenerii_);
  const OdciskPliku po = odcisk_pliku(nowa_tresc);
  const auto [wpis, pierwszy] = zachowane_.try_emplace(bajty_sciezki(wzgledna));
  if (pierwszy) {
    const fs::path pliki = katalog_ / std::string(nazwa_katalogu_plikow);
    const fs::path kopia = pliki / wzgledna;
    fs::create_directories(kopia.parent_path(), blad);
    if (blad) throw BladPliku("cannot create the backup folder", kopia.parent_path(), blad);
    wpis->second = odcisk_pliku(prawdziwy);
    try {
      zachowaj_plik(prawdziwy, kopia, *operacje_);
    } catch (...) {
      zachowane_.erase(wpis);
      throw;
    }
    for (fs::path k = kopia.parent_path(); k != katalog_ && k.has_relative_path();
         k = k.parent_path()) {
      synchronizuj_katalog(k.parent_path());
    }
  }
  // Replaced again in this batch: the first old content stays kept, and
  // this line tells what the batch wrote last.
  const OdciskPliku& przed = wpis->second;
  dopisz_linie_spisu(katalog_,
                     std::string(pole_plik) + std::to_string(przed.rozmiar) + " " +
                         szesnastkowo(przed.skrot) + " " + std::to_string(po.rozmiar) + " " +
                         szesnastkowo(po.skrot) + " " + bajty_sciezki(wzgledna),
                     *operacje_);
}

std::vector<OpisKopii> lista_kopii(const fs::path& katalog_programu) {
  std::vector<OpisKopii> wynik;
  for (const auto& folder : foldery_kopii(katalog_programu)) {
    if (auto spis = czytaj_spis(folder)) wynik.push_back(std::move(spis->opis));
  }
  return wynik;
}

WynikCofniecia cofnij_ostatnia_partie(
    const fs::path& katalog_programu,
    const std::function<void(const fs::path&, bool przywrocony)>& po_pliku,
    const OperacjeZapisu& operacje) {
  WynikCofniecia wynik;
  const auto foldery = foldery_kopii(katalog_programu);
  std::optional<Spis> spis;
  for (auto it = foldery.rbegin(); it != foldery.rend() && !spis; ++it) spis = czytaj_spis(*it);
  if (!spis) return wynik;
  wynik.bylo_co_cofac = true;
  wynik.czas = spis->opis.czas;
  const fs::path& katalog = spis->opis.katalog_scenerii;
  const fs::path kopia_robocza = katalog / std::string(nazwa_kopii);
  bool wszystkie = true;
  for (const WpisSpisu& w : spis->pliki) {
    if (w.przywrocony) continue;
    const fs::path plik = katalog / w.sciezka;
    std::error_code blad;
    // Only a file that still holds what the batch wrote: an edit made since,
    // or a later batch's change, is never overwritten.
    if (!fs::is_regular_file(plik, blad) || odcisk_pliku(plik) != w.po) {
      wynik.pominiete.push_back(plik);
      po_pliku(plik, false);
      wszystkie = false;
      continue;
    }
    // Copied beside the file (copy synced, then renamed over): the file is
    // old or restored at every moment.
    skopiuj_plik(spis->opis.katalog / std::string(nazwa_katalogu_plikow) / w.sciezka, kopia_robocza,
                 operacje);
    try {
      zastap_plik(kopia_robocza, plik, operacje);
    } catch (...) {
      std::error_code nic;
      fs::remove(kopia_robocza, nic);  // no scratch copy stays in the scenery
      throw;
    }
    dopisz_linie_spisu(spis->opis.katalog, std::string(pole_przywrocono) + bajty_sciezki(w.sciezka),
                       operacje);
    wynik.przywrocone.push_back(plik);
    po_pliku(plik, true);
  }
  if (wszystkie) {
    std::error_code blad;
    fs::remove_all(spis->opis.katalog, blad);
    if (blad) throw BladPliku("cannot remove the restored backup", spis->opis.katalog, blad);
  }
  return wynik;
}

}  // namespace wyrownik
