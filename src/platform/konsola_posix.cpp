#include "platform/konsola.hpp"

namespace wyrownik {

std::vector<std::string> argumenty_utf8(int, const wchar_t* const*) {
  return {};  // POSIX programs take their arguments as bytes
}

void przygotuj_konsole() {}

void wyjscie_binarne() {}

}  // namespace wyrownik
