#include "backup/spis_kopii.hpp"

#include <charconv>
#include <memory>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "platform/plik_odczytu.hpp"
#include "text/blad_danych.hpp"

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
constexpr std::size_t cyfry_sumy = 16;

constexpr std::uint64_t fnv_poczatek = 14695981039346656037ull;
constexpr std::uint64_t fnv_mnoznik = 1099511628211ull;

std::uint64_t fnv(std::uint64_t h, std::string_view bajty) {
  for (const char c : bajty) h = (h ^ static_cast<unsigned char>(c)) * fnv_mnoznik;
  return h;
}

std::string szesnastkowo(std::uint64_t v) {
  char tekst[17];
  const auto w = std::to_chars(tekst, tekst + sizeof tekst, v, 16);
  return std::string(tekst, w.ptr);
}

// A record of the second format: its hash in 16 hex digits, a space, itself.
std::string z_suma(std::string_view rekord) {
  std::string s = szesnastkowo(fnv(fnv_poczatek, rekord));
  s.insert(0, cyfry_sumy - s.size(), '0');
  s += ' ';
  s += rekord;
  return s;
}

// The record of a line of the second format; nullopt when it fails its check.
std::optional<std::string_view> sprawdzony(std::string_view linia) {
  if (linia.size() <= cyfry_sumy || linia[cyfry_sumy] != ' ') return std::nullopt;
  std::uint64_t suma = 0;
  const auto w = std::from_chars(linia.data(), linia.data() + cyfry_sumy, suma, 16);
  if (w.ec != std::errc{} || w.ptr != linia.data() + cyfry_sumy) return std::nullopt;
  const std::string_view rekord = linia.substr(cyfry_sumy + 1);
  if (fnv(fnv_poczatek, rekord) != suma) return std::nullopt;
  return rekord;
}

std::optional<std::uint64_t> liczba_z(std::string_view& tekst, int podstawa) {
  std::uint64_t v = 0;
  const auto w = std::from_chars(tekst.data(), tekst.data() + tekst.size(), v, podstawa);
  if (w.ec != std::errc{} || w.ptr == tekst.data() + tekst.size() || *w.ptr != ' ') {
    return std::nullopt;
  }
  tekst.remove_prefix(static_cast<std::size_t>(w.ptr - tekst.data()) + 1);
  return v;
}

// Takes one record into the manifest; false when it is malformed. Records
// of kinds this version does not know are passed over.
bool wczytaj_rekord(std::string_view rekord, Spis& spis) {
  if (rekord.starts_with(pole_czas)) {
    spis.czas = rekord.substr(pole_czas.size());
  } else if (rekord.starts_with(pole_ustawienia)) {
    spis.ustawienia = rekord.substr(pole_ustawienia.size());
  } else if (rekord.starts_with(pole_katalog)) {
    spis.katalog_scenerii = rekord.substr(pole_katalog.size());
  } else if (rekord.starts_with(pole_plik)) {
    std::string_view reszta = rekord.substr(pole_plik.size());
    WpisSpisu w;
    const auto r1 = liczba_z(reszta, 10), s1 = liczba_z(reszta, 16);
    const auto r2 = liczba_z(reszta, 10), s2 = liczba_z(reszta, 16);
    if (!r1 || !s1 || !r2 || !s2 || reszta.empty()) return false;
    w.przed = {*r1, *s1};
    w.po = {*r2, *s2};
    w.sciezka = reszta;
    // A file replaced twice in the batch: its last content counts.
    for (auto& jest : spis.pliki) {
      if (jest.sciezka == w.sciezka) {
        jest.po = w.po;
        return true;
      }
    }
    spis.pliki.push_back(std::move(w));
  } else if (rekord.starts_with(pole_przywrocono)) {
    const std::string_view sciezka = rekord.substr(pole_przywrocono.size());
    for (auto& w : spis.pliki) {
      if (w.sciezka == sciezka) w.przywrocony = true;
    }
  }
  return true;
}

}  // namespace

OdciskPliku odcisk_pliku(const fs::path& plik, OperacjeSystemu& operacje) {
  PlikOdczytu czytany(plik, operacje);
  // Small enough to come from the heap again at the next file, and not
  // zero-filled: a fresh megabyte cost a page fault per page and its
  // clearing for every file a batch changed.
  constexpr std::size_t rozmiar = 64 << 10;
  const std::unique_ptr<char[]> bufor(new char[rozmiar]);
  OdciskPliku o;
  o.skrot = fnv_poczatek;
  for (std::size_t n; (n = czytany.czytaj(bufor.get(), rozmiar)) > 0;) {
    o.rozmiar += n;
    o.skrot = fnv(o.skrot, std::string_view(bufor.get(), n));
  }
  return o;
}

std::string poczatek_spisu(std::string_view czas, std::string_view ustawienia,
                           std::string_view katalog_scenerii) {
  std::string s = z_suma(naglowek);
  s.append("\r\n").append(z_suma(std::string(pole_czas).append(czas)));
  s.append("\r\n").append(z_suma(std::string(pole_ustawienia).append(ustawienia)));
  s.append("\r\n").append(z_suma(std::string(pole_katalog).append(katalog_scenerii)));
  return s;
}

std::string rekord_scenerii(std::string_view sceneria) {
  return z_suma(std::string(pole_sceneria).append(sceneria));
}

std::string rekord_pliku(const OdciskPliku& przed, const OdciskPliku& po,
                         std::string_view sciezka) {
  return z_suma(std::string(pole_plik) + std::to_string(przed.rozmiar) + " " +
                szesnastkowo(przed.skrot) + " " + std::to_string(po.rozmiar) + " " +
                szesnastkowo(po.skrot) + " " + std::string(sciezka));
}

std::string rekord_przywrocenia(std::string_view sciezka, bool pierwszy_format) {
  const std::string rekord = std::string(pole_przywrocono).append(sciezka);
  return pierwszy_format ? rekord : z_suma(rekord);
}

void dopisz_do_spisu(const fs::path& folder, std::string_view linie, OperacjeSystemu& operacje) {
  PlikZapisu spis(folder / std::string(nazwa_spisu), PlikZapisu::Tryb::dopisz, operacje);
  spis.zapisz_linie(linie);
  spis.zamknij(/*na_dysk=*/true);
}

std::optional<Spis> czytaj_spis(const fs::path& folder, OperacjeSystemu& operacje) {
  const fs::path plik = folder / std::string(nazwa_spisu);
  std::error_code blad;
  if (!fs::exists(plik, blad)) return std::nullopt;
  const std::string tresc = wczytaj_plik(plik, operacje);

  // Lines end at LF, a CR before it dropped; a last line without its end was
  // torn while it was written.
  std::vector<std::string_view> linie;
  std::size_t start = 0;
  for (std::size_t lf; (lf = tresc.find('\n', start)) != std::string::npos; start = lf + 1) {
    std::string_view l(tresc.data() + start, lf - start);
    if (l.ends_with('\r')) l.remove_suffix(1);
    linie.push_back(l);
  }
  const bool urwana = start < tresc.size();
  if (urwana) {
    std::string_view l(tresc.data() + start, tresc.size() - start);
    if (l.ends_with('\r')) l.remove_suffix(1);
    linie.push_back(l);
  }
  if (linie.empty()) return std::nullopt;

  Spis spis;
  if (urwana) spis.bez_konca_od = start;
  if (linie.size() == 1 && urwana) return std::nullopt;
  spis.pierwszy_format = linie[0] == naglowek;
  if (!spis.pierwszy_format && sprawdzony(linie[0]) != naglowek) {
    throw BladDanych("the manifest " + bajty_sciezki(plik) + " begins with no header");
  }
  for (std::size_t i = 1; i < linie.size(); ++i) {
    const bool ostatnia_urwana = urwana && i + 1 == linie.size();
    // The first format has no check: its torn last line is passed over
    // whatever it reads as.
    if (ostatnia_urwana && spis.pierwszy_format) break;
    const auto rekord = spis.pierwszy_format ? std::optional(linie[i]) : sprawdzony(linie[i]);
    if (rekord && wczytaj_rekord(*rekord, spis)) {
      spis.bez_konca_przyjeta = ostatnia_urwana;
      continue;
    }
    if (!ostatnia_urwana) ++spis.uszkodzone;
  }
  if (spis.katalog_scenerii.empty() && spis.pliki.empty() && spis.uszkodzone == 0) {
    return std::nullopt;
  }
  return spis;
}

void napraw_koniec_spisu(const fs::path& folder, const Spis& spis, OperacjeSystemu& operacje) {
  if (!spis.bez_konca_od) return;
  if (spis.bez_konca_przyjeta) return dopisz_do_spisu(folder, "", operacje);
  std::error_code blad;
  fs::resize_file(folder / std::string(nazwa_spisu), *spis.bez_konca_od, blad);
  if (blad)
    throw BladPliku("cannot cut the torn record of", folder / std::string(nazwa_spisu), blad);
}

}  // namespace wyrownik
