// The main window's behaviour without a toolkit: a recording view stands for
// the window, the user's clicks and closings go straight to the presenter.
#include "gui/prezenter_form1.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "gui/start_programu.hpp"
#include "gui/teksty_okna.hpp"
#include "gui/wejscia.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

const char* const scena =
    "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\nendtri\r\n"
    "include drzewo.inc 10 5 20 0 end\r\n";
const char* const poprawiona =
    "node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\nendtri\r\n"
    "include drzewo.inc 10 7.12 20 0 end\r\n";
const char* const tory =
    "node 1 0 t track normal 100 1.6 0.25 25 20 0 flat vis\r\n Rail 4 tex 0.2 0.5 1.1\r\n"
    "0 0.2 0 0\r\n0 0 0\r\n0 0 0\r\n100 0.2 0 0\r\n0\r\nendtrack\r\n"
    "include drzewo.inc 50 0 3 1 2 3 5 end\r\n";

// The window as the presenter sees it, with the table's texts and states.
class WidokTestowy : public WidokForm1 {
 public:
  WidokTestowy() {
    for (const OpisKontrolki& k : kontrolki_form1) {
      teksty[std::string(k.nazwa)] = std::string(k.tekst);
      wlaczone[std::string(k.nazwa)] = k.wyglad.wlaczona;
    }
  }
  // "1" or "0" for the seven inputs start-up may disable, then Check1.
  std::string stan_wejsc() const {
    std::string s;
    for (const NazwaKontrolki w : wszystkie_wejscia)
      s += wlaczone.at(std::string(w.nazwa())) ? '1' : '0';
    return s + (wlaczone.at("Check1") ? '1' : '0');
  }
  bool wlaczona(const std::string& n) const { return wlaczone.at(n); }

  void ustaw_tekst(NazwaKontrolki k, std::string_view t) override {
    teksty[std::string(k.nazwa())] = std::string(t);
  }
  void wlacz(NazwaKontrolki k, bool w) override { wlaczone[std::string(k.nazwa())] = w; }
  std::string tekst(NazwaKontrolki k) const override { return teksty.at(std::string(k.nazwa())); }
  bool zaznaczone(NazwaKontrolki) const override { return podglad; }
  void wypelnij_liste(const std::vector<std::string>& w) override { lista = w; }
  bool wybrany_wpis(std::size_t i) const override { return wybrane.count(lista.at(i)) > 0; }
  void komunikat(std::string_view t) override {
    zdarzenia.push_back("komunikat " + stan_wejsc() + ": " + std::string(t));
  }
  bool pytanie(std::string_view t) override {
    zdarzenia.push_back("pytanie: " + std::string(t));
    return odpowiedz;
  }
  std::optional<std::filesystem::path> wybierz_folder(std::string_view t) override {
    zdarzenia.push_back("wybor " + stan_wejsc() + ": " + std::string(t));
    if (foldery.empty()) return std::nullopt;
    auto f = foldery.front();
    foldery.erase(foldery.begin());
    return f;
  }
  void kursor_zajety(bool z) override { zajety = z; }
  bool otworz(const std::filesystem::path& p) override {
    otwarte.push_back(p);
    return otwiera;
  }
  void przetworz_zdarzenia() override {
    if (przy_zdarzeniach) przy_zdarzeniach();
  }
  void otworz_pomoc() override { zdarzenia.push_back("pomoc"); }
  void zamknij_pomoc() override { zdarzenia.push_back("zamknij pomoc"); }
  void zamknij() override { zdarzenia.push_back("zamknij"); }

  std::map<std::string, std::string> teksty;
  std::map<std::string, bool> wlaczone;
  std::vector<std::string> lista, zdarzenia;
  std::set<std::string> wybrane;
  std::vector<std::filesystem::path> otwarte;
  std::vector<std::optional<std::filesystem::path>> foldery;  // the picker's answers, in turn
  std::function<void()> przy_zdarzeniach;
  bool podglad = false, odpowiedz = true, otwiera = true, zajety = false;
};

// A program directory with a good ini over two sceneries, started.
struct Stanowisko {
  explicit Stanowisko(std::string ini = {}) {
    k.zapisz("sim/scenery/a.scn", scena);
    k.zapisz("sim/scenery/Żuraw.scn", tory);
    if (ini.empty()) {
      ini = "[Sciezka dostepu]\r\n" + (k / "sim").string() +
            "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n";
    }
    k.zapisz("program/wyrownik.ini", ini);
    start = prezenter.uruchom(k / "program");
  }
  std::string log() const { return testy::wczytaj(k / "program/Log_korekcja.txt"); }

  testy::KatalogTymczasowy k;
  WidokTestowy widok;
  PrezenterForm1 prezenter{widok};
  WynikStartu start;
};

TEST(PrezenterForm1, StartUpTellsEachFaultWhileTheInputsAreAsTheyWereThenBlocksThem) {
  struct Przypadek {
    const char* ini;  // "-": none
    std::vector<std::string> zdarzenia;
    std::size_t wpisy;
  };
  // Where the simulator folder is what is missing, the picker follows (and
  // is cancelled here).
  const std::string wybor = "wybor 000000000000: " + std::string(tekst::tytul_wyboru);
  const std::vector<Przypadek> przypadki = {
      {"-",
       {"komunikat 111111111111: Brak pliku wyrownik.ini",
        "komunikat 000000000000: Brak podanej ścieżki dostępu", wybor},
       0},
      {"[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n",
       {"komunikat 000000000000: Brak podanej ścieżki dostępu", wybor},
       0},
      {"[Sciezka dostepu]\r\n@/brak\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n",
       {"komunikat 111111111111: Brak podkatalogu SCENERY.", wybor},
       0},
      {"[Sciezka dostepu]\r\n@\r\n[inc]\r\n*\r\n",
       {"komunikat 111111111111: Lista plików inc lub lista tekstur jest pusta."},
       2},  // the list shows the files, but cannot be used
  };
  for (const Przypadek& p : przypadki) {
    SCOPED_TRACE(p.ini);
    testy::KatalogTymczasowy k;
    k.zapisz("sim/scenery/a.scn", "x");
    k.zapisz("sim/scenery/b.scn", "x");
    std::string ini = p.ini;
    if (const auto at = ini.find('@'); at != std::string::npos)
      ini.replace(at, 1, (k / "sim").string());
    if (ini != "-") k.zapisz("program/wyrownik.ini", ini);
    WidokTestowy widok;
    PrezenterForm1 prezenter(widok);
    EXPECT_EQ(prezenter.uruchom(k / "program").stan, StanStartu::zablokowany);
    EXPECT_EQ(widok.zdarzenia, p.zdarzenia);
    EXPECT_EQ(widok.stan_wejsc(), "000000000000");
    EXPECT_EQ(widok.lista.size(), p.wpisy);
    EXPECT_FALSE(widok.wlaczona("Command4") || widok.wlaczona("Command5"));
  }
  Stanowisko s;
  EXPECT_EQ(s.start.stan, StanStartu::gotowy);
  EXPECT_TRUE(s.widok.zdarzenia.empty());
  EXPECT_EQ(s.widok.stan_wejsc(), "111111111111");
  EXPECT_EQ(s.widok.lista, (std::vector<std::string>{"a.scn", "Żuraw.scn"}));
}

TEST(PrezenterForm1, AFirstRunAsksForTheSimulatorFolderUntilOneHoldsSceneries) {
  testy::KatalogTymczasowy k;
  k.zapisz("sim/Scenery/a.scn", scena);
  k.zapisz("inny/plik.txt", "x");
  std::filesystem::create_directory(k / "program");
  WidokTestowy widok;
  widok.foldery = {k / "inny", k / "sim"};
  PrezenterForm1 prezenter(widok);
  EXPECT_EQ(prezenter.uruchom(k / "program").stan, StanStartu::gotowy);
  const std::string wybor = "wybor 000000000000: " + std::string(tekst::tytul_wyboru);
  EXPECT_EQ(widok.zdarzenia,
            (std::vector<std::string>{"komunikat 111111111111: Brak pliku wyrownik.ini",
                                      "komunikat 000000000000: Brak podanej ścieżki dostępu", wybor,
                                      "komunikat 000000000000: Brak podkatalogu SCENERY.", wybor}));
  EXPECT_EQ(widok.stan_wejsc(), "111111111111");
  EXPECT_EQ(widok.lista, std::vector<std::string>{"a.scn"});
  // The ini made from the sample's sections serves the batches.
  widok.wybrane = {"a.scn"};
  prezenter.klikniecie("Command1");
  EXPECT_EQ(testy::wczytaj(k / "sim/Scenery/a.scn"), poprawiona);
}

TEST(PrezenterForm1, ARunButtonWorksOnTheSelectionWithTheBoxesReadAtThePress) {
  Stanowisko s;
  s.widok.wybrane = {"a.scn"};
  std::vector<std::string> w_trakcie;
  s.widok.przy_zdarzeniach = [&] {
    w_trakcie.push_back(s.widok.stan_wejsc() + (s.widok.zajety ? " zajety" : "") +
                        (s.widok.wlaczona("Command4") ? " Command4" : ""));
    s.widok.teksty["Text1"] = "100";  // too late for this batch
  };
  s.prezenter.klikniecie("Command1");
  ASSERT_FALSE(w_trakcie.empty());
  EXPECT_EQ(w_trakcie.front(), "000010000000 zajety");  // only File1 stays usable
  EXPECT_TRUE(s.widok.zdarzenia.empty());
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"), poprawiona);
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/Żuraw.scn"), tory);  // not selected
  EXPECT_NE(s.log().find("Ilo\x9C\xE6 zmian: 1"), std::string::npos);
  EXPECT_EQ(s.widok.stan_wejsc(), "111111111111");
  EXPECT_FALSE(s.widok.zajety);
  EXPECT_EQ(s.widok.teksty["Label3"], "");
  EXPECT_TRUE(s.widok.wlaczona("Command4"));  // a backup to undo
  EXPECT_TRUE(s.widok.wlaczona("Command5"));

  // The clearance run names the scenery in the log in its code page.
  s.widok.wybrane = {"Żuraw.scn"};
  s.widok.przy_zdarzeniach = {};
  s.prezenter.klikniecie("Command2");
  EXPECT_NE(testy::wczytaj(s.k / "sim/scenery/Żuraw.scn").find("include drzewo.inc 50 0 6 1"),
            std::string::npos);
  EXPECT_NE(s.log().find("\xAFuraw.scn"), std::string::npos);
}

TEST(PrezenterForm1, TheAreaBoxesLimitABatchAndAPreviewTellsWhatItFound) {
  Stanowisko s;
  const std::string teren(scena, std::string_view(scena).find("include"));
  s.k.zapisz("sim/scenery/a.scn",
             teren +
                 "include drzewo.inc 10 5 20 0 end\r\n"
                 "include drzewo.inc 80 5 80 0 end\r\n"
                 "// Wyrownik: POMI\xD1\r\n\r\ninclude drzewo.inc 20 5 30 0 end\r\n");
  s.widok.wybrane = {"a.scn"};
  for (const auto& [pola, komunikat] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"0", "", "50", "50"}, "Obszar: wpisz wszystkie cztery liczby"},
           {{"0", "0", "5O", "50"}, "Obszar: „5O” nie jest liczbą"}}) {
    for (std::size_t i = 0; i < 4; ++i)
      s.widok.teksty[std::string(pola_obszaru[i].nazwa())] = pola[i];
    s.widok.zdarzenia.clear();
    s.prezenter.klikniecie("Command1");
    ASSERT_EQ(s.widok.zdarzenia.size(), 1u);
    EXPECT_NE(s.widok.zdarzenia[0].find(komunikat), std::string::npos) << s.widok.zdarzenia[0];
    EXPECT_FALSE(std::filesystem::exists(s.k / "program/Log_korekcja.txt"));  // nothing ran
  }
  // The corners in any order; 80,80 lies outside.
  for (const auto& [nazwa, tekst] :
       {std::pair{"Text5", "50"}, {"Text6", " 50 "}, {"Text7", "0"}, {"Text8", "0"}}) {
    s.widok.teksty[nazwa] = tekst;
  }
  s.widok.podglad = true;
  s.prezenter.klikniecie("Command1");
  EXPECT_EQ(s.widok.teksty["Label3"],
            "Podgląd: zmian 1, pominiętych (oznaczonych) 1; Pozostawione bez zmian: 2 (poza "
            "obszarem 1, oznaczone 1)");
  s.widok.podglad = false;
  s.prezenter.klikniecie("Command1");
  const std::string po = testy::wczytaj(s.k / "sim/scenery/a.scn");
  EXPECT_NE(po.find("include drzewo.inc 10 7.12 20 0 end"), std::string::npos);
  EXPECT_NE(po.find("include drzewo.inc 80 5 80 0 end"), std::string::npos);
  EXPECT_NE(po.find("include drzewo.inc 20 5 30 0 end"), std::string::npos);
  // What the run left alone, and the two largest reasons.
  EXPECT_EQ(s.widok.teksty["Label3"], "Pozostawione bez zmian: 2 (poza obszarem 1, oznaczone 1)");
}

TEST(PrezenterForm1, ThePreviewChangesNothingAndItsReportOpens) {
  Stanowisko s;
  s.widok.wybrane = {"a.scn"};
  s.widok.podglad = true;
  s.prezenter.klikniecie("Command1");
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"), scena);
  EXPECT_NE(s.log().find("Ilo\x9C\xE6 zmian: 1"), std::string::npos);
  EXPECT_FALSE(s.widok.wlaczona("Command4"));  // nothing replaced, nothing kept
  ASSERT_TRUE(s.widok.wlaczona("Command5"));
  s.prezenter.klikniecie("Command5");
  ASSERT_EQ(s.widok.otwarte.size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(s.widok.otwarte[0], s.k / "program/Log_korekcja.html"));
  s.widok.otwiera = false;
  s.prezenter.klikniecie("Command5");
  ASSERT_EQ(s.widok.zdarzenia.size(), 1u);
  EXPECT_EQ(s.widok.zdarzenia[0].rfind("komunikat 111111111111: Nie można otworzyć raportu: ", 0),
            0u);

  // A report that cannot be written is told on the file line; the batch stands.
  std::filesystem::remove(s.k / "program/Log_korekcja.html");
  std::filesystem::create_directory(s.k / "program/Log_korekcja.html");
  s.prezenter.klikniecie("Command1");
  EXPECT_EQ(s.widok.teksty["Label4"].rfind("Nie zapisano raportu: ", 0), 0u);
  EXPECT_FALSE(s.widok.wlaczona("Command5"));
}

TEST(PrezenterForm1, UndoAsksThenRestoresAndTellsTheResult) {
  Stanowisko s;
  s.widok.wybrane = {"a.scn"};
  s.prezenter.klikniecie("Command1");
  s.widok.odpowiedz = false;
  s.prezenter.klikniecie("Command4");
  ASSERT_EQ(s.widok.zdarzenia.size(), 1u);
  EXPECT_EQ(s.widok.zdarzenia[0].find("pytanie: Cofnąć korektę z 20"), 0u);
  EXPECT_NE(s.widok.zdarzenia[0].find(" (plików: 1)?"), std::string::npos);
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"), poprawiona);
  s.widok.odpowiedz = true;
  s.prezenter.klikniecie("Command4");
  EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"), scena);
  EXPECT_EQ(s.widok.zdarzenia.back(), "komunikat 111111111111: Przywrócono plików: 1.");
  EXPECT_FALSE(s.widok.wlaczona("Command4"));  // nothing left to undo
}

TEST(PrezenterForm1, ClosingDuringABatchStopsItCleanlyThenClosesTheWindowOnce) {
  for (const char* faza : {"FAZA I", "FAZA III", "FAZA IV"}) {
    SCOPED_TRACE(faza);
    Stanowisko s;
    s.widok.wybrane = {"a.scn"};
    s.widok.przy_zdarzeniach = [&] {
      if (s.widok.teksty["Label3"] == faza && !s.prezenter.zamkniete()) {
        EXPECT_FALSE(s.prezenter.zamykanie());  // not yet: the batch must stop first
      }
    };
    s.prezenter.klikniecie("Command1");
    EXPECT_EQ(s.widok.zdarzenia, (std::vector<std::string>{"zamknij pomoc", "zamknij"}));
    EXPECT_EQ(testy::wczytaj(s.k / "sim/scenery/a.scn"), scena);
    for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
      EXPECT_FALSE(std::filesystem::exists(s.k / "sim/scenery" / roboczy)) << roboczy;
    }
    EXPECT_TRUE(s.prezenter.zamykanie());  // idle: at once
  }
}

TEST(PrezenterForm1, AFailureShowsOneMessageAndTheHelpButtonOpensHelp) {
  Stanowisko s;
  s.k.zapisz("sim/scenery/Żuraw.scn",
             std::string(tory) + "node 1 0 t track normal 1 1 0 0 0 0 0 2\r\nx\r\nword 0 0\r\n");
  s.widok.wybrane = {"Żuraw.scn"};
  s.prezenter.klikniecie("Command2");
  s.prezenter.klikniecie("Command3");
  EXPECT_EQ(
      s.widok.zdarzenia,
      (std::vector<std::string>{
          "komunikat 000010000000: Wystąpił błąd. Dalsze działanie prgramu zostało przerwane.",
          "pomoc"}));
  EXPECT_EQ(s.widok.stan_wejsc(), "111111111111");
}

// One copy per program directory: a second ends silently, a lock that
// cannot be checked ends the program after saying why.
TEST(ZajmijProgram, OneCopyPerProgramDirectory) {
  testy::KatalogTymczasowy k;
  std::vector<std::string> bledy;
  const auto blad = [&](std::string_view t) { bledy.emplace_back(t); };
  OpcjeOkna opcje;
  opcje.katalog_programu = (k / "program").string();
  std::filesystem::create_directory(k / "program");
  const auto pierwsza = zajmij_program(opcje, "", blad);
  EXPECT_TRUE(pierwsza.blokada);
  EXPECT_TRUE(std::filesystem::equivalent(pierwsza.katalog, k / "program"));
  const auto druga = zajmij_program(opcje, "", blad);
  EXPECT_FALSE(druga.blokada);
  EXPECT_EQ(druga.kod_wyjscia, 0);
  EXPECT_TRUE(bledy.empty());

  opcje.katalog_programu = (k / "brak").string();
  const auto bez_katalogu = zajmij_program(opcje, "", blad);
  EXPECT_FALSE(bez_katalogu.blokada);
  EXPECT_EQ(bez_katalogu.kod_wyjscia, 1);
  ASSERT_EQ(bledy.size(), 1u);
  EXPECT_EQ(bledy[0].rfind("Nie można sprawdzić, czy program już działa.\n", 0), 0u);
}

}  // namespace
}  // namespace wyrownik
