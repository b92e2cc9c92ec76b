// The command line of the desktop program.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wyrownik {

struct OpcjeOkna {
  // --program-dir DIR: where wyrownik.ini is read and the log written;
  // default: the executable's own directory.
  std::optional<std::string> katalog_programu;
  bool pomoc = false;  // --help
};

// Parses the arguments after the program name (the toolkit's own options
// already taken out); nullopt with `blad` set on wrong usage.
std::optional<OpcjeOkna> parsuj_opcje_okna(const std::vector<std::string>& argumenty,
                                           std::string& blad);

extern const char* const uzycie_okna;

}  // namespace wyrownik
