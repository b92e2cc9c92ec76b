// The commands of wyrownik-cli, a file each, over the shared options; each
// tells its failures on `bledy` and returns the exit status.
#pragma once

#include <atomic>
#include <filesystem>
#include <ostream>
#include <string>

#include "batch/start.hpp"
#include "cli/opcje.hpp"
#include "cli/uruchom.hpp"

namespace wyrownik::cli {

// Output that is the answer (help, the list of backups): when it cannot be
// written, the command failed.
int odpowiedz(std::ostream& wyjscie, std::ostream& bledy, int kod);

// height, clearance: the batch over the named sceneries.
int polecenie_partii(const Opcje& opcje, const WynikStartu& start, std::ostream& wyjscie,
                     std::ostream& bledy, const std::atomic<int>& przerwanie);

// undo --list: one line per kept batch on stdout, oldest first.
int wypisz_kopie(const std::filesystem::path& katalog_programu, std::ostream& wyjscie,
                 std::ostream& bledy, OperacjeSystemu& operacje);
// undo: the newest kept batch restored inside the scenery directory now configured.
int cofnij(const std::filesystem::path& katalog_programu, const std::filesystem::path& katalog,
           std::ostream& bledy, const std::atomic<int>& przerwanie, OperacjeSystemu& operacje);

// config --simulator: the folder into the ini, as the window's first run writes it.
int ustaw_symulator(const std::filesystem::path& katalog_programu, const std::string& folder,
                    std::ostream& bledy, const std::atomic<int>& przerwanie,
                    OperacjeSystemu& operacje);

}  // namespace wyrownik::cli
