// Reading scenery text: the raw line reader, the reader with the clean-up of
// every line, and the whole scan over one large file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "katalog_roboczy.hpp"
#include "scenery/postep.hpp"
#include "scenery/skan.hpp"
#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"

namespace {

using namespace wyrownik;

constexpr std::size_t rozmiar_pliku = 50u << 20;

// A track node, a few placed objects and a ground triangle node, the mix of
// a real scenery file, with varied numbers.
void dopisz_fragment(std::string& tekst, int i) {
  const std::string x = std::to_string(i % 20000) + "." + std::to_string(i % 97);
  const std::string z = std::to_string((i * 7) % 30000) + ".25";
  tekst += "node 1000 0 none track normal 100.0 1.435 0.25 25.0 20 0 Flat vis \r\n";
  tekst += " Rail_screw_used1 4 TpBpS-new2.tex 0.2 0.5 1.1 \r\n";
  tekst += x + " 0.2 " + z + "  0.0  //point 1\r\n";
  tekst += "0.0 0.0 0.0  //control vector 1\r\n0.0 0.0 0.0  //control vector 2\r\n";
  tekst += x + " 0.2 " + z + "1  0.0  //point 2\r\n0 \r\nendtrack\r\n\r\n";
  for (int j = 0; j < 4; ++j) {
    tekst += "include\tobiekty/drzewa/sosna" + std::to_string(j) + ".inc\t;" + x + " " +
             std::to_string(j) + ".5 " + z + " 90 end\r\n";
  }
  tekst +=
      "//$i komentarz\r\nnode -1 0 teren triangles material ambient: 1 1 1 endmaterial "
      "grass/trawa1.dds\r\n";
  for (int j = 0; j < 6; ++j) {
    tekst += x + " 1.0 " + z + " 0.0 1.0 0.0 " + std::to_string(j) + " 0.5 end\r\n";
  }
  tekst += "endtri\r\n";
}

class PlikProbny {
 public:
  PlikProbny() {
    std::string tekst;
    tekst.reserve(rozmiar_pliku + 4096);
    for (int i = 0; tekst.size() < rozmiar_pliku; ++i) dopisz_fragment(tekst, i);
    sciezka_ = katalog_.sciezka() / "duza.scn";
    std::FILE* f = std::fopen(sciezka_.c_str(), "wb");
    if (f == nullptr || std::fwrite(tekst.data(), 1, tekst.size(), f) != tekst.size() ||
        std::fclose(f) != 0) {
      throw std::runtime_error("cannot write the sample file");
    }
    rozmiar_ = tekst.size();
  }
  const std::filesystem::path& sciezka() const { return sciezka_; }
  const std::filesystem::path& katalog() const { return katalog_.sciezka(); }
  std::size_t rozmiar() const { return rozmiar_; }

 private:
  bench::KatalogRoboczy katalog_;
  std::filesystem::path sciezka_;
  std::size_t rozmiar_ = 0;
};

const PlikProbny& plik_probny() {
  static const PlikProbny plik;
  return plik;
}

class PostepCichy : public Postep {
 public:
  void faza(Faza, std::string_view) override {}
  void plik(std::string_view) override {}
  void koniec() override {}
};

void BM_CzytnikLinii(benchmark::State& state) {
  const auto& plik = plik_probny();
  std::size_t linie = 0;
  for (auto _ : state) {
    CzytnikLinii czytnik(plik.sciezka(), operacje_systemowe());
    std::string_view linia;
    while (czytnik.czytaj(linia)) {
      benchmark::DoNotOptimize(linia.data());
      ++linie;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plik.rozmiar()));
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(linie), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CzytnikLinii)->Unit(benchmark::kMillisecond);

void BM_CzytnikIOczyszczanie(benchmark::State& state) {
  const auto& plik = plik_probny();
  std::string czysta;
  std::size_t linie = 0;
  for (auto _ : state) {
    CzytnikLinii czytnik(plik.sciezka(), operacje_systemowe());
    std::string_view linia;
    while (czytnik.czytaj(linia)) {
      czysta.assign(linia);
      oczysc_linie(czysta);
      benchmark::DoNotOptimize(czysta.data());
      ++linie;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plik.rozmiar()));
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(linie), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CzytnikIOczyszczanie)->Unit(benchmark::kMillisecond);

// "FAZA I" over the one large file: reading, clean-up, keyword tests,
// tokens and numbers.
void BM_Skan(benchmark::State& state) {
  const auto& plik = plik_probny();
  StanScenerii stan;
  stan.katalog = plik.katalog();
  stan.nazwa_scenerii = "duza.scn";
  PostepCichy postep;
  for (auto _ : state) {
    znajdz_min_max(stan, postep, operacje_systemowe());
    benchmark::DoNotOptimize(stan.zakres);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plik.rozmiar()));
}
BENCHMARK(BM_Skan)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("sample file: %.1f MiB; peak RSS: %.1f MiB\n",
              static_cast<double>(plik_probny().rozmiar()) / (1 << 20), bench::szczytowy_rss_mib());
  return 0;
}
