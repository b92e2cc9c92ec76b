#include "gui/start_programu.hpp"

#include <string>

#include "gui/tekst_okna.hpp"
#include "platform/bledy.hpp"

namespace wyrownik {

ZajecieProgramu zajmij_program(const std::filesystem::path& katalog,
                               const std::function<void(std::string_view)>& blad) {
  ZajecieProgramu z;
  try {
    z.blokada = Blokada::zajmij(katalog);
  } catch (const BladPliku& b) {
    blad("Nie można sprawdzić, czy program już działa.\n" + na_ekran(b.what()));
    z.kod_wyjscia = 1;
  }
  return z;
}

}  // namespace wyrownik
