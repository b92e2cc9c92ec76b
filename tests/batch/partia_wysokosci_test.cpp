// Whole batches of the height correction: batches over sceneries built in a temporary folder,
// with the scratch files looked at on disk while the run is under way.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "batch/partia.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/pliki_indeksu.hpp"
#include "pomoc/stanowisko_partii.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

using L = std::vector<std::string>;
using testy::Rekord72;

std::string crlf(std::initializer_list<std::string_view> linie) {
  std::string w;
  for (const auto l : linie) w.append(l).append("\r\n");
  return w;
}

const std::string komunikat_bledu = "Wystąpił błąd. Dalsze działanie prgramu zostało przerwane.";

// A ground triangle under the whole area used here, at height 3.
const std::string teren = crlf({"node -1 0 t1 triangles trawa.dds", "-20 3 -20 0 1 0 0 0",
                                "40 3 -20 0 1 0 1 0", "-20 3 40 0 1 0 0 1", "endtri"});

// A road 4.5 to each side of the line from (0, 5, 0) to (10, 7, 0): header
// width 6, fifth token of the second line 1.5, so w = (6 + 2 x 1.5) / 2.
const std::string droga =
    crlf({"node -1 0 d1 track road 10 6 0.2 20 0 flat vis", "asfalt 4 a.tex 0 1.5 1", "0 5 0",
          "0 0 0", "0 0 0", "10 7 0", "0", "endtrack"});

class PrzebiegWysokosci : public testy::StanowiskoPartii {
 protected:
  PrzebiegWysokosci() : StanowiskoPartii(Rodzaj::wysokosc) { srodowisko.konfiguracja.drogi = true; }
};

TEST_F(PrzebiegWysokosci, RoadStripIsStoredAsTwoConsecutiveTrianglesAndRaisesObjects) {
  zapisz("main.scn",
         teren + droga + crlf({"include slup.inc 2 0 1 end", "include slup.inc 5 0 10 end"}));
  std::string aaa, aab;
  okno.przy_fazie["FAZA IV"] = [&] {
    aaa = testy::wczytaj(k / "scenery/aaa.aaa");
    aab = testy::wczytaj(k / "scenery/aaa.aab");
  };
  ASSERT_EQ(partia(), WynikPartii::zakonczona);

  // Record 1 is the terrain triangle, records 2 and 3 the road, nothing more.
  ASSERT_GE(aaa.size(), 4u * 72);
  EXPECT_EQ(testy::rekord_danych(aaa, 1), (Rekord72{-20, 3, -20, 40, 3, -20, -20, 3, 40}));
  EXPECT_EQ(testy::rekord_danych(aaa, 2), (Rekord72{0, 5, 4.5, 10, 7, -4.5, 0, 5, -4.5}));
  EXPECT_EQ(testy::rekord_danych(aaa, 3), (Rekord72{10, 7, 4.5, 10, 7, -4.5, 0, 5, 4.5}));
  EXPECT_EQ(testy::rekord_danych(aaa, 4), Rekord72{});
  // The extent starts at -20 with cells of 10: (2, 1) lies in column 3, row 3,
  // where the terrain and both halves of the road are registered in that order.
  EXPECT_EQ(testy::lancuch(aab, testy::komorka(3, 3)), (std::vector<std::int32_t>{1, 2, 3}));

  // On the road the road's plane wins over the lower terrain; beside it, the terrain.
  EXPECT_EQ(tresc("main.scn"),
            teren + droga + crlf({"include slup.inc 2 5.4 1 end", "include slup.inc 5 3 10 end"}));
  EXPECT_EQ(dziennik(),
            crlf({"Sceneria: main.scn  Plik: " + pelna("main.scn"), "Przed zmiana:",
                  "include slup.inc 2 0 1 end", "Po zmianie:", "include slup.inc 2 5.4 1 end", "",
                  "Sceneria: main.scn  Plik: " + pelna("main.scn"), "Przed zmiana:",
                  "include slup.inc 5 0 10 end", "Po zmianie:", "include slup.inc 5 3 10 end", "",
                  "Sceneria: main.scn", "Ilość zmian: 2"}));
  EXPECT_TRUE(okno.komunikaty.empty());
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"})
    EXPECT_FALSE(jest(roboczy)) << roboczy;
}

TEST_F(PrzebiegWysokosci, LargeFilesAreReadAndJudgedOnTwoThreadsInFileOrder) {
  // Over 1 MiB: read on a second thread, its triangles stored in batches.
  constexpr int ile = 20000;
  std::string duzy = "node -1 0 t1 triangles trawa.dds\r\n";
  for (int i = 0; i < ile; ++i) {
    const std::string x = std::to_string(i), x1 = std::to_string(i + 1);
    duzy += crlf({x + " 3 0 0 1 0 0 0", x1 + " 3 0 0 1 0 1 0", x + " 3 1 0 1 0 0 1"});
  }
  duzy += "endtri\r\n";
  ASSERT_GT(duzy.size(), 1u << 20);
  zapisz("teren.scm", duzy);
  // Over 256 KiB of objects: two blocks of every three judged on a second thread.
  std::string obiekty, oczekiwane;
  for (int i = 0; i < 6000; ++i) {
    const std::string x = std::to_string(i * 3 + 1) + ".5 ";
    obiekty += crlf({"include slup.inc " + x + std::to_string(i % 7) + " 0.25 end", "// " + x});
    oczekiwane += crlf({"include slup.inc " + x + "3 0.25 end", "// " + x});
  }
  ASSERT_GT(obiekty.size(), 256u << 10);
  zapisz("obiekty.scm", obiekty);
  const std::string glowny = crlf({"include teren.scm end", "include obiekty.scm end"});
  zapisz("main.scn", glowny + crlf({"include slup.inc 12345.5 0 0.25 end"}));
  std::string aaa;
  okno.przy_fazie["FAZA IV"] = [&] { aaa = testy::wczytaj(k / "scenery/aaa.aaa"); };
  ASSERT_EQ(partia(), WynikPartii::zakonczona);

  ASSERT_GE(aaa.size(), std::size_t{72} * ile);
  for (const int i : {0, 1023, 1024, 9999, ile - 1}) {
    const double x = i;
    EXPECT_EQ(testy::rekord_danych(aaa, i + 1), (Rekord72{x, 3, 0, x + 1, 3, 0, x, 3, 1})) << i;
  }
  EXPECT_EQ(testy::rekord_danych(aaa, ile + 1), Rekord72{});
  EXPECT_EQ(tresc("main.scn"), glowny + crlf({"include slup.inc 12345.5 3 0.25 end"}));
  EXPECT_EQ(tresc("obiekty.scm"), oczekiwane);
  EXPECT_NE(dziennik().find("Ilość zmian: 5144\r\n"), std::string::npos);
}

TEST_F(PrzebiegWysokosci, RoadsAreGroundOnlyWhenSwitchedOn) {
  srodowisko.konfiguracja.drogi = false;
  zapisz("main.scn", teren + droga + crlf({"include slup.inc 2 0 1 end"}));
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("main.scn"), teren + droga + crlf({"include slup.inc 2 3 1 end"}));
}

TEST_F(PrzebiegWysokosci, BandIsReadFromTheTextsOfTheTwoBoxes) {
  // Flat ground at 7.125. A text that does not begin with a number reads as
  // 0, and "2.5x" as 2.5: differences 0, 2.375 and exactly 2.5 are corrected,
  // 2.625 is not.
  const std::string plaski = crlf(
      {"node -1 0 t triangles trawa.dds", "0 7.125 0", "100 7.125 0", "0 7.125 100", "endtri"});
  const std::string obiekty =
      crlf({"include a.inc 10 7.125 20 end", "include a.inc 10 9.5 20 end",
            "include a.inc 10 4.625 20 end", "include a.inc 10 4.5 20 end"});
  zapisz("main.scn", plaski + obiekty);
  dolna = "abc";
  gorna = "2.5x";
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("main.scn"),
            plaski + crlf({"include a.inc 10 7.12 20 end", "include a.inc 10 7.12 20 end",
                           "include a.inc 10 7.12 20 end", "include a.inc 10 4.5 20 end"}));
  EXPECT_NE(dziennik().find("Ilość zmian: 3\r\n"), std::string::npos);

  // The default band 0.5 to 11 takes exactly the others.
  zapisz("main.scn", plaski + obiekty);
  dolna = "0.5";
  gorna = "11";
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("main.scn"),
            plaski + crlf({"include a.inc 10 7.125 20 end", "include a.inc 10 7.12 20 end",
                           "include a.inc 10 7.12 20 end", "include a.inc 10 7.12 20 end"}));
}

TEST_F(PrzebiegWysokosci,
       UnreadableFileStopsTheBatchLeavingScratchFilesAndTheNextBatchStartsAfresh) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links: not made by this toolchain's library on Windows";
#endif
  const std::string glowny =
      teren + droga + crlf({"include slup.inc 2 0 1 end", "include sub/b.scm end"});
  const std::string podrzedny = crlf({"include slup.inc 5 0 10 end"});
  zapisz("main.scn", glowny);
  const fs::path b = zapisz("sub/b.scm", podrzedny);
  zapisz("inny.scn", crlf({"include slup.inc 5 0 10 end"}) + teren);
  okno.pozycje = {"main.scn", "inny.scn"};
  okno.zaznaczenie = {true, true};
  // Readable for the scan; by "FAZA III" it is a loop of links that no
  // lookup gets through (ELOOP), which no permission bit can do for root.
  okno.przy_fazie["FAZA III"] = [&] {
    fs::remove(b);
    fs::create_symlink("b2.scm", b);
    fs::create_symlink("b.scm", k / "scenery/sub/b2.scm");
  };
  ASSERT_EQ(partia(), WynikPartii::blad);

  EXPECT_EQ(okno.komunikaty, L{komunikat_bledu});
  EXPECT_TRUE(okno.tylko("Label3=FAZA IV").empty());
  // Both index files stay, cut to exactly what was stored: main.scn's three
  // triangles.
  ASSERT_TRUE(jest("aaa.aaa"));
  ASSERT_TRUE(jest("aaa.aab"));
  EXPECT_EQ(fs::file_size(k / "scenery/aaa.aaa"), 3u * 72);
  // The terrain's 49 cells use their heads; each road triangle adds a link
  // in four of them.
  EXPECT_EQ(fs::file_size(k / "scenery/aaa.aab"), (1000000u + 8) * 12);
  EXPECT_EQ(tresc("main.scn"), glowny);
  EXPECT_EQ(tresc("inny.scn"), crlf({"include slup.inc 5 0 10 end"}) + teren);  // never reached
  EXPECT_EQ(dziennik(), "");  // no entry and no summary
  // The status lines keep what they showed.
  EXPECT_EQ(okno.tylko("Label4=").back(), "Label4=Czytam plik: sub\\b.scm");

  // The next batch truncates the leftovers and works: without roads only the
  // terrain is stored.
  fs::remove(b);
  zapisz("sub/b.scm", podrzedny);
  srodowisko.konfiguracja.drogi = false;
  okno.komunikaty.clear();
  okno.zaznaczenie = {true, false};
  std::string aaa;
  okno.przy_fazie["FAZA IV"] = [&] { aaa = testy::wczytaj(k / "scenery/aaa.aaa"); };
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_TRUE(okno.komunikaty.empty());
  EXPECT_EQ(testy::rekord_danych(aaa, 1), (Rekord72{-20, 3, -20, 40, 3, -20, -20, 3, 40}));
  EXPECT_EQ(testy::rekord_danych(aaa, 2), Rekord72{});
  EXPECT_EQ(tresc("main.scn"),
            teren + droga + crlf({"include slup.inc 2 3 1 end", "include sub/b.scm end"}));
  EXPECT_EQ(tresc("sub/b.scm"), crlf({"include slup.inc 5 3 10 end"}));
  const std::string log = dziennik();
  EXPECT_EQ(log.find("Sceneria: main.scn  Plik: "), 0u);
  EXPECT_TRUE(log.ends_with("Sceneria: main.scn\r\nIlość zmian: 2\r\n")) << log;
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"})
    EXPECT_FALSE(jest(roboczy)) << roboczy;
}

TEST_F(PrzebiegWysokosci, CopyThatCannotBeWrittenStopsTheBatchAndLeavesTheFileAsItWas) {
  const std::string glowny = teren + crlf({"include slup.inc 2 0 1 end"});
  zapisz("main.scn", glowny);
  srodowisko.zapis.operacje = &operacje_;
  awarie_.tylko_plik = "aaa.ccc";
  awarie_.pisz_do = 5;  // the disk fills up while the copy is written
  ASSERT_EQ(partia(), WynikPartii::blad);

  EXPECT_EQ(okno.komunikaty, L{komunikat_bledu});
  EXPECT_EQ(tresc("main.scn"), glowny);
  EXPECT_TRUE(jest("aaa.aaa"));
  EXPECT_TRUE(jest("aaa.aab"));
  EXPECT_EQ(dziennik().find("Ilość zmian"), std::string::npos);
  EXPECT_EQ(okno.tylko("Label3=").back(), "Label3=FAZA IV");

  operacje_.od_nowa();
  okno.komunikaty.clear();
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_TRUE(okno.komunikaty.empty());
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include slup.inc 2 3 1 end"}));
  EXPECT_EQ(dziennik(), crlf({"Sceneria: main.scn  Plik: " + pelna("main.scn"),
                              "Przed zmiana:", "include slup.inc 2 0 1 end",
                              "Po zmianie:", "include slup.inc 2 3 1 end", "", "Sceneria: main.scn",
                              "Ilość zmian: 1"}));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"})
    EXPECT_FALSE(jest(roboczy)) << roboczy;
}

// A read that fails half-way through the rewrite of the first changed file,
// a scratch index that cannot grow while the ground is stored, a backup
// folder that cannot be made: each stops the batch with every scenery file
// as it was, and the same batch afterwards does its whole work.
TEST_F(PrzebiegWysokosci, AFailingReadMappingOrFolderLeavesEverySceneryFileAsItWas) {
  const std::string glowny = teren + crlf({"include slup.inc 2 0 1 end", "include b.scm end"});
  const std::string b = crlf({"include slup.inc 5 0 10 end"});
  const std::string po = teren + crlf({"include slup.inc 2 3 1 end", "include b.scm end"});
  const std::pair<std::function<void()>, std::string> awarie[] = {
      {[&] {
         // The scan and "FAZA III" read it whole, the rewrite only half.
         awarie_.tylko_plik = "main.scn";
         awarie_.czytaj_do = 2 * glowny.size() + glowny.size() / 2;
       },
       "Label3=FAZA IV"},
      // The cells' heads, then no room for the first triangle.
      {[&] { awarie_.rezerwuj_do = 1; }, "Label3=FAZA III"},
      {[&] { awarie_.utworz_katalogi = true; }, "Label3=FAZA IV"},
  };
  srodowisko.zapis.operacje = &operacje_;
  for (const auto& [awaria, faza] : awarie) {
    zapisz("main.scn", glowny);
    zapisz("b.scm", b);
    operacje_.od_nowa();
    awaria();
    okno.komunikaty.clear();
    ASSERT_EQ(partia(), WynikPartii::blad) << faza;
    EXPECT_EQ(okno.tylko("Label3=").back(), faza);
    EXPECT_EQ(okno.komunikaty, L{komunikat_bledu});
    EXPECT_EQ(tresc("main.scn"), glowny);
    EXPECT_EQ(tresc("b.scm"), b);
    EXPECT_EQ(dziennik().find("Ilość zmian"), std::string::npos);

    operacje_.od_nowa();
    ASSERT_EQ(partia(), WynikPartii::zakonczona);
    EXPECT_EQ(tresc("main.scn"), po);
    EXPECT_EQ(tresc("b.scm"), crlf({"include slup.inc 5 3 10 end"}));
  }
}

// The old report that cannot make way for the new one: the report is not
// written, and that costs the batch nothing.
TEST_F(PrzebiegWysokosci, AnOldReportThatCannotBeRemovedLeavesTheBatchDone) {
  srodowisko.zapis.operacje = &operacje_;
  const fs::path raport = k / "Log_korekcja.html";
  for (const bool odmowa : {false, true}) {
    zapisz("main.scn", teren + crlf({"include slup.inc 2 0 1 end"}));
    okno.zdarzenia.clear();
    awarie_.usun = odmowa;
    ASSERT_EQ(partia(), WynikPartii::zakonczona);
    EXPECT_EQ(tresc("main.scn"), teren + crlf({"include slup.inc 2 3 1 end"}));
    EXPECT_EQ(okno.tylko("no report=").size(), odmowa ? 1u : 0u);
    EXPECT_TRUE(fs::is_regular_file(raport));
  }
}

TEST_F(PrzebiegWysokosci, ASceneryFileNamedLikeAScratchFileStopsTheBatchBeforeAnyWrite) {
  for (const char* roboczy : {"aaa.aaa", "AAA.AAB", "aaa.ccc"}) {
    const std::string tresc_roboczego = teren + crlf({"include slup.inc 2 0 1 end"});
    zapisz(roboczy, tresc_roboczego);
    const std::string glowny =
        crlf({"include slup.inc 2 0 1 end", std::string("include ") + roboczy + " end"});
    zapisz("main.scn", glowny);
    okno.komunikaty.clear();
    okno.szczegoly.clear();
    EXPECT_EQ(partia(), WynikPartii::blad) << roboczy;
    EXPECT_EQ(okno.komunikaty, L{komunikat_bledu});
    ASSERT_EQ(okno.szczegoly.size(), 1u);
    EXPECT_NE(okno.szczegoly[0].find(roboczy), std::string::npos) << okno.szczegoly[0];
    EXPECT_EQ(tresc(roboczy), tresc_roboczego);
    EXPECT_EQ(tresc("main.scn"), glowny);
    fs::remove(k / "scenery" / roboczy);
  }
}

TEST_F(PrzebiegWysokosci,
       AnotherCopyWithItsOwnProgramDirectoryCannotWorkInTheSameSceneryDirectory) {
  // Two program directories (two installations, each with its own ini and
  // log) may name one simulator root. While this batch works on its scratch
  // files, a batch of the other copy on the same scenery directory starts.
  const std::string glowny = teren + crlf({"include slup.inc 2 0 1 end"});
  zapisz("main.scn", glowny);
  Srodowisko drugie = srodowisko;
  drugie.zapis.plik_logu = k / "drugi" / "Log_korekcja.txt";
  fs::create_directories(k / "drugi");
  testy::OknoFazowe drugie_okno;
  drugie_okno.pozycje = {"main.scn"};
  drugie_okno.zaznaczenie = {true};
  std::string aaa_przed, aaa_po;
  WynikPartii wynik_drugiej = WynikPartii::zakonczona;
  okno.przy_fazie["FAZA IV"] = [&] {
    aaa_przed = testy::wczytaj(k / "scenery/aaa.aaa");
    wynik_drugiej =
        wyrownik::partia(drugie, drugie_okno, korekcja_wysokosci(drugie.konfiguracja, "0.5", "11"),
                         [] { return 0; });
    aaa_po = testy::wczytaj(k / "scenery/aaa.aaa");
  };
  ASSERT_EQ(partia(), WynikPartii::zakonczona);

  // The other batch is refused before it touches anything of this one's.
  EXPECT_EQ(wynik_drugiej, WynikPartii::blad);
  EXPECT_EQ(drugie_okno.komunikaty, L{komunikat_bledu});
  ASSERT_EQ(drugie_okno.szczegoly.size(), 1u);
  EXPECT_TRUE(drugie_okno.szczegoly[0].starts_with("another copy of wyrownik is working in"));
  EXPECT_TRUE(drugie_okno.tylko("Label3=").empty());
  EXPECT_EQ(aaa_po, aaa_przed);
  // This batch ends as if alone.
  EXPECT_TRUE(okno.komunikaty.empty());
  EXPECT_EQ(tresc("main.scn"), teren + crlf({"include slup.inc 2 3 1 end"}));
  EXPECT_TRUE(dziennik().ends_with("Sceneria: main.scn\r\nIlość zmian: 1\r\n"));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"})
    EXPECT_FALSE(jest(roboczy)) << roboczy;
}

}  // namespace
}  // namespace wyrownik
