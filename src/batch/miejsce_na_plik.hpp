// Where a file written on request (a patch) may go: never onto anything the
// batch reads or keeps.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "batch/partia.hpp"

namespace wyrownik {

// What `plik` already is to the batch of `scenerie` (list entries, Windows-1250)
// in `srodowisko`, told in a few words ("the log", "a file of the scenery
// main.scn"); nullopt where a new file may be written there. Compared by what
// the name leads to, not by its spelling: hard and symbolic links, "." and
// ".." steps, letter case where the system ignores it. Refused: a folder, a
// file any scenery of the batch lists (found by the same scan the batch
// makes, also one the batch would find once the patch had made it), the log,
// the map report, wyrownik.ini, a scratch file name of the scenery directory,
// and anything under the program directory's kopie/ (also a hard link of a
// kept file). Reads, never writes.
std::optional<std::string> zajete_przez_partie(const std::filesystem::path& plik,
                                               const Srodowisko& srodowisko,
                                               const std::vector<std::string>& scenerie);

}  // namespace wyrownik
