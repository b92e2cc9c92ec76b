// Whole batches of both runs on a fuzzed small scenery (main.scn, and b.scm
// after the first NUL byte) in a temporary directory. Invariants: a dry run
// changes nothing, and its patch, applied to the files, gives the real run's
// bytes; a real run with every shortcut off ends as one with every shortcut
// on (second threads even for these small files), in every byte of the
// scenery and the log; a run that ends leaves no scratch file, touches
// nothing outside the scenery directory, writes every line of a changed file
// with CR LF, and every coordinate it writes reads back as a number; and
// every selected object line is changed, removed, or left with one reason.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/partia.hpp"
#include "patch/latka.hpp"
#include "run/oceny.hpp"
#include "scenery/skan.hpp"
#include "text/czytnik_linii.hpp"
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
  void koniec_partii(const wyrownik::LicznikiPrzebiegu& suma) override { suma_ = suma; }
  wyrownik::LicznikiPrzebiegu suma_;
};

class Cisza : public wyrownik::Postep {
 public:
  void faza(wyrownik::Faza, std::string_view) override {}
  void plik(std::string_view) override {}
  void koniec() override {}
};

// The object lines a run selects ("*" selects all), counted in the files the
// scan lists, independently of the run's verdicts; none where the scan
// found nothing placed, as the correction then does not run.
std::uint64_t wybrane_obiekty(const wyrownik::Srodowisko& s, bool wysokosc) {
  using namespace wyrownik;
  StanScenerii stan;
  stan.tekst_katalogu = s.tekst_katalogu;
  stan.katalog = s.katalog;
  stan.nazwa_scenerii = "main.scn";
  Cisza cisza;
  znajdz_min_max(stan, cisza, operacje_systemowe());
  if (stan.zakres.pusty()) return 0;  // nothing placed: the correction does not run
  std::uint64_t ile = 0;
  std::vector<std::string_view> tokeny;
  for (const std::string& wpis : stan.lista_plikow) {
    const auto plik = znajdz_w_scenerii(stan.katalog, wpis);
    if (!plik || !fs::is_regular_file(*plik)) continue;
    CzytnikLinii czytnik(*plik, operacje_systemowe());
    for (std::string_view linia; czytnik.czytaj(linia);) {
      if (!czy_kandydat(linia)) continue;
      tokeny.clear();
      podziel_czysto(linia, tokeny, 5);
      if (tokeny.size() >= 5 && !(wysokosc && tokeny[1].empty())) ++ile;
    }
  }
  return ile;
}

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

// `stary` with the patch's hunks for `nazwa` applied, each old line checked,
// as `patch -p1` applies them; hunks are read by their counts.
std::string zastosuj(const std::string& stary, std::string_view latka, const std::string& nazwa) {
  std::vector<std::string_view> linie;
  for (std::size_t od = 0; od < stary.size();) {
    const std::size_t lf = stary.find('\n', od);
    const std::size_t koniec = lf == std::string::npos ? stary.size() : lf + 1;
    linie.push_back(std::string_view(stary).substr(od, koniec - od));
    od = koniec;
  }
  const std::string naglowek = "--- a/" + nazwa + "\n+++ b/" + nazwa + "\n";
  std::size_t p = latka.find(naglowek);
  if (p == std::string_view::npos) return stary;
  p += naglowek.size();
  std::string nowy;
  std::size_t i = 0;
  while (latka.compare(p, 4, "@@ -") == 0) {
    std::size_t a = 0, b = 0, c = 0, d = 0;
    wymagaj(std::sscanf(latka.data() + p, "@@ -%zu,%zu +%zu,%zu @@", &a, &b, &c, &d) == 4);
    const std::size_t od = b == 0 ? a : a - 1;
    wymagaj(od >= i && od <= linie.size());
    while (i < od) nowy += linie[i++];
    p = latka.find('\n', p) + 1;
    for (std::size_t stare = 0, nowe = 0; stare < b || nowe < d;) {
      const char znak = latka[p];
      const std::size_t lf = latka.find('\n', p);
      wymagaj(lf != std::string_view::npos);
      std::string_view tresc = latka.substr(p + 1, lf - p);
      p = lf + 1;
      if (latka.compare(p, 2, "\\ ") == 0) {  // no line end in the file
        tresc.remove_suffix(1);
        p = latka.find('\n', p) + 1;
      }
      wymagaj(znak == ' ' || znak == '-' || znak == '+');
      if (znak != '+') {
        wymagaj(i < linie.size() && linie[i] == tresc);
        ++i, ++stare;
      }
      if (znak != '-') nowy += tresc, ++nowe;
    }
  }
  while (i < linie.size()) nowy += linie[i++];
  return nowy;
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
    std::string latka;
    Latka zapis_latki([&](std::string_view b) { latka += b; });
    s.zapis.latka = &zapis_latki;
    const WynikPartii podglad = partia(s, okno, korekcja, [] { return 0; });
    s.zapis.latka = nullptr;
    if (podglad == WynikPartii::zakonczona) {
      const LicznikiPrzebiegu& l = okno.suma_;
      wymagaj(l.ile_zmian + l.ile_usunietych + l.ile_pozostawionych() ==
              wybrane_obiekty(s, wysokosc));
    }
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
      if (podglad == WynikPartii::zakonczona) wymagaj(zastosuj(tresc, latka, nazwa) == teraz);
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
      wymagaj(znajdz_trojke_w_linii(linia).has_value());
    }
  }
  return 0;
}
