#include "scenery/skan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/bledy.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/postep_nagrywajacy.hpp"
#include "pomoc/ukryj.hpp"
#include "text/blad_danych.hpp"

namespace wyrownik {
namespace {

using Lista = std::vector<std::string>;

class Skan : public ::testing::Test {
 protected:
  // Writes a file of the scenery directory.
  void plik(std::string_view nazwa, std::string_view tresc) {
    k.zapisz("scenery/" + std::string(nazwa), tresc);
  }

  void skanuj(std::string nazwa = "main.scn") {
    stan.katalog = k / "scenery";
    stan.tekst_katalogu = stan.katalog.string() + "/";
    stan.nazwa_scenerii = std::move(nazwa);
    znajdz_min_max(stan, postep, operacje_systemowe());
  }

  // The names the scan announced, in order.
  Lista czytane() const {
    Lista w;
    const std::string znacznik = "plik ";
    for (const auto& z : postep.zdarzenia) {
      if (z.rfind(znacznik, 0) == 0) w.push_back(z.substr(znacznik.size()));
    }
    return w;
  }

  void oczekuj_zakresu(double min_x, double max_x, double min_z, double max_z) const {
    EXPECT_DOUBLE_EQ(stan.zakres.min_x, min_x);
    EXPECT_DOUBLE_EQ(stan.zakres.max_x, max_x);
    EXPECT_DOUBLE_EQ(stan.zakres.min_z, min_z);
    EXPECT_DOUBLE_EQ(stan.zakres.max_z, max_z);
  }

  testy::KatalogTymczasowy k;
  testy::PostepNagrywajacy postep;
  StanScenerii stan;
};

TEST_F(Skan, ReadsEveryFileOnceBreadthFirst) {
  plik("main.scn", "include main.scn end\r\ninclude a.scm end\r\ninclude c.scm end\r\n");
  plik("a.scm", "include main.scn end\r\ninclude b.scm end\r\ninclude a.scm end\r\n");
  plik("b.scm", "include a.scm end\r\ninclude d.scm end\r\n");
  plik("c.scm", "include b.scm end\r\n");
  plik("d.scm", "");
  skanuj();
  const Lista oczekiwana{"main.scn", "a.scm", "c.scm", "b.scm", "d.scm"};
  EXPECT_EQ(stan.lista_plikow, oczekiwana);
  EXPECT_EQ(czytane(), oczekiwana);
}

TEST_F(Skan, ComparesNamesWithoutCaseAfterSlashesTurnBackwards) {
  plik("main.scn", "include Tory\\A.scm end\ninclude x.scm end\n");
  plik("x.scm", "include tory/a.SCM end\ninclude TORY\\a.scm 1 2\n");
  plik("Tory/A.scm", "include obj.inc 3 0 4 end\n");
  skanuj();
  EXPECT_EQ(stan.lista_plikow, (Lista{"main.scn", "Tory\\A.scm", "x.scm"}));
  EXPECT_EQ(czytane(), (Lista{"main.scn", "Tory\\A.scm", "x.scm"}));
  oczekuj_zakresu(3, 3, 4, 4);
}

TEST_F(Skan, TwoSpellingsOfOneFileAreOneEntryUnderTheFirst) {
  // Listed twice, b.scm would be rewritten twice and its changes logged and
  // counted twice. The name through a missing folder "a" still opens b.scm.
  plik("main.scn", "include a\\..\\b.scm end\ninclude B.scm end\ninclude .\\b.scm end\n");
  plik("b.scm", "include c.scm end\n");
  plik("c.scm", "include obj.inc 1 0 1 end\n");
  skanuj();
  EXPECT_EQ(stan.lista_plikow, (Lista{"main.scn", "a\\..\\b.scm", "c.scm"}));
  EXPECT_EQ(czytane(), (Lista{"main.scn", "a\\..\\b.scm", "c.scm"}));
}

TEST_F(Skan, PassesOverMissingOutsideAndHiddenFilesSilently) {
  k.zapisz("secret.scm", "include obj.inc 99 0 99 end\ninclude z.scm end\n");
  plik("main.scn",
       "include brak.scm end\ninclude ..\\secret.scm end\ninclude .ukryty.scm end\ninclude ok.scm "
       "end\n");
  plik(".ukryty.scm", "include obj.inc 50 0 50 end\n");
  ASSERT_TRUE(testy::ukryj(k / "scenery/.ukryty.scm"));
  plik("ok.scm", "include obj.inc 5 0 7 end\n");
  EXPECT_NO_THROW(skanuj());
  EXPECT_EQ(stan.lista_plikow,
            (Lista{"main.scn", "brak.scm", "..\\secret.scm", ".ukryty.scm", "ok.scm"}));
  oczekuj_zakresu(5, 5, 7, 7);
}

TEST_F(Skan, SceneryWithoutCoordinatesKeepsTheStartValues) {
  plik("main.scn", "// nothing placed\r\nnode -1 0 a dynamic x\r\ninclude a.inc\r\n\r\n");
  skanuj();
  oczekuj_zakresu(1000000, -1000000, 1000000, -1000000);
  EXPECT_TRUE(stan.zakres.pusty());
}

TEST_F(Skan, OneObjectGivesAPointExtent) {
  plik("main.scn", "include obj.inc 5 100 7 0 end\r\n");
  skanuj();
  oczekuj_zakresu(5, 5, 7, 7);
  EXPECT_FALSE(stan.zakres.pusty());
}

TEST_F(Skan, StartValuesStayAsTheOtherBound) {
  plik("main.scn", "include a.inc 1500000 0 3 end\ninclude a.inc 1600000 0 4 end\n");
  skanuj();
  oczekuj_zakresu(1000000, 1600000, 3, 4);
}

TEST_F(Skan, ObjectIncludesFoldOnlyTheirPositionTriple) {
  plik("main.scn",
       "include a.inc 1 2 x 3 end\n"              // no run of three
       "include a.inc t.bmp 5 6 x 10 2 30 end\n"  // 10, 2, 30
       "include\ta.inc;7 8 end -1 -2 -3\n"        // cleaned first: -1, -2, -3
       "include a.inc\n");
  skanuj();
  oczekuj_zakresu(-1, 10, -3, 30);
}

TEST_F(Skan, AFileIncludeOfAnObjectFileIsReadAsScenery) {
  plik("main.scn", "include drzewo.inc end\n");
  plik("drzewo.inc", "include obj.inc 4 0 6 end\ninclude dalej.scm end\n");
  skanuj();
  EXPECT_EQ(stan.lista_plikow, (Lista{"main.scn", "drzewo.inc", "dalej.scm"}));
  oczekuj_zakresu(4, 4, 6, 6);
}

TEST_F(Skan, CommentsOnlyAtTheVeryStartOfARawLine) {
  plik("main.scn", "//include a.scm end\n  //include b.scm end\n\t//include c.scm x\n");
  skanuj();
  // "  //include b.scm end" is an include line of three tokens.
  EXPECT_EQ(stan.lista_plikow, (Lista{"main.scn", "b.scm", "c.scm"}));
}

TEST_F(Skan, TrackEndPointsAreCountedLinesThreeAndSix) {
  plik("main.scn",
       "node 1000 0 t track normal 100.0 1.435 0.25 25.0 20 0 Flat vis\r\n"
       " Rail 4 tex 0.2 0.5 1.1\r\n"
       "1 0.2 2  0.0  //point 1\r\n"
       "\r\n"
       "500 500 500\r\n"  // counted line 4: not a point
       "0.0 0.0 0.0\r\n"
       "3 0.2 4  0.0  //point 2\r\n"
       "0\r\n"
       "-900 0 -900\r\n"  // counted line 8
       "endtrack\r\n");
  skanuj();
  oczekuj_zakresu(1, 3, 2, 4);
}

TEST_F(Skan, UnvisTrackTakesTheFirstAndFourthNonEmptyLines) {
  plik("main.scn",
       "node -1 0 t track switch 1 2 3 unvis\n"
       "\n"
       "10 0 20\n"
       "  \t \n"
       "77 0 77\n"
       "x\n"
       "30 0 40\n"
       "endtrack\n"
       "node -1 0 t track road 1 NOVIS\n"
       "-5 0 -6\n"
       "a\n"
       "b\n"
       "x 0 1\n"  // counted line 6, not numeric: no point
       "endtrack\n");
  skanuj();
  oczekuj_zakresu(-5, 30, -6, 40);
}

TEST_F(Skan, EveryTrackKindCounts) {
  const char* rodzaje[] = {"normal", "switch", "road", "river"};
  std::string tresc;
  for (int i = 0; i < 4; ++i) {
    tresc += std::string("node -1 0 t TRACK ") + rodzaje[i] + "\nh\n";
    tresc += std::to_string(i) + " 0 " + std::to_string(10 * i) + "\nc\nc\n0 0 0\nendtrack\n";
  }
  plik("main.scn", tresc);
  skanuj();
  oczekuj_zakresu(0, 3, 0, 30);
}

TEST_F(Skan, TrianglesFoldCompleteGroupsOfThree) {
  plik("main.scn",
       "node -1 0 t triangles material x endmaterial grass\n"
       "1 0 5 0 1 0 0 0\n"
       "not a vertex\n"
       "2 0 4\n"
       "3 0 6\n"
       "-1 0 0\n"
       "0 0 -2\n"
       "0 0 0\n"
       "999 0 999\n"  // seventh vertex: no triangle
       "endtri\n"
       "node -1 0 s triangle_strip\n"
       "1 1 1\n"
       "endtri\n");
  skanuj();
  oczekuj_zakresu(-1, 3, -2, 6);
}

TEST_F(Skan, LaterTestsLookAtTheLastLineANodeReaderRead) {
  plik("main.scn",
       "node -1 0 t track normal\n"
       "h\n1 0 1\nc\nc\n2 0 2\n"
       "endtrack include z.scm end node triangles\n"  // no include, but a triangle node
       "5 0 5\n6 0 6\n7 0 7\n"
       "endtri\n"
       "include node_track_normal.inc 8 0 8 end\n"  // an object and a track header
       "h\n9 0 9\n"
       "endtrack\n");
  skanuj();
  EXPECT_EQ(stan.lista_plikow, (Lista{"main.scn"}));
  oczekuj_zakresu(1, 9, 1, 9);
}

TEST_F(Skan, ZeroByteFilesAndHeadersOnTheLastLineAreNotFailures) {
  plik("main.scn",
       "include pusty.scm end\ninclude tor.scm end\ninclude tri.scm end\ninclude ok.scm end\n");
  plik("pusty.scm", "");
  plik("tor.scm", "include a.inc 1 0 1 end\nnode -1 0 t track normal unvis");
  plik("tri.scm", "include a.inc 2 0 2 end\r\nnode -1 0 t triangles\r\n");
  plik("ok.scm", "include a.inc 3 0 3 end\n");
  EXPECT_NO_THROW(skanuj());
  EXPECT_EQ(czytane(), (Lista{"main.scn", "pusty.scm", "tor.scm", "tri.scm", "ok.scm"}));
  oczekuj_zakresu(1, 3, 1, 3);
}

TEST_F(Skan, LargeFilesScannedSideBySideJoinInListOrder) {
  // Two files over 1 MiB: the second is scanned on another thread while the
  // first is; names and extents join as if read one after the other.
  const std::string wypelnienie(1 << 20, '\n');
  plik("main.scn", "include a.scm end\ninclude b.scm end\n");
  plik("a.scm", wypelnienie + "include c.scm end\ninclude o.inc -5 0 7 end\n");
  plik("b.scm", wypelnienie + "include d.scm end\ninclude C.SCM end\ninclude o.inc 9 0 -3 end\n");
  plik("c.scm", "include o.inc 1 0 1 end\n");
  plik("d.scm", "include e.scm end\n");
  plik("e.scm", "include o.inc 20 0 30 end\n");
  skanuj();
  EXPECT_EQ(stan.lista_plikow, (Lista{"main.scn", "a.scm", "b.scm", "c.scm", "d.scm", "e.scm"}));
  EXPECT_EQ(czytane(), stan.lista_plikow);
  oczekuj_zakresu(-5, 20, -3, 30);
}

TEST_F(Skan, MarksTheFilesTheRewriteHasNothingToOfferIn) {
  // A line the rewrite offers a run may hide inside a node; a comment never
  // is one.
  plik("main.scn", "include t.scm end\ninclude w.scm end\ninclude k.scm end\n");
  plik("t.scm", "node -1 0 t triangles trawa\n0 0 0\n1 0 0\n0 0 1\nendtri\n");
  plik("w.scm", "node -1 0 t triangles trawa\n0 0 0\nINCLUDE a.inc 1 2 3 end\nendtri\n");
  plik("k.scm", "//include a.inc 1 2 3 end\nnode -1 0 t track normal\n//include\nendtrack\n");
  skanuj();
  ASSERT_EQ(stan.lista_plikow, (Lista{"main.scn", "t.scm", "w.scm", "k.scm"}));
  EXPECT_EQ(stan.ma_kandydatow, (std::vector<char>{1, 0, 1, 0}));
}

TEST_F(Skan, MarksTheFilesTheRunsReadersHaveNothingIn) {
  // A line a reader would begin at may stand inside another node; a comment
  // is none, a road no normal track, and a missing file is read.
  stan.szukaj_torow = true;
  plik("main.scn",
       "include t.scm end\ninclude w.scm end\ninclude k.scm end\ninclude o.scm end\n"
       "include brak.scm end\n");
  plik("t.scm", "node -1 0 t triangles trawa\n0 0 0\nNODE 1 0 a TRACK Normal\nendtri\n");
  plik("w.scm", "//node -1 0 t track normal\nnode -1 0 d track road 1\nendtrack\n");
  plik("k.scm", "node -1 0 a track switch\nnode -1 0 b track normal unvis\nendtrack\n");
  plik("o.scm", "//node -1 0 t triangles trawa\ninclude a.inc 1 2 3 end\n");
  skanuj();
  EXPECT_EQ(stan.ma_tory, (std::vector<char>{0, 1, 0, 1, 0, 1}));
  EXPECT_EQ(stan.ma_wezly, (std::vector<char>{0, 1, 1, 1, 0, 1}));
  // Tracks not looked for: nothing is known of them, so nothing is passed over.
  stan.szukaj_torow = false;
  skanuj();
  EXPECT_TRUE(stan.ma_tory.empty());
}

TEST_F(Skan, RemembersHeadersAsIfEachWereReadAgain) {
  // Headers recur among others; one names a track, one an include, one
  // stands in a comment, empty lines between: the scan must find what it
  // finds reading each anew.
  const std::string naglowki[] = {
      "node -1 0 a triangles trawa",        "node -1 0 b triangle_strip trawa",
      "node -1 0 c triangles normal track", "node -1 0 d 1 2 3 triangles include.inc",
      "//node -1 0 a triangles trawa",      "node -1 0 e track normal"};
  std::string tresc;
  for (int i = 0; i < 60; ++i) {
    const std::string x = std::to_string(i * 10), z = std::to_string(-i);
    tresc += naglowki[(i * 5 + i / 4) % 6] + "\n" + x + " 0 " + z + "\n1 0 1\n2 0 " + x +
             "\nendtri\nendtrack\n\n";
  }
  tresc += "include o.scm end\n";  // after an empty line, as every node is
  plik("main.scn", "include t.scm end\n");
  plik("o.scm", "");
  plik("t.scm", tresc);
  stan.szukaj_torow = true;
  stan.zbieraj_polozenia = true;
  stan.skroty = Skroty::zadne();
  skanuj();
  const auto lista = stan.lista_plikow;
  const Zakres zakres = stan.zakres;
  const auto kandydaci = stan.ma_kandydatow, tory = stan.ma_tory, wezly = stan.ma_wezly;
  const std::size_t polozenia = stan.polozenia.size();
  stan.skroty = Skroty{};
  skanuj();
  EXPECT_EQ(stan.lista_plikow, lista);
  oczekuj_zakresu(zakres.min_x, zakres.max_x, zakres.min_z, zakres.max_z);
  EXPECT_EQ(stan.ma_kandydatow, kandydaci);
  EXPECT_EQ(stan.ma_tory, tory);
  EXPECT_EQ(stan.ma_wezly, wezly);
  EXPECT_EQ(stan.polozenia.size(), polozenia);
}

// Two files read at once, each with more objects than one block: every
// position is kept once, whatever the order they join in; a second scan
// starts the list afresh.
TEST_F(Skan, KeepsEveryObjectsPositionOnce) {
  std::vector<std::pair<double, double>> oczekiwane;
  std::string a, b;
  for (int i = 0; i < 17000; ++i) {
    a += "include d.inc " + std::to_string(i) + " 0 1 end\n";
    b += "include d.inc " + std::to_string(i) + ".5 0 -2 end\n";
    oczekiwane.emplace_back(i, 1);
    oczekiwane.emplace_back(i + 0.5, -2);
  }
  plik("main.scn", "include a.scm end\ninclude b.scm end\n");
  plik("a.scm", a);
  plik("b.scm", b);
  plik("d.inc", "");
  stan.zbieraj_polozenia = true;
  stan.skroty.duzy_plik_odczytu = 1;  // b.scm on the second thread
  for (int raz = 0; raz < 2; ++raz) {
    skanuj();
    std::vector<std::pair<double, double>> znalezione;
    for (std::size_t i = 0; i < stan.polozenia.size(); ++i) {
      znalezione.emplace_back(stan.polozenia[i].x, stan.polozenia[i].z);
    }
    std::sort(oczekiwane.begin(), oczekiwane.end());
    std::sort(znalezione.begin(), znalezione.end());
    EXPECT_EQ(znalezione, oczekiwane);
  }
}

TEST_F(Skan, ProgressInOrder) {
  plik("main.scn", "include a.scm end\n");
  plik("a.scm", "");
  skanuj();
  EXPECT_EQ(postep.zdarzenia, (Lista{"faza 1 main.scn", "plik main.scn", "plik a.scm", "koniec"}));
}

TEST_F(Skan, ASecondScanStartsAfresh) {
  plik("main.scn", "include a.scm end\ninclude o.inc 1 0 1 end\n");
  plik("inny.scn", "include o.inc 2 0 2 end\n");
  skanuj();
  skanuj("inny.scn");
  EXPECT_EQ(stan.lista_plikow, (Lista{"inny.scn"}));
  oczekuj_zakresu(2, 2, 2, 2);
}

TEST_F(Skan, TheListHoldsAtMost65536Names) {
  std::string tresc;
  for (int i = 1; i < 65536; ++i) tresc += "include f" + std::to_string(i) + " end\n";
  tresc += "include MAIN.SCN end\n";  // no new name
  plik("main.scn", tresc);
  EXPECT_NO_THROW(skanuj());
  EXPECT_EQ(stan.lista_plikow.size(), 65536u);

  tresc += "include f65536 end\n";
  plik("main.scn", tresc);
  postep.zdarzenia.clear();
  EXPECT_THROW(skanuj(), BladDanych);
  // The scan does not end normally: the status lines keep what they showed.
  EXPECT_EQ(postep.zdarzenia.back(), "plik main.scn");
}

}  // namespace
}  // namespace wyrownik
