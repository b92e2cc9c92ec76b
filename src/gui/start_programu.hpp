// The start of a desktop program before its window: one copy per program
// directory.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/blokada.hpp"

namespace wyrownik {

struct ZajecieProgramu {
  std::optional<Blokada> blokada;  // held for the program's life
  int kod_wyjscia = 0;             // without the lock: the program ends with it
};

// Takes the program directory's lock. Another copy holding it ends this one
// silently (code 0). A lock that cannot even be checked ends it after
// `blad` has shown why (code 1): two copies could share the log and the
// scratch files otherwise. `blad` gets UTF-8.
ZajecieProgramu zajmij_program(const std::filesystem::path& katalog,
                               const std::function<void(std::string_view)>& blad);

}  // namespace wyrownik
