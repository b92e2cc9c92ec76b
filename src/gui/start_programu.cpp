#include "gui/start_programu.hpp"

#include <string>

#include "gui/tekst_okna.hpp"
#include "gui/teksty_okna.hpp"
#include "platform/bledy.hpp"
#include "platform/katalog_programu.hpp"

namespace wyrownik {

ZajecieProgramu zajmij_program(const OpcjeOkna& opcje, std::string_view argv0,
                               const std::function<void(std::string_view)>& blad) {
  ZajecieProgramu z;
  try {
    const auto& wskazany = opcje.katalog_programu;
    z.katalog = wskazany ? std::filesystem::path(std::u8string(wskazany->begin(), wskazany->end()))
                         : katalog_programu(argv0);
  } catch (const BladPliku& b) {
    blad(na_ekran(b.what()));
    z.kod_wyjscia = 1;
    return z;
  }
  try {
    z.blokada = Blokada::zajmij(z.katalog);
  } catch (const BladPliku& b) {
    blad(std::string(tekst::nieznana_blokada) + na_ekran(b.what()));
    z.kod_wyjscia = 1;
  }
  return z;
}

}  // namespace wyrownik
