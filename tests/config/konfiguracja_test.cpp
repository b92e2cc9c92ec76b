#include "config/konfiguracja.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

struct Rejestrator : Komunikaty {
  std::vector<std::string> pokazane;
  void pokaz_komunikat(std::string_view tekst) override { pokazane.emplace_back(tekst); }
};

class Ini : public ::testing::Test {
 protected:
  Konfiguracja czytaj(const std::string& tresc) {
    k.zapisz("wyrownik.ini", tresc);
    Konfiguracja konf;
    odczyt_ini(k.sciezka(), konf, komunikaty, operacje_systemowe());
    return konf;
  }
  testy::KatalogTymczasowy k;
  Rejestrator komunikaty;
};

using L = std::vector<std::string>;

TEST_F(Ini, ReadsTheExampleFile) {
  const auto c = czytaj(
      "; settings\r\n[Sciezka dostepu]\r\n\r\nD:\\Sim\r\nE:\\Other\r\n[INC]\r\n*\r\n[tekstury]\r\n"
      "grass\r\n\trock\r\n[drogi]\r\n0\r\n1\r\n[rzeki]\r\n0\r\n[Wyjatki - poczatki nazw inc]\r\n"
      "tarcza\r\nsemafor\r\n[koniec]\r\ngrass2\r\n");
  EXPECT_TRUE(komunikaty.pokazane.empty());
  EXPECT_EQ(c.sciezka_scenerii, "D:\\Sim");
  EXPECT_EQ(c.lista_inc, L{"*"});
  EXPECT_EQ(c.lista_tekstur, (L{"grass", "rock"}));
  EXPECT_TRUE(c.drogi);
  EXPECT_FALSE(c.rzeki);
  EXPECT_EQ(c.lista_wyjatkow, (L{"semafor", "tarcza"}));
}

// The sample the packages ship: its notes stand before the first section,
// where they are no entries of any list.
TEST_F(Ini, ThePackagesSampleHoldsOnlyItsEntries) {
  const auto c =
      czytaj(testy::wczytaj(std::filesystem::path(WYROWNIK_DANE) / "../../packaging/wyrownik.ini"));
  EXPECT_TRUE(komunikaty.pokazane.empty());
  EXPECT_EQ(c.sciezka_scenerii, "C:\\Symulator");
  EXPECT_EQ(c.lista_inc, L{"*"});
  EXPECT_EQ(c.lista_tekstur, (L{"trawa", "grunt"}));
  EXPECT_TRUE(c.drogi);
  EXPECT_FALSE(c.rzeki);
  EXPECT_EQ(c.lista_wyjatkow, L{"obiekty\\semafor"});
}

TEST_F(Ini, HeadersAndSections) {
  const auto c = czytaj(
      "[Inc] and more words\n; old entries\nA.inc\n[inc\nlost.inc\n[tekstury]\ngrass\n"
      "[drogi]\n1 ;x\n[rzeki]\n \t1\t \n[inc]\nB.inc\n[Sciezka dostepu]\n/a;b\t  c\n");
  EXPECT_EQ(c.lista_inc, (L{"old entries", "A.inc", "B.inc"}));
  EXPECT_FALSE(c.drogi);  // "1 x" is not "1"
  EXPECT_TRUE(c.rzeki);
  EXPECT_EQ(c.sciezka_scenerii, "/a b c");
}

TEST_F(Ini, RepeatedPathSectionReplacesThePath) {
  const auto c = czytaj("[Sciezka dostepu]\n/one\n/ignored\n[Sciezka dostepu]\n\n/two\n");
  EXPECT_EQ(c.sciezka_scenerii, "/two");
}

TEST_F(Ini, MissingAndShortFiles) {
  Konfiguracja konf;
  odczyt_ini(k.sciezka(), konf, komunikaty, operacje_systemowe());
  EXPECT_EQ(komunikaty.pokazane, L{"Brak pliku wyrownik.ini"});

  komunikaty.pokazane.clear();
  const auto c = czytaj("[inc]\r\n*\r");  // 9 bytes
  EXPECT_EQ(komunikaty.pokazane, L{"Plik wyrownik.ini jest pusty."});
  EXPECT_TRUE(c.lista_inc.empty());

  komunikaty.pokazane.clear();
  const auto d = czytaj("[inc]\r\n*\r\n");  // 10 bytes
  EXPECT_TRUE(komunikaty.pokazane.empty());
  EXPECT_EQ(d.lista_inc, L{"*"});
}

TEST_F(Ini, ListsStopAtTheirCapacity) {
  std::string tresc = "[inc]\n";
  for (int i = 0; i < 10005; ++i) tresc += "o" + std::to_string(i) + ".inc\n";
  const auto c = czytaj(tresc);
  ASSERT_EQ(c.lista_inc.size(), Konfiguracja::pojemnosc_listy);
  EXPECT_EQ(c.lista_inc.back(), "o9999.inc");
}

TEST(SortujIncWyjatki, SortsLargeOrderedListsWithoutDeepRecursion) {
  std::vector<std::string> lista;
  for (int i = 0; i < 10000; ++i) {  // the capacity of a list
    char buf[16];
    std::snprintf(buf, sizeof buf, "e%07d", i);
    lista.emplace_back(buf);
  }
  auto odwrocona = std::vector<std::string>(lista.rbegin(), lista.rend());
  auto posortowana = lista;
  sortuj_inc_wyjatki(posortowana, 0, static_cast<std::ptrdiff_t>(posortowana.size()) - 1);
  EXPECT_EQ(posortowana, lista);
  sortuj_inc_wyjatki(odwrocona, 0, static_cast<std::ptrdiff_t>(odwrocona.size()) - 1);
  EXPECT_EQ(odwrocona, lista);
}

TEST(SortujIncWyjatki, IgnoresCase) {
  std::vector<std::string> l{"b", "C", "a", "B", "\xA5r", "z"};
  sortuj_inc_wyjatki(l, 0, 5);
  EXPECT_EQ(l[0], "a");
  EXPECT_TRUE((l[1] == "b" && l[2] == "B") || (l[1] == "B" && l[2] == "b"));
  EXPECT_EQ(l[3], "C");
  EXPECT_EQ(l[4], "z");
  EXPECT_EQ(l[5], "\xA5r");
}

TEST(CzyWyjatek, AnswersForEveryEntryThatBeginsTheName) {
  EXPECT_FALSE(czy_wyjatek({}, "anything"));
  const std::vector<std::string> l{"semafor", "tarcza"};
  EXPECT_TRUE(czy_wyjatek(l, "Semafor_1.inc"));
  EXPECT_TRUE(czy_wyjatek(l, "tarcza"));
  EXPECT_FALSE(czy_wyjatek(l, "sem.inc"));
  // An entry that begins another one is still found.
  const std::vector<std::string> m{"a", "aa", "b"};
  EXPECT_TRUE(czy_wyjatek(m, "ab.inc"));
  EXPECT_FALSE(czy_wyjatek(m, "c.inc"));
}

}  // namespace
}  // namespace wyrownik
