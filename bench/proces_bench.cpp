// The command line as users run it: the built wyrownik-cli as a whole
// process on the workload of podloga_bench (about 25 MB at n = 1), a real run
// with the map report and backups on, beside its floor measured on the same
// copy in the same iteration. Phases come from the process's own output,
// each line stamped as it arrives: start (spawn to "FAZA I"), "FAZA I" to
// "FAZA IV" (IV up to the report's path on stdout, so the report is in it),
// and end (the report's path to the process's exit). The second argument
// leaves out the report (1), the backups (2) or both (3): the differences
// are their shares; with 4 added, the child's own memory (RssAnon) is
// sampled every 0.5 ms as well, a thread of the harness that costs the
// child a little of a core (BM_Pamiec*). Page faults, context switches and
// CPU time are the child's.
// Linux only, as the harness spawns and waits for the process itself.
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <optional>

#include "pomiar_pamieci.hpp"
#include "przebieg_partii.hpp"

extern char** environ;

namespace {

using namespace wyrownik;
namespace fs = std::filesystem;
using Zegar = std::chrono::steady_clock;

struct Wynik {
  int status = -1;
  rusage zuzycie{};
  Zegar::time_point start, koniec;
  // Each line of the output as it arrived: stderr's progress, stdout's path.
  std::vector<std::pair<std::string, Zegar::time_point>> wiersze;
};

// Runs the program to its end, reading both pipes as they fill; with
// `szczyt_anon_mib`, its own memory's peak there.
Wynik uruchom(const std::vector<std::string>& argumenty, double* szczyt_anon_mib) {
  std::array<int, 2> bledy{}, wyjscie{};
  if (::pipe(bledy.data()) != 0 || ::pipe(wyjscie.data()) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t akcje;
  posix_spawn_file_actions_init(&akcje);
  posix_spawn_file_actions_adddup2(&akcje, wyjscie[1], 1);
  posix_spawn_file_actions_adddup2(&akcje, bledy[1], 2);
  posix_spawn_file_actions_addclose(&akcje, wyjscie[0]);
  posix_spawn_file_actions_addclose(&akcje, bledy[0]);
  std::vector<char*> argv;
  for (const auto& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  Wynik w;
  w.start = Zegar::now();
  pid_t pid = 0;
  const int blad = ::posix_spawn(&pid, argv[0], &akcje, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&akcje);
  ::close(bledy[1]);
  ::close(wyjscie[1]);
  if (blad != 0) throw std::runtime_error("posix_spawn");
  std::optional<bench::PomiarPamieci> pomiar;
  if (szczyt_anon_mib != nullptr) {
    pomiar.emplace("/proc/" + std::to_string(pid) + "/status", std::chrono::microseconds(500));
  }
  std::array<std::string, 2> reszta;
  std::array<pollfd, 2> fd = {{{wyjscie[0], POLLIN, 0}, {bledy[0], POLLIN, 0}}};
  int otwarte = 2;
  char bufor[4096];
  while (otwarte > 0) {
    if (::poll(fd.data(), fd.size(), -1) < 0) throw std::runtime_error("poll");
    const auto teraz = Zegar::now();
    for (std::size_t i = 0; i < fd.size(); ++i) {
      if (fd[i].fd < 0 || fd[i].revents == 0) continue;
      const ssize_t n = ::read(fd[i].fd, bufor, sizeof bufor);
      if (n <= 0) {
        ::close(fd[i].fd);
        fd[i].fd = -1;
        --otwarte;
        continue;
      }
      reszta[i].append(bufor, static_cast<std::size_t>(n));
      for (std::size_t lf; (lf = reszta[i].find('\n')) != std::string::npos;) {
        w.wiersze.emplace_back(reszta[i].substr(0, lf), teraz);
        reszta[i].erase(0, lf + 1);
      }
    }
  }
  if (::wait4(pid, &w.status, 0, &w.zuzycie) != pid) throw std::runtime_error("wait4");
  w.koniec = Zegar::now();
  if (pomiar) {
    pomiar->zatrzymaj();
    *szczyt_anon_mib = pomiar->szczyt_anon_mib();
  }
  return w;
}

double sekundy(Zegar::time_point a, Zegar::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// Seconds of each phase of one run, by the first line that opens it.
void dolicz_fazy(const Wynik& w, const std::string& sciezka_raportu,
                 std::map<std::string, double>& fazy) {
  std::vector<std::pair<std::string, Zegar::time_point>> granice = {{"start", w.start}};
  for (const auto& [wiersz, czas] : w.wiersze) {
    const bool faza = wiersz.rfind("FAZA ", 0) == 0;
    const std::string nazwa = faza ? wiersz.substr(5) : wiersz == sciezka_raportu ? "end" : "";
    if (!nazwa.empty() && granice.back().first != nazwa) granice.emplace_back(nazwa, czas);
  }
  granice.emplace_back("", w.koniec);
  for (std::size_t i = 0; i + 1 < granice.size(); ++i) {
    fazy[granice[i].first] += sekundy(granice[i].second, granice[i + 1].second);
  }
}

void BM_Proces(benchmark::State& state, bench::Rodzaj rodzaj) {
  const bench::Wzor& w = bench::wzor(bench::rozmiar_podlogi(state.range(0)));
  const bool raport = (state.range(1) & 1) == 0;
  const bool kopie = (state.range(1) & 2) == 0;
  const bool pamiec = (state.range(1) & 4) != 0;
  bench::KatalogRoboczy korzen;
  const fs::path program = korzen.sciezka() / "program";
  const fs::path katalog = korzen.sciezka() / "sim" / "scenery";
  fs::create_directories(program);
  fs::create_directories(katalog.parent_path());
  {
    std::ofstream ini(program / "wyrownik.ini", std::ios::binary);
    ini << "[Sciezka dostepu]\r\n"
        << (korzen.sciezka() / "sim").string()
        << "\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n[drogi]\r\n1\r\n";
    if (!ini) throw std::runtime_error("ini");
  }
  std::vector<std::string> argumenty = {WYROWNIK_CLI};
  if (rodzaj == bench::Rodzaj::wysokosc) {
    argumenty.insert(argumenty.end(), {"height", "--min", "0.5", "--max", "11"});
  } else {
    argumenty.insert(argumenty.end(), {"clearance", "--radius", "40", "--radius-param", "7"});
  }
  argumenty.insert(argumenty.end(), {"--program-dir", program.string()});
  if (!raport) argumenty.emplace_back("--no-report");
  if (!kopie) argumenty.emplace_back("--no-backup");
  argumenty.emplace_back("duza.scn");
  const std::string sciezka_raportu = (program / "Log_korekcja.html").string();

  std::map<std::string, double> fazy;
  double podlogi = 0, przebiegi = 0;
  long drobne = 0, powazne = 0, przelaczenia = 0, szczyt_rss = 0;
  double szczyt_anon = 0;
  double uzytkownika = 0, systemu = 0;  // the child's CPU seconds
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(katalog);
    fs::remove_all(program / "kopie");
    fs::copy(w.scenery(), katalog, fs::copy_options::recursive);
    ::sync();
    podlogi += bench::podloga(katalog, korzen.sciezka() / "podloga.tmp");
    state.ResumeTiming();

    double anon = 0;
    const Wynik wynik = uruchom(argumenty, pamiec ? &anon : nullptr);
    szczyt_anon = std::max(szczyt_anon, anon);

    state.PauseTiming();
    przebiegi += sekundy(wynik.start, wynik.koniec);
    if (!WIFEXITED(wynik.status) || WEXITSTATUS(wynik.status) != 0) {
      state.SkipWithError("wyrownik-cli did not end with status 0");
      break;
    }
    const std::string wada = bench::sprawdz_wynik(w.scenery(), katalog, w.opis, rodzaj);
    if (!wada.empty()) {
      state.SkipWithError(("wrong result: " + wada).c_str());
      break;
    }
    dolicz_fazy(wynik, raport ? sciezka_raportu : "", fazy);
    drobne += wynik.zuzycie.ru_minflt;
    powazne += wynik.zuzycie.ru_majflt;
    przelaczenia += wynik.zuzycie.ru_nvcsw + wynik.zuzycie.ru_nivcsw;
    szczyt_rss = std::max(szczyt_rss, wynik.zuzycie.ru_maxrss);
    uzytkownika += static_cast<double>(wynik.zuzycie.ru_utime.tv_sec) +
                   static_cast<double>(wynik.zuzycie.ru_utime.tv_usec) / 1e6;
    systemu += static_cast<double>(wynik.zuzycie.ru_stime.tv_sec) +
               static_cast<double>(wynik.zuzycie.ru_stime.tv_usec) / 1e6;
    state.ResumeTiming();
  }
  const double n = static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w.opis.bajty));
  state.counters["scenery_MB"] = static_cast<double>(w.opis.bajty) / 1e6;
  state.counters["floor_ms"] = podlogi / n * 1000;
  state.counters["x_floor"] = podlogi > 0 ? przebiegi / podlogi : -1;
  state.counters["minor_faults"] = static_cast<double>(drobne) / n;
  state.counters["major_faults"] = static_cast<double>(powazne) / n;
  state.counters["ctx_switches"] = static_cast<double>(przelaczenia) / n;
  state.counters["peak_rss_MiB"] = static_cast<double>(szczyt_rss) / 1024;
  if (pamiec) state.counters["peak_anon_MiB"] = szczyt_anon;
  // CPU time tells a change apart where the wall clock of a shared machine
  // cannot.
  state.counters["user_ms"] = uzytkownika / n * 1000;
  state.counters["sys_ms"] = systemu / n * 1000;
  for (const auto& [faza, s] : fazy) state.counters[faza + "_ms"] = s / n * 1000;
}

void BM_ProcesWysokosci(benchmark::State& state) {
  BM_Proces(state, bench::Rodzaj::wysokosc);
}
void BM_ProcesSkrajni(benchmark::State& state) {
  BM_Proces(state, bench::Rodzaj::skrajnia);
}

BENCHMARK(BM_ProcesWysokosci)
    ->ArgsProduct({{1}, {0, 1, 2, 3}})
    ->Args({4, 0})
    ->Args({10, 0})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ProcesSkrajni)
    ->ArgsProduct({{1}, {0, 1, 2, 3}})
    ->Args({4, 0})
    ->Args({10, 0})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Own memory of the process, which must not grow with the scenery: about
// 25 MB, 100 MB and 1 GB.
BENCHMARK(BM_ProcesWysokosci)
    ->Name("BM_PamiecWysokosci")
    ->Args({1, 4})
    ->Args({4, 4})
    ->Args({40, 4})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ProcesSkrajni)
    ->Name("BM_PamiecSkrajni")
    ->Args({1, 4})
    ->Args({4, 4})
    ->Args({40, 4})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
