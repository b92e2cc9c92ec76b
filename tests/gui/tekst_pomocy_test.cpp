#include "gui/tekst_pomocy.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace wyrownik {
namespace {

std::vector<std::string> linie(std::string_view tekst) {
  std::vector<std::string> wynik;
  std::size_t start = 0;
  for (std::size_t koniec; (koniec = tekst.find("\r\n", start)) != std::string_view::npos;
       start = koniec + 2) {
    wynik.emplace_back(tekst.substr(start, koniec - start));
  }
  EXPECT_EQ(start, tekst.size()) << "text after the last line end";
  return wynik;
}

TEST(TekstPomocy, SizeAndLineEnds) {
  const std::string_view t = tekst_pomocy;
  EXPECT_EQ(t.size(), 3377u);
  const auto l = linie(t);
  ASSERT_EQ(l.size(), 46u);
  for (const auto& linia : l) {
    EXPECT_EQ(linia.find_first_of("\r\n"), std::string::npos) << linia;
  }
}

TEST(TekstPomocy, LinesAsUsersKnowThem) {
  const auto l = linie(tekst_pomocy);
  ASSERT_EQ(l.size(), 46u);
  EXPECT_EQ(l[0], "Instrukcja:");
  EXPECT_EQ(l[4], " a) W sekcji [Sciezka dostepu] glowny folder symulatora");
  EXPECT_EQ(l[14],
            " f) W sekcji [Wyjatki - poczatki nazw inc] wypisuje sie poczatki nazw includow, "
            "ktore maja zostac pominiete");
  EXPECT_EQ(l[17],
            "    w sekcje [inc] * (gwiazdke), a jednoczesnie nie chce korygowac jakis obiektow. ");
  EXPECT_EQ(l[21],
            std::string(TekstCp1250{"a) Parametr \"Maksymalny spodziewany promień sprawdzanego "
                                    "obiektu:\" sluzy do okreslenia,"}));
  EXPECT_EQ(l[27], "wpisana w punkcie 4a ");
  EXPECT_EQ(l[31], std::string(TekstCp1250{"sytuację i usuwa obiekt ze scenerii. Są to stosunkowo "
                                           "rzadkie sytuacje."}));
  EXPECT_EQ(l[36],
            "\"znieczulania programu\", to znaczy, aby program nie zmienial wspisu, gdy roznica "
            "pomiedzy oryginalna");
  EXPECT_EQ(l[43], "");
  EXPECT_EQ(l[44], "UWAGA:");
  EXPECT_EQ(l[45], "Program czyta plik ini tylko przy uruchomieniu programu.");
  // Windows-1250 bytes, not UTF-8: "ń" is one byte.
  EXPECT_NE(l[21].find("promie\xF1 "), std::string::npos);
  // One space before each of a) to f); four before the indented continuations.
  const std::pair<int, std::string_view> poczatki[] = {
      {5, " a) "},  {6, " b) "},     {7, "    Ist"}, {8, "wszy"},  {9, " c) "},
      {10, " d) "}, {11, "    Dla"}, {14, " e) "},   {15, " f) "}, {16, "    prz"}};
  for (const auto& [nr, poczatek] : poczatki) {
    EXPECT_EQ(l[nr - 1].substr(0, poczatek.size()), poczatek) << nr;
  }
}

}  // namespace
}  // namespace wyrownik
