#include "gui/teksty_okna.hpp"

#include <gtest/gtest.h>

namespace wyrownik {
namespace {

TEST(TekstyOkna, AnUndoRefusedForAnotherSceneryDirectoryNamesBoth) {
  WynikCofniecia w;
  w.bylo_co_cofac = true;
  w.odmowa = Odmowa::inny_katalog;
  w.czas = "2026-12-08 10:00:00";
  w.katalog_partii = std::filesystem::path("inny") / "scenery";
  const std::string opis = opis_cofniecia(w, std::filesystem::path("sim") / "scenery");
  EXPECT_NE(opis.find("2026-12-08 10:00:00"), std::string::npos) << opis;
  EXPECT_NE(opis.find((std::filesystem::path("inny") / "scenery").string()), std::string::npos);
  EXPECT_NE(opis.find((std::filesystem::path("sim") / "scenery").string()), std::string::npos);
}

}  // namespace
}  // namespace wyrownik
