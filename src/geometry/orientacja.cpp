#include "geometry/orientacja.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace wyrownik {

namespace {

// A double sum or product as the rounded result and its exact error: the two
// add up to the true value (Knuth's two-sum; the product through fma).
struct Para {
  double wynik, blad;
};

Para dwie_sumy(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

Para dwa_iloczyny(double a, double b) {
  const double p = a * b;
  return {p, std::fma(a, b, -p)};
}

// Sign of the exact sum of the terms: each is added into a nonoverlapping
// expansion (components in increasing magnitude, their exact sum the sum of
// the terms so far); the sign of such a sum is that of its largest nonzero
// component.
template <std::size_t N>
int znak_sumy(const std::array<double, N>& skladniki) {
  std::array<double, N> rozwiniecie{};
  std::size_t dlugosc = 0;
  for (const double b : skladniki) {
    double q = b;
    std::size_t nowa = 0;
    for (std::size_t i = 0; i < dlugosc; ++i) {
      const Para s = dwie_sumy(q, rozwiniecie[i]);
      q = s.wynik;
      if (s.blad != 0) rozwiniecie[nowa++] = s.blad;
    }
    rozwiniecie[nowa++] = q;
    dlugosc = nowa;
  }
  for (std::size_t i = dlugosc; i-- > 0;) {
    if (rozwiniecie[i] > 0) return 1;
    if (rozwiniecie[i] < 0) return -1;
  }
  return 0;
}

}  // namespace

int znak_orientacji(double ax, double az, double bx, double bz, double px, double pz) {
  const double lewy = (bx - ax) * (pz - az);
  const double prawy = (bz - az) * (px - ax);
  const double wyznacznik = lewy - prawy;
  // The rounded value decides when it lies farther from 0 than its error can
  // reach (the bound covers the rounding of the differences, the products and
  // the subtraction; the build never fuses them).
  constexpr double epsilon = 0x1p-53;
  constexpr double granica = (3.0 + 16.0 * epsilon) * epsilon;
  if (std::abs(wyznacznik) > granica * (std::abs(lewy) + std::abs(prawy))) {
    return wyznacznik > 0 ? 1 : -1;
  }
  // Near 0: every difference and product split into exact parts.
  const Para dx1 = dwie_sumy(bx, -ax), dz2 = dwie_sumy(pz, -az);
  const Para dz1 = dwie_sumy(bz, -az), dx2 = dwie_sumy(px, -ax);
  std::array<double, 16> skladniki{};
  std::size_t n = 0;
  for (const double u : {dx1.wynik, dx1.blad}) {
    for (const double v : {dz2.wynik, dz2.blad}) {
      const Para p = dwa_iloczyny(u, v);
      skladniki[n++] = p.wynik;
      skladniki[n++] = p.blad;
    }
  }
  for (const double u : {dz1.wynik, dz1.blad}) {
    for (const double v : {dx2.wynik, dx2.blad}) {
      const Para p = dwa_iloczyny(u, v);
      skladniki[n++] = -p.wynik;
      skladniki[n++] = -p.blad;
    }
  }
  return znak_sumy(skladniki);
}

bool na_odcinku(double px, double pz, double ax, double az, double bx, double bz) {
  return px >= std::min(ax, bx) && px <= std::max(ax, bx) && pz >= std::min(az, bz) &&
         pz <= std::max(az, bz) && znak_orientacji(ax, az, bx, bz, px, pz) == 0;
}

}  // namespace wyrownik
