#include "height/sprawdz_scenerie_wys.hpp"

#include <algorithm>
#include <optional>

#include "height/czytaj_teren.hpp"
#include "height/popraw_wysokosc.hpp"
#include "scenery/dziennik.hpp"
#include "scenery/faza_iii.hpp"
#include "scenery/indeks.hpp"
#include "scenery/linia.hpp"
#include "scenery/przepisanie.hpp"

namespace wyrownik {

void sprawdz_scenerie_wys(StanScenerii& stan, const Srodowisko& srodowisko, OknoPartii& okno) {
  const Pasmo pasmo{liczba_na_poczatku(okno.tekst(Pole::text1)),
                    liczba_na_poczatku(okno.tekst(Pole::text2))};

  Indeks indeks = zaloz_indeks(stan, okno);
  Dziennik dziennik(srodowisko.plik_logu, *srodowisko.operacje);

  const OdbiorcaTrojkatow dodaj_trojkat = [&](const Trojkat& t) {
    const auto [x_min, x_max] = std::minmax({t.v[0].x, t.v[1].x, t.v[2].x});
    const auto [z_min, z_max] = std::minmax({t.v[0].z, t.v[1].z, t.v[2].z});
    indeks.rejestruj_w_komorkach(indeks.dopisz_rekord(t.jako_rekord()), x_min, x_max, z_min, z_max);
  };
  czytaj_pliki_scenerii(stan, okno, [&](const std::filesystem::path& plik) {
    czytaj_teren(plik, srodowisko.konfiguracja, dodaj_trojkat);
  });

  const PrzejdzKomorke przejdz = [&](double x, double z,
                                     const std::function<void(const Trojkat&)>& test) {
    indeks.przejdz_komorke(x, z, [&](const RekordDanych& r) { test(Trojkat::z_rekordu(r)); });
  };
  const OcenaLinii ocena = [&](std::string_view surowa, std::string& poprawiona) {
    auto nowa = popraw_wysokosc(surowa, srodowisko.konfiguracja, pasmo, przejdz);
    if (!nowa) return Werdykt::zostaw;
    poprawiona = std::move(*nowa);
    return Werdykt::popraw;
  };
  LicznikiPrzebiegu liczniki;
  przepisz_scenerie(stan, Przebieg::wysokosc, ocena, dziennik, liczniki, okno, srodowisko.proba,
                    *srodowisko.operacje);
  zakoncz_przebieg(stan, Przebieg::wysokosc, liczniki, dziennik, okno,
                   [&] { indeks.usun_indeks(); });
}

}  // namespace wyrownik
