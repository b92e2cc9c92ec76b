#include "platform/plik_odczytu.hpp"

namespace wyrownik {

std::string wczytaj_plik(const std::filesystem::path& sciezka) {
  PlikOdczytu czytany(sciezka);
  std::string tresc;
  char bufor[1 << 16];
  for (std::size_t n; (n = czytany.czytaj(bufor, sizeof bufor)) > 0;) tresc.append(bufor, n);
  return tresc;
}

}  // namespace wyrownik
