#include "geometry/orientacja.hpp"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace wyrownik {
namespace {

// The determinant's sign in rational arithmetic: every double is a rational.
int znak_wymierny(double ax, double az, double bx, double bz, double px, double pz) {
  const mpq_class w = (mpq_class(bx) - mpq_class(ax)) * (mpq_class(pz) - mpq_class(az)) -
                      (mpq_class(bz) - mpq_class(az)) * (mpq_class(px) - mpq_class(ax));
  return sgn(w);
}

TEST(Orientacja, PointsBuiltOnASlantedLineAndTheirNeighboursOneUlpAway) {
  // Multiples of a binary-exact direction lie exactly on the line; their
  // rounded cross products need not be 0.
  const double dx = 0.375, dz = 1.1875;
  for (int k = 1; k < 200; ++k) {
    const double px = 3 + k * dx, pz = -7 + k * dz;
    EXPECT_EQ(znak_orientacji(3, -7, 3 + 300 * dx, -7 + 300 * dz, px, pz), 0) << k;
    EXPECT_TRUE(na_odcinku(px, pz, 3, -7, 3 + 300 * dx, -7 + 300 * dz)) << k;
    const double obok = std::nextafter(px, 1e9);
    EXPECT_NE(znak_orientacji(3, -7, 3 + 300 * dx, -7 + 300 * dz, obok, pz), 0) << k;
    EXPECT_FALSE(na_odcinku(obok, pz, 3, -7, 3 + 300 * dx, -7 + 300 * dz)) << k;
  }
  // End points belong to the closed segment; beyond them, on the line, not.
  EXPECT_TRUE(na_odcinku(3, -7, 3, -7, 6, 2));
  EXPECT_TRUE(na_odcinku(6, 2, 3, -7, 6, 2));
  EXPECT_FALSE(na_odcinku(9, 11, 3, -7, 6, 2));
  EXPECT_TRUE(na_odcinku(1, 1, 1, 1, 1, 1));
}

TEST(Orientacja, AgreesWithRationalArithmeticOnSceneryCoordinates) {
  // Two-decimal coordinates as sceneries have them, and points on or next
  // to the line between them, computed in doubles.
  std::mt19937_64 los(2026);
  std::uniform_int_distribution<int> setne(-2'000'000, 2'000'000);
  std::uniform_real_distribution<double> t(0, 1);
  std::uniform_int_distribution<int> krok(-2, 2);
  int zera = 0;
  for (int i = 0; i < 20000; ++i) {
    const double ax = setne(los) / 100.0, az = setne(los) / 100.0;
    const double bx = setne(los) / 100.0, bz = setne(los) / 100.0;
    const double s = i % 2 ? t(los) : std::round(t(los) * 8) / 8;
    double px = ax + s * (bx - ax), pz = az + s * (bz - az);
    for (int j = krok(los); j != 0; j += j > 0 ? -1 : 1) px = std::nextafter(px, j * 1e9);
    const int wymierny = znak_wymierny(ax, az, bx, bz, px, pz);
    ASSERT_EQ(znak_orientacji(ax, az, bx, bz, px, pz), wymierny)
        << ax << " " << az << " " << bx << " " << bz << " " << px << " " << pz;
    zera += wymierny == 0;
  }
  EXPECT_GT(zera, 100);  // the exact case was met, not only the easy ones
}

}  // namespace
}  // namespace wyrownik
