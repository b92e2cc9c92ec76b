#include "text/sciezki.hpp"

#include <gtest/gtest.h>

#include "platform/separator.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/ten_sam_plik.hpp"
#include "pomoc/ukryj.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

TEST(Sciezki, SceneryDirectoryTextFromRoot) {
  const std::string s(1, separator_natywny);
  EXPECT_EQ(tekst_katalogu_scenerii("/sim"), "/sim" + s + "scenery" + s);
  EXPECT_EQ(tekst_katalogu_scenerii("/sim/"), "/sim/scenery" + s);
  EXPECT_EQ(tekst_katalogu_scenerii("D:\\Sim\\"), "D:\\Sim\\scenery" + s);
  EXPECT_EQ(tekst_pelnej_sciezki("/sim/scenery/", "tory\\a.scm"),
            "/sim/scenery/tory" + s + "a.scm");
}

class SciezkiNaDysku : public ::testing::Test {
 protected:
  void SetUp() override {
    k.zapisz("Sim/Scenery/Main.SCN", "x");
    k.zapisz("Sim/Scenery/Tory/Most.scm", "x");
    k.zapisz("Sim/Scenery/b.scm", "x");
    k.zapisz("Sim/Scenery/second.scn", "x");
    ASSERT_TRUE(testy::ukryj(k.zapisz("Sim/Scenery/.hidden.scn", "x")));
    k.zapisz("Sim/Scenery/notes.txt", "x");
    k.zapisz("Sim/secret.scm", "x");
    fs::create_directories(k / "Sim/Scenery/dir.scn");
    scen = *znajdz_katalog(tekst_katalogu_scenerii((k / "Sim").string()));
  }
  testy::KatalogTymczasowy k;
  fs::path scen;
};

TEST_F(SciezkiNaDysku, ResolvesEveryComponentWithoutRegardToCase) {
  EXPECT_TRUE(testy::ten_sam_plik(scen, k / "Sim/Scenery"));
  EXPECT_TRUE(testy::ten_sam_plik(znajdz_w_scenerii(scen, "tory\\most.SCM"),
                                  k / "Sim/Scenery/Tory/Most.scm"));
  EXPECT_TRUE(testy::ten_sam_plik(znajdz_w_scenerii(scen, "TORY/MOST.scm"),
                                  k / "Sim/Scenery/Tory/Most.scm"));
  EXPECT_TRUE(testy::ten_sam_plik(znajdz_w_scenerii(scen, "b.scm"), k / "Sim/Scenery/b.scm"));
  EXPECT_FALSE(znajdz_w_scenerii(scen, "tory\\brak.scm"));
  EXPECT_FALSE(znajdz_katalog((k / "Nic").string()));
}

TEST_F(SciezkiNaDysku, ResolvesDotStepsOnTheTextFirst) {
  EXPECT_TRUE(
      testy::ten_sam_plik(znajdz_w_scenerii(scen, "a\\..\\b.scm"), k / "Sim/Scenery/b.scm"));
  EXPECT_TRUE(testy::ten_sam_plik(znajdz_w_scenerii(scen, ".\\tory\\.\\most.scm"),
                                  k / "Sim/Scenery/Tory/Most.scm"));
}

TEST_F(SciezkiNaDysku, RefusesNamesLeadingOutside) {
  EXPECT_FALSE(znajdz_w_scenerii(scen, "..\\secret.scm"));
  EXPECT_FALSE(znajdz_w_scenerii(scen, "tory\\..\\..\\secret.scm"));
  EXPECT_FALSE(znajdz_w_scenerii(scen, (k / "Sim/secret.scm").string()));
  EXPECT_FALSE(znajdz_w_scenerii(scen, "\\Sim\\secret.scm"));
  EXPECT_FALSE(znajdz_w_scenerii(scen, "C:\\secret.scm"));
  EXPECT_FALSE(znajdz_w_scenerii(scen, ""));
}

TEST_F(SciezkiNaDysku, ListsSceneryFilesInAnyCaseSorted) {
  EXPECT_EQ(pliki_scenerii(scen), (std::vector<std::string>{"Main.SCN", "second.scn"}));
}

TEST_F(SciezkiNaDysku, MatchesUtf8NamesOnDiskToWindows1250Names) {
  k.zapisz("Sim/Scenery/Łąka.scm", "x");
  EXPECT_TRUE(
      testy::ten_sam_plik(znajdz_w_scenerii(scen, "\xB3\xB9ka.scm"), k / "Sim/Scenery/Łąka.scm"));
}

TEST_F(SciezkiNaDysku, HiddenFilesAreNotOrdinary) {
  EXPECT_TRUE(czy_zwykly_plik(k / "Sim/Scenery/b.scm"));
  EXPECT_FALSE(czy_zwykly_plik(k / "Sim/Scenery/.hidden.scn"));
  EXPECT_FALSE(czy_zwykly_plik(k / "Sim/Scenery/Tory"));
}

}  // namespace
}  // namespace wyrownik
