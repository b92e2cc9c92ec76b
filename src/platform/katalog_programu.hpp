// Where the running program lies.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace wyrownik {

// The directory of the running executable: the default program directory,
// which holds wyrownik.ini and the log. `argv0` is the name the program was
// started under, used where the system cannot tell the executable itself: a
// name with a separator is taken as a path, a bare name is looked up in PATH.
// Throws BladPliku when the directory cannot be found, rather than guess
// the current directory and use the wrong ini and log.
std::filesystem::path katalog_programu(std::string_view argv0);

// The executable a shell would start for the bare name `nazwa`, looked up in
// the directories of `path` (a PATH value; an empty entry is the current
// directory); nullopt when none holds an executable of that name.
std::optional<std::filesystem::path> szukaj_w_path(std::string_view nazwa, std::string_view path);

}  // namespace wyrownik
