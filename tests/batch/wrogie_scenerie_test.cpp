// Sceneries and program directories set up as an attacker (or an unlucky
// archive) would: links planted where the batch writes, links leading out of
// the scenery directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "pomoc/stanowisko_partii.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

const std::string teren =
    "node -1 0 t1 triangles trawa.dds\r\n-20 3 -20\r\n40 3 -20\r\n-20 3 40\r\nendtri\r\n";

class WrogieScenerie : public testy::StanowiskoPartii {
 protected:
  WrogieScenerie() : StanowiskoPartii(Rodzaj::wysokosc) {
    zapisz("main.scn", teren + "include a.inc 1 5 1 end\r\n");
    cel = k.zapisz("poza/cel.txt", "the user's own file\n");
  }
  fs::path cel;
};

TEST_F(WrogieScenerie, PlantedLinksNamedLikeScratchFilesAreNeverFollowed) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links: not made by this toolchain's library on Windows";
#endif
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    fs::create_symlink(cel, k / "scenery" / roboczy);
    zapisz("main.scn", teren + "include a.inc 1 5 1 end\r\n");
    EXPECT_EQ(partia(), WynikPartii::zakonczona) << roboczy;
    EXPECT_EQ(testy::wczytaj(cel), "the user's own file\n") << roboczy;
    EXPECT_EQ(tresc("main.scn"), teren + "include a.inc 1 3 1 end\r\n") << roboczy;
    EXPECT_FALSE(fs::exists(k / "scenery" / roboczy)) << roboczy;  // replaced, then removed
  }
}

// A scratch file the run makes only later is never read as scenery: the
// batch stops before its index exists, with or without the directory cache.
TEST_F(WrogieScenerie, ANameOfAScratchFileStillToBeMadeStopsTheBatch) {
  for (const bool pamiec : {true, false}) {
    srodowisko.skroty.pamiec_katalogow = pamiec;
    zapisz("main.scn", teren + "include AAA.AAA end\r\ninclude a.inc 1 5 1 end\r\n");
    EXPECT_EQ(partia(), WynikPartii::blad) << pamiec;
    EXPECT_EQ(tresc("main.scn"), teren + "include AAA.AAA end\r\ninclude a.inc 1 5 1 end\r\n");
    EXPECT_FALSE(jest("aaa.aaa")) << pamiec;
  }
}

TEST_F(WrogieScenerie, APlantedLogLinkStopsTheBatchBeforeItRuns) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links: not made by this toolchain's library on Windows";
#endif
  fs::create_symlink(cel, k / "Log_korekcja.txt");
  EXPECT_EQ(partia(), WynikPartii::brak_logu);
  EXPECT_EQ(okno.komunikaty,
            std::vector<std::string>{"Nie można utworzyć pliku Log_korekcja.txt."});
  EXPECT_EQ(testy::wczytaj(cel), "the user's own file\n");
  EXPECT_EQ(tresc("main.scn"), teren + "include a.inc 1 5 1 end\r\n");
}

TEST_F(WrogieScenerie, ALinkLeadingOutOfTheSceneryIsAFileThatDoesNotExist) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links: not made by this toolchain's library on Windows";
#endif
  // scenery/lnk -> poza: "lnk\cel.txt" names a file outside; so does a file
  // link; neither is read nor rewritten.
  k.zapisz("poza/shared.scm", "include b.inc 1 5 1 end\r\n");
  fs::create_directory_symlink(k / "poza", k / "scenery/lnk");
  fs::create_symlink(k / "poza/shared.scm", k / "scenery/plik.scm");
  zapisz("main.scn", teren + "include lnk\\shared.scm end\r\ninclude plik.scm end\r\n");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(testy::wczytaj(k / "poza/shared.scm"), "include b.inc 1 5 1 end\r\n");
  EXPECT_TRUE(dziennik().ends_with("Ilość zmian: 0\r\n"));
  // A link that stays inside the scenery is an ordinary name.
  fs::create_directory(k / "scenery/obiekty");
  zapisz("obiekty/c.scm", "include c.inc 1 5 1 end\r\n");
  fs::create_directory_symlink(k / "scenery/obiekty", k / "scenery/skrot");
  zapisz("main.scn", teren + "include skrot\\c.scm end\r\n");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("obiekty/c.scm"), "include c.inc 1 3 1 end\r\n");
}

}  // namespace
}  // namespace wyrownik
