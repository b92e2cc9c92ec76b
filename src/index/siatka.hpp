// The uniform grid the scratch index lays over a scenery's X/Z extents.
#pragma once

#include <cstdint>

#include "geometry/zakres.hpp"

namespace wyrownik {

// 1000 x 1000 cells whatever the size of the scenery. Cells are at least 10
// units wide, so a small scenery fills only part of the grid; and because the
// step is rounded down, the last column and row also take the strip beyond
// min + 999 x step.
class Siatka {
 public:
  static constexpr int rozmiar_siatki = 1000;
  static constexpr std::int32_t ile_komorek = rozmiar_siatki * rozmiar_siatki;

  explicit Siatka(const Zakres& zakres);

  double krok_x() const { return krok_x_; }
  double krok_z() const { return krok_z_; }

  // Column along X and row along Z, 1..1000; points outside the extents fall
  // into the border cells.
  int kolumna(double x) const { return indeks(x, min_x_, krok_x_); }
  int wiersz(double z) const { return indeks(z, min_z_, krok_z_); }

  // row + 1000 x (column - 1): column 1 holds cells 1..1000.
  static std::int32_t numer(int kolumna, int wiersz) {
    return wiersz + rozmiar_siatki * (kolumna - 1);
  }
  std::int32_t numer_komorki(double x, double z) const { return numer(kolumna(x), wiersz(z)); }

 private:
  // floor((wartosc - poczatek) / krok) + 1, clamped to 1..1000 while still a
  // double (a point far away must not overflow the int), NaN to 1. Inline
  // and without floor(), a library call on the baseline x86-64: four calls
  // for every triangle stored. Below 1000 and not negative, truncation is
  // the floor.
  static int indeks(double wartosc, double poczatek, double krok) {
    const double q = (wartosc - poczatek) / krok;
    if (!(q >= 0)) return 1;
    if (q >= rozmiar_siatki) return rozmiar_siatki;
    return static_cast<int>(q) + 1;
  }

  double min_x_, min_z_;
  double krok_x_, krok_z_;
};

// floor(extent / 1000), raised to 10 when smaller.
double krok_siatki(double minimum, double maksimum);

}  // namespace wyrownik
