// Undoing the newest kept batch from its backup folder.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/kopie_zapasowe.hpp"
#include "backup/pominiecie.hpp"
#include "platform/plik_zapisu.hpp"

namespace wyrownik {

// Why a whole batch was refused: nothing of it was restored.
enum class Odmowa {
  brak,
  nieczytelny_spis,  // the manifest has no header
  brak_katalogu,     // the manifest does not say where the batch worked
  inny_katalog,      // made in another scenery directory than the one configured now
};

struct PlikPominiety {
  std::string nazwa;           // as the manifest names it, Windows-1250
  std::filesystem::path plik;  // where it would be restored (empty for a name leading outside)
  Pominiecie powod;
};

struct WynikCofniecia {
  bool bylo_co_cofac = false;
  std::string czas;                                // of the batch undone
  std::vector<std::filesystem::path> przywrocone;  // also those found as before the batch
  std::vector<PlikPominiety> pominiete;
  std::size_t uszkodzone = 0;  // damaged records of the manifest: what they named stays
  Odmowa odmowa = Odmowa::brak;
  std::filesystem::path katalog_partii;  // the scenery directory the batch names (inny_katalog)
  std::filesystem::path folder;          // the backup folder undone or refused
  std::vector<std::string> ostrzezenia;  // housekeeping that failed (the folder not removed)
  bool przerwane = false;                // stopped on request between two files

  // Everything the batch changed is as before it.
  bool w_calosci() const {
    return odmowa == Odmowa::brak && pominiete.empty() && uszkodzone == 0 && !przerwane;
  }
};

// Restores the files of the newest kept batch, each atomically (a copy beside
// it in the scenery directory, synced, renamed over), and only inside
// `katalog_scenerii`, the scenery directory configured now: a batch made for
// another is refused whole, and a name leading outside (absolute, "..",
// through a link) is left alone. A file is restored only while it still holds
// what the batch wrote and its kept copy still holds what it held before; a
// file already holding that is counted as restored. Each restored file is
// marked in the manifest at once, so a repeated undo never restores it again;
// a batch wholly restored loses its folder. Never skips the newest batch to
// reach an older one. Throws BladPliku when a restore fails (that file is
// then as it was).
// `po_pliku` hears of each file as soon as it is restored or left alone;
// false from it stops the undo there (`przerwane`): the files restored so far
// are marked, the rest wait for the next undo.
WynikCofniecia cofnij_ostatnia_partie(
    const std::filesystem::path& katalog_programu, const std::filesystem::path& katalog_scenerii,
    const std::function<bool(const std::filesystem::path& plik, std::optional<Pominiecie> powod)>&
        po_pliku,
    OperacjeSystemu& operacje);

}  // namespace wyrownik
