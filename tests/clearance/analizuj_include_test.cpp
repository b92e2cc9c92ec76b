#include "clearance/analizuj_include.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace wyrownik {
namespace {

class Skrajnia : public ::testing::Test {
 protected:
  WerdyktSkrajni werdykt(std::string_view linia) {
    wynik.clear();
    return werdykt_skrajni(
        linia, u,
        [this](double, double, const std::function<void(const OdcinekToru&)>& f) {
          for (const auto& o : tory) f(o);
        },
        wynik);
  }
  void dodaj(double x1, double z1, double x2, double z2) {
    tory.push_back(*utworz_odcinek(x1, z1, x2, z2, 2));
  }

  UstawieniaSkrajni u{{"*"}, 40, 7};
  std::vector<OdcinekToru> tory;
  std::string wynik;
};

// Radius 5 as parameter 7 (parameters count from token 3).
constexpr const char* obiekt = "include obj.inc %s 0 %s 1 2 3 5 end";

std::string linia(const char* x, const char* z) {
  char buf[128];
  std::snprintf(buf, sizeof buf, obiekt, x, z);
  return buf;
}

TEST_F(Skrajnia, PushesAnObjectClearOfTheTrack) {
  dodaj(0, 0, 100, 0);
  EXPECT_EQ(werdykt(linia("50", "3")), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, linia("50", "6"));
}

TEST_F(Skrajnia, RemovesAnObjectPushedOntoAnotherTrack) {
  dodaj(0, 0, 100, 0);
  dodaj(0, 10, 100, 10);
  EXPECT_EQ(werdykt(linia("50", "4")), WerdyktSkrajni::usun);
}

TEST_F(Skrajnia, ProbeMustReachTheChord) {
  dodaj(0, 0, 100, 0);
  EXPECT_EQ(werdykt(linia("50", "5.5")),
            WerdyktSkrajni::zostaw);  // within 6, but the probe is 5 long
  EXPECT_EQ(werdykt(linia("120", "2")), WerdyktSkrajni::zostaw);  // beyond the chord's end
}

TEST_F(Skrajnia, ObjectOnTheChordGoesToTheNormalSide) {
  dodaj(0, 0, 100, 0);
  EXPECT_EQ(werdykt(linia("50", "0")), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, linia("50", "6"));
  // Below the chord it is pushed further down.
  EXPECT_EQ(werdykt(linia("50", "-1")), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, linia("50", "-6"));
}

TEST_F(Skrajnia, ObjectOnASlantedChordGoesToTheNormalSideToo) {
  // Chord (0,0)-(6,8): normal (0.8, -0.6), A = P + (1 + 3) n, where two
  // rounded distances to A and B differ in the last bit either way.
  dodaj(0, 0, 6, 8);
  u = {{"*"}, 3, 0};
  EXPECT_EQ(werdykt("include obj.inc 5.1 0 6.8 end"), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, "include obj.inc 8.3 0 4.4 end");
  char przed[64];
  for (int m = 1; m < 32; ++m) {  // (0.1875 m, 0.25 m) lies exactly on the chord
    std::snprintf(przed, sizeof przed, "include obj.inc %.4f 0 %.2f end", 0.1875 * m, 0.25 * m);
    ASSERT_EQ(werdykt(przed), WerdyktSkrajni::przesun) << przed;
    EXPECT_NEAR(std::stod(wynik.substr(16)), 0.1875 * m + 3.2, 0.006) << przed;  // to A
  }
  // Beside the chord, the nearer side.
  EXPECT_EQ(werdykt("include obj.inc 3 0 4.01 end"), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, "include obj.inc -0.2 0 6.41 end");
}

TEST_F(Skrajnia, RadiusFromTheChosenParameterOrTheMaximum) {
  dodaj(0, 0, 100, 0);
  u.nr_parametru = 0;  // objects carry no radius: 40 for all
  EXPECT_EQ(werdykt(linia("50", "3")), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, linia("50", "41"));
  u.nr_parametru = 7;
  EXPECT_EQ(werdykt("include obj.inc 50 0 3 end x"),
            WerdyktSkrajni::przesun);  // too few parameters
  EXPECT_EQ(wynik, "include obj.inc 50 0 41 end x");
  // A radius token that is a word reads as 0: no clash at all.
  EXPECT_EQ(werdykt("include obj.inc 50 0 3 1 2 3 r end"), WerdyktSkrajni::zostaw);
}

TEST_F(Skrajnia, SelectionByBaseNameInAnyCase) {
  dodaj(0, 0, 100, 0);
  u.lista_inc = {"OBJ.INC"};
  EXPECT_EQ(werdykt("include dir/obj.inc 50 0 3 1 2 3 5 end"), WerdyktSkrajni::przesun);
  u.lista_inc = {"other.inc"};
  EXPECT_EQ(werdykt(linia("50", "3")), WerdyktSkrajni::zostaw);
}

TEST_F(Skrajnia, PositionIsTheFirstRunOfThree) {
  dodaj(0, 0, 100, 0);
  u.maks_promien = 5;  // no token 9: the maximum radius
  EXPECT_EQ(werdykt("include obj.inc x 50 0 3 5 end"), WerdyktSkrajni::przesun);
  EXPECT_EQ(wynik, "include obj.inc x 50 0 6 5 end");
  EXPECT_EQ(werdykt("include obj.inc 50 0 x 3 end 1 2"), WerdyktSkrajni::zostaw);
  EXPECT_EQ(werdykt("include obj.inc 50 3 end"), WerdyktSkrajni::zostaw);
}

TEST_F(Skrajnia, LastClashInStoredOrderWins) {
  dodaj(0, 0, 100, 0);     // pushes (50, 3) to (50, 6)
  dodaj(50, -50, 50, 50);  // pushes it to (56, 3)
  EXPECT_EQ(werdykt(linia("50", "3")), WerdyktSkrajni::usun);
  u.lista_inc = {"*"};
  std::string raz;
  ASSERT_TRUE(analizuj_include(
      linia("50", "3"), u,
      [&](double, double, const std::function<void(const OdcinekToru&)>& f) {
        for (const auto& o : tory) f(o);
      },
      raz));
  EXPECT_EQ(raz, linia("56", "3"));  // a tie goes to A
}

TEST(OdcinekToru, SignsNormalsAndLengths) {
  const auto wzdluz_x = *utworz_odcinek(0, 0, 10, 0, 1);
  EXPECT_EQ(wzdluz_x.s, 1);
  EXPECT_EQ(wzdluz_x.normalna(), (std::array<double, 2>{0, 1}));
  const auto wzdluz_z = *utworz_odcinek(0, 0, 0, 10, 1);
  EXPECT_EQ(wzdluz_z.s, 1);
  EXPECT_EQ(wzdluz_z.normalna(), (std::array<double, 2>{1, 0}));
  const auto skos = *utworz_odcinek(0, 0, 3, 4, 1);
  EXPECT_EQ(skos.s, -1);
  EXPECT_DOUBLE_EQ(skos.normalna()[0], 0.8);
  EXPECT_DOUBLE_EQ(skos.normalna()[1], -0.6);
  EXPECT_FALSE(utworz_odcinek(0, 0, 0.6, 0.79, 1));
  EXPECT_TRUE(utworz_odcinek(0, 0, 0.6, 0.8, 1));
  const auto rekord = skos.jako_rekord();
  EXPECT_EQ(rekord[1], 0.0);
  EXPECT_EQ(rekord[4], 0.0);
  EXPECT_EQ(rekord[6], -1.0);
  EXPECT_EQ(rekord[7], 5.0);
}

TEST(OdcinekToru, StripReachesWidthPlusMaximumRadius) {
  const auto o = *utworz_odcinek(0, 0, 100, 0, 1.835);
  const auto p = pas_odcinka(o, 40);
  EXPECT_DOUBLE_EQ(p.z_max, 41.835);
  EXPECT_DOUBLE_EQ(p.z_min, -41.835);
  EXPECT_DOUBLE_EQ(p.x_min, 0);
  EXPECT_DOUBLE_EQ(p.x_max, 100);
}

}  // namespace
}  // namespace wyrownik
