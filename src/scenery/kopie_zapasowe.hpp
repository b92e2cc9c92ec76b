// The way back: the files a batch replaces kept under the program directory,
// and the last batch undone from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/plik_zapisu.hpp"

namespace wyrownik {

// kopie/RRRR-MM-DD_GG-MM-SS/ in the program directory: never inside the
// scenery directory, where the simulator would read the copies.
inline constexpr std::string_view nazwa_katalogu_kopii = "kopie";
inline constexpr std::string_view nazwa_spisu = "spis.txt";
// The kept files, under their paths relative to the scenery directory: in a
// folder of their own, so that no scenery file can take the manifest's name.
inline constexpr std::string_view nazwa_katalogu_plikow = "pliki";
inline constexpr std::size_t ile_kopii_trzymac = 10;

// Size and FNV-1a hash of a file's bytes: enough to tell whether a file
// still holds what a batch wrote.
struct OdciskPliku {
  std::uint64_t rozmiar = 0;
  std::uint64_t skrot = 0;
  bool operator==(const OdciskPliku&) const = default;
};
// Throws BladPliku when the file cannot be read.
OdciskPliku odcisk_pliku(const std::filesystem::path& plik);

// The backup of one batch, made at its first replacement: the folder (the
// oldest beyond the last ten removed then), then for each replaced file its
// old content (a hard link where possible, else a synced copy) and a line of
// the manifest spis.txt, synced before the file is replaced. Every failure
// throws, before the file is touched.
class KopiaZapasowa {
 public:
  // `ustawienia` describes the batch (run, texts) for the manifest.
  KopiaZapasowa(std::filesystem::path katalog_programu, std::string ustawienia,
                const OperacjeZapisu& operacje = operacje_systemowe());

  // Keeps `plik` of the scenery directory `katalog_scenerii` (of the scenery
  // `sceneria`) before `nowa_tresc`, closed and on disk, takes its place.
  // Everything it made is synced to disk before it returns.
  void zachowaj(const std::filesystem::path& katalog_scenerii, std::string_view sceneria,
                const std::filesystem::path& plik, const std::filesystem::path& nowa_tresc);

  // The folder of this batch's backup; empty until the first file is kept.
  const std::filesystem::path& katalog() const { return katalog_; }

 private:
  void zaloz(const std::filesystem::path& katalog_scenerii);
  void dopisz_do_spisu(std::string_view linia);

  std::filesystem::path katalog_programu_;
  std::string ustawienia_;
  const OperacjeZapisu* operacje_;
  std::filesystem::path katalog_;
  std::filesystem::path katalog_scenerii_;  // as the system resolves it, links followed
  std::string sceneria_;
  // Files kept so far (relative paths) and the old content of each: a file
  // replaced twice in one batch keeps its first old content.
  std::unordered_map<std::string, OdciskPliku> zachowane_;
};

// A kept batch as the manifest describes it.
struct OpisKopii {
  std::filesystem::path katalog;  // its folder
  std::string czas;               // "RRRR-MM-DD GG:MM:SS"
  std::string ustawienia;         // run and texts
  std::filesystem::path katalog_scenerii;
  std::size_t ile_plikow = 0;         // files kept
  std::size_t ile_przywroconych = 0;  // of them already restored by an undo
};

// The kept batches, oldest first. A folder without a readable manifest is
// passed over.
std::vector<OpisKopii> lista_kopii(const std::filesystem::path& katalog_programu);

// The result of an undo.
struct WynikCofniecia {
  bool bylo_co_cofac = false;
  std::string czas;  // of the batch undone
  std::vector<std::filesystem::path> przywrocone;
  std::vector<std::filesystem::path> pominiete;  // changed since the batch, or gone
};

// Restores the files of the newest kept batch that still hold what it wrote,
// each atomically (a copy beside it in the scenery directory, synced, renamed
// over); a file changed since is left alone. Each restored file is marked in
// the manifest at once, so a repeated undo never restores it again; a batch
// wholly restored loses its folder. Throws BladPliku when a restore fails:
// that file is then as it was.
// `po_pliku` hears of each file as soon as it is restored (true) or left
// alone (false).
WynikCofniecia cofnij_ostatnia_partie(
    const std::filesystem::path& katalog_programu,
    const std::function<void(const std::filesystem::path&, bool przywrocony)>& po_pliku,
    const OperacjeZapisu& operacje = operacje_systemowe());

}  // namespace wyrownik
