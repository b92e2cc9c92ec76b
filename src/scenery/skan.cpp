#include "scenery/skan.hpp"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "text/blad_danych.hpp"
#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

struct HaszTekstu {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class Skaner {
 public:
  Skaner(StanScenerii& stan, Postep& postep) : stan_(stan), postep_(postep) {}

  void skanuj() {
    postep_.faza(Faza::skan, stan_.nazwa_scenerii);

    stan_.zakres = Zakres{};
    stan_.lista_plikow.clear();
    znane_.clear();
    dodaj_plik(stan_.nazwa_scenerii);

    // The list grows while it is read: names found are read after all names
    // found before them.
    for (std::size_t i = 0; i < stan_.lista_plikow.size(); ++i) {
      const std::string nazwa = stan_.lista_plikow[i];  // the list may reallocate
      czytaj_plik(nazwa);
    }

    postep_.koniec();
  }

 private:
  void czytaj_plik(const std::string& nazwa) {
    postep_.plik(nazwa);

    const auto sciezka = znajdz_w_scenerii(stan_.katalog, nazwa, &stan_.katalogi);
    if (!sciezka || !czy_zwykly_plik(*sciezka)) return;
    CzytnikLinii czytnik(*sciezka);
    czytnik_ = &czytnik;
    std::string_view surowa;
    while (czytnik.czytaj(surowa)) {
      if (czy_komentarz(surowa)) continue;
      linia_ = surowa;
      // Each test looks at the current line, which a node reader before it
      // may have replaced by the last line it read.
      if (zawiera(linia_, "include")) include();
      // Every node test needs "node", every track test "track": each looked
      // for once per current line.
      bool wezel = zawiera(linia_, "node");
      bool tor_wezla = wezel && zawiera(linia_, "track");
      for (const std::string_view rodzaj : {"normal", "switch", "road", "river"}) {
        if (tor_wezla && zawiera(linia_, rodzaj)) {
          tor();
          wezel = zawiera(linia_, "node");
          tor_wezla = wezel && zawiera(linia_, "track");
        }
      }
      if (wezel && (zawiera(linia_, "triangles") || zawiera(linia_, "triangle_strip"))) trojkaty();
    }
    czytnik_ = nullptr;
  }

  // The next line of a node as the current line; false at the end
  // of the file, which ends the node and keeps the current line (the reader
  // leaves the last line it gave in place when it finds no more).
  bool nastepna_linia() {
    std::string_view surowa;
    if (!czytnik_->czytaj(surowa)) return false;
    linia_ = surowa;
    return true;
  }

  // Tokens 1, 2 and 3 of the current line as X and Z, when all three are
  // numeric.
  bool punkt(double& x, double& z) {
    double y = 0;
    return trzy_liczby(linia_, x, y, z);
  }

  void include() {
    nazwy_.assign(linia_);
    ukosniki_na_odwrotne(nazwy_);
    podziel_czysto(nazwy_, tokeny_);
    if (tokeny_.size() == 3 || tokeny_.size() == 4) {
      dodaj_plik(tokeny_[1]);
    } else if (tokeny_.size() >= 5) {
      if (const auto t = znajdz_trojke(tokeny_)) stan_.zakres.dolacz(t->x, t->z);
    }
  }

  // Two spellings of one file ("a\..\b.scm" and "b.scm") are one entry:
  // the first spelling stays in the list. A name leading outside the scenery
  // is never read, so its text as written is key enough.
  void dodaj_plik(std::string_view nazwa) {
    klucz_ = nazwa_rozwiazana(nazwa).value_or(std::string(nazwa));
    std::transform(klucz_.begin(), klucz_.end(), klucz_.begin(),
                   [](char c) { return static_cast<char>(mala(c)); });
    if (znane_.find(std::string_view(klucz_)) != znane_.end()) return;
    if (stan_.lista_plikow.size() >= najwiecej_plikow) {
      throw BladDanych("a scenery names more than 65536 files");
    }
    stan_.lista_plikow.emplace_back(nazwa);
    znane_.insert(klucz_);
  }

  // The header counts as line 1, or as lines 1 and 2 with "unvis"/"novis";
  // counted lines 3 and 6 hold the end points.
  void tor() {
    int licznik = (zawiera(linia_, "unvis") || zawiera(linia_, "novis")) ? 2 : 1;
    while (nastepna_linia()) {
      if (zawiera(linia_, "endtrack")) return;
      if (pusta_po_oczyszczeniu(linia_)) continue;
      ++licznik;
      double x, z;
      if ((licznik == 3 || licznik == 6) && punkt(x, z)) stan_.zakres.dolacz(x, z);
    }
  }

  // Vertex lines in groups of three; lines that are not vertices do not
  // break a group, and one or two left over form no triangle.
  void trojkaty() {
    double xs[3], zs[3];
    int w = 0;
    while (nastepna_linia()) {
      if (zawiera(linia_, "endtri")) return;
      if (!punkt(xs[w], zs[w])) continue;
      if (++w < 3) continue;
      w = 0;
      stan_.zakres.dolacz(std::min({xs[0], xs[1], xs[2]}), std::min({zs[0], zs[1], zs[2]}));
      stan_.zakres.dolacz(std::max({xs[0], xs[1], xs[2]}), std::max({zs[0], zs[1], zs[2]}));
    }
  }

  StanScenerii& stan_;
  Postep& postep_;
  CzytnikLinii* czytnik_ = nullptr;
  // The current line as read: keyword tests and tokens need no cleaned copy
  // (podziel_czysto). Reused buffers: the loop allocates nothing once they
  // have grown.
  std::string_view linia_;
  std::string nazwy_;  // an include line with "/" turned into "\"
  std::vector<std::string_view> tokeny_;
  std::string klucz_;
  // Names of the list folded to small letters: the duplicate test without a
  // walk of the whole list.
  std::unordered_set<std::string, HaszTekstu, std::equal_to<>> znane_;
};

}  // namespace

void znajdz_min_max(StanScenerii& stan, Postep& postep) {
  Skaner(stan, postep).skanuj();
}

}  // namespace wyrownik
