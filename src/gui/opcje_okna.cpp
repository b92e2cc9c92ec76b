#include "gui/opcje_okna.hpp"

#include <string_view>

namespace wyrownik {

const char* const uzycie_okna =
    "usage: wyrownik [--program-dir DIR]\n"
    "  --program-dir DIR  read wyrownik.ini from DIR and write Log_korekcja.txt there\n"
    "                     (default: the directory of the executable)\n";

std::optional<OpcjeOkna> parsuj_opcje_okna(const std::vector<std::string>& argumenty,
                                           std::string& blad) {
  constexpr std::string_view opcja = "--program-dir";
  OpcjeOkna opcje;
  for (std::size_t i = 0; i < argumenty.size(); ++i) {
    const std::string& a = argumenty[i];
    if (a == "--help" || a == "-h") {
      opcje.pomoc = true;
    } else if (a == opcja) {
      if (i + 1 >= argumenty.size()) {
        blad = "--program-dir needs a directory";
        return std::nullopt;
      }
      opcje.katalog_programu = argumenty[++i];
    } else if (a.size() > opcja.size() && a.compare(0, opcja.size(), opcja) == 0 &&
               a[opcja.size()] == '=') {
      opcje.katalog_programu = a.substr(opcja.size() + 1);
    } else {
      blad = "unknown argument: " + a;
      return std::nullopt;
    }
    if (opcje.katalog_programu && opcje.katalog_programu->empty()) {
      blad = "--program-dir needs a directory";
      return std::nullopt;
    }
  }
  return opcje;
}

}  // namespace wyrownik
