// The file loop of "FAZA III" and "FAZA IV": every file of the scenery, in
// list order, the progress naming each.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// Tells the phase, then for each listed name (up to an empty one, which ends
// the list) tells the file and calls
// `dzialanie` with the name and the file's path; names without a regular file inside the scenery
// directory are passed over silently. Failures of `dzialanie` propagate.
// The path of list entry `nr`: nullopt past the list's end, at an empty
// name, and for a name without a regular file inside the scenery directory.
std::optional<std::filesystem::path> plik_listy(const StanScenerii& stan, std::size_t nr);

void dla_plikow_fazy(const StanScenerii& stan, Faza faza, Postep& postep,
                     const std::function<void(std::size_t nr, std::string_view wpis,
                                              const std::filesystem::path& plik)>& dzialanie);

}  // namespace wyrownik
