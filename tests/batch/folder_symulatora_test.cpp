// A folder the user picks becomes the ini's simulator folder only where
// start-up then finds its sceneries.
#include "batch/folder_symulatora.hpp"

#include <gtest/gtest.h>

#include "batch/start.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

class Zapis : public OknoStartu {
 public:
  void pokaz_komunikat(std::string_view t) override { komunikaty.emplace_back(t); }
  void wylacz_wejscia() override {}
  void wskaz_katalog(const std::filesystem::path&) override {}
  std::vector<std::string> komunikaty;
};

TEST(FolderSymulatora, APolishFolderWithItsSceneriesInAnyCaseIsWrittenAndFoundAgain) {
  testy::KatalogTymczasowy k;
  k.zapisz("Gry/Symulator Żółw/SCENERY/a.scn", "x");
  k.zapisz("zly/scenery.txt", "x");
  k.zapisz("srednik;/scenery/a.scn", "x");
  std::filesystem::create_directory(k / "program");
  EXPECT_EQ(ustaw_folder_symulatora(k / "program", k / "zly"), WyborFolderu::brak_scenery);
  EXPECT_EQ(ustaw_folder_symulatora(k / "program", k / "srednik;"), WyborFolderu::sciezka_poza_ini);
  EXPECT_FALSE(std::filesystem::exists(k / "program/wyrownik.ini"));  // nothing written

  EXPECT_EQ(ustaw_folder_symulatora(k / "program", k / "Gry/Symulator Żółw/"),
            WyborFolderu::zapisany);
  EXPECT_NE(testy::wczytaj(k / "program/wyrownik.ini").find("Symulator \xAF\xF3\xB3w\r\n"),
            std::string::npos);  // Windows-1250, as the ini is
  Zapis okno;
  const WynikStartu start = wykonaj_start(k / "program", okno);
  EXPECT_TRUE(okno.komunikaty.empty());
  ASSERT_EQ(start.stan, StanStartu::gotowy);
  EXPECT_TRUE(
      std::filesystem::equivalent(*start.katalog_scenerii, k / "Gry/Symulator Żółw/SCENERY"));
}

}  // namespace
}  // namespace wyrownik
