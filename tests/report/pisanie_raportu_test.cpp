#include "report/pisanie_raportu.hpp"

#include <gtest/gtest.h>

#include "platform/bledy.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

// The page written ahead is replaced at the end only, and one a later
// scenery would be missing from is written again.
TEST(PisanieRaportu, APageWrittenAheadHasEverySceneryAndWaitsForTheEnd) {
  testy::KatalogTymczasowy k;
  const fs::path plik = k.zapisz("Log_korekcja.html", "old");
  Raport r(RodzajPrzebiegu::wysokosc, false);
  PisanieRaportu pisanie(r, plik, operacje_systemowe(), /*z_wyprzedzeniem=*/true);
  const StanScenerii stan;
  const LicznikiPrzebiegu l;
  pisanie.nowa_sceneria(false);
  r.nowa_sceneria("a.scn", Zakres{0, 0, 10, 10});
  pisanie.koniec_scenerii(stan, l);
  EXPECT_FALSE(fs::exists(k / "Log_korekcja.html.nowy"));  // not the last run
  pisanie.nowa_sceneria(true);
  r.nowa_sceneria("b.scn", Zakres{0, 0, 10, 10});
  pisanie.koniec_scenerii(stan, l);
  EXPECT_EQ(testy::wczytaj(plik), "old");
  // The batch went on after all.
  pisanie.nowa_sceneria(false);
  r.nowa_sceneria("c.scn", Zakres{0, 0, 10, 10});
  pisanie.zakoncz();
  const std::string strona = testy::wczytaj(plik);
  for (const char* s : {"Sceneria: a.scn", "Sceneria: b.scn", "Sceneria: c.scn"})
    EXPECT_NE(strona.find(s), std::string::npos) << s;
  EXPECT_FALSE(fs::exists(k / "Log_korekcja.html.nowy"));
}

TEST(PisanieRaportu, AFailureWritingAheadIsToldAtTheEnd) {
  testy::KatalogTymczasowy k;
  Raport r(RodzajPrzebiegu::skrajnia, false);
  PisanieRaportu pisanie(r, k / "brak/Log_korekcja.html", operacje_systemowe(), true);
  pisanie.nowa_sceneria(true);
  r.nowa_sceneria("a.scn", Zakres{0, 0, 10, 10});
  EXPECT_NO_THROW(pisanie.koniec_scenerii(StanScenerii{}, LicznikiPrzebiegu{}));
  EXPECT_THROW(pisanie.zakoncz(), BladPliku);
}

}  // namespace
}  // namespace wyrownik
