// Undoing the last batch, for every front end.
#pragma once

#include <filesystem>

#include "scenery/kopie_zapasowe.hpp"

namespace wyrownik {

// Undoes the newest batch kept under the program directory's kopie/: its
// scenery directory locked as a batch locks it, each file restored or left
// alone, one line each appended to Log_korekcja.txt. Throws BladPliku when a
// file cannot be restored or the log written, InnaKopiaPracuje when a batch
// works in that scenery directory.
WynikCofniecia cofnij_partie(const std::filesystem::path& katalog_programu,
                             const OperacjeZapisu& operacje = operacje_systemowe());

}  // namespace wyrownik
