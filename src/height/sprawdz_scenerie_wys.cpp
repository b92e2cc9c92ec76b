#include "height/sprawdz_scenerie_wys.hpp"

#include <algorithm>
#include <optional>

#include "height/czytaj_teren.hpp"
#include "height/popraw_wysokosc.hpp"
#include "scenery/dziennik.hpp"
#include "scenery/indeks.hpp"
#include "scenery/linia.hpp"
#include "scenery/przepisanie.hpp"
#include "scenery/sciezki.hpp"
#include "scenery/teksty_statusu.hpp"

namespace wyrownik {

namespace {

void zbierz_teren(const StanScenerii& stan, const Konfiguracja& konf, Indeks& indeks, Postep& postep) {
  const OdbiorcaTrojkatow dodaj_trojkat = [&](const Trojkat& t) {
    const auto [x_min, x_max] = std::minmax({t.v[0].x, t.v[1].x, t.v[2].x});
    const auto [z_min, z_max] = std::minmax({t.v[0].z, t.v[1].z, t.v[2].z});
    const auto nr = indeks.dopisz_rekord(t.jako_rekord());
    indeks.rejestruj_w_komorkach(nr, x_min, x_max, z_min, z_max);
  };
  for (const auto& nazwa : stan.lista_plikow) {
    pokaz_i_odswiez(postep, Etykieta::label4, status::z_nazwa(status::czytam_plik, nazwa));
    const auto plik = znajdz_w_scenerii(stan.katalog, nazwa);
    if (!plik || !std::filesystem::is_regular_file(*plik)) continue;
    czytaj_teren(*plik, konf, dodaj_trojkat);
  }
}

}  // namespace

void sprawdz_scenerie_wys(StanScenerii& stan, const Srodowisko& srodowisko, OknoPartii& okno) {
  const Pasmo pasmo{liczba_na_poczatku(okno.tekst(Pole::text1)), liczba_na_poczatku(okno.tekst(Pole::text2))};

  Indeks indeks = zaloz_indeks(stan, okno);
  Dziennik dziennik(srodowisko.plik_logu, *srodowisko.operacje);

  okno.pokaz(Etykieta::label3, status::faza_iii);
  pokaz_i_odswiez(okno, Etykieta::label4, "");
  zbierz_teren(stan, srodowisko.konfiguracja, indeks, okno);

  const PrzejdzKomorke przejdz = [&](double x, double z, const std::function<void(const Trojkat&)>& test) {
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
  zakoncz_przebieg(stan, Przebieg::wysokosc, liczniki, dziennik, okno, [&] { indeks.usun_indeks(); });
}

}  // namespace wyrownik
