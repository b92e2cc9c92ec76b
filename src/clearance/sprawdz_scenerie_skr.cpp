#include "clearance/sprawdz_scenerie_skr.hpp"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clearance/czytaj_tory.hpp"
#include "index/indeks.hpp"
#include "platform/potok.hpp"
#include "text/sciezki.hpp"

namespace wyrownik {

namespace {

class PrzebiegSkrajni : public Przebieg {
 public:
  PrzebiegSkrajni(const StanScenerii& stan, const UstawieniaSkrajni& ustawienia,
                  const KontekstPrzebiegu& kontekst)
      : stan_(stan),
        ustawienia_(ustawienia),
        rysunek_(kontekst.sluchacz->rysuje() ? kontekst.sluchacz : nullptr),
        operacje_(*kontekst.operacje) {}

  void zaloz_indeks() override { indeks_.emplace(stan_.katalog, stan_.zakres, operacje_); }

  // A large next file is read ahead on a second thread while this one is
  // read here; its few track segments wait until this file's are stored.
  // Tracks that give no segment are told on this thread, once their file's
  // segments are stored.
  void czytaj(std::size_t, std::string_view wpis, const std::filesystem::path& plik,
              const std::optional<std::filesystem::path>& nastepny) override {
    std::unique_ptr<Wyprzedzenie> przeczytany;
    if (wyprzedzenie_ && plik_wyprzedzenia_ == plik) przeczytany = std::move(wyprzedzenie_);
    wyprzedzenie_.reset();
    const Skroty& skroty = stan_.skroty;
    if (nastepny && skroty.odczyt_na_dwoch_watkach &&
        wart_drugiego_watku(*nastepny, skroty.duzy_plik_odczytu)) {
      try {
        auto w = std::make_unique<Wyprzedzenie>();
        w->potok.emplace(
            [p = *nastepny, s = skroty.szukanie, braki = &w->braki,
             this](const OdbiorcaOdcinkow& oddaj) {
              const OdbiorcaBrakow zbierz = [braki](const TorBezOdcinka& t) {
                braki->push_back(t);
              };
              czytaj_tory(p, oddaj, s, operacje_, rysunek_ ? &zbierz : nullptr);
            },
            256, 16);
        wyprzedzenie_ = std::move(w);
        plik_wyprzedzenia_ = *nastepny;
      } catch (const std::system_error&) {
      }
    }
    std::vector<TorBezOdcinka> braki;
    if (!przeczytany) {
      const OdbiorcaBrakow zbierz = [&](const TorBezOdcinka& t) { braki.push_back(t); };
      czytaj_tory(
          plik, [this](const OdcinekToru& odcinek) { zapisz(odcinek); }, skroty.szukanie, operacje_,
          rysunek_ ? &zbierz : nullptr);
    } else {
      OdcinekToru odcinek;
      while (przeczytany->potok->wez(odcinek)) zapisz(odcinek);
      // The maker has ended: what it gathered is complete.
      braki = std::move(przeczytany->braki);
    }
    indeks_->oproznij();
    if (!braki.empty()) {
      const std::string pelna = tekst_pelnej_sciezki(stan_.tekst_katalogu, wpis);
      for (const TorBezOdcinka& t : braki) rysunek_->tor_bez_odcinka(pelna, t);
    }
  }

  Werdykt ocen(std::string_view surowa, std::string& poprawiona,
               Pozostawienie& pozostawienie) override {
    switch (werdykt_skrajni(surowa, ustawienia_, przejdz_, poprawiona, pozostawienie)) {
      case WerdyktSkrajni::przesun:
        return Werdykt::popraw;
      case WerdyktSkrajni::usun:
        return Werdykt::usun;
      case WerdyktSkrajni::zostaw:
        break;
    }
    return Werdykt::zostaw;
  }

  // Only a file with a normal track's header gives segments.
  bool czyta(std::size_t nr) const override {
    return !stan_.skroty.pomin_pliki_bez_wezlow || nr >= stan_.ma_tory.size() ||
           stan_.ma_tory[nr] != 0;
  }

  // The verdict only reads the index and the settings.
  bool ocena_wspolbiezna() const override { return true; }

  RodzajZmiany rodzaj_poprawki() const override { return RodzajZmiany::przesuniecie; }

  // A removed line must not leave a gap of empty lines behind.
  bool sciskaj_puste_linie() const override { return true; }

  void usun_indeks() override { indeks_->usun_indeks(); }

 private:
  const StanScenerii& stan_;
  const UstawieniaSkrajni& ustawienia_;
  Sluchacz* rysunek_;  // who draws what is read; none: nobody
  OperacjeSystemu& operacje_;
  std::optional<Indeks> indeks_;
  void zapisz(const OdcinekToru& odcinek) {
    const ObszarPasa pas = pas_odcinka(odcinek, ustawienia_.maks_promien);
    indeks_->rejestruj_w_komorkach(indeks_->dopisz_rekord(odcinek.jako_rekord()), pas.x_min,
                                   pas.x_max, pas.z_min, pas.z_max);
    if (rysunek_) {
      rysunek_->tor(odcinek.x1, odcinek.z1, odcinek.x2, odcinek.z2);
      rysunek_->pas(odcinek.x1, odcinek.z1, odcinek.x2, odcinek.z2, odcinek.szerokosc / 2);
    }
  }

  // A file being read ahead: its segments, and the tracks that gave none,
  // gathered by the reading thread (the pipe, ended first, joins it).
  struct Wyprzedzenie {
    std::vector<TorBezOdcinka> braki;
    std::optional<Potok<OdcinekToru>> potok;
  };
  // The next file being read ahead, and its path.
  std::unique_ptr<Wyprzedzenie> wyprzedzenie_;
  std::filesystem::path plik_wyprzedzenia_;
  const PrzejdzOdcinki przejdz_ = [this](double x, double z,
                                         const std::function<void(const OdcinekToru&)>& test) {
    indeks_->przejdz_komorke(x, z, [&](const RekordDanych& r) { test(OdcinekToru::z_rekordu(r)); });
  };
};

}  // namespace

void sprawdz_scenerie_skr(const StanScenerii& stan, const UstawieniaSkrajni& ustawienia,
                          const KontekstPrzebiegu& kontekst, Postep& postep) {
  PrzebiegSkrajni przebieg(stan, ustawienia, kontekst);
  wykonaj_przebieg(stan, przebieg, kontekst, postep);
}

}  // namespace wyrownik
