// Both runs on one workload at four sizes (about 25 MB, 100 MB, 250 MB and
// 1 GB of text), each beside its floor: the same text read three times and
// written once. Reports wall time, MB/s, the multiple of the floor
// (x_floor) and the program's own (anonymous) memory apart from the mapped
// scratch files. The second argument switches the map report on (1) or off
// (0): its cost is the difference. BM_BezSkrotu runs both at 25 MB, with the
// report, once with every shortcut and once without each one in turn: what
// each shortcut buys.
#include "przebieg_partii.hpp"

namespace {

using namespace wyrownik;

void BM_Wysokosc(benchmark::State& state) {
  bench::przebieg_partii(state, bench::rozmiar_podlogi(state.range(0)), bench::Rodzaj::wysokosc,
                         state.range(1) != 0);
}
void BM_Skrajnia(benchmark::State& state) {
  bench::przebieg_partii(state, bench::rozmiar_podlogi(state.range(0)), bench::Rodzaj::skrajnia,
                         state.range(1) != 0);
}

// Argument 1: 0 height, 1 clearance; argument 2: 0 every shortcut on, then
// each of wylaczenia_skrotow switched off alone, in its order, then all off.
void BM_BezSkrotu(benchmark::State& state) {
  constexpr auto ile = std::size(wylaczenia_skrotow);
  const auto nr = static_cast<std::size_t>(state.range(1));
  Skroty s;
  if (nr == 0) {
    state.SetLabel("all on");
  } else if (nr <= ile) {
    wylaczenia_skrotow[nr - 1].wylacz(s);
    state.SetLabel(std::string(wylaczenia_skrotow[nr - 1].nazwa));
  } else {
    s = Skroty::zadne();
    state.SetLabel("all off");
  }
  bench::przebieg_partii(state, bench::rozmiar_podlogi(1),
                         state.range(0) == 0 ? bench::Rodzaj::wysokosc : bench::Rodzaj::skrajnia,
                         true, s);
}

BENCHMARK(BM_Wysokosc)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({4, 0})
    ->Args({4, 1})
    ->Args({10, 1})
    ->Args({40, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Skrajnia)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({4, 0})
    ->Args({4, 1})
    ->Args({10, 1})
    ->Args({40, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(BM_BezSkrotu)
    ->ArgsProduct({{0, 1}, benchmark::CreateDenseRange(0, std::size(wylaczenia_skrotow) + 1, 1)})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
