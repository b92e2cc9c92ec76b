// The manifest of a kept batch, spis.txt: what the batch was, where it
// worked, and per replaced file its size and hash before and after.
//
// Each line is one record, written and synced before the file it names is
// replaced, and begins with the FNV-1a hash of the rest of the line: a record
// torn by a crash or a full disk, or changed by hand, fails its own check and
// costs only itself. Manifests of the first format (the same records without
// the hash) are still read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plik_zapisu.hpp"

namespace wyrownik {

inline constexpr std::string_view nazwa_spisu = "spis.txt";

// Size and FNV-1a hash of a file's bytes: enough to tell whether a file
// still holds what a batch wrote.
struct OdciskPliku {
  std::uint64_t rozmiar = 0;
  std::uint64_t skrot = 0;
  bool operator==(const OdciskPliku&) const = default;
};
// Throws BladPliku when the file cannot be read.
OdciskPliku odcisk_pliku(const std::filesystem::path& plik, OperacjeSystemu& operacje);

// One replaced file: its name relative to the scenery directory, as the
// manifest spells it (Windows-1250 bytes), and what it held before and
// after the batch.
struct WpisSpisu {
  std::string sciezka;
  OdciskPliku przed, po;
  bool przywrocony = false;  // an undo already gave it back
};

struct Spis {
  std::string czas;              // "RRRR-MM-DD GG:MM:SS"
  std::string ustawienia;        // run and texts
  std::string katalog_scenerii;  // as bytes; empty when its record is damaged
  std::vector<WpisSpisu> pliki;  // each file once, in the order kept
  std::size_t uszkodzone = 0;    // records that failed their check (not the torn last)
  bool pierwszy_format = false;  // no hashes: records appended to it keep that form
  // The last line has no line end: where it begins, and whether it was
  // read as a whole record all the same.
  std::optional<std::uint64_t> bez_konca_od;
  bool bez_konca_przyjeta = false;
};

// The records of a manifest, each a line of the second format (a restore
// mark also of the first, to match the manifest it goes into).
std::string poczatek_spisu(std::string_view czas, std::string_view ustawienia,
                           std::string_view katalog_scenerii);
std::string rekord_scenerii(std::string_view sceneria);
std::string rekord_pliku(const OdciskPliku& przed, const OdciskPliku& po, std::string_view sciezka);
std::string rekord_przywrocenia(std::string_view sciezka, bool pierwszy_format);

// Appends the lines (each ended by CR LF) and syncs the manifest to disk.
// Throws BladPliku.
void dopisz_do_spisu(const std::filesystem::path& folder, std::string_view linie,
                     OperacjeSystemu& operacje);

// The manifest of a backup folder. nullopt when there is none, or when it
// names no scenery directory, no file and no damaged record (a batch
// stopped while writing its first records, before it replaced anything). A manifest whose first
// line is no header of either format throws BladDanych: it cannot be told what it covers. Throws
// BladPliku when it cannot be read.
std::optional<Spis> czytaj_spis(const std::filesystem::path& folder, OperacjeSystemu& operacje);

// Before records are appended to a manifest whose last line has no end: a
// torn record (its file never replaced) is cut off, a whole one gets its
// line end, so that what follows is not glued to it. Throws BladPliku.
void napraw_koniec_spisu(const std::filesystem::path& folder, const Spis& spis,
                         OperacjeSystemu& operacje);

}  // namespace wyrownik
