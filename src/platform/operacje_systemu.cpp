#include "platform/operacje_systemu.hpp"

#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"

namespace wyrownik {

std::error_code OperacjeSystemu::utworz_katalogi(const std::filesystem::path& katalog) {
  std::error_code blad;
  std::filesystem::create_directories(katalog, blad);
  return blad;
}

std::error_code OperacjeSystemu::usun(const std::filesystem::path& sciezka) {
  try {
    usun_plik(sciezka);
  } catch (const BladPliku& b) {
    return b.kod();
  }
  return {};
}

OperacjeSystemu& operacje_systemowe() {
  static OperacjeSystemu systemowe;  // no state: the system's own calls
  return systemowe;
}

}  // namespace wyrownik
