#include "index/indeks.hpp"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"
#include "text/blad_danych.hpp"

namespace wyrownik {

namespace {

// Growth steps of the mapped files: a million cell records, a hundred
// thousand elements.
constexpr std::size_t krok_komorek = 1'000'000 * dlugosc_rekordu_komorki;
constexpr std::size_t krok_danych = 100'000 * dlugosc_rekordu_danych;

// Elements written to aaa.aaa at once.
constexpr std::size_t blok_zapisu = 1024 * dlugosc_rekordu_danych;

constexpr std::int32_t najwiekszy_numer = std::numeric_limits<std::int32_t>::max();

// Written by writes, not through the view: a page comes in when first read.
PlikMapowany utworz_dane(const std::filesystem::path& katalog, OperacjeSystemu& operacje) {
  const auto sciezka = katalog / nazwa_pliku_danych;
  utworz_pusty(sciezka, operacje, TrybZapisu::nowy);
  return PlikMapowany(sciezka, krok_danych, PlikMapowany::Dostep::wybrane, operacje);
}

// Every head empty: the file grows by zeros, reserved on disk rather than
// written, and only the pages of cells in use (and a few between them) are
// ever written.
PlikMapowany utworz_komorki(const std::filesystem::path& katalog, OperacjeSystemu& operacje) {
  const auto sciezka = katalog / nazwa_pliku_komorek;
  utworz_pusty(sciezka, operacje, TrybZapisu::nowy);
  PlikMapowany komorki(sciezka, krok_komorek, PlikMapowany::Dostep::wybrane, operacje);
  komorki.wydluz(static_cast<std::size_t>(Siatka::ile_komorek) * dlugosc_rekordu_komorki);
  return komorki;
}

}  // namespace

Indeks::Indeks(const std::filesystem::path& katalog, const Zakres& zakres,
               OperacjeSystemu& operacje)
    : katalog_(katalog),
      siatka_(zakres),
      dane_(utworz_dane(katalog, operacje)),
      komorki_(utworz_komorki(katalog, operacje)) {
  if (komorki_.dlugosc() !=
      static_cast<std::size_t>(Siatka::ile_komorek) * dlugosc_rekordu_komorki) {
    throw BladPliku("unexpected length of", komorki_.sciezka());
  }
  zalegle_.reserve(blok_zapisu);
  const std::size_t bajty_glow = polozenie_komorki(glowy_w_pamieci + 1);
  glowy_ = BlokPamieci(bajty_glow);
  zmienione_.assign((bajty_glow + strona_glow - 1) / strona_glow, 0);
  // Whole at once: no allocation, and so no failure, while a head is marked.
  do_zapisania_.reserve(zmienione_.size());
  if (!zakres.pusty()) przygotuj_glowy_w_mapowaniu(zakres);
}

void Indeks::przygotuj_glowy_w_mapowaniu(const Zakres& zakres) {
  // Each column's heads for the rows of the extents, runs less than a page
  // apart in one call: no page of unused heads is touched. A clearance band
  // reaching past the extents faults its heads in one by one.
  const int kolumna_do = siatka_.kolumna(zakres.max_x);
  const int wiersz_od = siatka_.wiersz(zakres.min_z);
  const int wiersz_do = siatka_.wiersz(zakres.max_z);
  std::size_t od = 0, do_ = 0;  // the run gathered so far
  for (int kolumna = siatka_.kolumna(zakres.min_x); kolumna <= kolumna_do; ++kolumna) {
    const std::int32_t pierwsza = std::max(Siatka::numer(kolumna, wiersz_od), glowy_w_pamieci + 1);
    const std::int32_t ostatnia = Siatka::numer(kolumna, wiersz_do);
    if (ostatnia < pierwsza) continue;
    const std::size_t a = polozenie_komorki(pierwsza);
    const std::size_t b = polozenie_komorki(ostatnia + 1);
    if (do_ > od && a < do_ + strona_glow) {
      do_ = b;
      continue;
    }
    if (do_ > od) komorki_.przygotuj_do_zapisu(od, do_ - od);
    od = a;
    do_ = b;
  }
  if (do_ > od) komorki_.przygotuj_do_zapisu(od, do_ - od);
}

Indeks::~Indeks() {
  // The failure path: the files stay behind with every element stored.
  try {
    if (dane_.otwarty()) oproznij();
  } catch (...) {
  }
}

void Indeks::oproznij() {
  // Both are tried, whichever fails: the files left after a failure hold
  // every head that could be written. The first failure counts.
  try {
    zapisz_zalegle();
  } catch (...) {
    try {
      zapisz_glowy();
    } catch (...) {
    }
    throw;
  }
  zapisz_glowy();
}

void Indeks::zapisz_zalegle() {
  if (zalegle_.empty()) return;
  dane_.zapisz(dlugosc_rekordu_danych * static_cast<std::size_t>(zapisane_), zalegle_.data(),
               zalegle_.size());
  zapisane_ = ile_rekordow_;
  zalegle_.clear();
}

void Indeks::zapisz_glowy() {
  if (do_zapisania_.empty()) return;
  std::sort(do_zapisania_.begin(), do_zapisania_.end());
  const std::size_t koniec_glow = glowy_.rozmiar();
  // Pages a few apart in one write, the unchanged ones between them too: they
  // hold what the file holds (zeros, or what was written before), and a write
  // costs more than copying four pages (a grid column's heads lie 3 pages
  // apart). A page is marked clean only once written: a failed write leaves
  // it for the index's end to try again.
  constexpr std::uint32_t najwieksza_przerwa = 4;
  for (std::size_t i = 0; i < do_zapisania_.size();) {
    std::size_t j = i + 1;
    while (j < do_zapisania_.size() &&
           do_zapisania_[j] - do_zapisania_[j - 1] <= najwieksza_przerwa + 1) {
      ++j;
    }
    const std::size_t od = do_zapisania_[i] * strona_glow;
    const std::size_t do_ =
        std::min(koniec_glow, std::size_t{do_zapisania_[j - 1] + 1} * strona_glow);
    komorki_.zapisz(od, glowy_.dane() + od, do_ - od);
    for (std::size_t k = i; k < j; ++k) zmienione_[do_zapisania_[k]] = 0;
    i = j;
  }
  do_zapisania_.clear();
}

void Indeks::sprawdz_otwarty() const {
  if (!dane_.otwarty() || !komorki_.otwarty()) {
    throw BladPliku("the scratch index is closed", katalog_);
  }
}

void Indeks::uszkodzony() {
  throw BladDanych("the scratch index holds a record number out of range");
}

std::int32_t Indeks::dopisz_rekord(const RekordDanych& rekord) {
  sprawdz_otwarty();
  if (ile_rekordow_ == najwiekszy_numer)
    throw BladDanych("too many elements for the scratch index");
  if (zalegle_.size() + dlugosc_rekordu_danych > blok_zapisu) zapisz_zalegle();
  const std::int32_t nr = ile_rekordow_ + 1;
  // Reserved on disk now: a full disk fails here, as when written at once.
  dane_.wydluz(dlugosc_rekordu_danych * static_cast<std::size_t>(nr));
  const std::size_t koniec = zalegle_.size();
  zalegle_.resize(koniec + dlugosc_rekordu_danych);
  for (std::size_t i = 0; i < rekord.size(); ++i) {
    zapisz_f64_le(zalegle_.data() + koniec + 8 * i, rekord[i]);
  }
  ile_rekordow_ = nr;
  return nr;
}

void Indeks::rejestruj_w_komorkach(std::int32_t nr, double x_min, double x_max, double z_min,
                                   double z_max) {
  const int kolumna_od = siatka_.kolumna(x_min);
  const int kolumna_do = siatka_.kolumna(x_max);
  const int wiersz_od = siatka_.wiersz(z_min);
  const int wiersz_do = siatka_.wiersz(z_max);
  if (kolumna_od > kolumna_do || wiersz_od > wiersz_do) return;
  // Checked once for the box: the grid numbers every cell 1..1000000.
  sprawdz_otwarty();
  if (nr < 1 || nr > ile_rekordow_) uszkodzony();
  for (int kolumna = kolumna_od; kolumna <= kolumna_do; ++kolumna) {
    for (int wiersz = wiersz_od; wiersz <= wiersz_do; ++wiersz) {
      dopisz_sprawdzony(Siatka::numer(kolumna, wiersz), nr);
    }
  }
}

void Indeks::dopisz_do_komorki(std::int32_t komorka, std::int32_t nr) {
  sprawdz_otwarty();
  if (komorka < 1 || komorka > Siatka::ile_komorek || nr < 1 || nr > ile_rekordow_) uszkodzony();
  dopisz_sprawdzony(komorka, nr);
}

void Indeks::dopisz_sprawdzony(std::int32_t komorka, std::int32_t nr) {
  RekordKomorki glowa = czytaj_komorke(komorka);
  if (glowa.ostatni == 0) {
    zapisz_komorke(komorka, {komorka, 0, nr});
    return;
  }
  const std::int32_t t = glowa.ostatni;
  if (t < 1 || t > ile_rekordow_komorek_) uszkodzony();
  if (ile_rekordow_komorek_ == najwiekszy_numer)
    throw BladDanych("too many cell records for the scratch index");
  const std::int32_t k = ile_rekordow_komorek_ + 1;
  komorki_.wydluz_dopisujac(dlugosc_rekordu_komorki * static_cast<std::size_t>(k));
  ile_rekordow_komorek_ = k;
  // The order of these reads and writes matters when t is the head itself:
  // the read of t then sees the head's new `ostatni`.
  glowa = czytaj_komorke(komorka);
  glowa.ostatni = k;
  zapisz_komorke(komorka, glowa);
  RekordKomorki ogon = czytaj_komorke(t);
  ogon.nastepny = k;
  zapisz_komorke(t, ogon);
  zapisz_komorke(k, {0, 0, nr});
}

void Indeks::usun_indeks() {
  // Should closing fail, the files left behind are whole. A block that cannot
  // be written leaves both open: the index's end tries once more.
  oproznij();
  // Both are closed even when the first close fails; the first failure counts.
  try {
    dane_.zamknij();
  } catch (...) {
    try {
      komorki_.zamknij();
    } catch (...) {
    }
    throw;
  }
  komorki_.zamknij();
  usun_plik(katalog_ / nazwa_pliku_danych);
  usun_plik(katalog_ / nazwa_pliku_komorek);
}

}  // namespace wyrownik
