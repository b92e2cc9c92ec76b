#include "config/zapis_ini.hpp"

#include <optional>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/plik_odczytu.hpp"
#include "platform/plik_zapisu.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

constexpr std::string_view naglowek_sciezki = "[Sciezka dostepu]";
constexpr std::size_t najmniejszy_ini = 10;  // shorter counts as empty at start-up

// Where the path goes, found as start-up reads the ini: a line beginning
// with "[" closes every section; the header opens the path's section; its
// first non-empty line is the path, and a later one replaces an earlier.
struct Miejsca {
  std::optional<std::size_t> sciezka, po_naglowku, pierwsza_sekcja;  // byte offsets
  std::optional<std::size_t> koniec_sciezki;
};

Miejsca znajdz_miejsca(std::string_view tresc) {
  Miejsca m;
  bool otwarta = false;
  std::string linia;
  for (std::size_t poczatek = 0; poczatek < tresc.size();) {
    const std::size_t lf = tresc.find('\n', poczatek);
    const std::size_t koniec = lf == std::string_view::npos ? tresc.size() : lf + 1;
    std::size_t dlugosc = (lf == std::string_view::npos ? tresc.size() : lf) - poczatek;
    if (lf != std::string_view::npos && dlugosc > 0 && tresc[lf - 1] == '\r') --dlugosc;
    linia.assign(tresc.substr(poczatek, dlugosc));
    oczysc_linie(linia);
    if (!linia.empty() && linia.front() == '[') {
      otwarta = false;
      if (!m.pierwsza_sekcja) m.pierwsza_sekcja = poczatek;
    }
    if (!linia.empty() && otwarta) {
      m.sciezka = poczatek;
      m.koniec_sciezki = koniec;
      otwarta = false;
    }
    if (zaczyna_sie_bez_wielkosci(linia, naglowek_sciezki)) {
      otwarta = true;
      m.po_naglowku = koniec;
    }
    poczatek = koniec;
  }
  return m;
}

std::string z_koncem_linii(std::string_view tresc) {
  std::string t(tresc);
  if (!t.empty() && t.back() != '\n') t += "\r\n";
  return t;
}

}  // namespace

std::string ini_ze_sciezka(std::string_view tresc, std::string_view sciezka) {
  const std::string linia = std::string(sciezka) + "\r\n";
  const std::string sekcja = std::string(naglowek_sciezki) + "\r\n" + linia;
  if (tresc.size() < najmniejszy_ini) {
    return z_koncem_linii(tresc) + sekcja + std::string(sekcje_nowego_ini);
  }
  const Miejsca m = znajdz_miejsca(tresc);
  std::string wynik(tresc);
  if (m.sciezka) return wynik.replace(*m.sciezka, *m.koniec_sciezki - *m.sciezka, linia);
  if (m.po_naglowku) {
    if (*m.po_naglowku == tresc.size()) return z_koncem_linii(tresc) + linia;
    return wynik.insert(*m.po_naglowku, linia);
  }
  if (m.pierwsza_sekcja) return wynik.insert(*m.pierwsza_sekcja, sekcja);
  return z_koncem_linii(tresc) + sekcja;
}

namespace {

// The file a name leads to, every symbolic link on the way followed (also
// one whose file does not exist yet): the user's link stays a link and the
// file it names gets the new content. Throws BladPliku for a loop.
fs::path za_dowiazaniami(fs::path plik) {
  for (int krok = 0; krok < 40; ++krok) {
    std::error_code blad;
    if (!fs::is_symlink(fs::symlink_status(plik, blad))) return plik;
    const fs::path cel = fs::read_symlink(plik, blad);
    if (blad) throw BladPliku("cannot follow the link", plik, blad);
    plik = cel.is_absolute() ? cel : plik.parent_path() / cel;
  }
  throw BladPliku("cannot follow the link", plik,
                  std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

}  // namespace

void zapisz_sciezke_w_ini(const fs::path& katalog_programu, std::string_view sciezka,
                          OperacjeSystemu& operacje) {
  const fs::path plik = za_dowiazaniami(
      znajdz_nazwe(katalog_programu, "wyrownik.ini").value_or(katalog_programu / "wyrownik.ini"));
  std::error_code blad;
  const fs::file_status stan = fs::status(plik, blad);
  std::string tresc;
  if (fs::exists(stan)) {
    if ((stan.permissions() & fs::perms::owner_write) == fs::perms::none) {
      throw BladPliku("cannot replace the read-only file", plik,
                      std::make_error_code(std::errc::permission_denied));
    }
    tresc = wczytaj_plik(plik, operacje);
  }
  // Beside the file itself: a rename works within one file system only.
  fs::path nowy = plik;
  nowy += ".nowy";
  try {
    PlikZapisu zapis(nowy, TrybZapisu::nowy, operacje);
    zapis.zapisz(ini_ze_sciezka(tresc, sciezka));
    zapis.zamknij(true);
    zastap_plik(nowy, plik, operacje);
  } catch (const BladPliku&) {
    std::error_code pominiety;
    fs::remove(nowy, pominiety);
    throw;
  }
}

}  // namespace wyrownik
