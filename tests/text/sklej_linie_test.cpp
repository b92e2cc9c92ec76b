#include "text/sklej_linie.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "text/linia.hpp"
#include "text/tekst_wspolrzednej.hpp"

namespace wyrownik {
namespace {

TEST(SklejLinie, JoinsWithSingleSpaces) {
  EXPECT_EQ(sklej_linie(std::vector<std::string_view>{}), "");
  EXPECT_EQ(sklej_linie(std::vector<std::string_view>{"include"}), "include");
  EXPECT_EQ(sklej_linie(std::vector<std::string>{"a", "bb", "c"}), "a bb c");
}

TEST(SklejLinie, CorrectedLineComesOutCleaned) {
  std::string linia = "include  tree.inc;12.0\t0 5;";
  oczysc_linie(linia);
  std::vector<std::string_view> tokeny;
  podziel(linia, tokeny);
  ASSERT_EQ(tokeny.size(), 5u);
  const std::string nowa = tekst_wspolrzednej(13.0);
  tokeny[2] = nowa;
  EXPECT_EQ(sklej_linie(tokeny), "include tree.inc 13 0 5");
}

}  // namespace
}  // namespace wyrownik
