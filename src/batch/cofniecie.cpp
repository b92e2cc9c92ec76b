#include "batch/cofniecie.hpp"

#include <algorithm>
#include <optional>
#include <system_error>

#include "batch/partia.hpp"
#include "log/dziennik.hpp"
#include "platform/blokada.hpp"
#include "platform/nazwy.hpp"

namespace wyrownik {

WynikCofniecia cofnij_partie(const std::filesystem::path& katalog_programu,
                             const std::filesystem::path& katalog_scenerii,
                             OperacjeSystemu& operacje, const std::function<bool()>& przerwac) {
  const auto blokada = zajmij_pliki_robocze(katalog_scenerii, katalog_programu);
  std::optional<Dziennik> dziennik;  // opened at the first file: a refusal writes nothing
  WynikCofniecia wynik = cofnij_ostatnia_partie(
      katalog_programu, katalog_scenerii,
      [&](const std::filesystem::path& plik, std::optional<Pominiecie> powod) {
        if (!dziennik) dziennik.emplace(katalog_programu / std::string(nazwa_logu), operacje);
        if (powod) {
          dziennik->pominiecie(bajty_sciezki(plik), *powod);
        } else {
          dziennik->przywrocenie(bajty_sciezki(plik));
        }
        dziennik->oproznij();
        return !przerwac();
      },
      operacje);
  if (dziennik) dziennik->zamknij();
  return wynik;
}

}  // namespace wyrownik
