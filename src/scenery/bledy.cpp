#include "scenery/bledy.hpp"

#include <cstring>

namespace wyrownik {

namespace {
std::string opis(const std::string& czynnosc, const std::filesystem::path& sciezka, int kod) {
  std::string tekst = czynnosc + " " + sciezka.string();
  if (kod != 0) tekst += ": " + std::string(std::strerror(kod));
  return tekst;
}
}  // namespace

BladPliku::BladPliku(const std::string& czynnosc, const std::filesystem::path& sciezka,
                     int errno_kod)
    : std::runtime_error(opis(czynnosc, sciezka, errno_kod)), sciezka_(sciezka), kod_(errno_kod) {}

}  // namespace wyrownik
