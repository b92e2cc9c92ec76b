// The rewrite of one scenery: a 1,000,000-line file copied through the
// scratch copy, once with nothing to correct (copy and delete) and once with
// every tenth line corrected (copy, sync and atomic replace).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "log/sluchacz_dziennika.hpp"
#include "run/przepisanie.hpp"

namespace fs = std::filesystem;

namespace {

using namespace wyrownik;

class BezOkna : public Postep {
 public:
  void faza(Faza, std::string_view) override {}
  void plik(std::string_view) override {}
  void koniec() override {}
};

// Every candidate line gets the same verdict; a corrected line keeps its text.
class JedenWerdykt : public ZasadyPrzepisania {
 public:
  explicit JedenWerdykt(Werdykt werdykt) : werdykt_(werdykt) {}
  Werdykt ocen(std::string_view surowa, std::string& poprawiona, Pozostawienie&) override {
    if (werdykt_ == Werdykt::popraw) poprawiona.assign(surowa);
    return werdykt_;
  }
  RodzajZmiany rodzaj_poprawki() const override { return RodzajZmiany::wysokosc; }
  bool sciskaj_puste_linie() const override { return false; }

 private:
  Werdykt werdykt_;
};

struct Sceneria {
  fs::path korzen;
  StanScenerii stan;
  std::size_t bajty = 0;

  Sceneria() {
    korzen = fs::temp_directory_path() / ("wyrownik_bench_" + std::to_string(::getpid()));
    fs::create_directories(korzen / "scenery");
    stan.katalog = korzen / "scenery";
    stan.tekst_katalogu = stan.katalog.string() + "/";
    stan.nazwa_scenerii = "main.scn";
    stan.lista_plikow = {"main.scn"};
    std::ofstream plik(stan.katalog / "main.scn", std::ios::binary);
    std::string linia;
    for (int i = 0; i < 1000000; ++i) {
      if (i % 10 == 0) {
        linia = "include obiekty/drzewo" + std::to_string(i % 97) + ".inc " +
                std::to_string(i % 5000) + ".25 12.5 " + std::to_string(i / 200) + ".75 0 end";
      } else {
        linia = "-1234.5678 12.25 5678.125 0 1 0 0.25 0.75 // vertex " + std::to_string(i);
      }
      plik << linia << "\r\n";
      bajty += linia.size() + 2;
    }
  }
  ~Sceneria() { fs::remove_all(korzen); }
};

void przepisanie(benchmark::State& stan_testu, Werdykt werdykt) {
  Sceneria s;
  JedenWerdykt zasady(werdykt);
  BezOkna postep;
  for (auto _ : stan_testu) {
    SluchaczDziennika dziennik(s.korzen / "Log_korekcja.txt", operacje_systemowe(),
                               RodzajPrzebiegu::wysokosc);
    dziennik.poczatek_scenerii(s.stan);
    KontekstPrzebiegu kontekst;
    kontekst.operacje = &operacje_systemowe();
    kontekst.sluchacz = &dziennik;
    LicznikiPrzebiegu liczniki;
    przepisz_scenerie(s.stan, zasady, kontekst, liczniki, postep);
    dziennik.koniec_scenerii(s.stan, liczniki);
    stan_testu.PauseTiming();
    fs::remove(s.korzen / "Log_korekcja.txt");
    stan_testu.ResumeTiming();
  }
  stan_testu.SetBytesProcessed(static_cast<std::int64_t>(stan_testu.iterations() * s.bajty));
}

void BM_PrzepisanieBezZmian(benchmark::State& s) {
  przepisanie(s, Werdykt::zostaw);
}
void BM_PrzepisanieZeZmianami(benchmark::State& s) {
  przepisanie(s, Werdykt::popraw);
}

BENCHMARK(BM_PrzepisanieBezZmian)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrzepisanieZeZmianami)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
