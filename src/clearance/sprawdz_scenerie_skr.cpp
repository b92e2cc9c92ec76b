#include "clearance/sprawdz_scenerie_skr.hpp"

#include "clearance/analizuj_include.hpp"
#include "clearance/czytaj_tory.hpp"
#include "scenery/dziennik.hpp"
#include "scenery/faza_iii.hpp"
#include "scenery/indeks.hpp"
#include "scenery/linia.hpp"
#include "scenery/przepisanie.hpp"

namespace wyrownik {

void sprawdz_scenerie_skr(StanScenerii& stan, const Srodowisko& srodowisko, OknoPartii& okno) {
  UstawieniaSkrajni ustawienia{srodowisko.konfiguracja.lista_inc,
                               liczba_na_poczatku(okno.tekst(Pole::text3)),
                               liczba_na_poczatku(okno.tekst(Pole::text4))};

  Indeks indeks = zaloz_indeks(stan, okno);
  Dziennik dziennik(srodowisko.plik_logu, *srodowisko.operacje);

  const OdbiorcaOdcinkow rejestruj_odcinek = [&](const OdcinekToru& odcinek) {
    const Prostokat pas = pas_odcinka(odcinek, ustawienia.maks_promien);
    indeks.rejestruj_w_komorkach(indeks.dopisz_rekord(odcinek.jako_rekord()), pas.x_min, pas.x_max,
                                 pas.z_min, pas.z_max);
  };
  czytaj_pliki_scenerii(
      stan, okno, [&](const std::filesystem::path& plik) { czytaj_tory(plik, rejestruj_odcinek); });

  const PrzejdzOdcinki przejdz = [&](double x, double z,
                                     const std::function<void(const OdcinekToru&)>& test) {
    indeks.przejdz_komorke(x, z, [&](const RekordDanych& r) { test(OdcinekToru::z_rekordu(r)); });
  };
  const OcenaLinii ocena = [&](std::string_view surowa, std::string& poprawiona) {
    switch (werdykt_skrajni(surowa, ustawienia, przejdz, poprawiona)) {
      case WerdyktSkrajni::przesun:
        return Werdykt::popraw;
      case WerdyktSkrajni::usun:
        return Werdykt::usun;
      case WerdyktSkrajni::zostaw:
        break;
    }
    return Werdykt::zostaw;
  };
  LicznikiPrzebiegu liczniki;
  przepisz_scenerie(stan, Przebieg::skrajnia, ocena, dziennik, liczniki, okno, srodowisko.proba,
                    *srodowisko.operacje);
  zakoncz_przebieg(stan, Przebieg::skrajnia, liczniki, dziennik, okno,
                   [&] { indeks.usun_indeks(); });
}

}  // namespace wyrownik
