// "FAZA III" of both runs: every file of the scenery handed to the run's
// reader, the status line naming each.
#pragma once

#include <filesystem>
#include <functional>

#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// Shows "FAZA III", then for each listed name "Czytam plik: " and the name,
// and calls `czytaj` with the file's path; names without a regular file are
// passed over silently. Failures of `czytaj` propagate.
void czytaj_pliki_scenerii(const StanScenerii& stan, Postep& postep,
                           const std::function<void(const std::filesystem::path&)>& czytaj);

}  // namespace wyrownik
