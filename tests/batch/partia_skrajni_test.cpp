// Whole batches of the clearance correction: batches over sceneries built in a temporary folder,
// with the scratch files looked at on disk while the run is under way.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "batch/partia.hpp"
#include "pomoc/pliki_indeksu.hpp"
#include "pomoc/stanowisko_partii.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

using L = std::vector<std::string>;
using N = std::vector<std::int32_t>;
using testy::komorka;
using testy::Rekord72;

std::string crlf(std::initializer_list<std::string_view> linie) {
  std::string w;
  for (const auto l : linie) w.append(l).append("\r\n");
  return w;
}

// A normal track of width 1 + 2 x 0.5 = 2 whose counted line 3 is `punkt1`
// and whose counted line 6 holds (x2, z2).
std::string tor(const std::string& punkt1, const std::string& x2, const std::string& z2) {
  return crlf({"node 1 0 t track normal 100 1 0.25 25 20 0 flat vis", "rail 4 tex 0.2 0.5 1.1",
               punkt1, "0 0 0", "0 0 0", x2 + " 0.2 " + z2 + " 0", "0", "endtrack"});
}
std::string tor(double x1, double z1, double x2, double z2) {
  auto t = [](double v) {
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
  };
  return tor(t(x1) + " 0.2 " + t(z1) + " 0", t(x2), t(z2));
}

const std::string komunikat_bledu = "Wystąpił błąd. Dalsze działanie prgramu zostało przerwane.";

class PrzebiegSkrajni : public testy::StanowiskoPartii {
 protected:
  PrzebiegSkrajni() : StanowiskoPartii(Rodzaj::skrajnia) {
    srodowisko.konfiguracja.lista_inc = {"obj.inc"};
  }
};

class ZlyPunktToru : public PrzebiegSkrajni, public ::testing::WithParamInterface<const char*> {};

TEST_P(ZlyPunktToru, StopsTheRunWithTheErrorFlagAndLeavesTheScratchFiles) {
  // The object stands in the first track's clearance: had the run gone on,
  // the file would have changed.
  const std::string glowny = tor(0, 0, 100, 0) + crlf({"include obj.inc 50 0 3 1 2 3 5 end"}) +
                             tor(GetParam(), "100", "50");
  zapisz("main.scn", glowny);
  zapisz("b.scn", crlf({"include obj.inc 0 0 0 1 2 3 5 end"}));
  okno.pozycje = {"main.scn", "b.scn"};
  okno.zaznaczenie = {true, true};
  ASSERT_EQ(partia(), WynikPartii::blad);

  EXPECT_EQ(okno.komunikaty, L{komunikat_bledu});
  EXPECT_EQ(tresc("main.scn"), glowny);
  // The first track was stored before the failure; the files keep exactly it.
  ASSERT_TRUE(jest("aaa.aaa"));
  ASSERT_TRUE(jest("aaa.aab"));
  const std::string aaa = testy::wczytaj(k / "scenery/aaa.aaa");
  ASSERT_EQ(aaa.size(), 72u);
  EXPECT_EQ(testy::rekord_danych(aaa, 1), (Rekord72{0, 0, 0, 100, 0, 0, 1, 100, 2}));
  EXPECT_FALSE(jest("aaa.ccc"));
  // No entry, no summary, and the next scenery was never begun.
  EXPECT_EQ(dziennik(), "");
  EXPECT_TRUE(okno.tylko("Label2=Aktualnie sprawdzana sceneria:b.scn").empty());
  EXPECT_EQ(okno.tylko("Label3=").back(), "Label3=FAZA III");
}

INSTANTIATE_TEST_SUITE_P(Linia3, ZlyPunktToru,
                         ::testing::Values("0 0.2 abc 0",  // a word where Z should be
                                           " 0 0.2 50"),   // one leading space, never cleaned
                         [](const auto& p) {
                           return p.index == 0 ? std::string("Word") : std::string("LeadingSpace");
                         });

TEST_F(PrzebiegSkrajni, ALargeNextFileIsReadAheadAndItsFailureToldInItsTurn) {
  // Two files of over 1 MiB: the second is read while the first is. Its bad
  // track must stop the run only once the first file's track is stored, and
  // only after its good track.
  const std::string wypelnienie(1 << 20, ' ');
  zapisz("a.scm", wypelnienie + "\r\n" + tor(0, 0, 100, 0));
  zapisz("b.scm", tor(0, 10, 100, 10) + wypelnienie + "\r\n" + tor("0 0.2 abc 0", "1", "1"));
  zapisz("main.scn", crlf({"include a.scm end", "include b.scm end"}));
  ASSERT_EQ(partia(), WynikPartii::blad);

  const std::string aaa = testy::wczytaj(k / "scenery/aaa.aaa");
  ASSERT_EQ(aaa.size(), 2u * 72);
  EXPECT_EQ(testy::rekord_danych(aaa, 1), (Rekord72{0, 0, 0, 100, 0, 0, 1, 100, 2}));
  EXPECT_EQ(testy::rekord_danych(aaa, 2), (Rekord72{0, 0, 10, 100, 0, 10, 1, 100, 2}));
  EXPECT_EQ(okno.tylko("Label4=").back(), "Label4=Czytam plik: b.scm");
}

TEST_F(PrzebiegSkrajni, StripsBeyondTheExtentAreRegisteredInTheBorderCells) {
  // Objects at the corners make the extent 0..20000 both ways: cells of 20.
  // The first strip (W = 2 + 40 around Z 20) reaches down to Z -22, below the
  // extent; the second, at the far corner, beyond both maxima.
  zapisz("main.scn",
         crlf({"include obj.inc 0 0 0 1 2 3 5 end", "include obj.inc 20000 0 20000 1 2 3 5 end",
               "include obj.inc 200 0 3 1 2 3 30 end"}) +
             tor(100, 20, 300, 20) + tor(19900, 19990, 19990, 19990));
  std::string aaa, aab;
  okno.przy_fazie["FAZA IV"] = [&] {
    aaa = testy::wczytaj(k / "scenery/aaa.aaa");
    aab = testy::wczytaj(k / "scenery/aaa.aab");
  };
  ASSERT_EQ(partia(), WynikPartii::zakonczona);

  EXPECT_EQ(testy::rekord_danych(aaa, 1), (Rekord72{100, 0, 20, 300, 0, 20, 1, 200, 2}));
  EXPECT_EQ(testy::rekord_danych(aaa, 2), (Rekord72{19900, 0, 19990, 19990, 0, 19990, 1, 90, 2}));
  EXPECT_EQ(testy::rekord_danych(aaa, 3), Rekord72{});
  // Columns 6..16 (X 100..300), rows -1..4 clamped to 1..4.
  for (int kolumna = 5; kolumna <= 17; ++kolumna) {
    for (int wiersz = 1; wiersz <= 5; ++wiersz) {
      const bool w_pasie = kolumna >= 6 && kolumna <= 16 && wiersz <= 4;
      EXPECT_EQ(testy::lancuch(aab, komorka(kolumna, wiersz)), w_pasie ? N{1} : N{})
          << kolumna << "," << wiersz;
    }
  }
  // Columns 996..1000 and rows 998..1002, clamped to 1000.
  for (int kolumna = 995; kolumna <= 1000; ++kolumna) {
    for (int wiersz = 996; wiersz <= 1000; ++wiersz) {
      const bool w_pasie = kolumna >= 996 && wiersz >= 998;
      EXPECT_EQ(testy::lancuch(aab, komorka(kolumna, wiersz)), w_pasie ? N{2} : N{})
          << kolumna << "," << wiersz;
    }
  }

  // The object of radius 30 at Z 3 is pushed to the near side, F - 31 n,
  // beyond the extent; there its cell is the clamped border cell, which
  // holds the same track, clear by now.
  EXPECT_EQ(dziennik(), crlf({"Plik: " + pelna("main.scn"),
                              "Przed zmiana:", "include obj.inc 200 0 3 1 2 3 30 end",
                              "Po zmianie:", "include obj.inc 200 0 -11 1 2 3 30 end", "",
                              "Sceneria: main.scn", "Ilość zmian: 1", "Ilość usuniętych: 0"}));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"})
    EXPECT_FALSE(jest(roboczy)) << roboczy;
}

TEST_F(PrzebiegSkrajni, EachSceneryOfABatchEndsWithItsOwnThreeLineSummary) {
  // Between chords at Z 0 and Z 10 (half width 1, radius 5): the object at
  // Z -3 goes to -6; the one at Z 4 is pushed to 6 and then clashes with the
  // other track, so it is removed.
  zapisz("a.scn", tor(0, 0, 100, 0) + tor(0, 10, 100, 10) +
                      crlf({"include obj.inc 50 0 -3 1 2 3 5 end", "",
                            "include obj.inc 50 0 4 1 2 3 5 end", ""}));
  zapisz("b.scn", crlf({"include obj.inc 50 0 -3 1 2 3 5 end"}));
  okno.pozycje = {"a.scn", "b.scn"};
  okno.zaznaczenie = {true, true};
  ASSERT_EQ(partia(), WynikPartii::zakonczona);

  EXPECT_EQ(tresc("a.scn"), tor(0, 0, 100, 0) + tor(0, 10, 100, 10) +
                                crlf({"include obj.inc 50 0 -6 1 2 3 5 end", ""}));
  EXPECT_EQ(tresc("b.scn"), crlf({"include obj.inc 50 0 -3 1 2 3 5 end"}));
  EXPECT_EQ(dziennik(),
            crlf({"Plik: " + pelna("a.scn"), "Przed zmiana:", "include obj.inc 50 0 -3 1 2 3 5 end",
                  "Po zmianie:", "include obj.inc 50 0 -6 1 2 3 5 end", "",
                  "Plik: " + pelna("a.scn"), "Usunięto:", "include obj.inc 50 0 4 1 2 3 5 end", "",
                  "Sceneria: a.scn", "Ilość zmian: 1", "Ilość usuniętych: 1", "Sceneria: b.scn",
                  "Ilość zmian: 0", "Ilość usuniętych: 0"}));
  EXPECT_TRUE(okno.komunikaty.empty());
}

TEST_F(PrzebiegSkrajni, RadiusParameterZeroTakesTheMaximumRadiusText) {
  const std::string glowny = tor(0, 0, 100, 0) + crlf({"include obj.inc 50 0 10 1 2 3 5 end"});
  zapisz("main.scn", glowny);
  // Radius 5 from parameter 7: the probe ends at Z 5, short of the track.
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("main.scn"), glowny);
  EXPECT_TRUE(dziennik().ends_with("Ilość zmian: 0\r\nIlość usuniętych: 0\r\n"));

  // No radius parameter: every object has the maximum radius, "25x" read as
  // 25, and is pushed to the track's far edge, 1 + 25 from the chord.
  promien = "25x";
  nr_parametru = "0";
  ASSERT_EQ(partia(), WynikPartii::zakonczona);
  EXPECT_EQ(tresc("main.scn"), tor(0, 0, 100, 0) + crlf({"include obj.inc 50 0 26 1 2 3 5 end"}));
  EXPECT_TRUE(dziennik().ends_with("Ilość zmian: 1\r\nIlość usuniętych: 0\r\n"));
}

}  // namespace
}  // namespace wyrownik
