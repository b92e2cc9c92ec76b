// Whole batches through the command line: each folder of
// tests/dane/scenariusze holds an input scenery (wejscie/), the scenery
// expected afterwards (oczekiwane/), the expected log and the command. The
// ini and the log name the temporary root as @KORZEN@ and the scenery
// directory as @KATALOG@.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/uruchom.hpp"
#include "pomoc/katalog_tymczasowy.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

fs::path katalog_danych() {
  return fs::path(WYROWNIK_DANE) / "scenariusze";
}

std::string zamien(std::string tekst, const std::string& co, const std::string& na) {
  for (std::size_t p = tekst.find(co); p != std::string::npos; p = tekst.find(co, p + na.size())) {
    tekst.replace(p, co.size(), na);
  }
  return tekst;
}

std::vector<std::string> slowa(const std::string& tekst) {
  std::istringstream s(tekst);
  std::vector<std::string> w;
  for (std::string slowo; s >> slowo;) w.push_back(slowo);
  return w;
}

class Scenariusz : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenariusz, ProducesTheExpectedFilesAndLog) {
  const fs::path dane = katalog_danych() / GetParam();
  testy::KatalogTymczasowy k;
  const std::string korzen = (k / "sim").string();
  const std::string katalog = korzen + "/scenery/";
  fs::create_directories(k / "sim");
  fs::copy(dane / "wejscie", k / "sim/scenery", fs::copy_options::recursive);
  k.zapisz("program/wyrownik.ini",
           zamien(testy::wczytaj(dane / "wyrownik.ini"), "@KORZEN@", korzen));

  std::ostringstream wyjscie, bledy;
  auto argumenty = slowa(testy::wczytaj(dane / "polecenie"));
  argumenty.insert(argumenty.begin() + 1, {"--program-dir", (k / "program").string()});
  ASSERT_EQ(cli::uruchom(argumenty, k / "nowhere", wyjscie, bledy), cli::kod_ok) << bledy.str();
  EXPECT_EQ(wyjscie.str(), "");

  std::size_t porownane = 0;
  for (const auto& wpis : fs::recursive_directory_iterator(dane / "oczekiwane")) {
    if (!wpis.is_regular_file()) continue;
    const auto wzgledna = fs::relative(wpis.path(), dane / "oczekiwane");
    EXPECT_EQ(testy::wczytaj(k / "sim/scenery" / wzgledna), testy::wczytaj(wpis.path()))
        << wzgledna;
    ++porownane;
  }
  EXPECT_GT(porownane, 0u);
  EXPECT_EQ(testy::wczytaj(k / "program/Log_korekcja.txt"),
            zamien(testy::wczytaj(dane / "Log_korekcja.txt"), "@KATALOG@", katalog));
  for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    EXPECT_FALSE(fs::exists(k / "sim/scenery" / roboczy)) << roboczy;
  }

  // The undo gives every file back its bytes from before the batch, and a
  // second undo finds nothing more to do.
  const std::vector<std::string> cofnij = {"undo", "--program-dir", (k / "program").string()};
  ASSERT_EQ(cli::uruchom(cofnij, k / "nowhere", wyjscie, bledy), cli::kod_ok) << bledy.str();
  for (const auto& wpis : fs::recursive_directory_iterator(dane / "wejscie")) {
    if (!wpis.is_regular_file()) continue;
    const auto wzgledna = fs::relative(wpis.path(), dane / "wejscie");
    EXPECT_EQ(testy::wczytaj(k / "sim/scenery" / wzgledna), testy::wczytaj(wpis.path()))
        << wzgledna;
  }
  EXPECT_FALSE(fs::exists(k / "sim/scenery/aaa.ccc"));
  bledy.str("");
  ASSERT_EQ(cli::uruchom(cofnij, k / "nowhere", wyjscie, bledy), cli::kod_ok);
  EXPECT_EQ(bledy.str(), "wyrownik-cli: nothing to undo\n");
  EXPECT_EQ(wyjscie.str(), "");
}

std::vector<std::string> scenariusze() {
  std::vector<std::string> nazwy;
  for (const auto& wpis : fs::directory_iterator(katalog_danych()))
    nazwy.push_back(wpis.path().filename().string());
  std::sort(nazwy.begin(), nazwy.end());
  return nazwy;
}

INSTANTIATE_TEST_SUITE_P(Cli, Scenariusz, ::testing::ValuesIn(scenariusze()),
                         [](const auto& parametr) { return parametr.param; });

}  // namespace
}  // namespace wyrownik
