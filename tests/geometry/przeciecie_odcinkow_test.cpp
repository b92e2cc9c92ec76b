#include "geometry/przeciecie_odcinkow.hpp"

#include <gtest/gtest.h>

namespace wyrownik {
namespace {

struct Punkt {
  double x, z;
};

bool przeciecie(Punkt p1, Punkt p2, Punkt p3, Punkt p4, double& xp, double& zp) {
  return przeciecie_odcinkow(p1.x, p1.z, p2.x, p2.z, p3.x, p3.z, p4.x, p4.z, xp, zp);
}

TEST(PrzeciecieOdcinkow, CrossingSegments) {
  double xp = -9, zp = -9;
  ASSERT_TRUE(przeciecie({0, 0}, {2, 0}, {1, -1}, {1, 1}, xp, zp));
  EXPECT_EQ(xp, 1);
  EXPECT_EQ(zp, 0);
  // The order of the end points does not change the outcome.
  ASSERT_TRUE(przeciecie({2, 0}, {0, 0}, {1, 1}, {1, -1}, xp, zp));
  EXPECT_EQ(xp, 1);
  EXPECT_EQ(zp, 0);
  ASSERT_TRUE(przeciecie({0, 0}, {4, 4}, {0, 4}, {4, 0}, xp, zp));
  EXPECT_DOUBLE_EQ(xp, 2);
  EXPECT_DOUBLE_EQ(zp, 2);
}

TEST(PrzeciecieOdcinkow, EndPointsAreIncluded) {
  double xp = -9, zp = -9;
  // Touching at an end point of both segments: t = 1, u = 0.
  ASSERT_TRUE(przeciecie({0, 0}, {2, 0}, {2, 0}, {2, 5}, xp, zp));
  EXPECT_EQ(xp, 2);
  EXPECT_EQ(zp, 0);
  // An end point of the second segment on the inside of the first: u = 1.
  ASSERT_TRUE(przeciecie({0, 0}, {2, 0}, {1, 3}, {1, 0}, xp, zp));
  EXPECT_EQ(xp, 1);
  EXPECT_EQ(zp, 0);
  // The first segment starting on the second: t = 0.
  ASSERT_TRUE(przeciecie({1, 0}, {1, 4}, {0, 0}, {2, 0}, xp, zp));
  EXPECT_EQ(xp, 1);
  EXPECT_EQ(zp, 0);
}

TEST(PrzeciecieOdcinkow, NoMeetingLeavesTheOutputsAlone) {
  double xp = 11.5, zp = -3.25;
  // Lines that cross outside one of the segments.
  EXPECT_FALSE(przeciecie({0, 0}, {1, 0}, {2, -1}, {2, 1}, xp, zp));
  EXPECT_FALSE(przeciecie({0, 0}, {2, 0}, {1, 0.5}, {1, 3}, xp, zp));
  // Collinear and overlapping.
  EXPECT_FALSE(przeciecie({0, 0}, {2, 0}, {1, 0}, {3, 0}, xp, zp));
  // Parallel.
  EXPECT_FALSE(przeciecie({0, 0}, {2, 0}, {0, 1}, {2, 1}, xp, zp));
  // A segment of zero length, even lying on the other segment.
  EXPECT_FALSE(przeciecie({1, 0}, {1, 0}, {0, 0}, {2, 0}, xp, zp));
  EXPECT_FALSE(przeciecie({0, 0}, {2, 0}, {1, 0}, {1, 0}, xp, zp));
  EXPECT_EQ(xp, 11.5);
  EXPECT_EQ(zp, -3.25);
}

TEST(PrzeciecieOdcinkow, BoundsAreExact) {
  double xp = 0, zp = 0;
  // Just past the end of the first segment: no tolerance lets it meet.
  const double tuz_za = 2.0000000000000004;  // the next double after 2
  EXPECT_FALSE(przeciecie({0, 0}, {2, 0}, {tuz_za, -1}, {tuz_za, 1}, xp, zp));
  EXPECT_TRUE(przeciecie({0, 0}, {tuz_za, 0}, {tuz_za, -1}, {tuz_za, 1}, xp, zp));
  EXPECT_EQ(xp, tuz_za);
}

TEST(PrzeciecieOdcinkow, MeetingPointLiesOnTheFirstSegment) {
  // Computed from the first segment's parameter, the point keeps that
  // segment's constant coordinate exactly, whatever the second one gives.
  double xp = 0, zp = 0;
  ASSERT_TRUE(przeciecie({0, 0.1}, {3, 0.1}, {0.3, -0.7}, {0.9, 0.2 + 0.7}, xp, zp));
  EXPECT_EQ(zp, 0.1);
  ASSERT_TRUE(przeciecie({0.7, -5}, {0.7, 5}, {0.1, -0.3}, {1.3, 0.45}, xp, zp));
  EXPECT_EQ(xp, 0.7);
}

}  // namespace
}  // namespace wyrownik
