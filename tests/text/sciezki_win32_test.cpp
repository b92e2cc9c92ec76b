// On Windows a file is hidden by its attributes: the scan and the list of
// sceneries pass over a file marked hidden or system, whatever its name.
#include <gtest/gtest.h>
#include <windows.h>

#include "pomoc/katalog_tymczasowy.hpp"
#include "text/sciezki.hpp"

namespace wyrownik {
namespace {

TEST(SciezkiWindows, HiddenAndSystemAttributesMakeAFileNoOrdinaryOne) {
  testy::KatalogTymczasowy k;
  const auto zwykly = k.zapisz("scenery/zwykly.scn", "x");
  const auto ukryty = k.zapisz("scenery/ukryty.scn", "x");
  const auto systemowy = k.zapisz("scenery/systemowy.scn", "x");
  const auto tylko_odczyt = k.zapisz("scenery/tylko_odczyt.scn", "x");
  ASSERT_TRUE(SetFileAttributesW(ukryty.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(systemowy.c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SetFileAttributesW(tylko_odczyt.c_str(), FILE_ATTRIBUTE_READONLY));

  EXPECT_TRUE(czy_zwykly_plik(zwykly));
  EXPECT_TRUE(czy_zwykly_plik(tylko_odczyt));
  EXPECT_FALSE(czy_zwykly_plik(ukryty));
  EXPECT_FALSE(czy_zwykly_plik(systemowy));
  EXPECT_EQ(pliki_scenerii(k / "scenery"),
            (std::vector<std::string>{"tylko_odczyt.scn", "zwykly.scn"}));
  SetFileAttributesW(tylko_odczyt.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace wyrownik
