#include "height/sprawdz_scenerie_wys.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <utility>

#include "height/czytaj_teren.hpp"
#include "height/popraw_wysokosc.hpp"
#include "height/tekstury_pod_obiektami.hpp"
#include "index/indeks.hpp"
#include "platform/potok.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"

namespace wyrownik {

namespace {

class PrzebiegWysokosci : public Przebieg {
 public:
  PrzebiegWysokosci(const StanScenerii& stan, const UstawieniaWysokosci& ustawienia,
                    const Pasmo& pasmo, const KontekstPrzebiegu& kontekst)
      : stan_(stan),
        ustawienia_(ustawienia),
        pasmo_(pasmo),
        rysunek_(kontekst.sluchacz->rysuje() ? kontekst.sluchacz : nullptr),
        operacje_(*kontekst.operacje) {
    if (!stan.polozenia.empty()) pod_.emplace(stan.polozenia, stan.katalog, operacje_);
  }

  void zaloz_indeks() override { indeks_.emplace(stan_.katalog, stan_.zakres, operacje_); }

  // A large file is read on a second thread while this one stores its
  // triangles in the index, in the order read.
  // The next file is not read ahead: the map is drawn while a file is read,
  // on the thread that reads it.
  void czytaj(std::size_t nr, std::string_view wpis, const std::filesystem::path& plik,
              const std::optional<std::filesystem::path>&) override {
    // Told on the thread that reads, as the drawing is.
    const OdbiorcaBrakow braki = [&](const TorBezOdcinka& t) {
      rysunek_->tor_bez_odcinka(tekst_pelnej_sciezki(stan_.tekst_katalogu, wpis), t);
    };
    const OdbiorcaBrakow* braki_dla = rysunek_ ? &braki : nullptr;
    const auto zapisz = [this](const Trojkat& t) {
      const auto [x_min, x_max] = std::minmax({t.v[0].x, t.v[1].x, t.v[2].x});
      const auto [z_min, z_max] = std::minmax({t.v[0].z, t.v[1].z, t.v[2].z});
      indeks_->rejestruj_w_komorkach(indeks_->dopisz_rekord(t.jako_rekord()), x_min, x_max, z_min,
                                     z_max);
    };
    auto kursor = stan_.wierzcholki.pliku(nr);
    WierzcholkiSkanu::Kursor* wierzcholki = stan_.zbieraj_wierzcholki ? &kursor : nullptr;
    const Skroty& skroty = stan_.skroty;
    if (!skroty.odczyt_na_dwoch_watkach || !wart_drugiego_watku(plik, skroty.duzy_plik_odczytu)) {
      czytaj_teren(plik, ustawienia_, zapisz, rysunek_, skroty, operacje_, pod(), braki_dla,
                   wierzcholki);
    } else {
      w_potoku<Trojkat>(
          [&](const OdbiorcaTrojkatow& oddaj) {
            czytaj_teren(plik, ustawienia_, oddaj, rysunek_, skroty, operacje_, pod(), braki_dla,
                         wierzcholki);
          },
          zapisz);
    }
    indeks_->oproznij();
  }

  Werdykt ocen(std::string_view surowa, std::string& poprawiona,
               Pozostawienie& pozostawienie) override {
    return ocen(surowa, teren_, poprawiona, pozostawienie);
  }

  // Each verdict is first taken as far as the ground it asks for; the cells
  // under all those objects are then walked at once, and the verdicts
  // finished on the heights found.
  bool ocena_blokami() const override { return stan_.skroty.teren_blokami; }

  void ocen_blok(std::span<const std::string_view> linie, std::span<OcenaLinii> oceny) override {
    if (!stan_.skroty.teren_blokami) return Przebieg::ocen_blok(linie, oceny);
    constexpr std::size_t partia = 32;
    constexpr std::size_t nie_pyta = partia;
    for (std::size_t od = 0; od < linie.size(); od += partia) {
      const std::size_t n = std::min(partia, linie.size() - od);
      std::array<PunktXZ, partia> punkty;
      std::array<std::size_t, partia> pytanie;  // of each line, its point, or nie_pyta
      std::size_t ile = 0;
      const TerenPod zapisz_pytanie = [&](double x, double z) {
        punkty[ile++] = {x, z};
        return std::optional<double>();
      };
      for (std::size_t i = 0; i < n; ++i) {
        Pozostawienie pominiete;
        const std::size_t przed = ile;
        popraw_wysokosc(linie[od + i], ustawienia_, pasmo_, zapisz_pytanie, pominiete);
        pytanie[i] = ile > przed ? przed : nie_pyta;
      }
      std::array<std::optional<double>, partia> najwyzsze{};
      indeks_->przejdz_komorki(
          std::span(punkty).first(ile), [&](std::size_t k, const RekordDanych& r) {
            uwzglednij_trojkat(punkty[k].x, punkty[k].z, Trojkat::z_rekordu(r), najwyzsze[k]);
          });
      for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = pytanie[i];
        // The point asked for again is the one found: the same line read the
        // same way. Anything else walks on its own.
        const TerenPod znaleziony = [&](double x, double z) {
          if (k != nie_pyta &&
              std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(punkty[k].x) &&
              std::bit_cast<std::uint64_t>(z) == std::bit_cast<std::uint64_t>(punkty[k].z)) {
            return najwyzsze[k];
          }
          return teren_(x, z);
        };
        OcenaLinii& o = oceny[od + i];
        o.werdykt = ocen(linie[od + i], znaleziony, o.poprawiona, o.pozostawienie);
      }
    }
  }

  // Every reader of this run begins at a line with "node".
  bool czyta(std::size_t nr) const override {
    return !stan_.skroty.pomin_pliki_bez_wezlow || nr >= stan_.ma_wezly.size() ||
           stan_.ma_wezly[nr] != 0;
  }

  // The verdict only reads the index and the settings.
  bool ocena_wspolbiezna() const override { return true; }
  // A walk over a cell's triangles costs more than telling and writing a
  // line: two blocks of three go to the second thread ("FAZA IV" of the 25 MB
  // benchmark 37 -> 33 ms; the clearance run's cheaper verdicts lose by it).
  unsigned okres_oceny() const override { return 3; }

  RodzajZmiany rodzaj_poprawki() const override { return RodzajZmiany::wysokosc; }

  bool sciskaj_puste_linie() const override { return false; }

  void usun_indeks() override { indeks_->usun_indeks(); }

 private:
  TeksturyPodObiektami* pod() { return pod_ ? &*pod_ : nullptr; }

  Werdykt ocen(std::string_view surowa, const TerenPod& teren, std::string& poprawiona,
               Pozostawienie& pozostawienie) const {
    auto nowa = popraw_wysokosc(surowa, ustawienia_, pasmo_, teren, pozostawienie);
    if (!nowa) {
      // Rare: the position is found again rather than handed out by every verdict.
      if (pod_ && pozostawienie.powod == Powod::brak_terenu) {
        if (const auto t = znajdz_trojke_w_linii(surowa))
          pozostawienie.szczegol = pod_->pod(t->x, t->z);
      }
      return Werdykt::zostaw;
    }
    poprawiona = std::move(*nowa);
    return Werdykt::popraw;
  }

  const StanScenerii& stan_;
  const UstawieniaWysokosci& ustawienia_;
  const Pasmo& pasmo_;
  Sluchacz* rysunek_;  // who draws what is read; none: nobody
  OperacjeSystemu& operacje_;
  // What lies under each object, when the scan kept their positions.
  std::optional<TeksturyPodObiektami> pod_;
  std::optional<Indeks> indeks_;
  // One type-erased call per object; the walk over the cell's triangles is
  // inlined.
  const TerenPod teren_ = [this](double x, double z) {
    return najwyzszy_teren(x, z, [this](double px, double pz, const auto& test) {
      indeks_->przejdz_komorke(px, pz, [&](const RekordDanych& r) { test(Trojkat::z_rekordu(r)); });
    });
  };
};

}  // namespace

void sprawdz_scenerie_wys(const StanScenerii& stan, const UstawieniaWysokosci& ustawienia,
                          const Pasmo& pasmo, const KontekstPrzebiegu& kontekst, Postep& postep) {
  PrzebiegWysokosci przebieg(stan, ustawienia, pasmo, kontekst);
  wykonaj_przebieg(stan, przebieg, kontekst, postep);
}

}  // namespace wyrownik
