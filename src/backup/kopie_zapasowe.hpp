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
#include <unordered_set>
#include <vector>

#include "backup/spis_kopii.hpp"
#include "platform/plik_zapisu.hpp"

namespace wyrownik {

// kopie/RRRR-MM-DD_GG-MM-SS/ in the program directory: never inside the
// scenery directory, where the simulator would read the copies.
inline constexpr std::string_view nazwa_katalogu_kopii = "kopie";
// The kept files, under their paths relative to the scenery directory: in a
// folder of their own, so that no scenery file can take the manifest's name.
inline constexpr std::string_view nazwa_katalogu_plikow = "pliki";
inline constexpr std::size_t ile_kopii_trzymac = 10;

// The backup of one batch, made at its first replacement: the folder (the
// oldest beyond the last ten removed then), then for each replaced file its
// old content (a hard link where possible, else a synced copy) and a line of
// the manifest spis.txt, synced before the file is replaced. Every failure
// throws, before the file is touched; but an old folder that cannot be
// removed now is housekeeping left for a later batch, with a warning.
class KopiaZapasowa {
 public:
  // `ustawienia` describes the batch (run, texts) for the manifest.
  KopiaZapasowa(std::filesystem::path katalog_programu, std::string ustawienia,
                OperacjeSystemu& operacje);

  // Keeps `plik` of the scenery directory `katalog_scenerii` (of the scenery
  // `sceneria`) before `nowa_tresc`, closed and on disk, takes its place.
  // Everything it made is synced to disk before it returns.
  void zachowaj(const std::filesystem::path& katalog_scenerii, std::string_view sceneria,
                const std::filesystem::path& plik, const std::filesystem::path& nowa_tresc);

  // The folder of this batch's backup; empty until the first file is kept.
  const std::filesystem::path& katalog() const { return katalog_; }
  // Old folders that could not be removed, each said in a line.
  const std::vector<std::string>& ostrzezenia() const { return ostrzezenia_; }

 private:
  void zaloz(const std::filesystem::path& katalog_scenerii);
  void usun_stare();

  std::filesystem::path katalog_programu_;
  std::string ustawienia_;
  OperacjeSystemu* operacje_;
  std::filesystem::path katalog_;
  std::filesystem::path katalog_scenerii_;  // as the system resolves it, links followed
  std::string sceneria_;
  // Files kept so far (relative paths) and the old content of each: a file
  // replaced twice in one batch keeps its first old content.
  std::unordered_map<std::string, OdciskPliku> zachowane_;
  // Folders under pliki/ whose entries have been synced in this batch.
  std::unordered_set<std::filesystem::path::string_type> zsynchronizowane_;
  std::vector<std::string> ostrzezenia_;
};

// A kept batch as the manifest describes it.
struct OpisKopii {
  std::filesystem::path katalog;  // its folder
  std::string czas;               // "RRRR-MM-DD GG:MM:SS"
  std::string ustawienia;         // run and texts
  std::filesystem::path katalog_scenerii;
  std::size_t ile_plikow = 0;         // files kept
  std::size_t ile_przywroconych = 0;  // of them already restored by an undo
  std::size_t uszkodzone = 0;         // records of the manifest that failed their check
  bool czytelny = true;               // false: the manifest has no header; nothing else is known
};

// The kept batches, oldest first; a folder whose manifest holds no whole
// line (its batch replaced nothing) is passed over.
std::vector<OpisKopii> lista_kopii(const std::filesystem::path& katalog_programu,
                                   OperacjeSystemu& operacje);

// The folders of kept batches, oldest first (their names sort by time).
std::vector<std::filesystem::path> foldery_kopii(const std::filesystem::path& katalog_programu);

}  // namespace wyrownik
