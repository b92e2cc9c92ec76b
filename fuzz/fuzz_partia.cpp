// Whole batches of both runs on a fuzzed small scenery (main.scn, and b.scm
// after the first NUL byte) in a temporary directory. Invariants: a dry run
// changes nothing; a real run with every shortcut off ends as one with every
// shortcut on (second threads even for these small files), in every byte of
// the scenery and the log; a run that ends leaves no scratch file, touches
// nothing outside the scenery directory, writes every line of a changed file
// with CR LF, and every coordinate it writes reads back as a number.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/partia.hpp"
#include "text/linia.hpp"

namespace fs = std::filesystem;

namespace {

// An invariant broken: said where, then a crash libFuzzer keeps the input of.
void wymagaj(bool warunek, int wiersz = __builtin_LINE()) {
  if (warunek) return;
  std::fprintf(stderr, "invariant broken at %s:%d\n", __FILE__, wiersz);
  __builtin_trap();
}

std::string wczytaj(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

class Okno : public wyrownik::OknoPartii {
 public:
  void pokaz_status(wyrownik::WierszStatusu, std::string_view) override {}
  void przetworz_zdarzenia() override {}
  void pokaz_komunikat(std::string_view) override {}
  std::size_t ile_pozycji() const override { return 1; }
  bool zaznaczona(std::size_t) const override { return true; }
  std::string pozycja(std::size_t) const override { return "main.scn"; }
};

// Every file of a folder (no subfolders here) with its bytes.
std::map<std::string, std::string> zawartosc(const fs::path& katalog) {
  std::map<std::string, std::string> w;
  for (const auto& wpis : fs::directory_iterator(katalog)) {
    w[wpis.path().filename().string()] = wpis.is_directory() ? "<folder>" : wczytaj(wpis.path());
  }
  return w;
}

void przywroc(const fs::path& katalog, const std::map<std::string, std::string>& pliki) {
  fs::remove_all(katalog);
  fs::create_directories(katalog);
  for (const auto& [nazwa, tresc] : pliki)
    std::ofstream(katalog / nazwa, std::ios::binary) << tresc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t ile) {
  using namespace wyrownik;
  if (ile > 20000) return 0;
  static const fs::path korzen =
      fs::temp_directory_path() / ("wyrownik-fuzz-partia-" + std::to_string(::getpid()));
  fs::remove_all(korzen);
  fs::create_directories(korzen / "scenery");
  const std::string_view wejscie(reinterpret_cast<const char*>(dane), ile);
  const std::size_t nul = wejscie.find('\0');
  const std::map<std::string, std::string> pliki = {
      {"main.scn", std::string(wejscie.substr(0, nul))},
      {"b.scm", nul == std::string_view::npos ? "" : std::string(wejscie.substr(nul + 1))}};
  for (const auto& [nazwa, tresc] : pliki) {
    std::ofstream(korzen / "scenery" / nazwa, std::ios::binary) << tresc;
  }
  std::ofstream(korzen / "straznik.txt") << "outside";

  Srodowisko s;
  s.konfiguracja.lista_inc = {"*"};
  s.konfiguracja.lista_tekstur = {"trawa"};
  s.konfiguracja.drogi = s.konfiguracja.rzeki = true;
  s.tekst_katalogu = (korzen / "scenery").string() + "/";
  s.katalog = korzen / "scenery";
  s.zapis.plik_logu = korzen / "Log_korekcja.txt";
  s.kopie_zapasowe = false;

  for (const bool wysokosc : {true, false}) {
    const Korekcja korekcja = wysokosc ? korekcja_wysokosci(s.konfiguracja, "0", "100")
                                       : korekcja_skrajni(s.konfiguracja, "5", "7");
    Okno okno;
    std::map<std::string, std::string> przed;
    for (const auto& [nazwa, tresc] : pliki) przed[nazwa] = wczytaj(korzen / "scenery" / nazwa);
    s.zapis.na_sucho = true;
    partia(s, okno, korekcja, [] { return 0; });
    for (const auto& [nazwa, tresc] : przed) wymagaj(wczytaj(korzen / "scenery" / nazwa) == tresc);

    s.zapis.na_sucho = false;
    const auto poczatek = zawartosc(korzen / "scenery");
    s.skroty = Skroty::zadne();
    const WynikPartii dluga_droga = partia(s, okno, korekcja, [] { return 0; });
    const auto pliki_dlugiej = zawartosc(korzen / "scenery");
    const std::string log_dlugiej = wczytaj(s.zapis.plik_logu);
    przywroc(korzen / "scenery", poczatek);
    s.skroty = Skroty{};
    s.skroty.duzy_plik_odczytu = s.skroty.duzy_plik_oceny = 0;
    const WynikPartii wynik = partia(s, okno, korekcja, [] { return 0; });
    wymagaj(wynik == dluga_droga);
    wymagaj(zawartosc(korzen / "scenery") == pliki_dlugiej);
    wymagaj(wczytaj(s.zapis.plik_logu) == log_dlugiej);
    if (wynik != WynikPartii::zakonczona) continue;
    for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
      wymagaj(!fs::exists(korzen / "scenery" / roboczy));
    }
    wymagaj(wczytaj(korzen / "straznik.txt") == "outside");
    for (const auto& [nazwa, tresc] : przed) {
      const std::string teraz = wczytaj(korzen / "scenery" / nazwa);
      if (teraz == tresc) continue;
      for (std::size_t i = 0; i < teraz.size(); ++i) {
        if (teraz[i] == '\n') wymagaj(i > 0 && teraz[i - 1] == '\r');
      }
      wymagaj(teraz.empty() || teraz.ends_with("\r\n"));
    }
    // Every line written as a change holds its position as numbers.
    std::istringstream log(wczytaj(s.zapis.plik_logu));
    std::vector<std::string_view> tokeny;
    for (std::string linia; std::getline(log, linia);) {
      if (linia != "Po zmianie:\r") continue;
      std::getline(log, linia);
      if (!linia.empty() && linia.back() == '\r') linia.pop_back();
      podziel_czysto(linia, tokeny);
      wymagaj(znajdz_trojke(tokeny).has_value());
    }
  }
  return 0;
}
