// The shortcuts save work, never a byte: random sceneries run with every
// shortcut on (second threads even for small files) and with every one off,
// and on a share of the cases with each one off alone, must leave the same
// scenery tree, log, report, status lines and result, batch after batch.
//
// WYROWNIK_PROBY sets the number of cases (default 300), WYROWNIK_ZIARNO the
// first seed (default 1); a failure names the seed that reproduces it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "batch/partia.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/losowa_sceneria.hpp"
#include "pomoc/okno_testowe.hpp"

namespace fs = std::filesystem;

namespace wyrownik {
namespace {

struct Zadanie {
  bool skrajnia = false;
  bool na_sucho = false;
  std::string pierwszy, drugi;  // the texts of the run's two boxes
  std::vector<bool> zaznaczenie;
  int zamknij_po = -1;  // the window is closed at this event pass (-1: never)
  bool latka = false;   // the batch writes its patch
  std::optional<Obszar> obszar;
};

// Closed by the user at a given event pass: the batch must stop there.
class OknoZamykane : public testy::OknoTestowe {
 public:
  explicit OknoZamykane(int po) : po_(po) {}
  void przetworz_zdarzenia() override {
    OknoTestowe::przetworz_zdarzenia();
    if (po_-- == 0) zamkniete = true;
  }

 private:
  int po_;
};

struct Przypadek {
  testy::LosowaSceneria sceneria;
  Konfiguracja konfiguracja;
  std::vector<Zadanie> partie;
};

// What a batch leaves behind.
struct Slad {
  WynikPartii wynik = WynikPartii::zakonczona;
  std::map<std::string, std::string> drzewo;  // path below the root -> bytes, "<folder>"
  std::vector<std::string> zdarzenia, szczegoly;
  std::string latka;
  std::string wyjasnienie;  // every object left alone, and why
};

Przypadek losuj(std::uint64_t ziarno) {
  testy::GeneratorScenerii g(ziarno);
  Przypadek p;
  p.sceneria = g.losuj();
  p.konfiguracja.lista_inc =
      g.los(4) ? std::vector<std::string>{"*"} : std::vector<std::string>{"drzewo.inc", "slup.inc"};
  p.konfiguracja.lista_tekstur = {"trawa"};
  if (g.los(2)) p.konfiguracja.lista_wyjatkow = {"semafor"};
  p.konfiguracja.drogi = g.los(2);
  p.konfiguracja.rzeki = g.los(2);
  for (int i = 1 + g.los(2); i > 0; --i) {
    Zadanie z;
    z.skrajnia = g.los(2);
    z.na_sucho = g.los(3) == 0;
    static const char* const pasma[][2] = {{"0.5", "11"}, {"0", "100"}, {"-5", "2"}};
    static const char* const promienie[][2] = {{"40", "7"}, {"5", "4"}, {"12", "x"}};
    const auto& teksty = z.skrajnia ? promienie[g.los(3)] : pasma[g.los(3)];
    z.pierwszy = teksty[0];
    z.drugi = teksty[1];
    for (std::size_t j = 0; j < p.sceneria.glowne.size(); ++j) z.zaznaczenie.push_back(g.los(3));
    z.zaznaczenie[static_cast<std::size_t>(g.los(static_cast<int>(z.zaznaczenie.size())))] = true;
    if (g.los(8) == 0) z.zamknij_po = g.los(12);
    z.latka = g.los(2);
    if (g.los(4) == 0)
      z.obszar = Obszar{g.los(120) - 10.0, g.los(120) - 10.0, g.los(120) - 10.0, 50};
    p.partie.push_back(std::move(z));
  }
  return p;
}

std::map<std::string, std::string> drzewo(const fs::path& korzen) {
  std::map<std::string, std::string> w;
  for (const auto& wpis : fs::recursive_directory_iterator(korzen)) {
    const std::string nazwa = fs::relative(wpis.path(), korzen).generic_string();
    w[nazwa] = wpis.is_directory() ? "<folder>" : testy::wczytaj(wpis.path());
  }
  return w;
}

// Every batch of the case, one after the other on one fresh copy of its
// tree, in the same place each time (the log names full paths).
std::vector<Slad> przebiegnij(const Przypadek& p, const Skroty& skroty, const fs::path& korzen) {
  fs::remove_all(korzen);
  p.sceneria.zapisz(korzen / "scenery");
  Srodowisko s;
  s.konfiguracja = p.konfiguracja;
  s.tekst_katalogu = (korzen / "scenery").string() + "/";
  s.katalog = korzen / "scenery";
  s.katalog_programu = korzen;
  s.zapis.plik_logu = korzen / "Log_korekcja.txt";
  s.kopie_zapasowe = false;
  s.skroty = skroty;
  std::vector<Slad> slady;
  for (const Zadanie& z : p.partie) {
    OknoZamykane okno(z.zamknij_po);
    okno.pozycje = p.sceneria.glowne;
    okno.zaznaczenie = z.zaznaczenie;
    s.zapis.na_sucho = z.na_sucho;
    const Korekcja korekcja = z.skrajnia ? korekcja_skrajni(s.konfiguracja, z.pierwszy, z.drugi)
                                         : korekcja_wysokosci(s.konfiguracja, z.pierwszy, z.drugi);
    Slad slad;
    Latka latka([&](std::string_view b) { slad.latka += b; });
    s.zapis.latka = z.latka ? &latka : nullptr;
    Wyjasnienie wyjasnienie([&](std::string_view b) { slad.wyjasnienie += b; });
    s.zapis.wyjasnienie = &wyjasnienie;
    s.zapis.obszar = z.obszar;
    slad.wynik = partia(s, okno, korekcja, [] { return 0; });
    slad.drzewo = drzewo(korzen);
    // The long way is held to the rule no shortcut may break: no scratch
    // file outlives a batch that ended well after making its index.
    const bool indeks = std::find(okno.zdarzenia.begin(), okno.zdarzenia.end(), "Label3=FAZA II") !=
                        okno.zdarzenia.end();
    if (slad.wynik != WynikPartii::blad && indeks) {
      for (const char* roboczy : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
        const auto it = slad.drzewo.find(std::string("scenery/") + roboczy);
        EXPECT_TRUE(it == slad.drzewo.end() || it->second == "<folder>") << roboczy;
      }
    }
    slad.zdarzenia = std::move(okno.zdarzenia);
    slad.szczegoly = std::move(okno.szczegoly);
    slady.push_back(std::move(slad));
  }
  return slady;
}

// The first difference, in words; empty when there is none.
std::string roznica(const std::vector<Slad>& a, const std::vector<Slad>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::string partia = "batch " + std::to_string(i + 1) + ": ";
    if (a[i].wynik != b[i].wynik) return partia + "another result";
    if (a[i].szczegoly != b[i].szczegoly) return partia + "another failure";
    if (a[i].zdarzenia != b[i].zdarzenia) return partia + "other status lines";
    if (a[i].latka != b[i].latka) return partia + "another patch";
    if (a[i].wyjasnienie != b[i].wyjasnienie) return partia + "another explanation";
    for (const auto& [nazwa, tresc] : a[i].drzewo) {
      const auto it = b[i].drzewo.find(nazwa);
      if (it == b[i].drzewo.end()) return partia + nazwa + " only the long way";
      if (it->second != tresc) return partia + nazwa + " differs";
    }
    for (const auto& [nazwa, tresc] : b[i].drzewo) {
      if (!a[i].drzewo.contains(nazwa)) return partia + nazwa + " only with shortcuts";
    }
  }
  return {};
}

std::uint64_t ze_srodowiska(const char* nazwa, std::uint64_t domyslna) {
  const char* w = std::getenv(nazwa);
  return w ? std::strtoull(w, nullptr, 10) : domyslna;
}

TEST(Skroty, ChangeNoByteOfAnyBatch) {
  // Every shortcut on, and a second thread for every file, however small.
  Skroty wszystkie;
  wszystkie.duzy_plik_odczytu = wszystkie.duzy_plik_oceny = 0;
  // Each shortcut off alone in turn, then the settings users run with.
  std::vector<std::pair<std::string, Skroty>> bez_jednego;
  for (const auto& [nazwa, wylacz] : wylaczenia_skrotow) {
    bez_jednego.emplace_back(nazwa, wszystkie);
    wylacz(bez_jednego.back().second);
  }
  bez_jednego.emplace_back("as users run", Skroty{});

  testy::KatalogTymczasowy k;
  const std::uint64_t od = ze_srodowiska("WYROWNIK_ZIARNO", 1);
  const std::uint64_t ile = ze_srodowiska("WYROWNIK_PROBY", 300);
  for (std::uint64_t ziarno = od; ziarno < od + ile; ++ziarno) {
    SCOPED_TRACE("seed " + std::to_string(ziarno));
    const Przypadek p = losuj(ziarno);
    const auto dluga_droga = przebiegnij(p, Skroty::zadne(), k / "c");
    std::vector<std::pair<std::string, Skroty>> warianty = {{"all on", wszystkie}};
    if (ziarno % 3 == 0) warianty.push_back(bez_jednego[ziarno / 3 % bez_jednego.size()]);
    for (const auto& [nazwa, skroty] : warianty) {
      const std::string r = roznica(dluga_droga, przebiegnij(p, skroty, k / "c"));
      ASSERT_EQ(r, "") << "seed " << ziarno << ", shortcuts " << nazwa;
    }
  }
}

}  // namespace
}  // namespace wyrownik
