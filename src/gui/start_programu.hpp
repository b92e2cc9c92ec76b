// The start of a desktop program before its window: its program directory,
// and one copy per program directory.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "gui/opcje_okna.hpp"
#include "platform/blokada.hpp"

namespace wyrownik {

struct ZajecieProgramu {
  std::filesystem::path katalog;   // the program directory
  std::optional<Blokada> blokada;  // held for the program's life
  int kod_wyjscia = 0;             // without the lock: the program ends with it
};

// The program directory (--program-dir, else the executable's own, `argv0`
// as katalog_programu() takes it) and its lock. Another copy holding the
// lock ends this one silently (code 0). A directory that cannot be found,
// or a lock that cannot even be checked, ends it after `blad` has shown why
// (code 1): two copies could share the log and the scratch files otherwise.
// `blad` gets UTF-8.
ZajecieProgramu zajmij_program(const OpcjeOkna& opcje, std::string_view argv0,
                               const std::function<void(std::string_view)>& blad);

}  // namespace wyrownik
