#include "batch/start.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/separator.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/ten_sam_plik.hpp"

namespace wyrownik {
namespace {

namespace fs = std::filesystem;

// Writes down everything start-up asks of the window, in order.
struct Zapis : OknoStartu {
  std::vector<std::string> zdarzenia;
  std::vector<fs::path> katalogi;
  void pokaz_komunikat(std::string_view tekst) override {
    zdarzenia.push_back("komunikat: " + std::string(tekst));
  }
  void wylacz_wejscia() override { zdarzenia.emplace_back("wylacz"); }
  void wskaz_katalog(const fs::path& katalog) override {
    zdarzenia.push_back("katalog");
    katalogi.push_back(katalog);
  }
};

using Z = std::vector<std::string>;

std::string k(std::string_view tekst) {
  return "komunikat: " + std::string(tekst);
}

const Z wylaczenie = {"wylacz"};

Z polacz(std::initializer_list<Z> czesci) {
  Z wynik;
  for (const auto& c : czesci) wynik.insert(wynik.end(), c.begin(), c.end());
  return wynik;
}

// The system's separator, as the directory texts end with it.
const std::string S(1, separator_natywny);

class Start : public ::testing::Test {
 protected:
  // An ini in the program directory naming `tekst_korzenia` as the root.
  void ini(const std::string& tekst_korzenia,
           const std::string& listy = "[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n") {
    program.zapisz("wyrownik.ini", "[Sciezka dostepu]\r\n" + tekst_korzenia + "\r\n" + listy);
  }
  WynikStartu uruchom() { return wykonaj_start(program.sciezka(), okno, operacje_systemowe()); }

  testy::KatalogTymczasowy program;
  testy::KatalogTymczasowy korzen;
  Zapis okno;
};

TEST_F(Start, Succeeds) {
  fs::create_directory(korzen / "scenery");
  ini(korzen.sciezka().string(),
      "[inc]\r\ndrzewo\r\n[tekstury]\r\ntrawa\r\n[drogi]\r\n1\r\n[Wyjatki - poczatki nazw inc]\r\n"
      "tarcza\r\nsemafor\r\n");
  const auto w = uruchom();
  EXPECT_EQ(okno.zdarzenia, Z{"katalog"});
  ASSERT_EQ(okno.katalogi.size(), 1u);
  EXPECT_TRUE(fs::equivalent(okno.katalogi[0], korzen / "scenery"));
  EXPECT_EQ(w.stan, StanStartu::gotowy);
  EXPECT_EQ(w.sciezka_programu, program.sciezka().string() + S);
  EXPECT_EQ(w.sciezka_scenerii, korzen.sciezka().string() + S + "scenery" + S);
  ASSERT_TRUE(w.katalog_scenerii);
  EXPECT_EQ(*w.katalog_scenerii, okno.katalogi[0]);
  EXPECT_EQ(w.plik_logu, program.sciezka() / "Log_korekcja.txt");
  EXPECT_EQ(w.konfiguracja.lista_inc, Z{"drzewo"});
  EXPECT_TRUE(w.konfiguracja.drogi);
  EXPECT_FALSE(w.konfiguracja.rzeki);
  EXPECT_EQ(w.konfiguracja.lista_wyjatkow, (Z{"semafor", "tarcza"}));
  // Start-up creates no file: no log, nothing in the scenery directory.
  EXPECT_FALSE(fs::exists(program / "Log_korekcja.txt"));
  EXPECT_TRUE(fs::is_empty(korzen / "scenery"));
}

TEST_F(Start, EveryFaultOfTheConfiguration) {
  {
    SCOPED_TRACE("no ini: its message, then the inputs go, then the missing path");
    Zapis o;
    const auto w = wykonaj_start(program.sciezka(), o, operacje_systemowe());
    EXPECT_EQ(o.zdarzenia,
              polacz({{k(komunikat::brak_ini)}, wylaczenie, {k(komunikat::brak_sciezki)}}));
    EXPECT_EQ(w.stan, StanStartu::zablokowany);
    EXPECT_TRUE(w.plik_logu.empty());
    EXPECT_TRUE(w.sciezka_scenerii.empty());
    EXPECT_FALSE(w.katalog_scenerii);
  }
  {
    SCOPED_TRACE("ini of 9 bytes");
    program.zapisz("wyrownik.ini", "[inc]\r\n*\r");
    Zapis o;
    const auto w = wykonaj_start(program.sciezka(), o, operacje_systemowe());
    EXPECT_EQ(o.zdarzenia,
              polacz({{k(komunikat::pusty_ini)}, wylaczenie, {k(komunikat::brak_sciezki)}}));
    EXPECT_EQ(w.stan, StanStartu::zablokowany);
    EXPECT_TRUE(w.plik_logu.empty());
  }
  {
    SCOPED_TRACE("no root under the path header: inputs disabled before the message");
    program.zapisz("wyrownik.ini",
                   "[Sciezka dostepu]\r\n\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n");
    Zapis o;
    const auto w = wykonaj_start(program.sciezka(), o, operacje_systemowe());
    EXPECT_EQ(o.zdarzenia, polacz({wylaczenie, {k(komunikat::brak_sciezki)}}));
    EXPECT_EQ(w.stan, StanStartu::zablokowany);
    EXPECT_EQ(w.konfiguracja.lista_inc, Z{"*"});
  }
  {
    SCOPED_TRACE("no scenery folder: the message, then the inputs; the list is never pointed");
    ini(korzen.sciezka().string());
    Zapis o;
    const auto w = wykonaj_start(program.sciezka(), o, operacje_systemowe());
    EXPECT_EQ(o.zdarzenia, polacz({{k(komunikat::brak_scenery)}, wylaczenie}));
    EXPECT_EQ(w.stan, StanStartu::zablokowany);
    EXPECT_EQ(w.sciezka_scenerii, korzen.sciezka().string() + S + "scenery" + S);
    EXPECT_FALSE(w.katalog_scenerii);
    EXPECT_TRUE(w.plik_logu.empty());
  }
  {
    SCOPED_TRACE("a file named scenery is no folder");
    korzen.zapisz("scenery", "x");
    Zapis o;
    wykonaj_start(program.sciezka(), o, operacje_systemowe());
    EXPECT_EQ(o.zdarzenia, polacz({{k(komunikat::brak_scenery)}, wylaczenie}));
    fs::remove(korzen / "scenery");
  }
  fs::create_directory(korzen / "scenery");
  for (const std::string listy :
       {"[inc]\r\n*\r\n[tekstury]\r\n\r\n", "[tekstury]\r\ntrawa\r\n[inc]\r\n"}) {
    SCOPED_TRACE(
        "empty list: the list already shows the folder, then the message, then the inputs");
    ini(korzen.sciezka().string(), listy);
    Zapis o;
    const auto w = wykonaj_start(program.sciezka(), o, operacje_systemowe());
    EXPECT_EQ(o.zdarzenia, polacz({{"katalog", k(komunikat::puste_listy)}, wylaczenie}));
    EXPECT_EQ(w.stan, StanStartu::zablokowany);
    ASSERT_TRUE(w.katalog_scenerii);
    EXPECT_TRUE(w.plik_logu.empty());
  }
}

TEST_F(Start, RootWithOrWithoutTrailingSeparatorGivesOneDirectory) {
  fs::create_directory(korzen / "scenery");
  ini(korzen.sciezka().string());
  const auto bez = uruchom();
  ini(korzen.sciezka().string() + "/");
  const auto z = uruchom();
  ini(korzen.sciezka().string() + "\\");
  const auto z_odwrotnym = uruchom();
  EXPECT_EQ(bez.sciezka_scenerii, korzen.sciezka().string() + S + "scenery" + S);
  EXPECT_EQ(z.sciezka_scenerii, korzen.sciezka().string() + "/scenery" + S);  // = bez on POSIX
  EXPECT_EQ(z_odwrotnym.sciezka_scenerii, korzen.sciezka().string() + "\\scenery" + S);
  for (const auto* w : {&bez, &z, &z_odwrotnym}) {
    EXPECT_EQ(w->stan, StanStartu::gotowy);
    ASSERT_TRUE(w->katalog_scenerii);
    EXPECT_TRUE(fs::equivalent(*w->katalog_scenerii, korzen / "scenery"));
  }
}

TEST_F(Start, FindsTheSceneryFolderInAnyLetterCase) {
  fs::create_directory(korzen / "Scenery");
  // The root itself is written in another case as well.
  fs::create_directory(korzen / "Sym");
  fs::create_directory(korzen / "Sym" / "SCENERY");
  ini(korzen.sciezka().string() + "/sym");
  const auto w = uruchom();
  EXPECT_EQ(w.stan, StanStartu::gotowy);
  ASSERT_TRUE(w.katalog_scenerii);
  EXPECT_TRUE(testy::ten_sam_plik(*w.katalog_scenerii, korzen / "Sym" / "SCENERY"));
  ASSERT_EQ(okno.katalogi.size(), 1u);
  EXPECT_EQ(okno.katalogi[0], *w.katalog_scenerii);
  EXPECT_EQ(w.sciezka_scenerii, korzen.sciezka().string() + "/sym" + S + "scenery" + S);

  ini(korzen.sciezka().string());
  const auto druga = uruchom();
  ASSERT_TRUE(druga.katalog_scenerii);
  EXPECT_TRUE(testy::ten_sam_plik(*druga.katalog_scenerii, korzen / "Scenery"));
}

TEST_F(Start, ProgramDirectorySpellings) {
  fs::create_directory(korzen / "scenery");
  ini(korzen.sciezka().string());
  const std::string oczekiwana = program.sciezka().string() + S;
  for (const fs::path& p : {program.sciezka(), program.sciezka() / "", program.sciezka() / "."}) {
    Zapis o;
    const auto w = wykonaj_start(p, o, operacje_systemowe());
    EXPECT_EQ(w.stan, StanStartu::gotowy) << p;
    EXPECT_TRUE(fs::equivalent(w.katalog_programu, program.sciezka()));
    EXPECT_TRUE(fs::equivalent(w.plik_logu.parent_path(), program.sciezka()));
    EXPECT_EQ(w.plik_logu.filename(), "Log_korekcja.txt");
  }
  Zapis o;
  EXPECT_EQ(wykonaj_start(program.sciezka() / "", o, operacje_systemowe()).sciezka_programu,
            oczekiwana);
}

}  // namespace
}  // namespace wyrownik
