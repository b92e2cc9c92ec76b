// wyrownik-cli as a function, so tests can run it in-process with their own
// streams.
#pragma once

#include <atomic>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace wyrownik::cli {

enum KodWyjscia : int {
  kod_ok = 0,           // the batch ran to its end
  kod_blad_partii = 1,  // the batch stopped on a failure
  kod_blad_startu = 2,  // start-up failed (configuration, directories, another copy)
  kod_zmiany = 3,       // --check: the batch found something to change
  kod_uzycie = 64,      // wrong usage
};

// `argumenty` are argv[1..]; `katalog_programu` is the default program
// directory (the executable's own), empty when it could not be found: then
// only --program-dir lets the program start. Help goes to `wyjscie`; progress,
// messages and failures go to `bledy`. `przerwanie` turns non-zero when the
// user asks the program to stop (ProsbaPrzerwania::kod): a batch, an undo or
// a config stops cleanly at its next event point and the status is that
// value (130, 143); work that had ended by then keeps its own status.
int uruchom(const std::vector<std::string>& argumenty,
            const std::filesystem::path& katalog_programu, std::ostream& wyjscie,
            std::ostream& bledy, const std::atomic<int>& przerwanie);

}  // namespace wyrownik::cli
