#include "batch/cofniecie.hpp"

#include <optional>
#include <system_error>

#include "batch/partia.hpp"
#include "platform/blokada.hpp"
#include "platform/nazwy.hpp"
#include "scenery/dziennik.hpp"

namespace wyrownik {

WynikCofniecia cofnij_partie(const std::filesystem::path& katalog_programu,
                             const OperacjeZapisu& operacje) {
  const auto kopie = lista_kopii(katalog_programu);
  if (kopie.empty()) return {};
  const auto& katalog = kopie.back().katalog_scenerii;
  // The front end holds the program directory's lock; a scenery directory
  // that is the program directory itself takes no second one.
  std::error_code blad;
  std::optional<Blokada> blokada;
  if (!std::filesystem::equivalent(katalog, katalog_programu, blad)) {
    blokada = Blokada::zajmij_katalog(katalog);
    if (!blokada) {
      throw InnaKopiaPracuje("another copy of wyrownik is working in " + bajty_sciezki(katalog));
    }
  }
  Dziennik dziennik(katalog_programu / "Log_korekcja.txt", operacje);
  WynikCofniecia wynik = cofnij_ostatnia_partie(
      katalog_programu,
      [&](const std::filesystem::path& plik, bool przywrocony) {
        if (przywrocony) {
          dziennik.przywrocenie(bajty_sciezki(plik));
        } else {
          dziennik.pominiecie(bajty_sciezki(plik));
        }
        dziennik.oproznij();
      },
      operacje);
  dziennik.zamknij();
  return wynik;
}

}  // namespace wyrownik
