#include "height/czytaj_teren.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "height/pas_toru.hpp"
#include "scenery/linia_toru.hpp"
#include "text/czytnik_linii.hpp"
#include "text/linia.hpp"
#include "text/ostatnie_linie.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

// One file's line loop. A node reader consumes lines; the tests that follow
// it look at the last line it read (`biezaca`), or at the header itself when
// it skipped the node without reading on.
// The keyword search is a parameter of the type: the line loop tests it at
// no cost.
template <Szukanie S>
class CzytnikTerenu {
 public:
  CzytnikTerenu(const std::filesystem::path& plik, const UstawieniaWysokosci& u,
                const OdbiorcaTrojkatow& odbiorca, Sluchacz* rysunek, OperacjeSystemu& operacje,
                TeksturyPodObiektami* pod, const OdbiorcaBrakow* braki, bool naglowki_z_pamieci,
                WierzcholkiSkanu::Kursor* wierzcholki)
      : czytnik_(plik, operacje),
        konf_(u),
        odbiorca_(odbiorca),
        rysunek_(rysunek),
        pod_(pod),
        braki_(braki),
        naglowki_z_pamieci_(naglowki_z_pamieci),
        wierzcholki_(wierzcholki) {}

  void czytaj() {
    std::string_view surowa;
    while (czytnik_.czytaj(surowa)) {
      if (numer_normalnego_ > 0) sledz_tor_normalny(surowa);
      if (obca_) sledz_obcy_wezel(surowa);
      if (czy_komentarz(surowa)) continue;
      biezaca_ = surowa;
      bool wezel = zawiera(biezaca_, "node", S);
      if (wezel && (zawiera(biezaca_, "triangles", S) || zawiera(biezaca_, "triangle_strip", S))) {
        wezel_trojkatow();
        wezel = zawiera(biezaca_, "node", S);
      }
      // Each test looks at the line the one before it left: a track reader
      // moves `biezaca_` on.
      if (!wezel || !zawiera(biezaca_, "track", S)) continue;
      if (konf_.drogi && zawiera(biezaca_, "road", S)) tor();
      if (konf_.rzeki && czy_tor(biezaca_, "river")) tor();
      if (rysunek_ && czy_tor(biezaca_, "normal") && !zawiera(biezaca_, "unvis", S) &&
          !zawiera(biezaca_, "novis", S)) {
        numer_normalnego_ = 1;
      }
    }
  }

 private:
  bool czy_tor(std::string_view linia, std::string_view rodzaj) const {
    return zawiera(linia, "node", S) && zawiera(linia, "track", S) && zawiera(linia, rodzaj, S);
  }

  // Reads the next line into `biezaca_`; false at the end of the file, which
  // also ends the node being read (the reader leaves its last line in place).
  bool nastepna() {
    std::string_view surowa;
    numer_normalnego_ = 0;  // a node reader reading on ends a normal track's sketch
    obca_ = false;          // and a foreign node's
    if (!czytnik_.czytaj(surowa)) return false;
    biezaca_ = surowa;
    return true;
  }

  // The texture the header names, a view into the current line.
  std::optional<std::string_view> tekstura_naglowka() {
    if (zawiera(biezaca_, "material", S)) {
      const std::size_t poz = znajdz_bez_wielkosci(biezaca_, "endmaterial", S);
      if (poz == std::string_view::npos) return std::nullopt;
      podziel_czysto(biezaca_.substr(poz), tokeny_);
      if (tokeny_.size() < 2) return std::nullopt;
      return tokeny_[1];
    }
    // A header too short to name a texture has none: the node is skipped.
    if (tokeny_.size() < 6) return std::nullopt;
    return tokeny_[5];
  }

  // What a triangle node's header says: its texture, as a place in the
  // header, and whether that is ground.
  struct Naglowek {
    std::size_t od = 0, dlugosc = 0;  // no texture: dlugosc 0
    bool terenu = false;
  };

  // The header's texture and verdict, worked out from the current line, or
  // remembered from a header of the same bytes among the last few.
  const Naglowek& naglowek() {
    Naglowek* pamietany = nullptr;
    if (naglowki_z_pamieci_) {
      if (const Naglowek* znany = pamiec_.znajdz(biezaca_)) return *znany;
      pamietany = pamiec_.zapamietaj(biezaca_);
    }
    Naglowek& n = pamietany != nullptr ? *pamietany : bez_pamieci_;
    podziel_czysto(biezaca_, tokeny_, 6);  // token 6 names the texture
    const auto tekstura = tekstura_naglowka();
    n.od = tekstura ? static_cast<std::size_t>(tekstura->data() - biezaca_.data()) : 0;
    n.dlugosc = tekstura ? tekstura->size() : 0;
    n.terenu = n.dlugosc > 0 && czy_tekstura_terenu(*tekstura, konf_.lista_tekstur);
    return n;
  }

  // Lines are read as they are: keyword tests and podziel_czysto() answer as
  // on the cleaned text.
  void wezel_trojkatow() {
    obca_ = false;
    const Naglowek& n = naglowek();
    if (n.dlugosc == 0) return;
    if (!n.terenu) {
      const std::string_view tekstura = biezaca_.substr(n.od, n.dlugosc);
      if (rysunek_) rysunek_->tekstura_poza_terenem(tekstura);
      if (pod_) {
        obca_ = true;
        tekstura_obcej_ = pod_->tekstura(tekstura);
        ile_obcych_ = 0;
      }
      return;
    }

    trojkat_ = 0;
    if (wierzcholki_) bieg_ze_skanu();
    while (nastepna()) {
      if (zawiera(biezaca_, "endtri", S)) return;
      Wierzcholek& w = biezacy_.v[trojkat_];
      if (trzy_liczby(biezaca_, w.x, w.y, w.z)) wierzcholek();
    }
  }

  // The node's first vertex lines as the scan parsed them: the lines are
  // passed over but the last, which stays the current line as if read.
  void bieg_ze_skanu() {
    const auto bieg = wierzcholki_->bieg(czytnik_.nr_linii());
    if (!bieg) return;
    for (std::uint64_t i = 0; i < bieg->ile; ++i) {
      const PunktSkanu p = wierzcholki_->punkt();
      biezacy_.v[trojkat_] = {p.x, p.y, p.z};
      wierzcholek();
    }
    czytnik_.przeskocz(bieg->od_ostatniej, bieg->naglowek + bieg->ile);
    nastepna();
  }

  // Groups of three in the order read, strips too; a leftover one or two
  // vertices form nothing.
  void wierzcholek() {
    if (++trojkat_ < 3) return;
    trojkat_ = 0;
    odbiorca_(biezacy_);
    if (rysunek_) {
      const Trojkat& t = biezacy_;
      const auto [x_min, x_max] = std::minmax({t.v[0].x, t.v[1].x, t.v[2].x});
      const auto [z_min, z_max] = std::minmax({t.v[0].z, t.v[1].z, t.v[2].z});
      rysunek_->teren(x_min, x_max, z_min, z_max);
    }
  }

  void brak(std::uint64_t linia, BrakOdcinka powod) {
    if (braki_) (*braki_)({linia, powod});
  }

  void tor() {
    numer_normalnego_ = 0;
    const std::uint64_t naglowek = czytnik_.nr_linii();
    if (zawiera(biezaca_, "unvis", S) || zawiera(biezaca_, "novis", S)) {
      return brak(naglowek, BrakOdcinka::niewidoczny);
    }
    podziel_czysto(biezaca_, tokeny_);
    // Track numbers are read as the number at the start of a token, 0 for a word.
    int n = 1;
    int czesci = 0;
    double w = 0;
    Wierzcholek p1, p2;
    if (tokeny_.size() >= 8) {
      w = liczba_na_poczatku(tokeny_[7]);
      czesci = 1;
    }
    while (nastepna_linia_toru(czytnik_, bufor_, biezaca_, tokeny_, n, S)) {
      if (n == 2 && tokeny_.size() >= 5) {
        w = (w + 2 * liczba_na_poczatku(tokeny_[4])) / 2;
        ++czesci;
      } else if ((n == 3 || n == 6) && tokeny_.size() >= 3) {
        Wierzcholek& p = n == 3 ? p1 : p2;
        p = {liczba_na_poczatku(tokeny_[0]), liczba_na_poczatku(tokeny_[1]),
             liczba_na_poczatku(tokeny_[2])};
        ++czesci;
      }
    }
    if (czesci != 4) return brak(naglowek, BrakOdcinka::niepelny);
    const auto pas = pas_toru(p1, p2, w);
    if (!pas) return brak(naglowek, BrakOdcinka::krotka_cieciwa);
    odbiorca_((*pas)[0]);
    odbiorca_((*pas)[1]);
    if (rysunek_) rysunek_->pas(p1.x, p1.z, p2.x, p2.z, w);
  }

  // A node whose texture is not ground, watched line by line as the loop
  // reads it: its triangles are grouped as a ground node's would be.
  void sledz_obcy_wezel(std::string_view surowa) {
    if (zawiera(surowa, "endtri", S)) {
      obca_ = false;
      return;
    }
    Wierzcholek& w = obcy_.v[static_cast<std::size_t>(ile_obcych_)];
    if (!trzy_liczby(surowa, w.x, w.y, w.z)) return;
    if (++ile_obcych_ == 3) {
      pod_->trojkat(obcy_, tekstura_obcej_);
      ile_obcych_ = 0;
    }
  }

  // The map shows the normal tracks too, which the height run does not use:
  // their lines are watched as the loop reads them, never read ahead, so
  // that the map cannot change what the run reads.
  void sledz_tor_normalny(std::string_view surowa) {
    std::string_view linia;
    if (!linia_toru(surowa, bufor_normalnego_, linia, tokeny_normalnego_, numer_normalnego_, S)) {
      numer_normalnego_ = 0;
      return;
    }
    if (tokeny_normalnego_.size() < 3) return;
    const double x = liczba_na_poczatku(tokeny_normalnego_[0]);
    const double z = liczba_na_poczatku(tokeny_normalnego_[2]);
    if (numer_normalnego_ == 3) {
      poczatek_normalnego_ = {x, 0, z};
    } else if (numer_normalnego_ == 6) {
      if (poczatek_normalnego_)
        rysunek_->tor(poczatek_normalnego_->x, poczatek_normalnego_->z, x, z);
      poczatek_normalnego_.reset();
      numer_normalnego_ = 0;
    }
  }

  CzytnikLinii czytnik_;
  const UstawieniaWysokosci& konf_;
  const OdbiorcaTrojkatow& odbiorca_;
  Sluchacz* rysunek_;
  TeksturyPodObiektami* pod_;
  const OdbiorcaBrakow* braki_;
  const bool naglowki_z_pamieci_;
  OstatnieLinie<Naglowek> pamiec_;
  Naglowek bez_pamieci_;
  WierzcholkiSkanu::Kursor* wierzcholki_;
  // The ground node being read: its triangle so far, and the next corner.
  Trojkat biezacy_;
  std::size_t trojkat_ = 0;
  // A node of a texture that is not ground being watched (obca_), its
  // triangle so far.
  bool obca_ = false;
  std::uint32_t tekstura_obcej_ = 0;
  Trojkat obcy_;
  int ile_obcych_ = 0;
  // The current line: a view of the reader's line, or of `bufor_` in a track.
  std::string_view biezaca_;
  std::string bufor_;
  std::vector<std::string_view> tokeny_;
  // A normal track being sketched for the map: its counted line (0: none).
  int numer_normalnego_ = 0;
  std::optional<Wierzcholek> poczatek_normalnego_;
  std::string bufor_normalnego_;
  std::vector<std::string_view> tokeny_normalnego_;
};

}  // namespace

bool czy_tekstura_terenu(std::string_view tekstura, const std::vector<std::string>& lista_tekstur) {
  const std::size_t ukosnik = tekstura.find_last_of("/\\");
  if (ukosnik != std::string_view::npos) tekstura.remove_prefix(ukosnik + 1);
  return std::any_of(lista_tekstur.begin(), lista_tekstur.end(),
                     [&](const std::string& p) { return zaczyna_sie_bez_wielkosci(tekstura, p); });
}

void czytaj_teren(const std::filesystem::path& plik, const UstawieniaWysokosci& ustawienia,
                  const OdbiorcaTrojkatow& dodaj_trojkat, Sluchacz* rysunek, const Skroty& skroty,
                  OperacjeSystemu& operacje, TeksturyPodObiektami* pod, const OdbiorcaBrakow* braki,
                  WierzcholkiSkanu::Kursor* wierzcholki) {
  if (skroty.szukanie == Szukanie::szerokie) {
    CzytnikTerenu<Szukanie::szerokie>(plik, ustawienia, dodaj_trojkat, rysunek, operacje, pod,
                                      braki, skroty.naglowki_z_pamieci, wierzcholki)
        .czytaj();
  } else {
    CzytnikTerenu<Szukanie::zwykle>(plik, ustawienia, dodaj_trojkat, rysunek, operacje, pod, braki,
                                    skroty.naglowki_z_pamieci, wierzcholki)
        .czytaj();
  }
}

}  // namespace wyrownik
