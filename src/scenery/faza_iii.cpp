#include "scenery/faza_iii.hpp"

#include <system_error>

#include "scenery/sciezki.hpp"
#include "scenery/teksty_statusu.hpp"

namespace wyrownik {

void czytaj_pliki_scenerii(const StanScenerii& stan, Postep& postep,
                           const std::function<void(const std::filesystem::path&)>& czytaj) {
  postep.pokaz(Etykieta::label3, status::faza_iii);
  pokaz_i_odswiez(postep, Etykieta::label4, "");
  for (const auto& nazwa : stan.lista_plikow) {
    pokaz_i_odswiez(postep, Etykieta::label4, status::z_nazwa(status::czytam_plik, nazwa));
    const auto plik = znajdz_w_scenerii(stan.katalog, nazwa);
    std::error_code blad;
    if (!plik || !std::filesystem::is_regular_file(*plik, blad)) continue;
    czytaj(*plik);
  }
}

}  // namespace wyrownik
