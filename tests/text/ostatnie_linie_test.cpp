#include "text/ostatnie_linie.hpp"

#include <gtest/gtest.h>

#include <string>

namespace wyrownik {
namespace {

// Four lines are kept, the oldest giving way; a place not yet taken
// matches no line, an empty one neither; a long line is not kept.
TEST(OstatnieLinie, KeepsTheLastFourLinesWithTheirValues) {
  OstatnieLinie<int> ostatnie;
  EXPECT_EQ(ostatnie.znajdz(""), nullptr);
  for (int i = 0; i < 5; ++i) *ostatnie.zapamietaj("node " + std::to_string(i)) = i;
  EXPECT_EQ(ostatnie.znajdz("node 0"), nullptr);
  for (int i = 1; i < 5; ++i) {
    ASSERT_NE(ostatnie.znajdz("node " + std::to_string(i)), nullptr);
    EXPECT_EQ(*ostatnie.znajdz("node " + std::to_string(i)), i);
  }
  EXPECT_EQ(ostatnie.znajdz("node 1 "), nullptr);
  EXPECT_EQ(ostatnie.zapamietaj(std::string(OstatnieLinie<int>::najdluzsza + 1, 'a')), nullptr);
  EXPECT_NE(ostatnie.znajdz("node 1"), nullptr);  // nothing gave way to it
}

}  // namespace
}  // namespace wyrownik
