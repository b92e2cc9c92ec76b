#include "report/mapa_zmian.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace wyrownik {
namespace {

// 200 m square: cells of 1 m.
MapaZmian mapa(std::size_t limit_wierszy = 10) {
  return MapaZmian("a.scn", Zakres{0, 0, 200, 200}, RodzajPrzebiegu::wysokosc, limit_wierszy);
}

TEST(MapaZmian, GroundMarksEveryCellItsBoxTouchesAndNothingElse) {
  MapaZmian m = mapa();
  m.teren(10.5, 12.5, 20.5, 21.5);  // 3 x 2 cells
  m.teren(-50, -40, 300, 400);      // outside: the nearest corner cell
  m.teren(std::nan(""), 1, 1, 2);   // not ground
  int ile = 0;
  for (int r = 0; r < m.rzedy(); ++r)
    for (int k = 0; k < m.kolumny(); ++k) ile += m.zajeta(k, r);
  EXPECT_EQ(ile, 7);
  EXPECT_TRUE(m.zajeta(10, 20) && m.zajeta(12, 21));
  EXPECT_TRUE(m.zajeta(0, m.rzedy() - 1));
}

TEST(MapaZmian, ChangesArePlacedAsTheRunsReadTheLineAndRowsStopAtTheLimit) {
  MapaZmian m = mapa(1);
  m.zmiana(RodzajZmiany::wysokosc, "p.scm", 3, "include;a.inc  10 5 20 end",
           "include a.inc 10 7.5 20 end");
  m.zmiana(RodzajZmiany::przesuniecie, "p.scm", 9, "include a.inc 1 0 2 end",
           "include a.inc 4 0 6 end");
  ASSERT_EQ(m.zmiany().size(), 2u);
  EXPECT_FLOAT_EQ(m.zmiany()[0].x, 10);
  EXPECT_FLOAT_EQ(m.zmiany()[0].z, 20);
  EXPECT_FLOAT_EQ(m.zmiany()[0].dy(), 2.5);
  EXPECT_FLOAT_EQ(m.zmiany()[1].x2(), 4);
  EXPECT_FLOAT_EQ(m.zmiany()[1].z2(), 6);
  ASSERT_EQ(m.wiersze().size(), 1u);  // the second is drawn, its text left to the log
  EXPECT_EQ(m.wiersze()[0].nr_linii, 3u);
  EXPECT_EQ(m.pliki()[m.wiersze()[0].plik], "p.scm");
}

}  // namespace
}  // namespace wyrownik
