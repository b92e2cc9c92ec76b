#include "scenery/pliki_fazy.hpp"

#include <system_error>

#include "text/sciezki.hpp"

namespace wyrownik {

void dla_plikow_fazy(const StanScenerii& stan, Faza faza, Postep& postep,
                     const std::function<void(std::string_view wpis,
                                              const std::filesystem::path& plik)>& dzialanie) {
  postep.faza(faza, stan.nazwa_scenerii);
  for (const auto& nazwa : stan.lista_plikow) {
    if (nazwa.empty()) break;  // the list ends there
    postep.plik(nazwa);
    const auto plik = znajdz_w_scenerii(stan.katalog, nazwa, &stan.katalogi);
    std::error_code blad;
    if (!plik || !std::filesystem::is_regular_file(*plik, blad)) continue;
    dzialanie(nazwa, *plik);
  }
}

}  // namespace wyrownik
