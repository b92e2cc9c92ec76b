#include "scenery/wierzcholki_skanu.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace wyrownik {
namespace {

// Run r of file f: header 10 r + 1, three vertices, one of them new, two
// met before (a corner again, and the first vertex of the file).
BiegWierzcholkow bieg(std::uint64_t r) {
  return {10 * r + 1, 100 * r, 3};
}
std::vector<PunktSkanu> punkty(std::size_t f, std::uint64_t r) {
  const double v = static_cast<double>(r) + 0.5;
  return {{v, -0.0, static_cast<double>(f)}, {v, -0.0, static_cast<double>(f)}, {0.25, 1, 2}};
}

using Bity = std::array<std::uint64_t, 3>;
Bity bity(const PunktSkanu& p) {
  return std::bit_cast<Bity>(p);
}

// Two files written part by part at once until the bound is passed: each
// reads back the runs of its kept parts, vertex for vertex, whichever runs
// are asked for, and nothing after them.
TEST(WierzcholkiSkanu, GiveBackEachFilesRunsUpToTheBound) {
  WierzcholkiSkanu w;
  w.zacznij();
  WierzcholkiSkanu::Zapis zapisy[2];
  std::uint64_t zapisane = 0;
  for (; !w.pelne(); ++zapisane) {
    for (std::size_t f = 0; f < 2; ++f) {
      zapisy[f].dodaj(bieg(zapisane), punkty(f, zapisane).data());
      if (zapisy[f].pelny()) w.dopisz(f, zapisy[f]);
    }
  }
  w.dopisz(0, zapisy[0]);
  w.uporzadkuj();
  ASSERT_GT(zapisane, 1000u);

  for (std::size_t f = 0; f < 2; ++f) {
    auto k = w.pliku(f);
    std::uint64_t r = 0;
    for (; r < zapisane; r += 1 + r % 3) {  // some runs not asked for
      EXPECT_FALSE(k.bieg(bieg(r).naglowek - 1));
      const auto b = k.bieg(bieg(r).naglowek);
      if (!b) break;
      EXPECT_EQ(b->od_ostatniej, bieg(r).od_ostatniej);
      ASSERT_EQ(b->ile, 3u);
      for (const PunktSkanu& p : punkty(f, r)) {
        const PunktSkanu q = k.punkt();
        EXPECT_EQ(bity(q), bity(p));
      }
    }
    EXPECT_GT(r, zapisane / 2) << "file " << f;
    EXPECT_FALSE(k.bieg(UINT64_MAX));
  }
  EXPECT_FALSE(w.pliku(2).bieg(1));
}

}  // namespace
}  // namespace wyrownik
