#include "batch/partia.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/okno_testowe.hpp"
#include "text/blad_danych.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

using L = std::vector<std::string>;

class Partia : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(k / "scenery");
    srodowisko.tekst_katalogu = (k / "scenery").string() + "/";
    srodowisko.katalog = k / "scenery";
    srodowisko.zapis.plik_logu = k / "Log_korekcja.txt";
    // a.scn and c.scn place one object each; e.scn places nothing.
    for (const char* n : {"a.scn", "b.scn", "c.scn", "d.scn"}) {
      k.zapisz(std::string("scenery/") + n, "include x.inc 1 2 3 end\r\n");
    }
    k.zapisz("scenery/e.scn", "// nothing placed\r\n");
    okno.pozycje = {"a.scn", "b.scn", "c.scn", "d.scn", "e.scn"};
    okno.zaznaczenie.assign(5, false);
  }

  Korekcja zapisujaca() {
    return {[this](const StanScenerii& stan, const KontekstPrzebiegu&, Postep&) {
              wywolane.push_back(stan.nazwa_scenerii);
              std::ofstream(srodowisko.zapis.plik_logu, std::ios::app | std::ios::binary)
                  << stan.nazwa_scenerii << "\r\n";
              if (stan.nazwa_scenerii == nieudana) throw BladDanych("test failure");
            },
            RodzajPrzebiegu::wysokosc};
  }

  // A front end's guard of its inputs, recorded where it begins and ends.
  auto straz() {
    return [this] {
      struct Straz {
        testy::OknoTestowe& o;
        explicit Straz(testy::OknoTestowe& okno) : o(okno) { o.zdarzenia.emplace_back("guard on"); }
        ~Straz() { o.zdarzenia.emplace_back("guard off"); }
      };
      return Straz(okno);
    };
  }

  testy::KatalogTymczasowy k;
  Srodowisko srodowisko;
  testy::OknoTestowe okno;
  L wywolane;
  std::string nieudana;
};

TEST_F(Partia, NothingSelectedOnlyEmptiesTheLogInsideTheFrontEndsGuard) {
  k.zapisz("Log_korekcja.txt", "old batch\r\n");
  EXPECT_EQ(partia(srodowisko, okno, zapisujaca(), straz()), WynikPartii::zakonczona);
  EXPECT_EQ(testy::wczytaj(srodowisko.zapis.plik_logu), "");
  EXPECT_TRUE(wywolane.empty());
  EXPECT_EQ(okno.zdarzenia, (L{"guard on", "guard off"}));
}

TEST_F(Partia, ProcessesSelectedEntriesInListOrderAndSkipsEmptyExtents) {
  okno.zaznaczenie = {false, true, false, true, true};
  EXPECT_EQ(partia(srodowisko, okno, zapisujaca(), straz()), WynikPartii::zakonczona);
  EXPECT_EQ(wywolane, (L{"b.scn", "d.scn"}));  // e.scn has no extent: passed over silently
  EXPECT_TRUE(okno.komunikaty.empty());
  EXPECT_EQ(testy::wczytaj(srodowisko.zapis.plik_logu), "b.scn\r\nd.scn\r\n");

  // A second batch starts an empty log.
  okno.zaznaczenie = {true, false, false, false, false};
  wywolane.clear();
  partia(srodowisko, okno, zapisujaca(), straz());
  EXPECT_EQ(testy::wczytaj(srodowisko.zapis.plik_logu), "a.scn\r\n");
}

TEST_F(Partia, SelectionIsReadWhenTheLoopReachesAnEntry) {
  okno.zaznaczenie = {true, false, false, false, false};
  auto korekcja = [&](const StanScenerii& stan, const KontekstPrzebiegu&, Postep&) {
    wywolane.push_back(stan.nazwa_scenerii);
    if (stan.nazwa_scenerii == "a.scn") okno.zaznaczenie[2] = true;  // the user clicks meanwhile
  };
  partia(srodowisko, okno, korekcja, straz());
  EXPECT_EQ(wywolane, (L{"a.scn", "c.scn"}));
}

TEST_F(Partia, FailureStopsTheBatchWithOneMessageAndTheNextBatchStartsAfresh) {
  okno.zaznaczenie = {true, true, true, false, false};
  nieudana = "b.scn";
  EXPECT_EQ(partia(srodowisko, okno, zapisujaca(), straz()), WynikPartii::blad);
  EXPECT_EQ(wywolane, (L{"a.scn", "b.scn"}));
  EXPECT_EQ(okno.komunikaty, L{"Wystąpił błąd. Dalsze działanie prgramu zostało przerwane."});
  // The message comes while the inputs are still disabled.
  const auto& z = okno.zdarzenia;
  const auto komunikat = std::find(
      z.begin(), z.end(), "message=Wystąpił błąd. Dalsze działanie prgramu zostało przerwane.");
  ASSERT_NE(komunikat, z.end());
  EXPECT_LT(komunikat, std::find(z.begin(), z.end(), "guard off"));

  nieudana.clear();
  wywolane.clear();
  okno.komunikaty.clear();
  EXPECT_EQ(partia(srodowisko, okno, zapisujaca(), straz()), WynikPartii::zakonczona);
  EXPECT_EQ(wywolane, (L{"a.scn", "b.scn", "c.scn"}));
  EXPECT_TRUE(okno.komunikaty.empty());
}

TEST_F(Partia, ScanFailureStopsTheBatch) {
  // 65537 distinct names overflow the file list: a failure of the scan.
  std::string wiele = "include x.inc 1 2 3 end\r\n";
  for (int i = 0; i < 65536; ++i) wiele += "include f" + std::to_string(i) + ".scm end\r\n";
  k.zapisz("scenery/b.scn", wiele);
  okno.zaznaczenie = {true, true, true, false, false};
  EXPECT_EQ(partia(srodowisko, okno, zapisujaca(), straz()), WynikPartii::blad);
  EXPECT_EQ(wywolane, L{"a.scn"});
  EXPECT_EQ(okno.komunikaty.size(), 1u);
}

TEST_F(Partia, LogThatCannotBeCreatedRunsNothing) {
  srodowisko.zapis.plik_logu = k / "no-such-dir" / "Log_korekcja.txt";
  okno.zaznaczenie.assign(5, true);
  EXPECT_EQ(partia(srodowisko, okno, zapisujaca(), straz()), WynikPartii::brak_logu);
  EXPECT_TRUE(wywolane.empty());
  EXPECT_EQ(okno.komunikaty, L{"Nie można utworzyć pliku Log_korekcja.txt."});
  EXPECT_TRUE(okno.tylko("guard").empty());
}

TEST_F(Partia, ClosingTheWindowStopsCleanlyWithoutScratchFiles) {
  okno.zaznaczenie = {true, true, false, false, false};
  auto korekcja = [&](const StanScenerii& stan, const KontekstPrzebiegu&, Postep& postep) {
    wywolane.push_back(stan.nazwa_scenerii);
    k.zapisz("scenery/aaa.aaa", "x");
    k.zapisz("scenery/aaa.aab", "x");
    okno.zamkniete = true;
    postep.plik("a.scm");
  };
  EXPECT_EQ(partia(srodowisko, okno, korekcja, straz()), WynikPartii::przerwana);
  EXPECT_EQ(wywolane, L{"a.scn"});
  EXPECT_TRUE(okno.komunikaty.empty());
  EXPECT_FALSE(fs::exists(k / "scenery/aaa.aaa"));
  EXPECT_FALSE(fs::exists(k / "scenery/aaa.aab"));
}

TEST_F(Partia, AStopThatLeavesScratchFilesBehindIsAFailure) {
  okno.zaznaczenie = {true, false, false, false, false};
  // A folder where the scratch copy goes cannot be removed as a file.
  k.zapisz("scenery/aaa.ccc/x", "x");
  auto korekcja = [&](const StanScenerii&, const KontekstPrzebiegu&, Postep& postep) {
    okno.zamkniete = true;
    postep.plik("a.scm");
  };
  EXPECT_EQ(partia(srodowisko, okno, korekcja, straz()), WynikPartii::blad);
  EXPECT_EQ(okno.komunikaty, L{"Wystąpił błąd. Dalsze działanie prgramu zostało przerwane."});
  ASSERT_EQ(okno.szczegoly.size(), 1u);
  EXPECT_NE(okno.szczegoly[0].find("aaa.ccc"), std::string::npos);
}

TEST_F(Partia, AFaultOfTheProgramIsToldAsSuchNotAsBadData) {
  okno.zaznaczenie = {true, false, false, false, false};
  auto korekcja = [](const StanScenerii&, const KontekstPrzebiegu&, Postep&) {
    throw std::logic_error("broken invariant");
  };
  EXPECT_EQ(partia(srodowisko, okno, korekcja, straz()), WynikPartii::blad);
  EXPECT_EQ(okno.szczegoly, L{"internal error: broken invariant"});
}

}  // namespace
}  // namespace wyrownik
