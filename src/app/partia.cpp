#include "app/partia.hpp"

#include <array>
#include <exception>
#include <optional>
#include <string>

#include "app/blokada.hpp"
#include "scenery/bledy.hpp"
#include "scenery/kodowanie.hpp"
#include "scenery/skan.hpp"

namespace wyrownik {

namespace {

constexpr std::array<Wejscie, 6> wejscia_partii = {Wejscie::text1,    Wejscie::text2,
                                                   Wejscie::text3,    Wejscie::text4,
                                                   Wejscie::command1, Wejscie::command2};

// Scratch files a run keeps only while it works; a batch stopped by closing
// the window must not leave them in the user's scenery directory.
void usun_pliki_robocze(const std::filesystem::path& katalog) {
  for (const char* nazwa : {"aaa.aaa", "aaa.aab", "aaa.ccc"}) {
    std::error_code blad;
    std::filesystem::remove(katalog / nazwa, blad);
  }
}

// The scratch files live in the scenery directory, which copies with
// different program directories (so different program locks) may share:
// another copy's run would empty the index this one has mapped and write the
// same scratch copy. One batch at a time works in a scenery directory.
Blokada zajmij_pliki_robocze(const std::filesystem::path& katalog) {
  auto blokada = Blokada::zajmij_katalog(katalog);
  if (!blokada) throw BladDanych("another copy of wyrownik is working in " + katalog.string());
  return std::move(*blokada);
}

// Input enabling restored however the batch ends.
class WejsciaWylaczone {
 public:
  explicit WejsciaWylaczone(OknoPartii& okno) : okno_(okno) {
    okno_.kursor_zajety(true);
    for (const auto w : wejscia_partii) okno_.wlacz(w, false);
  }
  ~WejsciaWylaczone() {
    okno_.kursor_zajety(false);
    for (const auto w : wejscia_partii) okno_.wlacz(w, true);
  }
  WejsciaWylaczone(const WejsciaWylaczone&) = delete;
  WejsciaWylaczone& operator=(const WejsciaWylaczone&) = delete;

 private:
  OknoPartii& okno_;
};

}  // namespace

Srodowisko srodowisko_ze_startu(const WynikStartu& start) {
  Srodowisko s;
  s.konfiguracja = start.konfiguracja;
  s.tekst_katalogu = start.sciezka_scenerii;
  s.katalog = start.katalog_scenerii.value_or(std::filesystem::path());
  s.plik_logu = start.plik_logu;
  return s;
}

WynikPartii uruchom_partie(const Srodowisko& srodowisko, OknoPartii& okno,
                           const Korekcja& korekcja) {
  // The log describes the last batch only: it is emptied before anything runs.
  try {
    utworz_pusty(srodowisko.plik_logu, *srodowisko.operacje);
  } catch (const BladPliku& b) {
    static constexpr TekstCp1250 brak_logu{"Nie można utworzyć pliku Log_korekcja.txt."};
    okno.pokaz_komunikat(brak_logu);
    okno.szczegoly_bledu(b.what());
    return WynikPartii::brak_logu;
  }

  bool blad = false;
  std::string powod;  // told after the message, which the user sees first
  WynikPartii wynik = WynikPartii::zakonczona;
  std::optional<Blokada> pliki_robocze;  // taken at the first selected scenery
  StanScenerii stan;
  stan.tekst_katalogu = srodowisko.tekst_katalogu;
  stan.katalog = srodowisko.katalog;
  {
    WejsciaWylaczone wylaczone(okno);
    const std::size_t ile = okno.ile_pozycji();
    for (std::size_t i = 0; i < ile && !blad; ++i) {
      if (!okno.zaznaczona(i)) continue;
      stan.nazwa_scenerii = okno.pozycja(i);
      try {
        if (!pliki_robocze) pliki_robocze = zajmij_pliki_robocze(srodowisko.katalog);
        znajdz_min_max(stan, okno);
        if (!stan.zakres.pusty()) korekcja(stan, srodowisko, okno);
      } catch (const Przerwanie&) {
        usun_pliki_robocze(srodowisko.katalog);
        wynik = WynikPartii::przerwana;
        break;
      } catch (const std::exception& e) {
        powod = e.what();
        blad = true;
      }
    }
    if (blad) {
      okno.pokaz_komunikat(komunikat::blad_partii);
      okno.szczegoly_bledu(powod);
      wynik = WynikPartii::blad;
    }
    stan.lista_plikow.clear();
  }
  return wynik;
}

}  // namespace wyrownik
