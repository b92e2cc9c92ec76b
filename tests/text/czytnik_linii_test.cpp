#include "text/czytnik_linii.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/bledy.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

std::vector<std::string> linie(const std::string& tresc) {
  testy::KatalogTymczasowy katalog;
  CzytnikLinii czytnik(katalog.zapisz("plik.scn", tresc), operacje_systemowe());
  std::vector<std::string> wynik;
  std::string_view linia;
  while (czytnik.czytaj(linia)) wynik.emplace_back(linia);
  return wynik;
}

using L = std::vector<std::string>;

TEST(CzytnikLinii, SplitsAtCrLfAndLoneLf) {
  EXPECT_EQ(linie("a\r\nb\nc\r\n"), (L{"a", "b", "c"}));
  EXPECT_EQ(linie("a\r\n\r\n\nb"), (L{"a", "", "", "b"}));
  EXPECT_EQ(linie("a\rb\r\n"), (L{"a\rb"}));  // a lone CR stays in the line
  EXPECT_EQ(linie("last"), (L{"last"}));
  EXPECT_EQ(linie("x\r"), (L{"x\r"}));
  EXPECT_EQ(linie("\r\n"), (L{""}));
  EXPECT_EQ(linie(""), (L{}));
}

TEST(CzytnikLinii, HandlesLinesAcrossAndBeyondTheBuffer) {
  const std::size_t blok = CzytnikLinii::rozmiar_bloku;
  std::string tresc;
  std::vector<std::string> oczekiwane;
  // A CR LF split across the block boundary, then a line three blocks long.
  oczekiwane.push_back(std::string(blok - 1, 'a'));
  oczekiwane.push_back(std::string(3 * blok + 17, 'b'));
  oczekiwane.push_back("koniec");
  for (const auto& l : oczekiwane) tresc += l + "\r\n";
  EXPECT_EQ(linie(tresc), oczekiwane);
}

TEST(CzytnikLinii, MissingFileIsAFailure) {
  testy::KatalogTymczasowy katalog;
  EXPECT_THROW(CzytnikLinii(katalog / "brak.scn", operacje_systemowe()), BladPliku);
}

// Passing over lines lands on the line asked for, within the buffer, in a
// block not yet read, and at the end of the file.
TEST(CzytnikLinii, PassesOverLinesToAStartItWasTold) {
  std::string tresc;
  std::vector<std::uint64_t> poczatki;
  for (int i = 1; tresc.size() < 3 * CzytnikLinii::rozmiar_bloku; ++i) {
    poczatki.push_back(tresc.size());
    tresc += std::to_string(i) + (i % 2 ? "\r\n" : "\n");
  }
  testy::KatalogTymczasowy katalog;
  CzytnikLinii czytnik(katalog.zapisz("plik.scn", tresc), operacje_systemowe());
  std::string_view linia;
  ASSERT_TRUE(czytnik.czytaj(linia));
  EXPECT_EQ(czytnik.pozycja_linii(), 0u);
  for (const std::size_t nr : {std::size_t{5}, std::size_t{6}, poczatki.size() - 2}) {
    czytnik.przeskocz(poczatki[nr - 1], nr);
    ASSERT_TRUE(czytnik.czytaj(linia));
    EXPECT_EQ(linia, std::to_string(nr));
    EXPECT_EQ(czytnik.nr_linii(), nr);
    EXPECT_EQ(czytnik.pozycja_linii(), poczatki[nr - 1]);
  }
  czytnik.przeskocz(tresc.size(), poczatki.size() + 1);
  EXPECT_FALSE(czytnik.czytaj(linia));
}

}  // namespace
}  // namespace wyrownik
