// One whole batch over a generated scenery per iteration, with the figures
// both run benchmarks report: wall time, scenery bytes per second, peak
// memory, and the log's counts checked against what the generator expects.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "batch/partia.hpp"
#include "generator_scenerii.hpp"
#include "katalog_roboczy.hpp"
#include "pomiar_pamieci.hpp"
#include "sprawdzenie_wyniku.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::bench {

// The window of a batch over the one scenery "duza.scn", selected. It notes
// when each phase begins.
class OknoBenchmarku : public OknoPartii {
 public:
  using Zegar = std::chrono::steady_clock;
  std::string szczegoly;  // the reason of a failure, for the report
  // "FAZA I" to "FAZA IV", then "" when the run clears its status lines.
  std::vector<std::pair<std::string, Zegar::time_point>> fazy;

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override {
    if (wiersz != WierszStatusu::faza) return;
    if (!fazy.empty() && fazy.back().first == tekst) return;
    fazy.emplace_back(tekst, Zegar::now());
  }
  void przetworz_zdarzenia() override {}
  void pokaz_komunikat(std::string_view) override {}
  std::size_t ile_pozycji() const override { return 1; }
  bool zaznaczona(std::size_t) const override { return true; }
  std::string pozycja(std::size_t) const override { return "duza.scn"; }
  void szczegoly_bledu(std::string_view opis) override { szczegoly = opis; }
};

// A generated scenery kept untouched for the whole process; each iteration
// works on a copy of it.
struct Wzor {
  KatalogRoboczy katalog;
  OpisScenerii opis;
  std::filesystem::path scenery() const { return katalog.sciezka() / "wzor"; }
};

inline const Wzor& wzor(const RozmiarScenerii& r) {
  using Klucz = std::tuple<std::int64_t, std::int64_t, int, int, int, std::int64_t>;
  static std::map<Klucz, std::unique_ptr<Wzor>> wzory;
  auto& w =
      wzory[{r.trojkaty, r.obiekty, r.pliki_terenu, r.drogi, r.pary_torow, r.obiekty_przy_torach}];
  if (!w) {
    w = std::make_unique<Wzor>();
    w->opis = generuj_scenerie(w->scenery(), r);
  }
  return *w;
}

// The number after `etykieta` on the last line of the log that starts with
// it; nullopt when no such line is found in the log's tail.
inline std::optional<std::int64_t> liczba_z_logu(const std::filesystem::path& log,
                                                 std::string_view etykieta) {
  std::ifstream plik(log, std::ios::binary | std::ios::ate);
  if (!plik) return std::nullopt;
  const auto rozmiar = static_cast<std::streamoff>(plik.tellg());
  const std::streamoff ogon = std::min<std::streamoff>(rozmiar, 4096);
  std::string tekst(static_cast<std::size_t>(ogon), '\0');
  plik.seekg(rozmiar - ogon);
  if (!plik.read(tekst.data(), ogon)) return std::nullopt;
  const auto poz = tekst.rfind("\r\n" + std::string(etykieta));
  if (poz == std::string::npos) return std::nullopt;
  return std::strtoll(tekst.c_str() + poz + 2 + etykieta.size(), nullptr, 10);
}

// Seconds from the start of each phase to the start of the next: the scan
// ("FAZA I", up to its clearing of the status lines), the index set-up
// ("FAZA II"), the collection ("FAZA III") and the rewrite with the run's end
// ("FAZA IV").
inline void dolicz_fazy(const OknoBenchmarku& okno, std::map<std::string, double>& sekundy) {
  for (std::size_t i = 0; i + 1 < okno.fazy.size(); ++i) {
    if (okno.fazy[i].first.empty()) continue;
    sekundy[okno.fazy[i].first] +=
        std::chrono::duration<double>(okno.fazy[i + 1].second - okno.fazy[i].second).count();
  }
}

// The floor of a run: every file of the scenery read three times (the scan,
// the collection, the rewrite) and written once, in 1 MiB blocks, without
// any parsing. Nothing a run does can be faster. Returns seconds.
inline double podloga(const std::filesystem::path& katalog, const std::filesystem::path& kopia) {
  namespace fs = std::filesystem;
  std::vector<fs::path> pliki;
  for (const auto& w : fs::recursive_directory_iterator(katalog)) {
    if (w.is_regular_file()) pliki.push_back(w.path());
  }
  std::vector<char> bufor(1 << 20);
  const auto start = std::chrono::steady_clock::now();
  for (int przejscie = 0; przejscie < 3; ++przejscie) {
    for (const auto& p : pliki) {
      std::FILE* we = std::fopen(p.c_str(), "rb");
      std::FILE* wy = przejscie == 2 ? std::fopen(kopia.c_str(), "wb") : nullptr;
      if (we == nullptr || (przejscie == 2 && wy == nullptr)) throw std::runtime_error("floor");
      for (std::size_t n; (n = std::fread(bufor.data(), 1, bufor.size(), we)) > 0;) {
        if (wy != nullptr && std::fwrite(bufor.data(), 1, n, wy) != n)
          throw std::runtime_error("floor");
      }
      std::fclose(we);
      if (wy != nullptr && std::fclose(wy) != 0) throw std::runtime_error("floor");
    }
  }
  const double sekundy =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  fs::remove(kopia);
  return sekundy;
}

inline constexpr TekstCp1250 ilosc_zmian{"Ilość zmian: "};
inline constexpr TekstCp1250 ilosc_usunietych{"Ilość usuniętych: "};

// The workload of the floor benchmarks, 25 MB at n = 1: 100000 terrain
// triangles in two files, 10000 trees, 200 tracks of which 40 are roads (80
// double-track pairs), 1000 poles.
inline RozmiarScenerii rozmiar_podlogi(std::int64_t n) {
  RozmiarScenerii r;
  r.trojkaty = 100'000 * n;
  r.obiekty = 10'000 * n;
  r.pliki_terenu = 2;
  r.drogi = static_cast<int>(40 * n);
  r.pary_torow = static_cast<int>(80 * n);
  r.obiekty_przy_torach = 1'000 * n;
  return r;
}

// Runs the batch once per iteration on a fresh copy of the scenery; the copy
// (and a sync, so its write-back does not land inside the run) is not timed.
inline void przebieg_partii(benchmark::State& state, const RozmiarScenerii& r, Rodzaj rodzaj,
                            bool raport = true, const Skroty& skroty = {}) {
  namespace fs = std::filesystem;
  double obciazenie[3] = {-1, -1, -1};
  ::getloadavg(obciazenie, 3);
  const Wzor& w = wzor(r);
  KatalogRoboczy program;  // the program directory: the log, and the scenery under it
  const fs::path katalog = program.sciezka() / "scenery";

  Srodowisko srodowisko;
  srodowisko.konfiguracja.lista_inc = {"*"};
  srodowisko.konfiguracja.lista_tekstur = {"trawa"};
  srodowisko.konfiguracja.drogi = true;
  srodowisko.tekst_katalogu = katalog.string() + "/";
  srodowisko.katalog = katalog;
  srodowisko.zapis.plik_logu = program.sciezka() / "Log_korekcja.txt";
  srodowisko.katalog_programu = program.sciezka();  // backups made, as users get them
  srodowisko.raport = raport;
  srodowisko.skroty = skroty;
  // The default texts of the four number boxes.
  const Korekcja korekcja = rodzaj == Rodzaj::wysokosc
                                ? korekcja_wysokosci(srodowisko.konfiguracja, "0.5", "11")
                                : korekcja_skrajni(srodowisko.konfiguracja, "40", "7");

  double szczyt_rss = 0, szczyt_anon = 0, przyrost_anon = 0, szczyt_plikow = 0;
  std::int64_t zmiany = -1, usuniecia = -1;
  bool blad = false;
  std::map<std::string, double> fazy;
  double sekundy_podlogi = 0, sekundy_przebiegu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(katalog);
    fs::copy(w.scenery(), katalog, fs::copy_options::recursive);
    ::sync();
    sekundy_podlogi += podloga(katalog, program.sciezka() / "podloga.tmp");
    const bool wyzerowany = wyzeruj_szczyt_rss();
    OknoBenchmarku okno;
    std::optional<PomiarPamieci> pomiar(std::in_place);
    const auto start = std::chrono::steady_clock::now();
    state.ResumeTiming();

    const WynikPartii wynik = partia(srodowisko, okno, korekcja, [] { return 0; });

    state.PauseTiming();
    sekundy_przebiegu +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    pomiar->zatrzymaj();
    dolicz_fazy(okno, fazy);
    szczyt_rss = std::max(szczyt_rss, wyzerowany ? szczytowy_rss_mib() : -1.0);
    szczyt_anon = std::max(szczyt_anon, pomiar->szczyt_anon_mib());
    przyrost_anon = std::max(przyrost_anon, pomiar->przyrost_anon_mib());
    szczyt_plikow = std::max(szczyt_plikow, pomiar->szczyt_plikow_mib());
    if (wynik != WynikPartii::zakonczona) {
      state.SkipWithError(("the batch failed: " + okno.szczegoly).c_str());
      blad = true;
      break;
    }
    zmiany = liczba_z_logu(srodowisko.zapis.plik_logu, ilosc_zmian).value_or(-1);
    if (rodzaj == Rodzaj::skrajnia) {
      usuniecia = liczba_z_logu(srodowisko.zapis.plik_logu, ilosc_usunietych).value_or(-1);
    }
    if (const std::string wada = sprawdz_wynik(w.scenery(), katalog, w.opis, rodzaj);
        !wada.empty()) {
      state.SkipWithError(("wrong result: " + wada).c_str());
      blad = true;
      break;
    }
    state.ResumeTiming();
  }

  const std::int64_t oczekiwane_zmiany =
      rodzaj == Rodzaj::wysokosc ? w.opis.zmiany_wysokosci : w.opis.zmiany_skrajni;
  const std::int64_t oczekiwane_usuniecia =
      rodzaj == Rodzaj::wysokosc ? -1 : w.opis.usuniecia_skrajni;
  if (!blad && (zmiany != oczekiwane_zmiany || usuniecia != oczekiwane_usuniecia)) {
    state.SkipWithError(("the log counts " + std::to_string(zmiany) + " changes and " +
                         std::to_string(usuniecia) + " removals; expected " +
                         std::to_string(oczekiwane_zmiany) + " and " +
                         std::to_string(oczekiwane_usuniecia))
                            .c_str());
  }

  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w.opis.bajty));
  state.counters["scenery_MB"] = static_cast<double>(w.opis.bajty) / 1e6;
  state.counters["triangles"] = static_cast<double>(w.opis.trojkaty_terenu);
  state.counters["objects"] = static_cast<double>(w.opis.obiekty);
  state.counters["tracks"] = static_cast<double>(w.opis.tory);
  state.counters["changes"] = static_cast<double>(zmiany);
  if (rodzaj == Rodzaj::skrajnia) state.counters["removals"] = static_cast<double>(usuniecia);
  // Peak RSS counts the mapped scratch index pages too; anon is the program's
  // own memory, the part that must not grow with the scenery.
  state.counters["peak_rss_MiB"] = szczyt_rss;
  state.counters["peak_anon_MiB"] = szczyt_anon;
  state.counters["anon_growth_MiB"] = przyrost_anon;
  state.counters["peak_mapped_MiB"] = szczyt_plikow;
  state.counters["load1_before"] = obciazenie[0];
  const fs::path strona = program.sciezka() / "Log_korekcja.html";
  std::error_code blad_rozmiaru;
  const auto rozmiar_raportu = fs::file_size(strona, blad_rozmiaru);
  state.counters["report_MB"] = blad_rozmiaru ? 0.0 : static_cast<double>(rozmiar_raportu) / 1e6;
  // To look at the report of a benchmark scenery: WYROWNIK_BENCH_RAPORT=file.html.
  if (const char* kopia = std::getenv("WYROWNIK_BENCH_RAPORT"); kopia && !blad_rozmiaru) {
    fs::copy_file(strona, kopia, fs::copy_options::overwrite_existing);
  }
  // To run the command line on a benchmark scenery:
  // WYROWNIK_BENCH_SCENERIA=folder (made anew; the scenery as generated).
  if (const char* cel = std::getenv("WYROWNIK_BENCH_SCENERIA")) {
    fs::remove_all(cel);
    fs::copy(w.scenery(), cel, fs::copy_options::recursive);
  }
  // The floor, measured in the same iteration on the same copy, and the
  // run's time as a multiple of it.
  const double iteracje = static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
  state.counters["floor_ms"] = sekundy_podlogi / iteracje * 1000;
  state.counters["x_floor"] = sekundy_podlogi > 0 ? sekundy_przebiegu / sekundy_podlogi : -1;
  for (const auto& [faza, s] : fazy) {
    // "FAZA III" -> "III_ms", averaged over the iterations.
    state.counters[faza.substr(faza.find(' ') + 1) + "_ms"] =
        benchmark::Counter(s * 1000, benchmark::Counter::kAvgIterations);
  }
}

}  // namespace wyrownik::bench
