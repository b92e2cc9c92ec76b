#include <gtest/gtest.h>

#include <vector>

#include "height/czytaj_teren.hpp"
#include "height/pas_toru.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

bool rowne(const Wierzcholek& a, double x, double y, double z) {
  return a.x == x && a.y == y && a.z == z;
}

TEST(PasToru, RoadStripAlongX) {
  const auto pas = pas_toru({0, 5, 0}, {10, 7, 0}, 4.5);
  ASSERT_TRUE(pas);
  const auto& [t1, t2] = *pas;
  EXPECT_TRUE(rowne(t1.v[0], 0, 5, 4.5));
  EXPECT_TRUE(rowne(t1.v[1], 10, 7, -4.5));
  EXPECT_TRUE(rowne(t1.v[2], 0, 5, -4.5));
  EXPECT_TRUE(rowne(t2.v[0], 10, 7, 4.5));
  EXPECT_TRUE(rowne(t2.v[1], 10, 7, -4.5));
  EXPECT_TRUE(rowne(t2.v[2], 0, 5, 4.5));
}

TEST(PasToru, SignFollowsTheEndWithTheLargerX) {
  // Rising Z towards the larger X: s = -1, the offset's Z part is negative.
  const auto rosnacy = pas_toru({0, 0, 0}, {3, 0, 4}, 5);
  ASSERT_TRUE(rosnacy);
  EXPECT_DOUBLE_EQ((*rosnacy)[0].v[0].x, 4);  // A = P1 + (|dz| w, -|dx| w)
  EXPECT_DOUBLE_EQ((*rosnacy)[0].v[0].z, -3);
  // The same track given the other way round keeps its corners tied to P1.
  const auto odwrocony = pas_toru({3, 0, 4}, {0, 0, 0}, 5);
  EXPECT_DOUBLE_EQ((*odwrocony)[0].v[0].x, 7);
  EXPECT_DOUBLE_EQ((*odwrocony)[0].v[0].z, 1);
  EXPECT_FALSE(pas_toru({0, 0, 0}, {0.6, 9, 0.7}, 5));  // ends less than 1 apart
  EXPECT_TRUE(pas_toru({0, 0, 0}, {0.6, 0, 0.8}, 5));   // exactly 1 apart
}

class CzytajTeren : public ::testing::Test {
 protected:
  std::vector<Trojkat> czytaj(const std::string& tresc, const Skroty& skroty = {}) {
    const auto plik = k.zapisz("t.scm", tresc);
    std::vector<Trojkat> wynik;
    czytaj_teren(
        plik, konf, [&](const Trojkat& t) { wynik.push_back(t); }, nullptr, skroty,
        operacje_systemowe());
    return wynik;
  }
  testy::KatalogTymczasowy k;
  UstawieniaWysokosci konf{{"*"}, {"trawa", "grass"}, {}, false, false};
};

TEST_F(CzytajTeren, GroundTexturesByPrefixPathAndMaterial) {
  const std::string wierzcholki =
      "0 1 0 0 1 0 0 0\r\n10 1 0 0 1 0 1 0\r\n0 1 10 0 1 0 0 1\r\nendtri\r\n";
  EXPECT_EQ(czytaj("node -1 0 t1 triangles Trawa_2.dds\r\n" + wierzcholki).size(), 1u);
  EXPECT_EQ(czytaj("node -1 0 t1 triangles tex\\teren\\trawa1.dds\r\n" + wierzcholki).size(), 1u);
  EXPECT_EQ(czytaj("node -1 0 t1 triangles tex/skala.dds\r\n" + wierzcholki).size(), 0u);
  EXPECT_EQ(
      czytaj("node -1 0 t1 triangles material ambient: 1 endmaterial grass.dds\r\n" + wierzcholki)
          .size(),
      1u);
  EXPECT_EQ(
      czytaj("node -1 0 t1 triangles skala.dds material x endmaterial grass.dds\r\n" + wierzcholki)
          .size(),
      1u);
  EXPECT_EQ(czytaj("node -1 0 t1 triangles material ambient: grass.dds\r\n" + wierzcholki).size(),
            0u);
  EXPECT_EQ(czytaj("node -1 0 t1 triangles material x endmaterial\r\n" + wierzcholki).size(), 0u);
  // Too short to name a texture: skipped, not a failure.
  EXPECT_EQ(czytaj("node triangles\r\n" + wierzcholki).size(), 0u);
  // A comment line is never looked at; leading blanks make it an ordinary line.
  EXPECT_EQ(czytaj("//node -1 0 t1 triangles grass\r\n" + wierzcholki).size(), 0u);
  EXPECT_EQ(czytaj("  //node -1 0 t1 triangles grass\r\n" + wierzcholki).size(), 1u);
}

TEST_F(CzytajTeren, RemembersHeadersAsIfEachWereSplitAgain) {
  // More distinct headers than are remembered, ground and not, with a texture
  // named or missing, each node's first vertex telling it apart.
  const std::string naglowki[] = {"node -1 0 a triangles trawa1.dds",
                                  "node -1 0 a triangles skala1.dds",
                                  "node -1 0 a triangles material x endmaterial grass.dds",
                                  "node -1 0 a triangles material x endmaterial",
                                  "node -1 0 a triangles",
                                  "node -1 0 b triangles trawa1.dds"};
  std::string tresc;
  std::size_t terenu = 0;
  for (int i = 0; i < 60; ++i) {
    const int nr = (i * 5 + i / 4) % 6;  // repeats soon and late
    if (nr == 0 || nr == 2 || nr == 5) ++terenu;
    tresc += naglowki[nr] + "\r\n" + std::to_string(i) +
             " 1 0 0 1 0 0 0\r\n10 1 0 0 1 0 1 0\r\n0 1 10 0 1 0 0 1\r\nendtri\r\n";
  }
  const auto z_pamieci = czytaj(tresc);
  const auto bez = czytaj(tresc, Skroty::zadne());
  ASSERT_EQ(z_pamieci.size(), bez.size());
  EXPECT_EQ(z_pamieci.size(), terenu);
  for (std::size_t i = 0; i < bez.size(); ++i) EXPECT_EQ(z_pamieci[i].v[0].x, bez[i].v[0].x);
}

TEST_F(CzytajTeren, VertexTooSmallForADoubleIsZero) {
  const auto t = czytaj(
      "node -1 0 t1 triangles trawa.dds\r\n1e-400 1 -1e-400\r\n10 1 0\r\n0 1 10\r\nendtri\r\n");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].v[0].x, 0);
  EXPECT_EQ(t[0].v[0].z, 0);
}

TEST_F(CzytajTeren, VerticesInGroupsOfThree) {
  std::string t = "node -1 0 t triangle_strip grass\r\n";
  for (int i = 0; i < 7; ++i) t += std::to_string(i) + " " + std::to_string(i * 2) + " 0 ; x\r\n";
  t += "not a vertex\r\nendtri\r\n";
  const auto w = czytaj(t);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_TRUE(rowne(w[1].v[0], 3, 6, 0));
  EXPECT_TRUE(rowne(w[1].v[2], 5, 10, 0));
  // A node at the end of the file ends there.
  EXPECT_EQ(czytaj("node -1 0 t triangles grass\r\n0 0 0\r\n1 0 0\r\n0 0 1").size(), 1u);
}

TEST_F(CzytajTeren, RoadAndRiverTracksWhenSwitchedOn) {
  const std::string droga =
      "node -1 0 d1 track road 10 6 0.2 20 0 flat vis\r\n"
      "asfalt 4 a.tex 0 1.5 1\r\n"
      "\r\n"
      "0 5 0\r\n0 0 0\r\n0 0 0\r\n10 7 0\r\n0\r\nendtrack\r\n";
  EXPECT_TRUE(czytaj(droga).empty());
  konf.drogi = true;
  const auto w = czytaj(droga);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_TRUE(rowne(w[0].v[0], 0, 5, 4.5));  // w = (6 + 2 * 1.5) / 2
  EXPECT_TRUE(czytaj("node -1 0 d1 track road 10 6 0.2 20 0 flat unvis\r\n"
                     "asfalt 4 a.tex 0 1.5 1\r\n0 5 0\r\n0 0 0\r\n0 0 0\r\n10 7 0\r\nendtrack\r\n")
                  .empty());
  // Header with fewer than 8 tokens, or a second line with fewer than 5: nothing.
  EXPECT_TRUE(
      czytaj("node -1 0 d1 track road 10\r\nasfalt 4 a.tex 0 1.5\r\n0 5 0\r\n0 0 0\r\n0 0 0\r\n"
             "10 7 0\r\nendtrack\r\n")
          .empty());
  // endtrack before the second end point: nothing.
  EXPECT_TRUE(
      czytaj("node -1 0 d1 track road 10 6 0.2 20\r\nasfalt 4 a.tex 0 1.5\r\n0 5 0\r\nendtrack\r\n")
          .empty());
  konf.drogi = false;
  konf.rzeki = true;
  EXPECT_EQ(czytaj("node -1 0 r1 track river 10 6 0.2 20 0 flat vis\r\nwoda 4 a.tex 0 1.5 1\r\n"
                   "0 5 0\r\n0 0 0\r\n0 0 0\r\n10 7 0\r\nendtrack\r\n")
                .size(),
            2u);
}

TEST_F(CzytajTeren, SkippedTriangleHeaderIsTestedAgainAsARoad) {
  konf.drogi = true;
  const auto w = czytaj(
      "node -1 0 x triangles track road skala 6 20 0\r\n"
      "asfalt 4 a.tex 0 1.5 1\r\n0 5 0\r\n0 0 0\r\n0 0 0\r\n10 7 0\r\nendtrack\r\n");
  EXPECT_EQ(w.size(), 2u);
}

}  // namespace
}  // namespace wyrownik
