#include "platform/operacje_systemu.hpp"

namespace wyrownik {

std::error_code OperacjeSystemu::utworz_katalogi(const std::filesystem::path& katalog) {
  std::error_code blad;
  std::filesystem::create_directories(katalog, blad);
  return blad;
}

OperacjeSystemu& operacje_systemowe() {
  static OperacjeSystemu systemowe;  // no state: the system's own calls
  return systemowe;
}

}  // namespace wyrownik
