// The scratch index under the load of a large scenery: 2 million elements
// registered over boxes of 1 to 4 cells, then 1 million cell walks.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>

#include "geometry/zakres.hpp"
#include "index/indeks.hpp"
#include "katalog_roboczy.hpp"

namespace {

using namespace wyrownik;

constexpr std::int32_t ile_elementow = 2'000'000;
constexpr int ile_przejsc = 1'000'000;
constexpr double bok = 100'000;  // extents 0..100000: cells of 100 x 100

// The extents of the generated elements.
Zakres zakres_bokow() {
  Zakres z;
  z.dolacz(0, 0);
  z.dolacz(bok, bok);
  return z;
}

// Element i: a box one or two cells wide and deep, somewhere on the grid.
void rejestruj_elementy(Indeks& indeks) {
  std::mt19937_64 los(12345);
  std::uniform_real_distribution<double> polozenie(0, bok - 200);
  const double krok = indeks.siatka().krok_x();
  for (std::int32_t i = 0; i < ile_elementow; ++i) {
    const double x = polozenie(los);
    const double z = polozenie(los);
    const auto ksztalt = los() & 3;
    RekordDanych r{x, 0, z, x + 1, 0, z + 1, x + 2, 0, z + 2};
    const std::int32_t nr = indeks.dopisz_rekord(r);
    indeks.rejestruj_w_komorkach(nr, x, x + (ksztalt & 1 ? krok : 0), z,
                                 z + (ksztalt & 2 ? krok : 0));
  }
}

void wypisz_pamiec(benchmark::State& state) {
  state.counters["peak_rss_MiB"] = bench::szczytowy_rss_mib();
  // Mapped scratch pages are page cache (RssFile/RssShmem); the program's own
  // memory is RssAnon.
  state.counters["rss_anon_MiB"] = bench::pole_statusu_mib("RssAnon");
  state.counters["rss_file_MiB"] =
      bench::pole_statusu_mib("RssFile") + bench::pole_statusu_mib("RssShmem");
}

void BM_Rejestracja(benchmark::State& state) {
  bench::KatalogRoboczy katalog;
  std::int64_t dopisane = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::optional<Indeks> indeks;
    indeks.emplace(Indeks(katalog.sciezka(), zakres_bokow(), operacje_systemowe()));
    state.ResumeTiming();
    rejestruj_elementy(*indeks);
    state.PauseTiming();
    dopisane += indeks->ile_rekordow_komorek() - Siatka::ile_komorek;
    wypisz_pamiec(state);
    indeks->usun_indeks();
    state.ResumeTiming();
  }
  state.counters["registrations/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * ile_elementow, benchmark::Counter::kIsRate);
  state.counters["overflow_records"] = static_cast<double>(dopisane / state.iterations());
}
BENCHMARK(BM_Rejestracja)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_FazaII(benchmark::State& state) {
  bench::KatalogRoboczy katalog;
  for (auto _ : state) {
    Indeks indeks = Indeks(katalog.sciezka(), zakres_bokow(), operacje_systemowe());
    state.PauseTiming();
    indeks.usun_indeks();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FazaII)->Iterations(10)->Unit(benchmark::kMillisecond);

// Argument 0: one walk after the other; 1: 32 walks at a time interleaved,
// as the height run's verdicts walk a block of candidate lines.
void BM_Przejscie(benchmark::State& state) {
  bench::KatalogRoboczy katalog;
  Indeks indeks = Indeks(katalog.sciezka(), zakres_bokow(), operacje_systemowe());
  rejestruj_elementy(indeks);
  std::mt19937_64 los(777);
  std::uniform_real_distribution<double> polozenie(0, bok);
  std::int64_t odwiedzone = 0;
  double suma = 0;
  const auto odwiedz = [&](const RekordDanych& r) {
    suma += r[4];
    ++odwiedzone;
  };
  std::array<PunktXZ, 32> punkty;
  for (auto _ : state) {
    if (state.range(0) == 0) {
      for (int i = 0; i < ile_przejsc; ++i)
        indeks.przejdz_komorke(polozenie(los), polozenie(los), odwiedz);
      continue;
    }
    for (int i = 0; i < ile_przejsc; i += static_cast<int>(punkty.size())) {
      for (PunktXZ& p : punkty) p = {polozenie(los), polozenie(los)};
      indeks.przejdz_komorki(punkty, [&](std::size_t, const RekordDanych& r) { odwiedz(r); });
    }
  }
  benchmark::DoNotOptimize(suma);
  state.counters["walks/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * ile_przejsc, benchmark::Counter::kIsRate);
  state.counters["elements/walk"] =
      static_cast<double>(odwiedzone) / (static_cast<double>(state.iterations()) * ile_przejsc);
  wypisz_pamiec(state);
  indeks.usun_indeks();
}
BENCHMARK(BM_Przejscie)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("peak RSS (ru_maxrss): %.1f MiB\n", bench::szczytowy_rss_mib());
  return 0;
}
