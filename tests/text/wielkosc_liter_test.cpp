#include "text/wielkosc_liter.hpp"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "text/kodowanie.hpp"

namespace wyrownik {
namespace {

TEST(WielkoscLiter, FoldsAsciiAndWindows1250Letters) {
  const std::string wielkie = *utf8_na_cp1250("ĄĆĘŁŃÓŚŹŻŠŤŽĽŔÁÂĂÄĹÇČÉËĚÍÎĎĐŇÔŐÖŘŮÚŰÜÝŢ");
  const std::string male = *utf8_na_cp1250("ąćęłńóśźżšťžľŕáâăäĺçčéëěíîďđňôőöřůúűüýţ");
  EXPECT_TRUE(rowne_bez_wielkosci(wielkie, male));
  for (std::size_t i = 0; i < wielkie.size(); ++i)
    EXPECT_EQ(mala(wielkie[i]), static_cast<unsigned char>(male[i]));
  // The multiplication and division signs are no letter pair; ß has no capital.
  EXPECT_FALSE(rowne_bez_wielkosci("\xD7", "\xF7"));
  EXPECT_EQ(mala('\xDF'), 0xDF);
  EXPECT_TRUE(rowne_bez_wielkosci("[INC]", "[inc]"));
}

TEST(WielkoscLiter, KeywordsMatchAnywhereInAnyCase) {
  EXPECT_TRUE(zawiera("xinclude.inc", "include"));
  EXPECT_TRUE(zawiera("INCLUDE a.scm end", "include"));
  EXPECT_TRUE(zawiera("endtrack", "track"));
  EXPECT_FALSE(zawiera("inclu", "include"));
  EXPECT_FALSE(zawiera("", "node"));
  EXPECT_EQ(znajdz_bez_wielkosci("a MATERIAL b EndMaterial grass", "endmaterial"), 13u);
  EXPECT_TRUE(zawiera("\xA3\xD3\xAF", "\xB3\xF3\xBF"));  // ŁÓŻ holds łóż
  // A prepared keyword packs its length; one beyond that is refused, not cut.
  const std::string dlugie(70000, 'a');
  EXPECT_THROW(zawiera(dlugie, std::string_view(dlugie)), std::length_error);
}

TEST(WielkoscLiter, KeywordSearchAgreesWithTheFoldEverywhere) {
  // The ASCII keywords take a faster path than other words: both must find
  // the first place where every byte folds to the word's, at every offset
  // of texts shorter than one 16-byte block and of several blocks and a tail.
  const auto wzorcowe = [](std::string_view tekst, std::string_view slowo) {
    for (std::size_t i = 0; i + slowo.size() <= tekst.size(); ++i) {
      if (rowne_bez_wielkosci(tekst.substr(i, slowo.size()), slowo)) return i;
    }
    return std::string_view::npos;
  };
  std::mt19937 los(3);
  const std::string alfabet = "eEnNdDtTrRiIaAcCkKlLuU_ \xCA\xEA\x8C\x9C\xFFx";
  for (int proba = 0; proba < 50000; ++proba) {
    std::string s(los() % 80, ' ');
    for (auto& c : s) c = alfabet[los() % alfabet.size()];
    if (los() % 3 == 0) {
      const char* const wstawki[] = {"tRaCk", "EndTri", "inClude"};
      s.insert(los() % (s.size() + 1), wstawki[los() % 3]);
    }
    for (const std::string_view slowo : {"endtri", "triangle_strip", "nie", "e", "\xEAn"}) {
      ASSERT_EQ(znajdz_bez_wielkosci(s, slowo), wzorcowe(s, slowo)) << s << " / " << slowo;
    }
    // Keywords found in one pass, by one letter and by several.
    const auto jest = [&](std::string_view slowo, unsigned bit) {
      return wzorcowe(s, slowo) != std::string_view::npos ? bit : 0u;
    };
    for (const auto& [a, b] :
         {std::pair<std::string_view, std::string_view>{"endtri", "track"},
          std::pair<std::string_view, std::string_view>{"include", "endtri"},
          std::pair<std::string_view, std::string_view>{"triangle_strip", "ee"}}) {
      ASSERT_EQ(zawiera_ktore(s, a, b, Szukanie::szerokie), jest(a, 1) | jest(b, 2))
          << s << " / " << a << " " << b;
    }
    const std::array<Slowo, 3> trzy{"include", "track", "endtri"};
    ASSERT_EQ(zawiera_ktore(s, trzy, Szukanie::szerokie),
              jest("include", 1) | jest("track", 2) | jest("endtri", 4))
        << s;
  }
}

TEST(WielkoscLiter, OrdersByFoldedByteValue) {
  EXPECT_LT(porownaj_bez_wielkosci("Semafor", "tarcza"), 0);
  EXPECT_EQ(porownaj_bez_wielkosci("ABC", "abc"), 0);
  EXPECT_LT(porownaj_bez_wielkosci("a", "aa"), 0);
  EXPECT_GT(porownaj_bez_wielkosci("\xA5", "z"), 0);  // Ą folds to 0xB9, after ASCII
}

TEST(Kodowanie, ConvertsBothWays) {
  constexpr TekstCp1250 usunieto{"Usunięto:"};
  EXPECT_EQ(usunieto.widok(), "Usuni\xEAto:");
  EXPECT_EQ(cp1250_na_utf8("Ilo\x9C\xE6"), "Ilość");
  EXPECT_EQ(utf8_na_cp1250("Ilość"), "Ilo\x9C\xE6");
  EXPECT_FALSE(utf8_na_cp1250("\xFF"));
  EXPECT_FALSE(utf8_na_cp1250("日本"));
  // What a user typed: each character the code page lacks, and each stray
  // byte, one "?".
  EXPECT_EQ(utf8_na_cp1250_z_zastepstwem("1,5 ż€中😀\xFF\xC0\x80"), "1,5 \xBF\x80??\?\?\?");
  EXPECT_TRUE(poprawny_utf8("ż€中😀"));
  for (const char* zly : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80"})
    EXPECT_FALSE(poprawny_utf8(zly)) << zly;
  EXPECT_EQ(cp1250_na_utf8("\x81"), "\xEF\xBF\xBD");
  for (int b = 0; b < 256; ++b) {
    const std::string bajt(1, static_cast<char>(b));
    if (b >= 0x80 && cp1250_gorna_polowa[b - 0x80] == 0) continue;
    EXPECT_EQ(utf8_na_cp1250(cp1250_na_utf8(bajt)), bajt) << b;
  }
}

}  // namespace
}  // namespace wyrownik
