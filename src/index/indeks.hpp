// The scratch spatial index of one correction run: elements in aaa.aaa, and
// per grid cell a chain of the elements that touch it in aaa.aab.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "geometry/zakres.hpp"
#include "index/bajty_le.hpp"
#include "index/siatka.hpp"
#include "platform/blok_pamieci.hpp"
#include "platform/plik_mapowany.hpp"
#include "text/pliki_robocze.hpp"

namespace wyrownik {

// One element: nine doubles whose meaning the run gives (a triangle's three
// vertices, a track segment with its band). On disk 72 bytes, little-endian.
using RekordDanych = std::array<double, 9>;

// A point of the X/Z plane a walk starts from.
struct PunktXZ {
  double x = 0;
  double z = 0;
};

// One link of a cell's chain. On disk 12 bytes: three little-endian int32.
struct RekordKomorki {
  std::int32_t ostatni = 0;     // head record: last record of the chain, 0 when empty
  std::int32_t nastepny = 0;    // next record of the chain, 0 at its end
  std::int32_t nr_rekordu = 0;  // the element in aaa.aaa, 0 in an empty head
  bool operator==(const RekordKomorki&) const = default;
};

inline constexpr std::size_t dlugosc_rekordu_danych = 72;
inline constexpr std::size_t dlugosc_rekordu_komorki = 12;

// Records are numbered from 1: record r of aaa.aaa lies at 72 x (r - 1), of
// aaa.aab at 12 x (r - 1). Records 1..1000000 of aaa.aab are the heads of the
// cells (record number = cell number), overflow records follow.
//
// Every failure throws (BladPliku for the files, BladDanych for a record
// number out of range). An index that is destroyed without usun_indeks()
// leaves both files behind, each cut to exactly its records.
//
// New elements wait in memory in blocks and reach aaa.aaa as one write each
// (writing them through the mapping cost a page fault per page); they are
// read from wherever they are. The first heads (4 MiB of them: every head
// of a scenery up to 3.49 km along X at the finest step) live in the
// program's memory, on large pages where the system offers them (a
// registration touches a head at a scattered place, which through the
// mapping cost a page fault per 4 KiB page of heads and a TLB miss per
// walk), and the pages of them that changed reach aaa.aab as writes; the
// other heads and the overflow records are worked on through the mapping,
// so that the program's own memory stays bounded however much of the grid
// a scenery covers. oproznij() writes what is waiting of both, and so does
// the end of the index, on every path but a killed process's, whose
// scratch files the next batch removes anyway.
class Indeks {
 public:
  // Creates aaa.aaa empty and aaa.aab with 1000000 empty heads in `katalog`
  // (cutting leftovers of a failed run), opens both, and lays the grid over
  // `zakres`. aaa.aaa is created first; a failure leaves whatever was
  // created behind. Throws BladPliku.
  Indeks(const std::filesystem::path& katalog, const Zakres& zakres, OperacjeSystemu& operacje);
  ~Indeks();
  Indeks(Indeks&&) noexcept = default;
  Indeks& operator=(Indeks&&) = delete;

  // Heads 1..glowy_w_pamieci are kept in memory, the rest in the mapping.
  static constexpr std::int32_t glowy_w_pamieci = (4 << 20) / dlugosc_rekordu_komorki;
  static_assert(glowy_w_pamieci <= Siatka::ile_komorek);

  const Siatka& siatka() const { return siatka_; }
  std::int32_t ile_rekordow() const { return ile_rekordow_; }
  std::int32_t ile_rekordow_komorek() const { return ile_rekordow_komorek_; }

  // Writes the element as record ile_rekordow + 1 and returns its number.
  std::int32_t dopisz_rekord(const RekordDanych& rekord);

  // Writes the elements still waiting in memory to aaa.aaa and the heads
  // changed since to aaa.aab: a run calls it when a file has been read, so
  // that both files show every element stored.
  void oproznij();

  // Appends element `nr` to every cell the box touches: columns ascending,
  // within a column rows ascending; corners outside the grid are clamped.
  void rejestruj_w_komorkach(std::int32_t nr, double x_min, double x_max, double z_min,
                             double z_max);

  // Appends element `nr` to the chain of cell `komorka` (1..1000000) without
  // walking it: the head's `ostatni` points at the chain's end.
  void dopisz_do_komorki(std::int32_t komorka, std::int32_t nr);

  // Calls `test(const RekordDanych&)` for every element of the cell of
  // (x, z), in the order of registration.
  template <class Test>
  void przejdz_komorke(double x, double z, Test&& test) const;

  // Calls `test(k, const RekordDanych&)` for every element of the cell of
  // each point `punkty[k]`: for each point the elements przejdz_komorke()
  // visits, in its order, but the walks interleaved, one link of each in
  // turn, every next link asked of memory ahead. A walk waits on memory at
  // every link, whose place the link before it gives: so the waits of many
  // walks overlap rather than follow one another.
  template <class Test>
  void przejdz_komorki(std::span<const PunktXZ> punkty, Test&& test) const;

  // Closes both files and deletes them: the normal end of a run. Throws
  // BladPliku when closing or deleting fails.
  void usun_indeks();

 private:
  static std::size_t polozenie_komorki(std::int32_t nr) {
    return dlugosc_rekordu_komorki * static_cast<std::size_t>(nr - 1);
  }
  const char* adres_komorki(std::int32_t nr) const {
    return (nr <= glowy_w_pamieci ? glowy_.dane() : komorki_.dane()) + polozenie_komorki(nr);
  }
  const char* adres_rekordu(std::int32_t nr) const {
    return nr > zapisane_
               ? zalegle_.data() +
                     dlugosc_rekordu_danych * static_cast<std::size_t>(nr - zapisane_ - 1)
               : dane_.dane() + dlugosc_rekordu_danych * static_cast<std::size_t>(nr - 1);
  }
  RekordKomorki czytaj_komorke(std::int32_t nr) const {
    const char* p = adres_komorki(nr);
    return {czytaj_i32_le(p), czytaj_i32_le(p + 4), czytaj_i32_le(p + 8)};
  }
  void zapisz_komorke(std::int32_t nr, const RekordKomorki& r) {
    char* p;
    if (nr <= glowy_w_pamieci) {
      p = glowy_.dane() + polozenie_komorki(nr);
      const std::size_t strona = polozenie_komorki(nr) / strona_glow;
      if (zmienione_[strona] == 0) {
        zmienione_[strona] = 1;
        do_zapisania_.push_back(static_cast<std::uint32_t>(strona));
      }
    } else {
      p = komorki_.dane() + polozenie_komorki(nr);
    }
    zapisz_i32_le(p, r.ostatni);
    zapisz_i32_le(p + 4, r.nastepny);
    zapisz_i32_le(p + 8, r.nr_rekordu);
  }
  RekordDanych rekord_danych(std::int32_t nr) const {
    RekordDanych r;
    const char* p = adres_rekordu(nr);
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = czytaj_f64_le(p + 8 * i);
    return r;
  }
  // Brings in for writing, as a hint, the heads past those in memory that
  // the cells of `zakres` use: a registration would fault each page twice.
  void przygotuj_glowy_w_mapowaniu(const Zakres& zakres);
  // dopisz_do_komorki() on an open index, cell and element already checked.
  void dopisz_sprawdzony(std::int32_t komorka, std::int32_t nr);
  void sprawdz_otwarty() const;
  // Writes the elements waiting in memory to aaa.aaa: alone when a block is
  // full, with the heads when the index is emptied.
  void zapisz_zalegle();
  // Writes the pages of heads changed since the last time to aaa.aab.
  void zapisz_glowy();
  [[noreturn]] static void uszkodzony();

  std::filesystem::path katalog_;
  Siatka siatka_;
  PlikMapowany dane_;
  PlikMapowany komorki_;
  std::int32_t ile_rekordow_ = 0;
  std::int32_t ile_rekordow_komorek_ = Siatka::ile_komorek;
  // Elements 1..zapisane_ are in aaa.aaa; the rest wait here, in order.
  std::int32_t zapisane_ = 0;
  std::vector<char> zalegle_;
  // Records 1..glowy_w_pamieci of aaa.aab as the index sees them; of each
  // page of them, whether it changed since written to the file, and those that did.
  static constexpr std::size_t strona_glow = 4096;
  BlokPamieci glowy_;
  std::vector<std::uint8_t> zmienione_;
  std::vector<std::uint32_t> do_zapisania_;
};

template <class Test>
void Indeks::przejdz_komorke(double x, double z, Test&& test) const {
  sprawdz_otwarty();
  std::int32_t c = siatka_.numer_komorki(x, z);
  // A chain is never longer than the file: a damaged one (out of range, or
  // looping) ends the run, not the program.
  std::int32_t zapas = ile_rekordow_komorek_;
  while (c != 0) {
    if (c < 1 || c > ile_rekordow_komorek_ || zapas-- == 0) uszkodzony();
    const RekordKomorki r = czytaj_komorke(c);
    if (r.nr_rekordu > 0) {
      if (r.nr_rekordu > ile_rekordow_) uszkodzony();
      const RekordDanych rekord = rekord_danych(r.nr_rekordu);
      test(rekord);
    }
    c = r.nastepny;
  }
}

template <class Test>
void Indeks::przejdz_komorki(std::span<const PunktXZ> punkty, Test&& test) const {
  sprawdz_otwarty();
  // As many walks at once as the core can have misses outstanding, and some;
  // a walk that ends makes room for the next point's.
  constexpr std::size_t naraz = 16;
  struct Przejscie {
    std::int32_t komorka;
    std::int32_t zapas;
    std::int32_t rekord;
    std::uint32_t k;
  };
  std::array<Przejscie, naraz> przejscia;
  std::size_t ile = 0;
  std::size_t nastepny = 0;
  const auto zacznij = [&](Przejscie& p) {
    const PunktXZ& punkt = punkty[nastepny];
    p = {siatka_.numer_komorki(punkt.x, punkt.z), ile_rekordow_komorek_, 0,
         static_cast<std::uint32_t>(nastepny)};
    ++nastepny;
    __builtin_prefetch(adres_komorki(p.komorka));
  };
  while (ile < naraz && nastepny < punkty.size()) zacznij(przejscia[ile++]);
  while (ile > 0) {
    // A link of each walk: its element and the next link asked for.
    for (std::size_t i = 0; i < ile; ++i) {
      Przejscie& p = przejscia[i];
      // A chain is never longer than the file (see przejdz_komorke).
      if (p.komorka < 1 || p.komorka > ile_rekordow_komorek_ || p.zapas-- == 0) uszkodzony();
      const RekordKomorki r = czytaj_komorke(p.komorka);
      p.rekord = r.nr_rekordu;
      if (p.rekord > 0) {
        if (p.rekord > ile_rekordow_) uszkodzony();
        const char* a = adres_rekordu(p.rekord);
        __builtin_prefetch(a);
        __builtin_prefetch(a + dlugosc_rekordu_danych - 1);
      }
      p.komorka = r.nastepny;
      if (p.komorka >= 1 && p.komorka <= ile_rekordow_komorek_)
        __builtin_prefetch(adres_komorki(p.komorka));
    }
    // Their elements; a walk at its end gives its place to the next point.
    std::size_t zostaje = 0;
    for (std::size_t i = 0; i < ile; ++i) {
      Przejscie& p = przejscia[i];
      if (p.rekord > 0) test(static_cast<std::size_t>(p.k), rekord_danych(p.rekord));
      if (p.komorka != 0) {
        przejscia[zostaje++] = p;
      } else if (nastepny < punkty.size()) {
        zacznij(przejscia[zostaje++]);
      }
    }
    ile = zostaje;
  }
}

}  // namespace wyrownik
