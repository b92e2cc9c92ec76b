// Review before applying, on the demo scenery and on a generated one, in
// both runs: --check says whether a run changes anything, and says it again
// right after the run as a second run would; the patch of a dry run,
// applied by `patch -p1`, gives the real run's files byte for byte.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "bench/generator_scenerii.hpp"
#include "cli/uruchom.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

// No request to stop comes in these runs.
const std::atomic<int> nigdy{0};

struct Sceneria {
  const char* opis;
  std::vector<std::string> pliki;                         // the *.scn files to run
  std::function<void(const fs::path& korzen)> przygotuj;  // the scenery under korzen/scenery
  std::string ini_bez_sciezki;
};

int wyrownik_cli(const fs::path& program, std::vector<std::string> argumenty) {
  argumenty.insert(argumenty.begin() + 1, {"--program-dir", program.string(), "--no-report"});
  std::ostringstream wyjscie, bledy;
  return cli::uruchom(argumenty, program, wyjscie, bledy, nigdy);
}

void porownaj_drzewa(const fs::path& a, const fs::path& b) {
  std::size_t plikow = 0;
  for (const auto& wpis : fs::recursive_directory_iterator(a)) {
    if (!wpis.is_regular_file()) continue;
    const auto wzgledna = fs::relative(wpis.path(), a);
    EXPECT_EQ(testy::wczytaj(b / wzgledna), testy::wczytaj(wpis.path())) << wzgledna;
    ++plikow;
  }
  EXPECT_GT(plikow, 0u);
}

TEST(Przeglad, CheckAndPatchAgreeWithTheRealRunOnTheDemoAndAGeneratedScenery) {
  if (std::system("command -v patch >/dev/null 2>&1") != 0) GTEST_SKIP() << "no patch installed";
  const fs::path demo = fs::path(WYROWNIK_DANE) / "../../demo";
  std::string ini_demo = testy::wczytaj(demo / "wyrownik.ini");
  ini_demo = ini_demo.substr(ini_demo.find("[inc]"));
  const std::vector<Sceneria> scenerie = {
      {"demo",
       {"demo.scn", "Stacja.SCN"},
       [&](const fs::path& k) {
         fs::create_directories(k);
         fs::copy(demo / "scenery", k / "scenery", fs::copy_options::recursive);
       },
       ini_demo},
      {"generated",
       {"duza.scn"},
       [](const fs::path& k) {
         bench::generuj_scenerie(k / "scenery", {.trojkaty = 4000,
                                                 .obiekty = 400,
                                                 .pliki_terenu = 3,
                                                 .drogi = 4,
                                                 .pary_torow = 3,
                                                 .obiekty_przy_torach = 60});
       },
       "[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n[drogi]\r\n1\r\n"}};
  for (const Sceneria& s : scenerie) {
    for (const char* przebieg : {"height", "clearance"}) {
      for (const std::string& plik : s.pliki) {
        SCOPED_TRACE(std::string(s.opis) + " " + przebieg + " " + plik);
        testy::KatalogTymczasowy k;
        s.przygotuj(k / "sim");
        k.zapisz("program/wyrownik.ini",
                 "[Sciezka dostepu]\r\n" + (k / "sim").string() + "\r\n" + s.ini_bez_sciezki);
        const fs::path program = k / "program", scenery = k / "sim/scenery";
        const std::string latka = (k / "latka.patch").string();
        ASSERT_EQ(wyrownik_cli(program, {przebieg, "--check", "--diff", latka, plik}),
                  cli::kod_zmiany);
        fs::copy(scenery, k / "z_latka", fs::copy_options::recursive);
        const std::string patch =
            "cd '" + (k / "z_latka").string() + "' && patch -p1 -s < '" + latka + "'";
        ASSERT_EQ(std::system(patch.c_str()), 0);
        ASSERT_EQ(wyrownik_cli(program, {przebieg, "--no-backup", plik}), cli::kod_ok);
        porownaj_drzewa(scenery, k / "z_latka");
        // Right after the run: what a second run would do.
        const int po = wyrownik_cli(program, {przebieg, "--check", plik});
        fs::copy(scenery, k / "drugi", fs::copy_options::recursive);
        ASSERT_EQ(wyrownik_cli(program, {przebieg, "--no-backup", plik}), cli::kod_ok);
        bool zmienil = false;
        for (const auto& wpis : fs::recursive_directory_iterator(scenery)) {
          if (wpis.is_regular_file()) {
            zmienil |= testy::wczytaj(wpis.path()) !=
                       testy::wczytaj(k / "drugi" / fs::relative(wpis.path(), scenery));
          }
        }
        EXPECT_EQ(po, zmienil ? cli::kod_zmiany : cli::kod_ok);
      }
    }
  }
}

}  // namespace
}  // namespace wyrownik
