#include "platform/lista_na_dysku.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "pomoc/katalog_tymczasowy.hpp"

namespace wyrownik {
namespace {

struct Rekord {
  int a;
  float b;
};

std::vector<int> pierwsze(const ListaNaDysku<Rekord>& lista) {
  std::vector<int> w;
  for (const Rekord& r : lista) {
    EXPECT_FLOAT_EQ(r.b, static_cast<float>(r.a) / 2);
    w.push_back(r.a);
  }
  return w;
}

// Records one by one and in runs longer than a block, some in the file and
// some not yet; a list started again forgets the old ones; with a directory
// or without, the same list. Its file goes with it.
TEST(ListaNaDysku, HoldsWhatWasAddedInOrderWhereverItIsKept) {
  const testy::KatalogTymczasowy k;
  const std::size_t blok = ListaNaDysku<Rekord>::blok;
  for (const bool na_dysku : {true, false}) {
    {
      ListaNaDysku<Rekord> lista;
      std::vector<int> oczekiwane;
      for (int raz = 0; raz < 2; ++raz) {
        lista.zacznij(na_dysku ? k.sciezka() : std::filesystem::path(), operacje_systemowe());
        oczekiwane.clear();
        const int ile = raz == 0 ? 3 * static_cast<int>(blok) : 100;
        for (int i = 0; i < ile; ++i) {
          lista.push_back({i, static_cast<float>(i) / 2});
          oczekiwane.push_back(i);
        }
        std::vector<Rekord> dlugi;
        for (int i = 0; i < static_cast<int>(blok) + 7; ++i) {
          dlugi.push_back({-i, static_cast<float>(-i) / 2});
          oczekiwane.push_back(-i);
        }
        lista.dopisz(dlugi.data(), dlugi.size());
        lista.dopisz(dlugi.data(), 3);
        oczekiwane.insert(oczekiwane.end(), {0, -1, -2});
        EXPECT_EQ(lista.size(), oczekiwane.size());
        EXPECT_EQ(pierwsze(lista), oczekiwane);
        EXPECT_EQ(lista.back().a, -2);
      }
    }
    EXPECT_TRUE(std::filesystem::is_empty(k.sciezka()));
  }
}

}  // namespace
}  // namespace wyrownik
