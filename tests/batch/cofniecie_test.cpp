// Backups of replaced files and the undo of the last batch, on whole height
// batches (the command-line scenarios undo both runs as well).
#include "batch/cofniecie.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/blokada.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/stanowisko_partii.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

// Ground at height 3 under everything; two files with an object each 2 above it.
const std::string teren =
    "node -1 0 t1 triangles trawa.dds\r\n-20 3 -20 0 1 0 0 0\r\n40 3 -20\r\n-20 3 40\r\nendtri\r\n";

class Cofniecie : public testy::StanowiskoPartii {
 protected:
  Cofniecie() : StanowiskoPartii(Rodzaj::wysokosc) {
    zapisz("main.scn", teren + "include a\\b.scm end\r\ninclude c.scm end\r\n");
    zapisz("a/b.scm", "include x.inc 1 5 1 end\n");
    zapisz("c.scm", "include y.inc 2 5.5 2 end\n");
  }
  std::size_t ile_kopii() const {
    std::size_t n = 0;
    if (fs::exists(k / "kopie")) {
      for ([[maybe_unused]] const auto& f : fs::directory_iterator(k / "kopie")) ++n;
    }
    return n;
  }
};

TEST_F(Cofniecie, CopiesWhereLinksFailAndAnEditedFileIsLeftAlone) {
  srodowisko.zapis.operacje = &operacje_;
  awarie_.dowiaz = true;  // the program directory on another file system
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("a/b.scm"), "include x.inc 1 3 1 end\r\n");
  ASSERT_EQ(ile_kopii(), 1u);
  zapisz("c.scm", "edited by hand\r\n");

  const WynikCofniecia w = cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_);
  EXPECT_TRUE(w.bylo_co_cofac);
  EXPECT_EQ(tresc("a/b.scm"), "include x.inc 1 5 1 end\n");
  EXPECT_EQ(tresc("c.scm"), "edited by hand\r\n");
  ASSERT_EQ(w.pominiete.size(), 1u);
  EXPECT_EQ(w.pominiete[0].plik.filename(), "c.scm");
  EXPECT_NE(dziennik().find("Cofnięto korektę, przywrócono: " +
                            (k / "scenery/a/b.scm").make_preferred().string()),
            std::string::npos);
  EXPECT_NE(dziennik().find("Nie cofnięto, plik zmieniony po korekcie: " +
                            (k / "scenery/c.scm").make_preferred().string()),
            std::string::npos);

  // Partly undone: kept, and a second undo restores nothing twice.
  ASSERT_EQ(ile_kopii(), 1u);
  zapisz("a/b.scm", "newer\r\n");
  const WynikCofniecia drugi = cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe());
  EXPECT_TRUE(drugi.przywrocone.empty());
  EXPECT_EQ(tresc("a/b.scm"), "newer\r\n");
}

TEST_F(Cofniecie, TwoBatchesAndTwoUndosGiveBackTheStateBeforeTheFirst) {
  const std::string przed_a = tresc("a/b.scm"), przed_c = tresc("c.scm");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  zapisz("c.scm", "include y.inc 2 9 2 end\n");  // a change for the second batch
  const std::string po_pierwszej_a = tresc("a/b.scm");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(ile_kopii(), 2u);

  cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe());
  EXPECT_EQ(tresc("c.scm"), "include y.inc 2 9 2 end\n");
  EXPECT_EQ(tresc("a/b.scm"), po_pierwszej_a);  // the second batch left it alone
  cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe());
  EXPECT_EQ(tresc("a/b.scm"), przed_a);
  // c.scm holds the hand edit, not what the first batch wrote: left alone,
  // and the first batch's backup stays for it.
  EXPECT_EQ(tresc("c.scm"), "include y.inc 2 9 2 end\n");
  EXPECT_EQ(ile_kopii(), 1u);
  zapisz("c.scm", "include y.inc 2 3 2 end\r\n");  // what the first batch wrote, again
  cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe());
  EXPECT_EQ(tresc("c.scm"), przed_c);
  EXPECT_EQ(ile_kopii(), 0u);
  EXPECT_FALSE(cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe()).bylo_co_cofac);
}

TEST_F(Cofniecie, ABackupThatCannotBeMadeStopsTheBatchBeforeAnyReplacement) {
  k.zapisz("kopie", "a file where the folder should be");
  const std::string przed = tresc("a/b.scm");
  EXPECT_EQ(partia(), WynikPartii::blad);
  EXPECT_EQ(okno.komunikaty,
            std::vector<std::string>{"Wystąpił błąd. Dalsze działanie prgramu zostało przerwane."});
  EXPECT_EQ(tresc("a/b.scm"), przed);
}

TEST_F(Cofniecie, TheLastTenBatchesAreKeptAndDryRunsKeepNone) {
  for (int i = 0; i < 11; ++i) {
    zapisz("c.scm", "include y.inc 2 5 2 end\n");
    ASSERT_EQ(partia(), WynikPartii::zakonczona);
  }
  EXPECT_EQ(ile_kopii(), 10u);
  zapisz("c.scm", "include y.inc 2 5 2 end\n");
  srodowisko.zapis.na_sucho = true;
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  srodowisko.zapis.na_sucho = false;
  srodowisko.kopie_zapasowe = false;
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(ile_kopii(), 10u);
  EXPECT_EQ(lista_kopii(k.sciezka(), operacje_systemowe()).back().ile_plikow, 1u);
}

TEST_F(Cofniecie, FilesReplacedTwiceOrThroughLinksAndNamedLikeTheManifestComeBackWhole) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links: not made by this toolchain's library on Windows";
#endif
  // c.scm is reached by two sceneries with different ground (replaced twice
  // in one batch); d.scm through a link; spis.txt is a scenery file.
  zapisz("drugi.scn",
         "node -1 0 t1 triangles trawa.dds\r\n-20 7 -20\r\n40 7 -20\r\n-20 7 40\r\n"
         "endtri\r\ninclude c.scm end\r\n");
  zapisz("prawdziwe/d.scm", "include z.inc 3 5 3 end\n");
  fs::create_symlink("prawdziwe/d.scm", k / "scenery/d.scm");
  zapisz("spis.txt", "include s.inc 4 5 4 end\n");
  zapisz("main.scn", teren + "include c.scm end\r\ninclude d.scm end\r\ninclude spis.txt end\r\n");
  const std::string c = tresc("c.scm"), d = tresc("prawdziwe/d.scm"), s = tresc("spis.txt");
  okno.pozycje = {"main.scn", "drugi.scn"};
  okno.zaznaczenie = {true, true};
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("c.scm"), "include y.inc 2 7 2 end\r\n");
  EXPECT_EQ(tresc("prawdziwe/d.scm"), "include z.inc 3 3 3 end\r\n");
  EXPECT_TRUE(fs::is_symlink(k / "scenery/d.scm"));  // the link stays a link

  const WynikCofniecia w = cofnij_partie(k.sciezka(), srodowisko.katalog, operacje_systemowe());
  EXPECT_TRUE(w.pominiete.empty());
  EXPECT_EQ(tresc("c.scm"), c);
  EXPECT_EQ(tresc("prawdziwe/d.scm"), d);
  EXPECT_EQ(tresc("spis.txt"), s);
  EXPECT_EQ(ile_kopii(), 0u);
}

TEST_F(Cofniecie, WorksWhereTheSceneryDirectoryIsTheProgramDirectory) {
  srodowisko.katalog_programu = k / "scenery";
  const auto blokada = Blokada::zajmij(k / "scenery");  // as the front end holds it
  ASSERT_TRUE(blokada);
  const std::string przed = tresc("a/b.scm");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  const WynikCofniecia w = cofnij_partie(k / "scenery", k / "scenery", operacje_systemowe());
  EXPECT_EQ(w.przywrocone.size(), 2u);
  EXPECT_EQ(tresc("a/b.scm"), przed);
}

TEST_F(Cofniecie, ANameTooLongForTheSystemIsAMissingFile) {
  zapisz("main.scn",
         teren + "include " + std::string(300, 'x') + ".scm end\r\ninclude c.scm end\r\n");
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("c.scm"), "include y.inc 2 3 2 end\r\n");
}

}  // namespace
}  // namespace wyrownik
