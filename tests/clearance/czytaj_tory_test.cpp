#include "clearance/czytaj_tory.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "pomoc/katalog_tymczasowy.hpp"
#include "text/blad_danych.hpp"

namespace wyrownik {
namespace {

std::string tor(const std::string& naglowek, const std::string& p1, const std::string& p2,
                const std::string& drugi = " Rail_screw_used1 4 TpBpS-new2.tex 0.2 0.5 1.1") {
  return naglowek + "\r\n" + drugi + "\r\n" + p1 +
         "\r\n0.0 0.0 0.0 //control vector 1\r\n0.0 0.0 0.0\r\n" + p2 + "\r\n0\r\nendtrack\r\n";
}

const std::string normalny = "node 1000 0 none track normal 100.0 1.435 0.25 25.0 20 0 Flat vis";

class CzytajTory : public ::testing::Test {
 protected:
  std::vector<OdcinekToru> czytaj(const std::string& tresc) {
    const auto plik = k.zapisz("t.scm", tresc);
    std::vector<OdcinekToru> wynik;
    czytaj_tory(
        plik, [&](const OdcinekToru& o) { wynik.push_back(o); }, Szukanie::szerokie,
        operacje_systemowe());
    return wynik;
  }
  testy::KatalogTymczasowy k;
};

TEST_F(CzytajTory, ReadsTheChordAndWidthOfANormalTrack) {
  const auto w =
      czytaj(tor(normalny, "0.4 0.2 36.1  0.0  //point 1", "0.4 0.2 136.1  0.0  //point 2"));
  ASSERT_EQ(w.size(), 1u);
  EXPECT_DOUBLE_EQ(w[0].szerokosc, 1.835);
  EXPECT_EQ(w[0].x1, 0.4);
  EXPECT_EQ(w[0].z1, 36.1);
  EXPECT_EQ(w[0].z2, 136.1);
  EXPECT_DOUBLE_EQ(w[0].dlugosc, 100);
}

TEST_F(CzytajTory, TracksThatGiveNoSegment) {
  EXPECT_TRUE(czytaj(tor("node 1 0 s track switch 1 1.435 0 0 0", "0 0 0", "0 0 50")).empty());
  EXPECT_TRUE(czytaj(tor(normalny + " unvis", "0 0 0", "0 0 50")).empty());
  EXPECT_TRUE(czytaj(tor("node 1 0 n track normal 1 1.435 novis", "0 0 0", "0 0 50")).empty());
  EXPECT_TRUE(czytaj(tor(normalny, "0 0 0", "0.6 0 0.79")).empty());  // chord shorter than 1
  EXPECT_EQ(czytaj(tor(normalny, "0 0 0", "0.6 0 0.8")).size(), 1u);  // exactly 1
  EXPECT_TRUE(
      czytaj(normalny + "\r\nrail 4 t 0.2 0.5\r\n0 0 0\r\n0 0 0\r\nendtrack\r\n0 0 0\r\n0 0 50\r\n")
          .empty());
  EXPECT_TRUE(czytaj(tor(normalny, "0 0", "0 0 50")).empty());           // no first end point
  EXPECT_TRUE(czytaj("//" + tor(normalny, "0 0 0", "0 0 50")).empty());  // a commented header
  EXPECT_TRUE(czytaj(normalny + "\r\nrail 4 t 0.2 0.5\r\n0 0 0\r\n").empty());  // end of file
}

// Every normal track that gives nothing says why, at its header's line;
// a switch, a commented header and a track that gives a segment say nothing.
TEST_F(CzytajTory, TracksThatGiveNoSegmentAreToldWithTheirLine) {
  const std::string tresc =
      tor("node 1 0 s track switch 1 1.435 0 0 0", "0 0 0", "0 0 50") +            // lines 1-8
      tor(normalny + " unvis", "0 0 0", "0 0 50") +                                // 9
      tor(normalny, "0 0 0", "0.6 0 0.79") +                                       // 17
      tor(normalny, "0 0", "0 0 50") +                                             // 25
      tor(normalny, "0 0 0", "0 0 50") + "//" + tor(normalny, "0 0 0", "0 0 5") +  // 33, 41
      normalny + "\r\nrail 4 t 0.2 0.5\r\n0 0 0\r\n";                              // 49
  const auto plik = k.zapisz("t.scm", tresc);
  std::vector<std::pair<std::uint64_t, BrakOdcinka>> braki;
  const OdbiorcaBrakow zbierz = [&](const TorBezOdcinka& t) {
    braki.emplace_back(t.linia, t.powod);
  };
  std::size_t odcinki = 0;
  czytaj_tory(
      plik, [&](const OdcinekToru&) { ++odcinki; }, Szukanie::szerokie, operacje_systemowe(),
      &zbierz);
  EXPECT_EQ(odcinki, 1u);
  const std::vector<std::pair<std::uint64_t, BrakOdcinka>> oczekiwane = {
      {9, BrakOdcinka::niewidoczny},
      {17, BrakOdcinka::krotka_cieciwa},
      {25, BrakOdcinka::niepelny},
      {49, BrakOdcinka::niepelny}};
  EXPECT_EQ(braki, oczekiwane);
}

TEST_F(CzytajTory, HeaderWithoutWidthStartsFromZero) {
  const auto w = czytaj(tor(normalny, "0 0 0", "0 0 50") +
                        tor("node 1 0 n track normal 1", "0 0 0", "0 0 50"));
  ASSERT_EQ(w.size(), 2u);
  EXPECT_DOUBLE_EQ(w[1].szerokosc, 0.4);  // only twice token 5 of the second line
}

TEST_F(CzytajTory, EmptyLinesDoNotCount) {
  const auto w = czytaj(
      normalny +
      "\r\n\r\nrail 4 t 0.2 0.5\r\n\r\n;;\r\n1 0 0\r\n0 0 0\r\n\r\n0 0 0\r\n9 0 0\r\nendtrack\r\n");
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].x1, 1);
  EXPECT_EQ(w[0].x2, 9);
}

TEST_F(CzytajTory, EndPointTooSmallForADoubleIsZero) {
  const auto w = czytaj(tor(normalny, "1e-400 0 -1e-400", "0 0 50"));
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].x1, 0);
  EXPECT_EQ(w[0].z1, 0);
}

TEST_F(CzytajTory, EndPointThatIsNotANumberIsAFailure) {
  EXPECT_THROW(czytaj(tor(normalny, "0 0 abc", "0 0 50")), BladDanych);
  // One leading space and no double space: not cleaned, empty first token.
  EXPECT_THROW(czytaj(tor(normalny, " 0 0 5", "0 0 50")), BladDanych);
  // Two spaces somewhere: cleaned, and read.
  EXPECT_EQ(czytaj(tor(normalny, " 0 0  5", "0 0 50")).size(), 1u);
}

}  // namespace
}  // namespace wyrownik
