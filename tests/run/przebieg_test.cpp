#include "run/przebieg.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "log/sluchacz_dziennika.hpp"
#include "pomoc/katalog_tymczasowy.hpp"
#include "pomoc/postep_nagrywajacy.hpp"

namespace wyrownik {
namespace {

// A run that records what the skeleton asks of it into the progress record.
class PrzebiegNagrywajacy : public Przebieg {
 public:
  PrzebiegNagrywajacy(std::vector<std::string>& zdarzenia, std::filesystem::path log)
      : z_(zdarzenia), log_(std::move(log)) {}
  void zaloz_indeks() override { z_.emplace_back("zaloz"); }
  void czytaj(std::size_t, std::string_view, const std::filesystem::path& plik,
              const std::optional<std::filesystem::path>&) override {
    z_.push_back("czytaj " + plik.filename().string());
  }
  Werdykt ocen(std::string_view, std::string& poprawiona, Pozostawienie&) override {
    poprawiona = "include b.inc 1 2 3";
    return Werdykt::popraw;
  }
  RodzajZmiany rodzaj_poprawki() const override { return RodzajZmiany::wysokosc; }
  bool sciskaj_puste_linie() const override { return false; }
  // The log is complete and closed before the index goes.
  void usun_indeks() override { z_.push_back("usun, log " + testy::wczytaj(log_)); }

 private:
  std::vector<std::string>& z_;
  std::filesystem::path log_;
};

TEST(Przebieg, PhasesInOrderAndTheLogClosedBeforeTheIndexGoes) {
  testy::KatalogTymczasowy k;
  StanScenerii stan;
  stan.katalog = k.sciezka();
  stan.tekst_katalogu = k.sciezka().string() + "/";
  stan.nazwa_scenerii = "main.scn";
  stan.lista_plikow = {"main.scn", "brak.scm"};
  k.zapisz("main.scn", "include a.inc 1 2 3\r\n");
  testy::PostepNagrywajacy postep;
  const auto plik_logu = k / "log.txt";
  PrzebiegNagrywajacy przebieg(postep.zdarzenia, plik_logu);
  SluchaczDziennika dziennik(plik_logu, operacje_systemowe(), RodzajPrzebiegu::wysokosc);
  // The run's end as a listener hears it.
  struct Konce : Sluchacz {
    explicit Konce(std::vector<std::string>& z) : z_(z) {}
    void koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu& l) override {
      z_.push_back("podsumuj " + std::to_string(l.ile_zmian));
    }
    std::vector<std::string>& z_;
  } konce(postep.zdarzenia);
  Sluchacze sluchacze;
  sluchacze.dodaj(konce);
  sluchacze.dodaj(dziennik);
  KontekstPrzebiegu kontekst;
  kontekst.operacje = &operacje_systemowe();
  kontekst.sluchacz = &sluchacze;

  wykonaj_przebieg(stan, przebieg, kontekst, postep);

  const std::string log = testy::wczytaj(plik_logu);
  EXPECT_TRUE(log.ends_with("Sceneria: main.scn\r\nIlo\x9C\xE6 zmian: 1\r\n"));
  EXPECT_EQ(postep.zdarzenia,
            (std::vector<std::string>{"faza 2 main.scn", "zaloz", "faza 3 main.scn",
                                      "plik main.scn", "czytaj main.scn", "plik brak.scm",
                                      "faza 4 main.scn", "plik main.scn", "plik brak.scm",
                                      "podsumuj 1", "usun, log " + log, "koniec"}));
  EXPECT_EQ(testy::wczytaj(k / "main.scn"), "include b.inc 1 2 3\r\n");
}

}  // namespace
}  // namespace wyrownik
