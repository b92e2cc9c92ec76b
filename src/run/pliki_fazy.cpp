#include "run/pliki_fazy.hpp"

#include <system_error>

#include "text/sciezki.hpp"

namespace wyrownik {

std::optional<std::filesystem::path> plik_listy(const StanScenerii& stan, std::size_t nr) {
  if (nr >= stan.lista_plikow.size() || stan.lista_plikow[nr].empty()) return std::nullopt;
  auto plik = znajdz_w_scenerii(stan.katalog, stan.lista_plikow[nr], stan.pamiec_katalogow());
  std::error_code blad;
  if (!plik || !std::filesystem::is_regular_file(*plik, blad)) return std::nullopt;
  return plik;
}

void dla_plikow_fazy(const StanScenerii& stan, Faza faza, Postep& postep,
                     const std::function<void(std::size_t nr, std::string_view wpis,
                                              const std::filesystem::path& plik)>& dzialanie) {
  postep.faza(faza, stan.nazwa_scenerii);
  for (std::size_t nr = 0; nr < stan.lista_plikow.size(); ++nr) {
    const std::string& nazwa = stan.lista_plikow[nr];
    if (nazwa.empty()) break;  // the list ends there
    postep.plik(nazwa);
    if (const auto plik = plik_listy(stan, nr)) dzialanie(nr, nazwa, *plik);
  }
}

}  // namespace wyrownik
