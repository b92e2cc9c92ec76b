#include "geometry/wysokosc_w_trojkacie.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace wyrownik {
namespace {

struct Wierzcholek {
  double x, z, y;
};

bool wysokosc(const Wierzcholek& a, const Wierzcholek& b, const Wierzcholek& c, double x, double z,
              double& y) {
  return wysokosc_w_trojkacie(a.x, a.z, a.y, b.x, b.z, b.y, c.x, c.z, c.y, x, z, y);
}

// The plane y = x + 2z.
constexpr Wierzcholek v1{0, 0, 0}, v2{10, 0, 10}, v3{0, 10, 20};

TEST(WysokoscWTrojkacie, HeightOfThePlaneInsideAndOutside) {
  double y = -1;
  ASSERT_TRUE(wysokosc(v1, v2, v3, 2, 3, y));
  EXPECT_DOUBLE_EQ(y, 8);
  // Outside the triangle the extended plane answers; containment is not tested.
  ASSERT_TRUE(wysokosc(v1, v2, v3, 20, 20, y));
  EXPECT_DOUBLE_EQ(y, 60);
  ASSERT_TRUE(wysokosc(v1, v2, v3, -5, -1, y));
  EXPECT_DOUBLE_EQ(y, -7);
}

TEST(WysokoscWTrojkacie, VerticesAndEdges) {
  const Wierzcholek a{1.5, -2.25, 0.1}, b{7.3, 4.1, 0.7}, c{-3.9, 6.6, 12.35};
  double y = 0;
  ASSERT_TRUE(wysokosc(a, b, c, a.x, a.z, y));
  EXPECT_EQ(y, a.y);  // the first vertex is exact: both weights are 0
  ASSERT_TRUE(wysokosc(a, b, c, b.x, b.z, y));
  EXPECT_DOUBLE_EQ(y, b.y);
  ASSERT_TRUE(wysokosc(a, b, c, c.x, c.z, y));
  EXPECT_DOUBLE_EQ(y, c.y);
  // Midpoints of the three edges: between the heights of the edge's ends.
  const std::array<std::array<Wierzcholek, 2>, 3> krawedzie{{{a, b}, {a, c}, {b, c}}};
  for (const auto& [p, q] : krawedzie) {
    ASSERT_TRUE(wysokosc(a, b, c, (p.x + q.x) / 2, (p.z + q.z) / 2, y));
    EXPECT_GE(y, std::min(p.y, q.y));
    EXPECT_LE(y, std::max(p.y, q.y));
    EXPECT_NEAR(y, (p.y + q.y) / 2, 1e-12);
  }
}

TEST(WysokoscWTrojkacie, DegenerateProjectionLeavesTheOutputAlone) {
  double y = 123.456;
  // Two vertices on the same ground point.
  EXPECT_FALSE(wysokosc({1, 1, 0}, {1, 1, 5}, {4, 0, 2}, 2, 2, y));
  // Three vertices on one line of the ground plane (a vertical triangle).
  EXPECT_FALSE(wysokosc({0, 0, 0}, {5, 5, 10}, {10, 10, 0}, 5, 5, y));
  EXPECT_FALSE(wysokosc({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 0, 0, y));
  EXPECT_EQ(y, 123.456);
}

TEST(WysokoscWTrojkacie, NoToleranceForTinyAreas) {
  // A sliver whose projection has a tiny but non-zero area is a triangle.
  double y = -1;
  const double e = std::ldexp(1.0, -40);
  ASSERT_TRUE(wysokosc({0, 0, 0}, {1, 0, 1}, {0, e, 0}, 0.5, 0, y));
  EXPECT_DOUBLE_EQ(y, 0.5);
}

TEST(WysokoscWTrojkacie, OrderOfTheVerticesDoesNotMatter) {
  const Wierzcholek a{12.5, 3.75, 4.2}, b{-8.125, 40.5, -1.3}, c{30.0, 22.25, 9.9};
  double odniesienie = 0;
  ASSERT_TRUE(wysokosc(a, b, c, 11.0, 20.0, odniesienie));
  const std::array<std::array<Wierzcholek, 3>, 5> inne{
      {{a, c, b}, {b, a, c}, {b, c, a}, {c, a, b}, {c, b, a}}};
  for (const auto& t : inne) {
    double y = 0;
    ASSERT_TRUE(wysokosc(t[0], t[1], t[2], 11.0, 20.0, y));
    EXPECT_NEAR(y, odniesienie, 1e-12 * std::abs(odniesienie));
  }
}

}  // namespace
}  // namespace wyrownik
