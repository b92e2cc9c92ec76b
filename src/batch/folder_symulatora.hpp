// The simulator folder chosen by the user (the window's first run, the
// command line's `config --simulator`) and written into wyrownik.ini.
#pragma once

#include <filesystem>
#include <string_view>

#include "config/komunikaty.hpp"
#include "platform/operacje_systemu.hpp"

namespace wyrownik {

enum class WyborFolderu {
  zapisany,          // wyrownik.ini names it now
  brak_scenery,      // no "scenery" folder in it, in any letter case
  sciezka_poza_ini,  // its path cannot be written as an ini line reads back
};

// Writes `folder` into the program directory's wyrownik.ini as the
// simulator's folder, but only once start-up will find its scenery folder
// through the text the ini then holds; otherwise nothing is written. Throws
// BladPliku when the ini cannot be written (it stays as it was).
WyborFolderu ustaw_folder_symulatora(const std::filesystem::path& katalog_programu,
                                     const std::filesystem::path& folder,
                                     OperacjeSystemu& operacje);

// The message (Windows-1250) of a refused folder: start-up's own where it
// has one.
std::string_view komunikat_wyboru(WyborFolderu wybor);

}  // namespace wyrownik
