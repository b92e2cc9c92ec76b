// The height correction of a whole scenery, as one batch: scan, terrain into
// the scratch index, every file rewritten. Sizes: terrain triangles, trees.
#include "przebieg_partii.hpp"

namespace {

using namespace wyrownik;

void BM_PrzebiegWysokosci(benchmark::State& state) {
  bench::RozmiarScenerii r;
  r.trojkaty = state.range(0);
  r.obiekty = state.range(1);
  r.drogi = 50;
  bench::przebieg_partii(state, r, bench::Rodzaj::wysokosc);
}

// Sizes four times apart: the program's own memory must stay the same.
BENCHMARK(BM_PrzebiegWysokosci)
    ->Args({250'000, 25'000})
    ->Args({1'000'000, 100'000})
    ->Args({4'000'000, 400'000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
