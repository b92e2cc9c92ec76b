// The lock on Windows: a named mutex keyed on the directory's final path,
// folded for letter case.
#include <gtest/gtest.h>

#include "platform/blokada.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

TEST(BlokadaWindows, SpellingsInAnyLetterCaseShareOneLock) {
  testy::KatalogTymczasowy k;
  std::filesystem::create_directories(k / "Program/sub");
  auto pierwsza = Blokada::zajmij(k / "Program");
  ASSERT_TRUE(pierwsza);
  for (const char* inna : {"PROGRAM", "program\\", "Program/sub/..", "./program"}) {
    EXPECT_FALSE(Blokada::zajmij(k / inna)) << inna;
  }
  EXPECT_TRUE(Blokada::zajmij_katalog(k / "Program/sub"));  // another directory
  pierwsza.reset();
  EXPECT_TRUE(Blokada::zajmij(k / "PROGRAM"));  // released with its holder
}

}  // namespace
}  // namespace wyrownik
