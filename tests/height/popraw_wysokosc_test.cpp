#include "height/popraw_wysokosc.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace wyrownik {
namespace {

Trojkat plaski(double y) {
  return {{{{0, y, 0}, {100, y, 0}, {0, y, 100}}}};
}

class PoprawWysokosc : public ::testing::Test {
 protected:
  std::optional<std::string> popraw(std::string_view linia) {
    return popraw_wysokosc(linia, konf, pasmo,
                           [this](double, double, const std::function<void(const Trojkat&)>& f) {
                             for (const auto& t : teren) f(t);
                           });
  }
  UstawieniaWysokosci konf{{"*"}, {"grass"}, {}, false, false};
  Pasmo pasmo{0.5, 11};
  std::vector<Trojkat> teren{plaski(7.125)};
};

TEST_F(PoprawWysokosc, SetsTheGroundHeightRoundedHalfToEven) {
  EXPECT_EQ(popraw("include obiekty/drzewo.inc 10 5 20 0 end"),
            "include obiekty/drzewo.inc 10 7.12 20 0 end");
}

TEST_F(PoprawWysokosc, BandBoundsAreInclusiveAndTestedBeforeRounding) {
  EXPECT_TRUE(popraw("include a.inc 10 6.625 20 end"));   // difference exactly 0.5
  EXPECT_FALSE(popraw("include a.inc 10 7.0 20 end"));    // 0.125
  EXPECT_TRUE(popraw("include a.inc 10 -3.875 20 end"));  // exactly 11
  EXPECT_FALSE(popraw("include a.inc 10 -3.876 20 end"));
}

TEST_F(PoprawWysokosc, PositionOutsideEveryTriangleStaysAsRead) {
  EXPECT_FALSE(popraw("include a.inc 150 5 20 end"));
  EXPECT_TRUE(popraw("include a.inc 100 5 0 end"));  // on a vertex
  EXPECT_TRUE(popraw("include a.inc 50 5 50 end"));  // on the slanted edge
  EXPECT_TRUE(popraw("include a.inc 0 5 30 end"));   // on an edge along the ray
}

TEST_F(PoprawWysokosc, HighestContainingTriangleWins) {
  teren = {plaski(4), plaski(9), {{{{200, 50, 0}, {300, 50, 0}, {200, 50, 100}}}}};
  EXPECT_EQ(popraw("include a.inc 10 0 20 end"), "include a.inc 10 9 20 end");
  teren = {plaski(-0.25)};
  EXPECT_EQ(popraw("include a.inc 10 5 20 end"), "include a.inc 10 -0.25 20 end");
}

TEST_F(PoprawWysokosc, RebuiltLineIsNormalised) {
  EXPECT_EQ(popraw("include\ta.inc  10 5 20 0 end;"), "include a.inc 10 7.12 20 0 end");
}

TEST_F(PoprawWysokosc, SelectionByWholeBaseNameAndExceptions) {
  konf.lista_inc = {"drzewo.inc"};
  EXPECT_TRUE(popraw("include obiekty\\Drzewo.INC 10 5 20 end"));
  konf.lista_inc = {"drzewo"};
  EXPECT_FALSE(popraw("include obiekty\\Drzewo.INC 10 5 20 end"));
  konf.lista_inc = {"*"};
  konf.lista_wyjatkow = {"drz"};
  EXPECT_FALSE(popraw("include obiekty/drzewo.inc 10 50 20 end"));
}

TEST_F(PoprawWysokosc, TripleIsTheFirstRunOfThree) {
  EXPECT_EQ(popraw("include a.inc 1 2 x 10 5 20 end"), "include a.inc 1 2 x 10 7.12 20 end");
  EXPECT_FALSE(popraw("include a.inc 10 5 x 20 end"));
  EXPECT_FALSE(popraw("include a.inc 10 5"));  // fewer than five tokens
}

TEST(PunktWTrojkacie, EdgesVerticesAndRays) {
  const Trojkat t{{{{0, 0, 0}, {10, 0, 0}, {0, 0, 10}}}};
  EXPECT_TRUE(punkt_w_trojkacie(2, 3, t));
  EXPECT_TRUE(punkt_w_trojkacie(0, 0, t));
  EXPECT_TRUE(punkt_w_trojkacie(5, 5, t));
  EXPECT_FALSE(punkt_w_trojkacie(5.0001, 5, t));
  EXPECT_FALSE(punkt_w_trojkacie(-1, 5, t));
  // A ray through the apex meets both of its edges and counts two.
  const Trojkat szpic{{{{0, 0, 0}, {10, 0, 10}, {20, 0, 0}}}};
  EXPECT_FALSE(punkt_w_trojkacie(30, 10, szpic));
  EXPECT_TRUE(punkt_w_trojkacie(10, 5, szpic));
  // Farther than 20000 along X the rays see nothing.
  const Trojkat szeroki{{{{-50000, 0, -10}, {50000, 0, -10}, {0, 0, 10}}}};
  EXPECT_FALSE(punkt_w_trojkacie(0, 0, szeroki));
}

}  // namespace
}  // namespace wyrownik
