#include "platform/bledy.hpp"

#include <cerrno>

#include "platform/nazwy.hpp"

#ifdef _WIN32
#include "platform/windows.hpp"
#endif

namespace wyrownik {

namespace {
std::string opis(const std::string& czynnosc, const std::filesystem::path& sciezka,
                 std::error_code kod) {
  std::string tekst = czynnosc + " " + bajty_sciezki(sciezka);
  if (kod) tekst += ": " + kod.message();
  return tekst;
}
}  // namespace

BladPliku::BladPliku(const std::string& czynnosc, const std::filesystem::path& sciezka,
                     std::error_code kod)
    : Blad(opis(czynnosc, sciezka, kod)), sciezka_(sciezka), kod_(kod) {}

std::error_code ostatni_blad_systemu() {
#ifdef _WIN32
  return {static_cast<int>(GetLastError()), std::system_category()};
#else
  return {errno, std::system_category()};
#endif
}

}  // namespace wyrownik
