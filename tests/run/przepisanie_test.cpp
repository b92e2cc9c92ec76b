#include "run/przepisanie.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "log/sluchacz_dziennika.hpp"
#include "platform/bledy.hpp"
#include "platform/separator.hpp"
#include "pomoc/awarie_systemu.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/postep_nagrywajacy.hpp"
#include "text/blad_danych.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

using Rodzaj = RodzajPrzebiegu;

// The rules the tests give: a line holding "usun" is removed; a line holding
// "->" is corrected to the text after it; every other line is kept. Each line
// offered is recorded. Logged as the height or the clearance run is.
class ZasadyTestowe : public ZasadyPrzepisania {
 public:
  // With `bloki`, the rules judge lines in blocks, each block's size
  // recorded, and a line holding "zla" fails its verdict (and its block's).
  ZasadyTestowe(Rodzaj rodzaj, std::vector<std::string>& oferowane,
                std::vector<std::size_t>* bloki = nullptr)
      : rodzaj_(rodzaj), oferowane_(oferowane), bloki_(bloki) {}

  bool ocena_blokami() const override { return bloki_ != nullptr; }
  void ocen_blok(std::span<const std::string_view> linie, std::span<OcenaLinii> oceny) override {
    for (const std::string_view l : linie) {
      if (l.find("zla") != std::string_view::npos) throw BladDanych("a block fails");
    }
    bloki_->push_back(linie.size());
    ZasadyPrzepisania::ocen_blok(linie, oceny);
  }

  Werdykt ocen(std::string_view surowa, std::string& poprawiona, Pozostawienie&) override {
    if (surowa.find("zla") != std::string_view::npos) throw BladDanych("a line fails");
    oferowane_.emplace_back(surowa);
    if (surowa.find("usun") != std::string_view::npos) return Werdykt::usun;
    if (const auto poz = surowa.find("->"); poz != std::string_view::npos) {
      poprawiona = surowa.substr(poz + 2);
      return Werdykt::popraw;
    }
    return Werdykt::zostaw;
  }
  RodzajZmiany rodzaj_poprawki() const override {
    return rodzaj_ == Rodzaj::wysokosc ? RodzajZmiany::wysokosc : RodzajZmiany::przesuniecie;
  }
  bool sciskaj_puste_linie() const override { return rodzaj_ == Rodzaj::skrajnia; }

 private:
  Rodzaj rodzaj_;
  std::vector<std::string>& oferowane_;
  std::vector<std::size_t>* bloki_;
};

// Whether the file at `p` is still the one `swiadek` (a hard link made
// before) names: a replaced file is a new file.
bool ten_sam(const fs::path& p, const fs::path& swiadek) {
  return fs::equivalent(p, swiadek);
}

class Przepisanie : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(k / "scenery");
    stan.tekst_katalogu = (k / "scenery").string() + "/";
    stan.katalog = k / "scenery";
    stan.nazwa_scenerii = "main.scn";
  }

  fs::path plik(std::string_view nazwa) const { return stan.katalog / std::string(nazwa); }
  fs::path zapisz(std::string_view nazwa, std::string_view tresc) {
    return k.zapisz("scenery/" + std::string(nazwa), tresc);
  }
  std::string tresc(std::string_view nazwa) const { return testy::wczytaj(plik(nazwa)); }
  bool jest_kopia() const { return fs::exists(plik(nazwa_kopii_roboczej)); }

  // One whole rewrite with a log of its own, and without the log's summary
  // (the run's end, not the rewrite's); returns the log's bytes.
  std::string przepisz(Rodzaj rodzaj, bool na_sucho = false,
                       OperacjeSystemu& operacje = operacje_systemowe(),
                       OperacjeSystemu& operacje_logu = operacje_systemowe()) {
    SluchaczDziennika dziennik(log, operacje_logu, rodzaj);
    dziennik.poczatek_scenerii(stan);
    ZasadyTestowe zasady(rodzaj, oferowane, blokami ? &bloki : nullptr);
    KontekstPrzebiegu kontekst;
    kontekst.operacje = &operacje;
    kontekst.tryb = na_sucho ? TrybPrzebiegu::na_sucho : TrybPrzebiegu::zapis;
    kontekst.sluchacz = &dziennik;
    try {
      przepisz_scenerie(stan, zasady, kontekst, liczniki, postep);
    } catch (...) {
      dziennik.przerwanie_scenerii(liczniki, false);
      throw;
    }
    dziennik.przerwanie_scenerii(liczniki, false);
    return testy::wczytaj(log);
  }

  testy::KatalogTymczasowy k;
  testy::OperacjeZAwariami operacje_;
  testy::Awarie& awarie_ = operacje_.awarie;
  fs::path log = k / "Log_korekcja.txt";
  StanScenerii stan;
  LicznikiPrzebiegu liczniki;
  testy::PostepNagrywajacy postep;
  std::vector<std::string> oferowane;
  bool blokami = false;
  std::vector<std::size_t> bloki;
};

TEST_F(Przepisanie, FileWithoutCorrectionStaysByteForByte) {
  const std::string tresc_pliku =
      "include a.inc 1 2 3 end\n\n\r\nnode track\r\n\n  \t\nx\ry\r\n"
      "include b.inc 4 5 6 end\r\nlast line without an end";
  const auto p = zapisz("main.scn", tresc_pliku);
  zapisz("empty.scm", "");
  const auto swiadek = k / "swiadek";
  fs::create_hard_link(p, swiadek);
  stan.lista_plikow = {"main.scn", "empty.scm"};
  for (const auto rodzaj : {Rodzaj::wysokosc, Rodzaj::skrajnia}) {
    EXPECT_EQ(przepisz(rodzaj), "");
    EXPECT_EQ(tresc("main.scn"), tresc_pliku);
    EXPECT_EQ(tresc("empty.scm"), "");
    EXPECT_TRUE(ten_sam(p, swiadek));  // never replaced
    EXPECT_FALSE(jest_kopia());
  }
  EXPECT_EQ(oferowane.size(), 4u);
  EXPECT_EQ(liczniki.ile_zmian, 0u);
  EXPECT_EQ(liczniki.ile_usunietych, 0u);
}

TEST_F(Przepisanie, CorrectedFileIsCopiedWithCrLfEverywhere) {
  zapisz("obiekty/a.scm",
         "first\nsecond\r\n\r\n\n"
         "include  drzewo.inc;10 5 20->include drzewo.inc 10 7.12 20\n"
         "x\ry\n"
         "include keep.inc 1 2 3\r\n"
         "last");
  stan.lista_plikow = {"obiekty\\a.scm"};
  const std::string dziennik = przepisz(Rodzaj::wysokosc);
  // The height run writes every line, empty ones included; the last line
  // gains its line end.
  EXPECT_EQ(tresc("obiekty/a.scm"),
            "first\r\nsecond\r\n\r\n\r\n"
            "include drzewo.inc 10 7.12 20\r\n"
            "x\ry\r\n"
            "include keep.inc 1 2 3\r\n"
            "last\r\n");
  EXPECT_FALSE(jest_kopia());
  EXPECT_EQ(dziennik, "Sceneria: main.scn  Plik: " + stan.tekst_katalogu + "obiekty" +
                          separator_natywny +
                          "a.scm\r\n"
                          "Przed zmiana:\r\n"
                          "include  drzewo.inc;10 5 20->include drzewo.inc 10 7.12 20\r\n"
                          "Po zmianie:\r\n"
                          "include drzewo.inc 10 7.12 20\r\n"
                          "\r\n");
  EXPECT_EQ(liczniki.ile_zmian, 1u);
}

TEST_F(Przepisanie, ClearanceRunShrinksRunsOfEmptyLines) {
  zapisz("a.scm",
         "\r\n\r\n"
         "a\r\n\r\n\r\n\r\n"
         "b\r\n\r\n"
         "include usun.inc 1 2 3\r\n"  // removed: the empty lines around it close up
         "\r\n\r\n"
         "include m.inc 1 2 3->include m.inc 9 2 9\r\n"
         "   \r\n   \r\n"  // spaces are not empty
         "\r\n\r\n");
  stan.lista_plikow = {"a.scm"};
  const std::string dziennik = przepisz(Rodzaj::skrajnia);
  EXPECT_EQ(tresc("a.scm"),
            "\r\n"
            "a\r\n\r\n"
            "b\r\n\r\n"
            "include m.inc 9 2 9\r\n"
            "   \r\n   \r\n"
            "\r\n");
  const std::string sciezka = stan.tekst_katalogu + "a.scm";
  EXPECT_EQ(dziennik, "Plik: " + sciezka +
                          "\r\nUsuni\xEAto:\r\ninclude usun.inc 1 2 3\r\n\r\n"
                          "Plik: " +
                          sciezka +
                          "\r\nPrzed zmiana:\r\ninclude m.inc 1 2 3->include m.inc 9 2 9\r\n"
                          "Po zmianie:\r\ninclude m.inc 9 2 9\r\n\r\n");
  EXPECT_EQ(liczniki.ile_zmian, 1u);
  EXPECT_EQ(liczniki.ile_usunietych, 1u);
}

TEST_F(Przepisanie, RemovalAloneReplacesTheFile) {
  zapisz("a.scm", "x\n\n\ninclude usun.inc 1 2 3\ny");
  stan.lista_plikow = {"a.scm"};
  przepisz(Rodzaj::skrajnia);
  EXPECT_EQ(tresc("a.scm"), "x\r\n\r\ny\r\n");
  EXPECT_EQ(liczniki.ile_zmian, 0u);
  EXPECT_EQ(liczniki.ile_usunietych, 1u);
}

TEST_F(Przepisanie, ReadOnlyFileIsReplacedByAWritableOne) {
  const auto p = zapisz("ro.scm", "include a.inc 1 2 3->include a.inc 1 4 3\n");
  fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  stan.lista_plikow = {"ro.scm"};
  przepisz(Rodzaj::wysokosc);
  EXPECT_EQ(tresc("ro.scm"), "include a.inc 1 4 3\r\n");
  EXPECT_NE(fs::status(p).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_FALSE(jest_kopia());
}

TEST_F(Przepisanie, CandidatesAreNonCommentLinesWithIncludeInAnyCase) {
  zapisz("a.scm",
         "//include comment.inc 1 2 3\n"
         "//INCLUDE comment.inc 1 2 3\n"
         "  // include spaces.inc 1 2 3\n"
         "\t//include tab.inc 1 2 3\n"
         "/ include slash.inc 1 2 3\n"
         "INCLUDE upper.inc 1 2 3\n"
         "node xinclude.inc\n"
         "incl ude no\n"
         "nothing here\n");
  stan.lista_plikow = {"a.scm"};
  przepisz(Rodzaj::wysokosc);
  EXPECT_EQ(oferowane,
            (std::vector<std::string>{"  // include spaces.inc 1 2 3", "\t//include tab.inc 1 2 3",
                                      "/ include slash.inc 1 2 3", "INCLUDE upper.inc 1 2 3",
                                      "node xinclude.inc"}));
}

TEST_F(Przepisanie, CommentLineIsCopiedUnchangedInACorrectedFile) {
  zapisz("a.scm", "//include c.inc 1 2 3->never\n  //include d.inc 1 2 3->include d 1\n");
  stan.lista_plikow = {"a.scm"};
  przepisz(Rodzaj::wysokosc);
  EXPECT_EQ(tresc("a.scm"), "//include c.inc 1 2 3->never\r\ninclude d 1\r\n");
}

TEST_F(Przepisanie, MissingFilesAreSkippedAndTheListEndsAtAnEmptyEntry) {
  zapisz("main.scn", "include a.inc 1 2 3->include a.inc 1 5 3\n");
  zapisz("Tory/Most.SCM", "include t.inc 1 2 3->include t.inc 1 6 3\n");
  zapisz("after.scm", "include x.inc 1 2 3->changed\n");
  fs::create_directories(plik("katalog.scm"));
  stan.lista_plikow = {"main.scn",    "brak.scm", "katalog.scm", "tory\\most.scm",
                       "..\\out.scm", "",         "after.scm"};
  const std::string dziennik = przepisz(Rodzaj::wysokosc);
  EXPECT_EQ(tresc("main.scn"), "include a.inc 1 5 3\r\n");
  EXPECT_EQ(tresc("Tory/Most.SCM"), "include t.inc 1 6 3\r\n");
  EXPECT_EQ(tresc("after.scm"), "include x.inc 1 2 3->changed\n");
  EXPECT_EQ(liczniki.ile_zmian, 2u);
  // The log names the file as listed, with native separators.
  EXPECT_NE(
      dziennik.find("  Plik: " + stan.tekst_katalogu + "tory" + separator_natywny + "most.scm\r\n"),
      std::string::npos);
  EXPECT_EQ(postep.zdarzenia, (std::vector<std::string>{
                                  "faza 4 main.scn", "plik main.scn", "plik brak.scm",
                                  "plik katalog.scm", "plik tory\\most.scm", "plik ..\\out.scm"}));
}

TEST_F(Przepisanie, DryRunLogsButReplacesNothing) {
  const std::string tresc_pliku = "include a.inc 1 2 3->include a.inc 1 5 3\ninclude usun 1 2 3";
  zapisz("a.scm", tresc_pliku);
  stan.lista_plikow = {"a.scm"};
  const std::string dziennik = przepisz(Rodzaj::skrajnia, /*na_sucho=*/true);
  EXPECT_EQ(tresc("a.scm"), tresc_pliku);
  EXPECT_FALSE(jest_kopia());
  EXPECT_NE(dziennik.find("Po zmianie:\r\ninclude a.inc 1 5 3\r\n"), std::string::npos);
  EXPECT_NE(dziennik.find("Usuni\xEAto:\r\ninclude usun 1 2 3\r\n"), std::string::npos);
  EXPECT_EQ(liczniki.ile_zmian, 1u);
  EXPECT_EQ(liczniki.ile_usunietych, 1u);
}

TEST_F(Przepisanie, LongLinesAndLargeFilesAreCopiedWhole) {
  std::string tresc_pliku = std::string(3 << 20, 'x') + "\n";  // one line longer than any buffer
  for (int i = 0; i < 100000; ++i) tresc_pliku += "line " + std::to_string(i) + "\n";
  tresc_pliku += "include a.inc 1 2 3->include a.inc 1 5 3\n";
  zapisz("a.scm", tresc_pliku);
  stan.lista_plikow = {"a.scm"};
  przepisz(Rodzaj::wysokosc);
  std::string oczekiwana = std::string(3 << 20, 'x') + "\r\n";
  for (int i = 0; i < 100000; ++i) oczekiwana += "line " + std::to_string(i) + "\r\n";
  oczekiwana += "include a.inc 1 5 3\r\n";
  EXPECT_TRUE(tresc("a.scm") == oczekiwana);
}

TEST_F(Przepisanie, SceneryFileNamedLikeTheScratchCopyIsNeverEmptied) {
  zapisz("aaa.ccc", "include a.inc 1 2 3\n");
  stan.lista_plikow = {"aaa.ccc"};
  EXPECT_THROW(przepisz(Rodzaj::wysokosc), BladDanych);
  EXPECT_EQ(tresc("aaa.ccc"), "include a.inc 1 2 3\n");
}

TEST_F(Przepisanie, CopyAndLogAreOnDiskBeforeTheCopyTakesThePlaceOfTheFile) {
  zapisz("a.scm", "include a.inc 1 2 3->include a.inc 1 5 3\n");
  stan.lista_plikow = {"a.scm"};
  auto& operacje = operacje_;
  przepisz(Rodzaj::wysokosc, false, operacje, operacje);
  // After a power cut a replaced file must have its entry in the log.
  const auto& w = awarie_.wywolania;
  const auto zamiana = std::find(w.begin(), w.end(), "zmien_nazwe");
  ASSERT_GE(zamiana - w.begin(), 4);
  EXPECT_EQ(std::vector<std::string>(zamiana - 4, zamiana + 1),
            (std::vector<std::string>{"synchronizuj", "zamknij",  // the copy
                                      "pisz", "synchronizuj",     // the log
                                      "zmien_nazwe"}));
  EXPECT_EQ(tresc("a.scm"), "include a.inc 1 5 3\r\n");
}

TEST_F(Przepisanie, LogHoldsTheChangesBeforeTheFileIsReplaced) {
  zapisz("a.scm", "include a.inc 1 2 3->include a.inc 1 5 3\n");
  stan.lista_plikow = {"a.scm"};
  std::string log_przy_zamianie;
  awarie_.przed_zmiana_nazwy = [&] { log_przy_zamianie = testy::wczytaj(log); };
  const std::string dziennik = przepisz(Rodzaj::wysokosc, false, operacje_);
  EXPECT_FALSE(dziennik.empty());
  EXPECT_EQ(log_przy_zamianie, dziennik);
}

TEST_F(Przepisanie, VerdictsInBlocksAndAFailureAtItsOwnLine) {
  std::string tresc_pliku, oczekiwana;
  for (int i = 0; i < 100; ++i) {
    const std::string n = std::to_string(i);
    tresc_pliku += "include a.inc 1 " + n + " 3->include b.inc " + n + "\n";
    oczekiwana += "include b.inc " + n + "\r\n";
  }
  zapisz("a.scm", tresc_pliku);
  stan.lista_plikow = {"a.scm"};
  blokami = true;
  przepisz(Rodzaj::wysokosc);
  EXPECT_EQ(tresc("a.scm"), oczekiwana);
  EXPECT_EQ(bloki, (std::vector<std::size_t>{32, 32, 32, 4}));
  // A failed block is judged line by line: the lines before the failing one
  // are offered, as they would be one at a time, and none after it.
  zapisz("a.scm", tresc_pliku + "include zla 1 2 3\n" + tresc_pliku);
  oferowane.clear();
  EXPECT_THROW(przepisz(Rodzaj::wysokosc), BladDanych);
  EXPECT_EQ(oferowane.size(), 100u);
  EXPECT_EQ(oferowane.back(), "include a.inc 1 99 3->include b.inc 99");
}

// Every failure while the copy is made or put in place leaves the scenery
// file as it was and is reported, never taken for success.
class PrzepisanieAwarie : public Przepisanie {
 protected:
  void sprawdz_awarie(const std::string& tresc_pliku) {
    const auto p = zapisz("a.scm", tresc_pliku);
    const auto swiadek = k / "swiadek";
    fs::create_hard_link(p, swiadek);
    stan.lista_plikow = {"a.scm"};
    try {
      przepisz(Rodzaj::wysokosc, false, operacje_);
      ADD_FAILURE() << "the failure was not reported";
    } catch (const BladPliku&) {
    }
    EXPECT_TRUE(tresc("a.scm") == tresc_pliku);
    EXPECT_TRUE(ten_sam(p, swiadek));
    // The change was logged before the replacement was tried; the log is
    // written out on the failure path too, and says the file stayed as it was.
    const std::string zapis = testy::wczytaj(log);
    EXPECT_NE(zapis.find("Po zmianie:"), std::string::npos);
    EXPECT_TRUE(zapis.ends_with(
        "Korekt\xEA przerwano, plik pozostawiono bez zmian: " + stan.tekst_katalogu + "a.scm\r\n"))
        << zapis;
  }
  const std::string maly = "a\ninclude a.inc 1 2 3->include a.inc 1 5 3\nb";
};

TEST_F(PrzepisanieAwarie, DiskFullPartWay) {
  awarie_.pisz_do = 10;
  sprawdz_awarie(maly);
}

TEST_F(PrzepisanieAwarie, DiskFullWhileTheCopyIsStillBeingWritten) {
  std::string duzy = "include a.inc 1 2 3->include a.inc 1 5 3\n";
  for (int i = 0; i < 200000; ++i) duzy += "line number " + std::to_string(i) + "\n";
  awarie_.pisz_do = 1500000;
  sprawdz_awarie(duzy);
}

TEST_F(PrzepisanieAwarie, SyncFails) {
  awarie_.synchronizuj = true;
  sprawdz_awarie(maly);
}

TEST_F(PrzepisanieAwarie, CloseFails) {
  awarie_.zamknij = true;
  sprawdz_awarie(maly);
}

TEST_F(PrzepisanieAwarie, RenameFails) {
  awarie_.zmien_nazwe = true;
  sprawdz_awarie(maly);
}

TEST_F(PrzepisanieAwarie, FilesReplacedBeforeAFailureKeepTheirNewContent) {
  zapisz("a.scm", "include a.inc 1 2 3->include a.inc 1 5 3\n");
  zapisz("b.scm", "include b.inc 1 2 3->include b.inc 1 5 3\n");
  stan.lista_plikow = {"a.scm", "b.scm"};
  // The first copy goes through whole; the second finds the disk full.
  awarie_.pisz_do = std::string_view("include a.inc 1 5 3\r\n").size();
  EXPECT_THROW(przepisz(Rodzaj::wysokosc, false, operacje_), BladPliku);
  EXPECT_EQ(tresc("a.scm"), "include a.inc 1 5 3\r\n");
  EXPECT_EQ(tresc("b.scm"), "include b.inc 1 2 3->include b.inc 1 5 3\n");
}

}  // namespace
}  // namespace wyrownik
