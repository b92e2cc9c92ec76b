// The words the window has for what the core tells it (UTF-8): here an
// undo's outcome. The command line has its own words (src/cli/).
#pragma once

#include <filesystem>
#include <string>

#include "backup/przywracanie.hpp"

namespace wyrownik {

// What the window tells of an undo: the files restored, those left alone, or
// why the whole batch was refused; details are in the log.
std::string opis_cofniecia(const WynikCofniecia& w, const std::filesystem::path& katalog_scenerii);

}  // namespace wyrownik
