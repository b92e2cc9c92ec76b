// The clearance correction of a whole scenery, as one batch: scan, tracks
// into the scratch index, every file rewritten with poles pushed clear of
// double-track lines or removed between them. Sizes: track pairs, poles;
// the terrain (200000 triangles, 20000 trees) makes the files realistic.
#include "przebieg_partii.hpp"

namespace {

using namespace wyrownik;

void BM_PrzebiegSkrajni(benchmark::State& state) {
  bench::RozmiarScenerii r;
  r.trojkaty = 200'000;
  r.obiekty = 20'000;
  r.drogi = 20;
  r.pary_torow = static_cast<int>(state.range(0));
  r.obiekty_przy_torach = state.range(1);
  bench::przebieg_partii(state, r, bench::Rodzaj::skrajnia);
}

// 5000 tracks with 50000 poles along them.
BENCHMARK(BM_PrzebiegSkrajni)
    ->Args({2'500, 50'000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
