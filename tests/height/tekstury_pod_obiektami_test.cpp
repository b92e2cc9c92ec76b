#include "height/tekstury_pod_obiektami.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <vector>

#include "platform/operacje_systemu.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

Trojkat trojkat(double x1, double z1, double x2, double z2, double x3, double z3) {
  return {{{{x1, 0, z1}, {x2, 0, z2}, {x3, 0, z3}}}};
}

// Positions spread along one line and one far off: the grid must find each
// under a triangle spanning many of its cells, and only there, kept in
// memory or in a file.
class TeksturyPodObiektamiGdzie : public ::testing::TestWithParam<std::size_t> {};
INSTANTIATE_TEST_SUITE_P(WPamieciIWPliku, TeksturyPodObiektamiGdzie, ::testing::Values(1 << 20, 0));

TEST_P(TeksturyPodObiektamiGdzie, EachPositionGetsTheTexturesOfTheTrianglesContainingIt) {
  std::vector<PolozenieObiektu> lista;
  for (int i = 0; i < 1000; ++i) lista.push_back({i * 10.0, 5});
  lista.push_back({50000, 50000});
  lista.push_back({std::numeric_limits<double>::quiet_NaN(), 0});
  const testy::KatalogTymczasowy k;
  PolozeniaObiektow polozenia;
  polozenia.zacznij(k.sciezka(), operacje_systemowe());
  polozenia.dopisz(lista.data(), 600);
  polozenia.dopisz(lista.data() + 600, lista.size() - 600);
  TeksturyPodObiektami pod(polozenia, k.sciezka(), operacje_systemowe(), GetParam());

  const auto beton = pod.tekstura("beton.dds");
  const auto skala = pod.tekstura("skala.dds");
  EXPECT_EQ(pod.tekstura("beton.dds"), beton);
  pod.trojkat(trojkat(-1, 0, 5000, 0, -1, 20), beton);  // x 0..4990 at z 5: most of them
  pod.trojkat(trojkat(100, 5, 200, 5, 100, 6), skala);  // on its edge: 100..200
  pod.trojkat(trojkat(100, 5, 200, 5, 100, 6), skala);  // the same texture twice: once
  pod.trojkat(trojkat(49990, 49990, 50010, 49990, 50000, 50010), skala);

  EXPECT_EQ(pod.pod(0, 5), "beton.dds");
  EXPECT_EQ(pod.pod(150, 5), "beton.dds skala.dds");
  EXPECT_EQ(pod.pod(200, 5), "beton.dds skala.dds");
  EXPECT_EQ(pod.pod(210, 5), "beton.dds");
  EXPECT_EQ(pod.pod(9990, 5), "");
  EXPECT_EQ(pod.pod(50000, 50000), "skala.dds");
  EXPECT_EQ(pod.pod(155, 5), "");  // never scanned
}

// Their scratch files go with them, whatever happens: nothing stays beside
// the scenery.
TEST(TeksturyPodObiektami, LeaveNoFileBehind) {
  const testy::KatalogTymczasowy k;
  {
    PolozeniaObiektow polozenia;
    polozenia.zacznij(k.sciezka(), operacje_systemowe());
    const PolozenieObiektu p{1, 2};
    polozenia.dopisz(&p, 1);
    TeksturyPodObiektami pod(polozenia, k.sciezka(), operacje_systemowe(), 0);
    EXPECT_EQ(pod.pod(1, 2), "");
  }
  EXPECT_TRUE(std::filesystem::is_empty(k.sciezka()));
}

TEST(TeksturyPodObiektami, NoPositionsNoTextures) {
  const testy::KatalogTymczasowy k;
  PolozeniaObiektow zadne;
  zadne.zacznij(k.sciezka(), operacje_systemowe());
  TeksturyPodObiektami pod(zadne, k.sciezka(), operacje_systemowe());
  pod.trojkat(trojkat(0, 0, 10, 0, 0, 10), pod.tekstura("beton.dds"));
  EXPECT_EQ(pod.pod(1, 1), "");
}

}  // namespace
}  // namespace wyrownik
