// Undoing the last batch, for every front end.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "backup/przywracanie.hpp"

namespace wyrownik {

// Undoes the newest batch kept under the program directory's kopie/ inside
// `katalog_scenerii`, the scenery directory configured now, locked as a
// batch locks it: each file restored or left alone, one line each appended
// to Log_korekcja.txt. Throws BladPliku when a file cannot be restored or the
// log written, InnyEgzemplarzPracuje when a batch works in that scenery directory.
// `przerwac`, asked after each file, stops the undo there when it says so.
WynikCofniecia cofnij_partie(
    const std::filesystem::path& katalog_programu, const std::filesystem::path& katalog_scenerii,
    OperacjeSystemu& operacje, const std::function<bool()>& przerwac = [] { return false; });

}  // namespace wyrownik
