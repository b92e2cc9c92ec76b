#include "log/dziennik.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/bledy.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

using namespace std::string_literals;

class DziennikTest : public ::testing::Test {
 protected:
  std::string tresc() const { return testy::wczytaj(log); }

  testy::KatalogTymczasowy k;
  testy::OperacjeZAwariami operacje_;
  testy::Awarie& awarie_ = operacje_.awarie;
  std::filesystem::path log = k / "Log_korekcja.txt";
};

TEST_F(DziennikTest, ChangeEntryOfTheHeightRun) {
  Dziennik d(log, operacje_systemowe());
  d.zmiana_wysokosci("TD.scn", "/sim/scenery/obiekty/a.scm", "include  a.inc;10 5 20",
                     "include a.inc 10 7.12 20");
  d.zamknij();
  EXPECT_EQ(tresc(),
            "Sceneria: TD.scn  Plik: /sim/scenery/obiekty/a.scm\r\n"
            "Przed zmiana:\r\n"
            "include  a.inc;10 5 20\r\n"
            "Po zmianie:\r\n"
            "include a.inc 10 7.12 20\r\n"
            "\r\n");
}

TEST_F(DziennikTest, ChangeAndRemovalEntriesOfTheClearanceRun) {
  Dziennik d(log, operacje_systemowe());
  // Raw lines keep their bytes: Windows-1250 letters, a TAB, a lone CR.
  d.zmiana_polozenia("/s/scenery/b.scm",
                     "include \xB3\xF3"
                     "d\xBC.inc\t1 2 3\r",
                     "include x 4 2 3");
  d.usuniecie("/s/scenery/b.scm", "include y.inc 1 2 3 ;");
  d.zamknij();
  EXPECT_EQ(tresc(),
            "Plik: /s/scenery/b.scm\r\n"
            "Przed zmiana:\r\n"
            "include \xB3\xF3"
            "d\xBC.inc\t1 2 3\r\r\n"
            "Po zmianie:\r\n"
            "include x 4 2 3\r\n"
            "\r\n"
            "Plik: /s/scenery/b.scm\r\n"
            "Usuni\xEAto:\r\n"
            "include y.inc 1 2 3 ;\r\n"
            "\r\n");
}

TEST_F(DziennikTest, Summaries) {
  Dziennik d(log, operacje_systemowe());
  d.podsumowanie("TD.scn", 0);
  d.podsumowanie(
      "Dru\xBF"
      "yna.scn",
      12, 0);
  d.podsumowanie("x.scn", 1234567, 89);
  d.zamknij();
  EXPECT_EQ(tresc(),
            "Sceneria: TD.scn\r\n"
            "Ilo\x9C\xE6 zmian: 0\r\n"
            "Sceneria: Dru\xBF"
            "yna.scn\r\n"
            "Ilo\x9C\xE6 zmian: 12\r\n"
            "Ilo\x9C\xE6 usuni\xEAtych: 0\r\n"
            "Sceneria: x.scn\r\n"
            "Ilo\x9C\xE6 zmian: 1234567\r\n"
            "Ilo\x9C\xE6 usuni\xEAtych: 89\r\n");
}

TEST_F(DziennikTest, AppendsToWhatTheLogHolds) {
  k.zapisz("Log_korekcja.txt", "earlier\r\n");
  Dziennik d(log, operacje_systemowe());
  d.podsumowanie("a.scn", 3);
  d.zamknij();
  EXPECT_EQ(tresc(), "earlier\r\nSceneria: a.scn\r\nIlo\x9C\xE6 zmian: 3\r\n");
}

TEST_F(DziennikTest, EntriesReachTheFileWhenWrittenOut) {
  Dziennik d(log, operacje_systemowe());
  d.usuniecie("p", "l");
  d.oproznij();
  EXPECT_EQ(tresc(), "Plik: p\r\nUsuni\xEAto:\r\nl\r\n\r\n");
  d.zamknij();
}

TEST_F(DziennikTest, FailurePathKeepsWhatWasLogged) {
  {
    Dziennik d(log, operacje_systemowe());
    d.zmiana_polozenia("p", "a", "b");
    // Left without zamknij(), as when a run fails.
  }
  EXPECT_EQ(tresc(), "Plik: p\r\nPrzed zmiana:\r\na\r\nPo zmianie:\r\nb\r\n\r\n");
}

TEST_F(DziennikTest, FailuresAreReported) {
  EXPECT_THROW(Dziennik(k / "brak" / "Log_korekcja.txt", operacje_systemowe()), BladPliku);
  {
    Dziennik d(log, operacje_);
    awarie_.pisz_do = 10;
    d.zmiana_polozenia("p", "a", "b");
    EXPECT_THROW(d.oproznij(), BladPliku);
  }
  // A failed write is not repeated on the way out: no bytes twice.
  EXPECT_EQ(tresc(), "Plik: p\r\nP");
  {
    operacje_.od_nowa();
    awarie_.zamknij = true;
    Dziennik d(log, operacje_);
    d.podsumowanie("a", 1);
    EXPECT_THROW(d.zamknij(), BladPliku);
  }
}

}  // namespace
}  // namespace wyrownik
