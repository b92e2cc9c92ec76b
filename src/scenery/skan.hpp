// "FAZA I": the files of a scenery and the X/Z extents of what it places.
#pragma once

#include <cstddef>

#include "platform/operacje_systemu.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

inline constexpr std::size_t najwiecej_plikow = 65536;

// Reads stan.nazwa_scenerii in stan.katalog and, breadth-first, every file
// its file includes name, each once (names compared without regard to letter
// case, after "/" became "\" and "." and ".." steps were resolved). Fills stan.lista_plikow (main
// file first) and stan.zakres (from the start values; object positions, track end points and
// triangle vertices fold in).
//
// A name without an ordinary file inside the scenery directory is passed
// over silently. Throws BladPliku when a file cannot be read, BladDanych for
// the 65537th distinct name. Files are read through `operacje`.
void znajdz_min_max(StanScenerii& stan, Postep& postep, OperacjeSystemu& operacje);

}  // namespace wyrownik
