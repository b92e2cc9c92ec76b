#include "text/linia.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "text/wielkosc_liter.hpp"

namespace wyrownik {
namespace {

std::string oczyszczona(std::string s) {
  oczysc_linie(s);
  return s;
}

TEST(OczyscLinie, CleansSeparatorsAndRuns) {
  EXPECT_EQ(oczyszczona("  a;b\t\tc   d;"), "a b c d");
  EXPECT_EQ(oczyszczona("a;b"), "a b");
  EXPECT_EQ(oczyszczona(" \t ; \t"), "");
  EXPECT_EQ(oczyszczona("a b"), "a b");
  EXPECT_EQ(oczyszczona(""), "");
  // Only the space, ";" and TAB are separators: CR and other bytes stay.
  EXPECT_EQ(oczyszczona(" x\r "), "x\r");
  EXPECT_EQ(oczyszczona("\xA5\xB9 ;\xA3"), "\xA5\xB9 \xA3");
}

TEST(OczyscLinie, NeverLengthensAndIsIdempotent) {
  std::mt19937 los(7);
  const std::string alfabet = " ;\t\rab/";
  for (int proba = 0; proba < 5000; ++proba) {
    std::string s(los() % 12, ' ');
    for (auto& c : s) c = alfabet[los() % alfabet.size()];
    const std::string raz = oczyszczona(s);
    ASSERT_LE(raz.size(), s.size()) << s;
    ASSERT_EQ(oczyszczona(raz), raz) << s;
    ASSERT_EQ(raz.find("  "), std::string::npos);
    ASSERT_EQ(raz.find_first_of(";\t"), std::string::npos);
    if (!raz.empty()) {
      ASSERT_NE(raz.front(), ' ');
      ASSERT_NE(raz.back(), ' ');
    }
  }
}

TEST(PodzielCzysto, GivesTheTokensOfTheCleanedLineAndKeywordsAlike) {
  // Read straight from the raw line, tokens and keyword tests must agree
  // with cleaning first; lines of separators, letters in both cases and
  // bytes beyond ASCII.
  std::mt19937 los(11);
  const std::string alfabet =
      " ;\t\r\xA5\xB9"
      "endtriINCLUDEnoax/1.5-";
  std::vector<std::string_view> surowe, czyste;
  for (int proba = 0; proba < 20000; ++proba) {
    std::string s(los() % 24, ' ');
    for (auto& c : s) c = alfabet[los() % alfabet.size()];
    const std::string czysta = oczyszczona(s);
    podziel(czysta, czyste);
    podziel_czysto(s, surowe);
    ASSERT_EQ(surowe, czyste) << s;
    ASSERT_EQ(pusta_po_oczyszczeniu(s), czysta.empty()) << s;
    podziel_czysto(s, surowe, 3);
    ASSERT_EQ(surowe.size(), std::min<std::size_t>(3, czyste.size())) << s;
    std::array<std::string_view, 3> pierwsze;
    const std::size_t ile = podziel_czysto(s, pierwsze);
    ASSERT_EQ(std::vector(pierwsze.begin(), pierwsze.begin() + ile), surowe) << s;
    double x = 0, y = 0, z = 0;
    const bool trzy =
        czyste.size() >= 3 && liczba(czyste[0]) && liczba(czyste[1]) && liczba(czyste[2]);
    ASSERT_EQ(trzy_liczby(s, x, y, z), trzy) << s;
    if (trzy) {
      ASSERT_EQ(z, *liczba(czyste[2])) << s;
    }
    for (const std::string_view slowo : {"endtri", "include", "node", "a"}) {
      ASSERT_EQ(zawiera(s, slowo), zawiera(czysta, slowo)) << s << " " << slowo;
    }
  }
}

TEST(TrzyLiczby, ReadsEveryFormAsTheFullReaderDoes) {
  // The common form is read in the pass over the line; an exponent, too many
  // digits, a second point or a trailing byte must reach the full reader.
  for (const std::string_view linia :
       {"1.5 -2 3", "1e3 2.50 -3E-2", "12345678901234567 0.1234567890123456 7", "+5 -0 .5",
        "5. 1 2 end", "1.2.3 4 5", "1 2 3x", "1 2 -", "1;\t2  ;3"}) {
    std::vector<std::string_view> tokeny;
    podziel_czysto(linia, tokeny);
    double x = 0, y = 0, z = 0;
    const bool trzy =
        tokeny.size() >= 3 && liczba(tokeny[0]) && liczba(tokeny[1]) && liczba(tokeny[2]);
    ASSERT_EQ(trzy_liczby(linia, x, y, z), trzy) << linia;
    if (!trzy) continue;
    EXPECT_EQ(x, *liczba(tokeny[0])) << linia;
    EXPECT_EQ(y, *liczba(tokeny[1])) << linia;
    EXPECT_EQ(z, *liczba(tokeny[2])) << linia;
    EXPECT_EQ(std::signbit(y), std::signbit(*liczba(tokeny[1]))) << linia;
  }
}

TEST(TrzyLiczby, ReadsRandomDecimalsAsFromCharsDoes) {
  // The fast reader against the library's on plain decimals: runs of every
  // length on both sides of the point, at every distance from the line's end.
  std::mt19937 los(11);
  for (int proba = 0; proba < 30000; ++proba) {
    std::string t = los() % 3 == 0 ? "-" : "";
    for (auto n = los() % 13; n > 0; --n) t += static_cast<char>('0' + los() % 10);
    if (los() % 2 == 0) t += '.';
    for (auto n = los() % 13; n > 0; --n) t += static_cast<char>('0' + los() % 10);
    double wzor = 0;
    const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), wzor);
    const bool liczba_wzoru = blad == std::errc{} && koniec == t.data() + t.size();
    const std::string linia = "1 2 " + t + std::string(los() % 10, ' ');
    double x = 0, y = 0, z = 0;
    ASSERT_EQ(trzy_liczby(linia, x, y, z), liczba_wzoru) << t;
    if (liczba_wzoru) {
      ASSERT_EQ(z, wzor) << t;
      ASSERT_EQ(std::signbit(z), std::signbit(wzor)) << t;
    }
  }
}

TEST(Podziel, SplitsAtEverySingleSpace) {
  std::vector<std::string_view> t;
  podziel("include a.inc 1 2 3", t);
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[1], "a.inc");
  podziel("", t);
  EXPECT_TRUE(t.empty());
  // An uncleaned line with one leading space keeps an empty first token.
  podziel(" 1 2 3", t);
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0], "");
}

TEST(Liczba, AcceptsTheDecimalFormOnly) {
  EXPECT_EQ(liczba("5"), 5.0);
  EXPECT_EQ(liczba("5."), 5.0);
  EXPECT_EQ(liczba(".5"), 0.5);
  EXPECT_EQ(liczba("-0.25"), -0.25);
  EXPECT_EQ(liczba("+3"), 3.0);
  EXPECT_EQ(liczba("1.5E3"), 1500.0);
  EXPECT_EQ(liczba("1.5e-1"), 0.15);
  EXPECT_EQ(liczba("2E+2"), 200.0);
  for (const char* zle : {"", ".", "-", "+.", "1.2.3", "1e", "1e+", "e5", "1,5", "0x10", "inf",
                          "nan", "5a", " 5", "5 ", "--5", "1d5", "1e999"}) {
    EXPECT_FALSE(liczba(zle).has_value()) << zle;
  }
}

TEST(Liczba, TooSmallForADoubleIsZeroTooLargeIsNoNumber) {
  for (const char* maly : {"1e-400", "0.000123e-320", "123E-400", "+.5e-99999999999999999999"}) {
    const auto v = liczba(maly);
    ASSERT_TRUE(v.has_value()) << maly;
    EXPECT_EQ(*v, 0.0) << maly;
    EXPECT_FALSE(std::signbit(*v)) << maly;
  }
  const auto ujemny = liczba("-1e-400");
  ASSERT_TRUE(ujemny.has_value());
  EXPECT_TRUE(*ujemny == 0.0 && std::signbit(*ujemny));
  EXPECT_EQ(liczba("4e-324"), 4.9406564584124654e-324);  // the least double stays itself
  for (const char* duzy : {"1e999", "-1e999", "0.001e312", "1e99999999999999999999"}) {
    EXPECT_FALSE(liczba(duzy).has_value()) << duzy;
  }
  EXPECT_EQ(liczba_na_poczatku("1e-400x"), 0.0);
}

TEST(Liczba, ReadsTheNumberAtTheBeginning) {
  EXPECT_EQ(liczba_na_poczatku("0.5"), 0.5);
  EXPECT_EQ(liczba_na_poczatku("  11abc"), 11.0);
  EXPECT_EQ(liczba_na_poczatku("1.435x"), 1.435);
  EXPECT_EQ(liczba_na_poczatku("-2.5e1m"), -25.0);
  EXPECT_EQ(liczba_na_poczatku("3e"), 3.0);
  EXPECT_EQ(liczba_na_poczatku("7.5.1"), 7.5);
  EXPECT_EQ(liczba_na_poczatku("abc"), 0.0);
  EXPECT_EQ(liczba_na_poczatku(""), 0.0);
  EXPECT_EQ(liczba_na_poczatku("0,5"), 0.0);
  EXPECT_EQ(liczba_na_poczatku("\t5"), 0.0);
}

TEST(Trojka, IsTheFirstRunOfThreeFromTokenThree) {
  auto p = znajdz_trojke_w_linii("include a.inc t.bmp 5 6 x 10 2 30 end");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 10);
  EXPECT_EQ(p->y, 2);
  EXPECT_EQ(p->z, 30);
  EXPECT_EQ(p->indeks_x, 6u);
  EXPECT_EQ(p->indeks_y, 7u);
  EXPECT_EQ(p->indeks_z, 8u);

  ASSERT_TRUE(znajdz_trojke_w_linii("include a.inc 7 8 end 1 2 3"));
  EXPECT_EQ(znajdz_trojke_w_linii("include a.inc 7 8 end 1 2 3")->x, 1);

  // Tokens 1 and 2 never take part, even when numeric.
  EXPECT_FALSE(znajdz_trojke_w_linii("1 2 3 4"));
  EXPECT_EQ(znajdz_trojke_w_linii("1 2 3 4 5")->x, 3);
  EXPECT_FALSE(znajdz_trojke_w_linii("include a.inc 1 2 x 3"));
}

TEST(NazwaBazowa, TakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(nazwa_bazowa("obiekty\\Drzewo.INC"), "Drzewo.INC");
  EXPECT_EQ(nazwa_bazowa("dir/obj.inc"), "obj.inc");
  EXPECT_EQ(nazwa_bazowa("obj.inc"), "obj.inc");
  std::string s = "tory/most.scm";
  ukosniki_na_odwrotne(s);
  EXPECT_EQ(s, "tory\\most.scm");
}

}  // namespace
}  // namespace wyrownik
