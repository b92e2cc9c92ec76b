#include "text/tekst_wspolrzednej.hpp"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "platform/bledy.hpp"
#include "text/blad_danych.hpp"
#include "text/linia.hpp"

namespace wyrownik {
namespace {

TEST(TekstWspolrzednej, PlainValues) {
  EXPECT_EQ(tekst_wspolrzednej(12), "12");
  EXPECT_EQ(tekst_wspolrzednej(12.30), "12.3");
  EXPECT_EQ(tekst_wspolrzednej(0.5), "0.5");
  EXPECT_EQ(tekst_wspolrzednej(-0.05), "-0.05");
  EXPECT_EQ(tekst_wspolrzednej(234.567), "234.57");
  EXPECT_EQ(tekst_wspolrzednej(-7.004), "-7");
  EXPECT_EQ(tekst_wspolrzednej(0.004), "0");
  EXPECT_EQ(tekst_wspolrzednej(100), "100");
  EXPECT_EQ(tekst_wspolrzednej(-0.25), "-0.25");
  EXPECT_EQ(tekst_wspolrzednej(0), "0");
  EXPECT_EQ(tekst_wspolrzednej(-12.5), "-12.5");
  EXPECT_EQ(tekst_wspolrzednej(1000.1), "1000.1");
  EXPECT_EQ(tekst_wspolrzednej(0.999), "1");
  EXPECT_EQ(tekst_wspolrzednej(-99.999), "-100");
  EXPECT_EQ(tekst_wspolrzednej(0.07), "0.07");
  EXPECT_EQ(tekst_wspolrzednej(-1234567.891), "-1234567.89");
}

TEST(TekstWspolrzednej, ZeroIsNeverNegative) {
  EXPECT_EQ(tekst_wspolrzednej(-0.0), "0");
  EXPECT_EQ(tekst_wspolrzednej(-0.004), "0");
  EXPECT_EQ(tekst_wspolrzednej(-0.0049999), "0");
  // -0.005 is really -0.00500000000000000010..., past the half.
  EXPECT_EQ(tekst_wspolrzednej(-0.005), "-0.01");
  EXPECT_EQ(tekst_wspolrzednej(-std::numeric_limits<double>::denorm_min()), "0");
  EXPECT_EQ(tekst_wspolrzednej(std::numeric_limits<double>::min()), "0");
}

TEST(TekstWspolrzednej, ExactHalvesGoToTheEvenDigit) {
  // Eighths are exact in binary: x.125 and x.625 are true halves at 2 decimals.
  EXPECT_EQ(tekst_wspolrzednej(7.125), "7.12");
  EXPECT_EQ(tekst_wspolrzednej(0.125), "0.12");
  EXPECT_EQ(tekst_wspolrzednej(0.375), "0.38");
  EXPECT_EQ(tekst_wspolrzednej(0.625), "0.62");
  EXPECT_EQ(tekst_wspolrzednej(0.875), "0.88");
  EXPECT_EQ(tekst_wspolrzednej(-7.125), "-7.12");
  EXPECT_EQ(tekst_wspolrzednej(-0.375), "-0.38");
  EXPECT_EQ(tekst_wspolrzednej(1023.875), "1023.88");
  EXPECT_EQ(tekst_wspolrzednej(4194303.625), "4194303.62");
  // A half at the whole number (from 10^13 on fewer decimals are kept).
  EXPECT_EQ(tekst_wspolrzednej(123456789012344.5), "123456789012344");
  EXPECT_EQ(tekst_wspolrzednej(123456789012345.5), "123456789012346");
  EXPECT_EQ(tekst_wspolrzednej(12345678901234.25), "12345678901234.2");
  EXPECT_EQ(tekst_wspolrzednej(12345678901234.75), "12345678901234.8");
}

TEST(TekstWspolrzednej, NearHalvesFollowTheTrueBinaryValue) {
  EXPECT_EQ(tekst_wspolrzednej(2.675), "2.67");  // 2.67499999999999982...
  EXPECT_EQ(tekst_wspolrzednej(1.005), "1");     // 1.00499999999999989...
  EXPECT_EQ(tekst_wspolrzednej(0.015), "0.01");  // 0.01499999999999999944...
  EXPECT_EQ(tekst_wspolrzednej(0.045), "0.04");
  EXPECT_EQ(tekst_wspolrzednej(1.115), "1.11");
  EXPECT_EQ(tekst_wspolrzednej(8.345), "8.35");  // 8.34500000000000063...
  EXPECT_EQ(tekst_wspolrzednej(0.005), "0.01");
  // One step either side of a true half.
  EXPECT_EQ(tekst_wspolrzednej(std::nextafter(7.125, 8.0)), "7.13");
  EXPECT_EQ(tekst_wspolrzednej(std::nextafter(7.125, 7.0)), "7.12");
  EXPECT_EQ(tekst_wspolrzednej(std::nextafter(0.375, 0.0)), "0.37");
  EXPECT_EQ(tekst_wspolrzednej(std::nextafter(0.375, 1.0)), "0.38");
  EXPECT_EQ(tekst_wspolrzednej(std::nextafter(-0.625, 0.0)), "-0.62");
  EXPECT_EQ(tekst_wspolrzednej(std::nextafter(-0.625, -1.0)), "-0.63");
}

TEST(TekstWspolrzednej, AtMostFifteenSignificantDigits) {
  EXPECT_EQ(tekst_wspolrzednej(9999999999999.99), "9999999999999.99");
  EXPECT_EQ(tekst_wspolrzednej(9999999999999.996), "10000000000000");
  EXPECT_EQ(tekst_wspolrzednej(12345678901234.567), "12345678901234.6");
  EXPECT_EQ(tekst_wspolrzednej(123456789012345.67), "123456789012346");
  EXPECT_EQ(tekst_wspolrzednej(-99999999999999.97), "-100000000000000");
  // Two steps: 2 decimal places first, then 15 digits of that value.
  EXPECT_EQ(tekst_wspolrzednej(12345678901234.148), "12345678901234.2");
  EXPECT_EQ(tekst_wspolrzednej(-12345678901234.148), "-12345678901234.2");
  EXPECT_EQ(tekst_wspolrzednej(12345678901234.25), "12345678901234.2");  // a true half: even
  EXPECT_EQ(tekst_wspolrzednej(123456789012344.496), "123456789012344");
  // Rounding that reaches 10^15 takes the exponent form of larger values.
  EXPECT_EQ(tekst_wspolrzednej(999999999999999.5), "1E+15");
  EXPECT_EQ(tekst_wspolrzednej(999999999999999.4), "999999999999999");
}

TEST(TekstWspolrzednej, LargeValuesInExponentForm) {
  EXPECT_EQ(tekst_wspolrzednej(1e15), "1E+15");
  EXPECT_EQ(tekst_wspolrzednej(-2.5e15), "-2.5E+15");
  EXPECT_EQ(tekst_wspolrzednej(1234567890123456789.0), "1.23456789012346E+18");
  EXPECT_EQ(tekst_wspolrzednej(1e300), "1E+300");
  // A half at the 15th digit goes to the even digit.
  EXPECT_EQ(tekst_wspolrzednej(1000000000000005.0), "1E+15");
  EXPECT_EQ(tekst_wspolrzednej(1000000000000015.0), "1.00000000000002E+15");
  // The text reads back as a numeric token.
  EXPECT_EQ(liczba("1.23456789012346E+18"), 1.23456789012346e18);
}

TEST(TekstWspolrzednej, TheLargestValuesStillReadBack) {
  // 15 digits would round past the largest double and read as no number.
  const double najwieksza = std::numeric_limits<double>::max();
  EXPECT_EQ(tekst_wspolrzednej(najwieksza), "1.7976931348623157E+308");
  EXPECT_EQ(tekst_wspolrzednej(-najwieksza), "-1.7976931348623157E+308");
  EXPECT_EQ(liczba(tekst_wspolrzednej(najwieksza)), najwieksza);
  EXPECT_EQ(tekst_wspolrzednej(1.5e308), "1.5E+308");
}

TEST(TekstWspolrzednej, NonFiniteValuesAreRefused) {
  EXPECT_THROW(tekst_wspolrzednej(std::numeric_limits<double>::infinity()), BladDanych);
  EXPECT_THROW(tekst_wspolrzednej(-std::numeric_limits<double>::infinity()), BladDanych);
  EXPECT_THROW(tekst_wspolrzednej(std::numeric_limits<double>::quiet_NaN()), BladDanych);
}

// The fixed form of std::to_chars rounds the exact binary value too; below
// 10^13 both must agree once trailing zeros and the sign of zero are dropped.
std::string wzorzec(double v) {
  std::array<char, 64> bufor{};
  const auto wynik =
      std::to_chars(bufor.data(), bufor.data() + bufor.size(), v, std::chars_format::fixed, 2);
  std::string tekst(bufor.data(), wynik.ptr);
  while (tekst.back() == '0') tekst.pop_back();
  if (tekst.back() == '.') tekst.pop_back();
  if (tekst == "-0") tekst = "0";
  return tekst;
}

TEST(TekstWspolrzednej, AgreesWithExactRoundingOnManyValues) {
  std::mt19937_64 los(20240611);
  std::uniform_real_distribution<double> wykladnik(-12.0, 13.0);
  std::uniform_int_distribution<int> setne(-400000, 400000);
  for (int i = 0; i < 200000; ++i) {
    // Random magnitudes, plus values right at and next to true halves.
    const double v = std::copysign(std::pow(10.0, wykladnik(los)), i % 2 ? 1.0 : -1.0);
    ASSERT_EQ(tekst_wspolrzednej(v), wzorzec(v)) << v;
    const double polowka = (setne(los) + 0.5) / 100.0;
    for (double w : {polowka, std::nextafter(polowka, 1e9), std::nextafter(polowka, -1e9)}) {
      ASSERT_EQ(tekst_wspolrzednej(w), wzorzec(w)) << w;
    }
    const double osemka = setne(los) / 8.0;
    ASSERT_EQ(tekst_wspolrzednej(osemka), wzorzec(osemka)) << osemka;
  }
}

TEST(TekstWspolrzednej, TextReadsBackAsTheRoundedValue) {
  std::mt19937_64 los(7);
  std::uniform_real_distribution<double> wartosc(-50000.0, 50000.0);
  for (int i = 0; i < 100000; ++i) {
    const double v = wartosc(los);
    const std::string tekst = tekst_wspolrzednej(v);
    const auto odczyt = liczba(tekst);
    ASSERT_TRUE(odczyt) << tekst;
    EXPECT_LE(std::fabs(*odczyt - v), 0.005 + 1e-9) << tekst;
    EXPECT_EQ(tekst.find('e'), std::string::npos);
  }
}

// The whole-number fixed form must be to_chars' byte for byte: random
// magnitudes, true halves of every place count and their neighbours, signed
// zeros, and the ranges where the fallback takes over.
TEST(Stalopozycyjnie, WritesWhatToCharsWrites) {
  const auto wzor = [](double v, int cyfry) {
    std::array<char, 400> b{};
    const auto w = std::to_chars(b.data(), b.data() + b.size(), v, std::chars_format::fixed, cyfry);
    return std::string(b.data(), w.ptr);
  };
  const auto sprawdz = [&](double v) {
    for (int cyfry = 0; cyfry <= 4; ++cyfry) {
      std::string s = "x";
      dopisz_stalopozycyjnie(s, v, cyfry);
      ASSERT_EQ(s, "x" + wzor(v, cyfry)) << v << " " << cyfry;
    }
  };
  for (double v : {0.0, -0.0, -0.0004, 0.5, 1.5, 2.5, -2.5, 0.125, 0.0625, 5e-324, 1e-300, 999.9995,
                   1e15, -1e15, 123456789012345.6, 1e300, std::numeric_limits<double>::max()}) {
    sprawdz(v);
  }
  std::mt19937_64 los(91);
  std::uniform_real_distribution<double> wykladnik(-8.0, 16.0);
  std::uniform_int_distribution<int> czesci(-4000000, 4000000);
  for (int i = 0; i < 50000; ++i) {
    sprawdz(std::copysign(std::pow(10.0, wykladnik(los)), i % 2 ? 1.0 : -1.0));
    const double polowka = czesci(los) / 16.0;
    for (double w : {polowka, std::nextafter(polowka, 1e9), std::nextafter(polowka, -1e9)})
      sprawdz(w);
  }
}

}  // namespace
}  // namespace wyrownik
