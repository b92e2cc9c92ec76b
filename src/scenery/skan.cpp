#include "scenery/skan.hpp"

#include <algorithm>
#include <array>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/potok.hpp"
#include "text/blad_danych.hpp"
#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"
#include "text/ostatnie_linie.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

struct HaszTekstu {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// What one file adds to the scan: the names of the files it includes, in
// order, each once (at most one more than the list may hold), and the
// extents of what it places.
struct WynikPliku {
  std::vector<std::string> nazwy;
  Zakres zakres;
  bool ma_kandydatow = false;   // a line the rewrite would offer the run, or a marker
  bool ma_dluga_linie = false;  // a line over dluga_linia bytes
  bool ma_tory = false;         // a normal track's header line
  bool ma_wezly = false;        // a line with "node" (not a comment)
};

// Names compared as the list compares them: "/" already "\", "." and ".."
// resolved on the text, letters folded. A name leading outside the scenery is
// never read, so its text as written is key enough.
std::string klucz_nazwy(std::string_view nazwa) {
  std::string klucz = nazwa_rozwiazana(nazwa).value_or(std::string(nazwa));
  std::transform(klucz.begin(), klucz.end(), klucz.begin(),
                 [](char c) { return static_cast<char>(mala(c)); });
  return klucz;
}

using ZbiorNazw = std::unordered_set<std::string, HaszTekstu, std::equal_to<>>;

// The positions of the files being read join the scenery's list in blocks
// as they come, whichever thread reads them.
class ZbieraczPolozen {
 public:
  explicit ZbieraczPolozen(PolozeniaObiektow& cel) : cel_(cel) {}

  void dopisz(std::vector<PolozenieObiektu>& polozenia) {
    const std::lock_guard<std::mutex> zamek(zamek_);
    cel_.dopisz(polozenia.data(), polozenia.size());
    polozenia.clear();
  }

 private:
  std::mutex zamek_;
  PolozeniaObiektow& cel_;
};

// The scan of one file. It shares nothing with the scan of another file but
// the positions' collector and the vertices' list, which lock, so two can
// run at once.
// The keyword search is a parameter of the type: the line loop tests it at
// no cost.
template <Szukanie S>
class SkanerPliku {
 public:
  // Without a collector, positions are not kept; without `wierzcholki`,
  // vertices. `nr` is the file's entry in the list.
  SkanerPliku(ZbieraczPolozen* zbieracz, WierzcholkiSkanu* wierzcholki, std::size_t nr,
              bool szukaj_torow, bool naglowki_z_pamieci)
      : zbieracz_(zbieracz),
        wierzcholki_(wierzcholki),
        nr_(nr),
        szukaj_torow_(szukaj_torow),
        naglowki_z_pamieci_(naglowki_z_pamieci) {}

  WynikPliku skanuj(const std::filesystem::path& sciezka, OperacjeSystemu& operacje) {
    CzytnikLinii czytnik(sciezka, operacje);
    czytnik_ = &czytnik;
    std::string_view surowa;
    while (czytnik.czytaj(surowa)) {
      if (surowa.size() > dluga_linia) wynik_.ma_dluga_linie = true;
      if (czy_komentarz(surowa)) {
        // A marker is told of in the rewrite when it protects nothing.
        if (!wynik_.ma_kandydatow && czy_znacznik_pominiecia(surowa)) wynik_.ma_kandydatow = true;
        continue;
      }
      linia_ = surowa;
      // A triangle node's header like one of the last few: every test below
      // would answer as it did then, "triangles" alone true.
      if (znany_naglowek()) {
        trojkaty();
        continue;
      }
      // Each test looks at the current line, which a node reader before it
      // may have replaced by the last line it read.
      const bool z_include = zawiera(linia_, "include", S);
      if (z_include) {
        wynik_.ma_kandydatow = true;
        include();
      }
      // Every node test needs "node", every track test "track": each looked
      // for once per current line.
      bool wezel = zawiera(linia_, "node", S);
      // Until a node's line no reader reads on: every line comes here.
      if (wezel) wynik_.ma_wezly = true;
      bool tor_wezla = wezel && zawiera(linia_, "track", S);
      if (szukaj_torow_ && tor_wezla && !wynik_.ma_tory && zawiera(linia_, "normal", S))
        wynik_.ma_tory = true;
      for (const std::string_view rodzaj : {"normal", "switch", "road", "river"}) {
        if (tor_wezla && zawiera(linia_, rodzaj, S)) {
          tor();
          wezel = zawiera(linia_, "node", S);
          tor_wezla = wezel && zawiera(linia_, "track", S);
        }
      }
      if (wezel && (zawiera(linia_, "triangles", S) || zawiera(linia_, "triangle_strip", S))) {
        if (linia_.data() == surowa.data() && !tor_wezla && !z_include) zapamietaj_naglowek();
        trojkaty();
      }
    }
    czytnik_ = nullptr;
    if (!polozenia_.empty()) zbieracz_->dopisz(polozenia_);
    if (wierzcholki_ != nullptr) wierzcholki_->dopisz(nr_, zapis_);
    return std::move(wynik_);
  }

 private:
  // The next line of a node as the current line; false at the end of the
  // file, which ends the node and keeps the current line (the reader leaves
  // the last line it gave in place when it finds no more).
  // With `endtri`, also whether the line holds "endtri".
  bool nastepna_linia(bool* endtri = nullptr) {
    std::string_view surowa;
    if (!czytnik_->czytaj(surowa)) return false;
    if (surowa.size() > dluga_linia) wynik_.ma_dluga_linie = true;
    linia_ = surowa;
    // The rewrite offers every line, inside nodes too, and looks at every
    // marker; the clearance run reads every line for a track's header,
    // inside nodes too.
    const bool komentarz = czy_komentarz(surowa);
    const unsigned slowa =
        slowa_linii(surowa, !wynik_.ma_kandydatow && !komentarz,
                    szukaj_torow_ && !wynik_.ma_tory && !komentarz, endtri != nullptr);
    if (!wynik_.ma_kandydatow &&
        (komentarz ? czy_znacznik_pominiecia(surowa) : (slowa & include_) != 0)) {
      wynik_.ma_kandydatow = true;
    }
    if ((slowa & track_) != 0 && zawiera(surowa, "node", S) && zawiera(surowa, "normal", S))
      wynik_.ma_tory = true;
    if (endtri) *endtri = (slowa & endtri_) != 0;
    return true;
  }

  // Which of "include", "track" and "endtri" the line holds, each looked
  // for only when asked, all in one pass over the line.
  static constexpr unsigned include_ = 1, track_ = 2, endtri_ = 4;
  static constexpr std::array<Slowo, 3> wszystkie_{"include", "track", "endtri"};
  static constexpr std::array<Slowo, 2> include_track_{"include", "track"};
  static constexpr std::array<Slowo, 2> track_endtri_{"track", "endtri"};
  static constexpr std::array<Slowo, 2> include_endtri_{"include", "endtri"};
  static unsigned slowa_linii(std::string_view s, bool include, bool track, bool endtri) {
    switch ((include ? include_ : 0) | (track ? track_ : 0) | (endtri ? endtri_ : 0)) {
      case include_ | track_ | endtri_:
        return zawiera_ktore(s, wszystkie_, S);
      case include_ | track_:
        return zawiera_ktore(s, include_track_, S);
      case track_ | endtri_:
        return zawiera_ktore(s, track_endtri_, S) << 1;
      case include_ | endtri_: {
        const unsigned w = zawiera_ktore(s, include_endtri_, S);
        return (w & 1) | (w & 2) << 1;
      }
      case include_:
        return zawiera(s, "include", S) ? include_ : 0;
      case track_:
        return zawiera(s, "track", S) ? track_ : 0;
      case endtri_:
        return zawiera(s, "endtri", S) ? endtri_ : 0;
      default:
        return 0;
    }
  }

  // A header is remembered only when it holds no "include" and no "track",
  // and no reader read on from it.
  bool znany_naglowek() const {
    return naglowki_z_pamieci_ && wynik_.ma_wezly && naglowki_.znajdz(linia_) != nullptr;
  }
  void zapamietaj_naglowek() {
    if (naglowki_z_pamieci_) naglowki_.zapamietaj(linia_);
  }

  // Tokens 1, 2 and 3 of the current line as X and Z, when all three are
  // numeric.
  bool punkt(double& x, double& z) {
    double y = 0;
    return trzy_liczby(linia_, x, y, z);
  }
  bool punkt(PunktSkanu& p) { return trzy_liczby(linia_, p.x, p.y, p.z); }

  // Five tokens tell a file from an object: only they are kept, and the
  // position is read token by token, whatever the line's length.
  void include() {
    podziel_czysto(linia_, tokeny_, 5);
    if (tokeny_.size() == 3 || tokeny_.size() == 4) {
      nazwy_.assign(tokeny_[1]);
      ukosniki_na_odwrotne(nazwy_);
      // Enough to tell the list is too long; memory stays bounded whatever
      // the file holds.
      if (wynik_.nazwy.size() <= najwiecej_plikow && widziane_.insert(klucz_nazwy(nazwy_)).second) {
        wynik_.nazwy.push_back(nazwy_);
      }
    } else if (tokeny_.size() >= 5) {
      if (const auto t = znajdz_trojke_w_linii(linia_)) {
        wynik_.zakres.dolacz(t->x, t->z);
        if (zbieracz_ != nullptr) {
          polozenia_.push_back({t->x, t->z});
          if (polozenia_.size() == PolozeniaObiektow::blok) zbieracz_->dopisz(polozenia_);
        }
      }
    }
  }

  // The header counts as line 1, or as lines 1 and 2 with "unvis"/"novis";
  // counted lines 3 and 6 hold the end points.
  void tor() {
    int licznik = (zawiera(linia_, "unvis", S) || zawiera(linia_, "novis", S)) ? 2 : 1;
    while (nastepna_linia()) {
      if (zawiera(linia_, "endtrack", S)) return;
      if (pusta_po_oczyszczeniu(linia_)) continue;
      ++licznik;
      double x, z;
      if ((licznik == 3 || licznik == 6) && punkt(x, z)) wynik_.zakres.dolacz(x, z);
    }
  }

  // Vertex lines in groups of three; lines that are not vertices do not
  // break a group, and one or two left over form no triangle.
  // The vertex lines right after the header are kept as a run, when the
  // vertices are collected; a long one only in part, so that memory stays
  // bounded.
  void trojkaty() {
    PunktSkanu p[3];
    int w = 0;
    bool endtri = false;
    BiegWierzcholkow bieg{czytnik_->nr_linii(), 0, 0};
    bool w_biegu = wierzcholki_ != nullptr && !wierzcholki_->pelne();
    punkty_.clear();
    while (nastepna_linia(&endtri)) {
      if (endtri) break;
      if (!punkt(p[w])) {
        w_biegu = false;
        continue;
      }
      if (w_biegu) {
        punkty_.push_back(p[w]);
        bieg.od_ostatniej = czytnik_->pozycja_linii();
        ++bieg.ile;
        w_biegu = punkty_.size() < najdluzszy_bieg;
      }
      if (++w < 3) continue;
      w = 0;
      wynik_.zakres.dolacz(std::min({p[0].x, p[1].x, p[2].x}), std::min({p[0].z, p[1].z, p[2].z}));
      wynik_.zakres.dolacz(std::max({p[0].x, p[1].x, p[2].x}), std::max({p[0].z, p[1].z, p[2].z}));
    }
    dodaj_bieg(bieg);
  }

  // A run of one line saves nothing: that line is read anyway.
  void dodaj_bieg(const BiegWierzcholkow& bieg) {
    if (bieg.ile < 2) return;
    zapis_.dodaj(bieg, punkty_.data());
    if (zapis_.pelny()) wierzcholki_->dopisz(nr_, zapis_);
  }

  ZbieraczPolozen* const zbieracz_;
  std::vector<PolozenieObiektu> polozenia_;  // at most a block, not yet collected
  WierzcholkiSkanu* const wierzcholki_;
  const std::size_t nr_;
  static constexpr std::size_t najdluzszy_bieg = 4096;
  std::vector<PunktSkanu> punkty_;  // the run being read
  WierzcholkiSkanu::Zapis zapis_;   // the runs not yet handed on
  const bool szukaj_torow_;
  const bool naglowki_z_pamieci_;
  // The last few plain triangle headers (no "include", no "track").
  struct Bez {};
  OstatnieLinie<Bez> naglowki_;
  CzytnikLinii* czytnik_ = nullptr;
  // The current line as read: keyword tests and tokens need no cleaned copy
  // (podziel_czysto). Reused buffers: the loop allocates nothing once they
  // have grown.
  std::string_view linia_;
  std::string nazwy_;  // an included file's name with "/" turned into "\"
  std::vector<std::string_view> tokeny_;
  ZbiorNazw widziane_;
  WynikPliku wynik_;
};

class Skaner {
 public:
  Skaner(StanScenerii& stan, Postep& postep, OperacjeSystemu& operacje)
      : stan_(stan), postep_(postep), operacje_(operacje) {}

  void skanuj() {
    postep_.faza(Faza::skan, stan_.nazwa_scenerii);

    stan_.zakres = Zakres{};
    stan_.lista_plikow.clear();
    stan_.ma_kandydatow.clear();
    stan_.ma_dluga_linie.clear();
    stan_.ma_tory.clear();
    stan_.ma_wezly.clear();
    stan_.polozenia.zacznij(stan_.katalog, operacje_);
    stan_.wierzcholki.zacznij();
    if (stan_.zbieraj_polozenia) zbieracz_.emplace(stan_.polozenia);
    znane_.clear();
    dodaj_plik(stan_.nazwa_scenerii);

    // The list grows while it is read: names found are read after all names
    // found before them. A large file already on the list after the current
    // one is scanned meanwhile on another thread; the results join the scan
    // in list order, so the list, the extents and any failure are those of
    // reading one file after the other.
    const Skroty& skroty = stan_.skroty;
    for (std::size_t i = 0; i < stan_.lista_plikow.size();) {
      const bool para = i + 1 < stan_.lista_plikow.size();
      const auto plik = wyszukaj(i);
      const auto plik_nastepny = para ? wyszukaj(i + 1) : std::nullopt;
      std::future<WynikPliku> nastepny;
      if (plik_nastepny && skroty.skan_na_dwoch_watkach &&
          wart_drugiego_watku(*plik_nastepny, skroty.duzy_plik_odczytu)) {
        nastepny = std::async(std::launch::async,
                              [this, i, p = plik_nastepny] { return skanuj(i + 1, p); });
      }
      wlacz(i, skanuj(i, plik));
      if (nastepny.valid()) {
        wlacz(i + 1, nastepny.get());
      } else if (para) {
        wlacz(i + 1, skanuj(i + 1, plik_nastepny));
      }
      i += para ? 2 : 1;
    }
    stan_.wierzcholki.uporzadkuj();

    postep_.koniec();
  }

 private:
  // Tells the file, then finds it; nullopt for a name without an ordinary
  // file inside the scenery directory, which is passed over silently.
  std::optional<std::filesystem::path> wyszukaj(std::size_t i) {
    const std::string nazwa = stan_.lista_plikow[i];  // the list may reallocate
    postep_.plik(nazwa);
    auto sciezka = znajdz_w_scenerii(stan_.katalog, nazwa, stan_.pamiec_katalogow());
    if (!sciezka || !czy_zwykly_plik(*sciezka)) return std::nullopt;
    return sciezka;
  }

  // A file not read (hidden, missing) tells nothing of its lines: the
  // rewrite must read it if it is there then.
  WynikPliku skanuj(std::size_t nr, const std::optional<std::filesystem::path>& plik) {
    if (!plik) {
      WynikPliku nieznany;
      nieznany.ma_kandydatow = true;
      nieznany.ma_tory = true;
      nieznany.ma_wezly = true;
      return nieznany;
    }
    ZbieraczPolozen* zbieracz = zbieracz_ ? &*zbieracz_ : nullptr;
    WierzcholkiSkanu* wierzcholki = stan_.zbieraj_wierzcholki ? &stan_.wierzcholki : nullptr;
    const bool tory = stan_.szukaj_torow;
    const bool naglowki = stan_.skroty.naglowki_z_pamieci;
    if (stan_.skroty.szukanie == Szukanie::szerokie) {
      return SkanerPliku<Szukanie::szerokie>(zbieracz, wierzcholki, nr, tory, naglowki)
          .skanuj(*plik, operacje_);
    }
    return SkanerPliku<Szukanie::zwykle>(zbieracz, wierzcholki, nr, tory, naglowki)
        .skanuj(*plik, operacje_);
  }

  void wlacz(std::size_t i, const WynikPliku& w) {
    if (stan_.ma_kandydatow.size() <= i) {
      stan_.ma_kandydatow.resize(i + 1, 0);
      stan_.ma_dluga_linie.resize(i + 1, 0);
      stan_.ma_wezly.resize(i + 1, 0);
    }
    stan_.ma_kandydatow[i] = w.ma_kandydatow;
    stan_.ma_dluga_linie[i] = w.ma_dluga_linie;
    stan_.ma_wezly[i] = w.ma_wezly;
    // Not looked for: not known, so every file is read.
    if (stan_.szukaj_torow) {
      if (stan_.ma_tory.size() <= i) stan_.ma_tory.resize(i + 1, 0);
      stan_.ma_tory[i] = w.ma_tory;
    }
    for (const auto& nazwa : w.nazwy) dodaj_plik(nazwa);
    if (!w.zakres.pusty()) {
      stan_.zakres.dolacz(w.zakres.min_x, w.zakres.min_z);
      stan_.zakres.dolacz(w.zakres.max_x, w.zakres.max_z);
    }
  }

  // Two spellings of one file ("a\..\b.scm" and "b.scm") are one entry:
  // the first spelling stays in the list.
  void dodaj_plik(std::string_view nazwa) {
    std::string klucz = klucz_nazwy(nazwa);
    if (znane_.find(std::string_view(klucz)) != znane_.end()) return;
    if (stan_.lista_plikow.size() >= najwiecej_plikow) {
      throw BladDanych("a scenery names more than 65536 files");
    }
    stan_.lista_plikow.emplace_back(nazwa);
    znane_.insert(std::move(klucz));
  }

  StanScenerii& stan_;
  Postep& postep_;
  OperacjeSystemu& operacje_;
  // Names of the list folded to small letters: the duplicate test without a
  // walk of the whole list.
  ZbiorNazw znane_;
  std::optional<ZbieraczPolozen> zbieracz_;
};

}  // namespace

void znajdz_min_max(StanScenerii& stan, Postep& postep, OperacjeSystemu& operacje) {
  Skaner(stan, postep, operacje).skanuj();
}

}  // namespace wyrownik
