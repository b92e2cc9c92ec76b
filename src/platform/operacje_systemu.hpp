// The system calls whose failure can cost a user's work: each returns the
// system's reason. Everything that reads, writes, maps or creates a file goes
// through one of these, handed down from the front end, so that a test can
// fail any of them on demand (a full disk, a refused sync, a read error in
// the middle of a file) and prove that nothing is lost.
#pragma once

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "platform/uchwyt.hpp"

namespace wyrownik {

// A name that is a symbolic link is never followed in any mode: scratch
// files, the log and backups could otherwise be planted as links to any file
// the user may write.
enum class TrybZapisu {
  nowy,     // created anew: an existing file of that name is removed first
            // (so a hard link planted there loses nothing of its other names)
  wyczysc,  // created, or cut to zero length
  dopisz,   // created, or written on at its end
};

// The system's own calls; a test derives and fails the ones it needs.
// Calls may come from two threads at once (a file read ahead).
class OperacjeSystemu {
 public:
  virtual ~OperacjeSystemu() = default;

  virtual std::error_code otworz(const std::filesystem::path& sciezka, TrybZapisu tryb,
                                 Uchwyt& uchwyt);
  // Writes some of the bytes, at least one; `zapisane` tells how many.
  virtual std::error_code pisz(Uchwyt uchwyt, const char* dane, std::size_t ile,
                               std::size_t& zapisane);
  virtual std::error_code synchronizuj(Uchwyt uchwyt);
  // The handle is gone afterwards, whatever the result.
  virtual std::error_code zamknij(Uchwyt uchwyt);
  // Puts `z` in the place of `na` in one step, replacing it.
  virtual std::error_code zmien_nazwe(const std::filesystem::path& z,
                                      const std::filesystem::path& na);
  // Gives the existing file `plik` a second name `nowa` (a hard link).
  virtual std::error_code dowiaz(const std::filesystem::path& plik,
                                 const std::filesystem::path& nowa);

  // Opens for reading without blocking other programs: the simulator or an
  // editor may hold the same file open. Closed with zamknij().
  virtual std::error_code otworz_do_odczytu(const std::filesystem::path& sciezka, Uchwyt& uchwyt);
  // Reads up to `ile` bytes; `przeczytane` is 0 at the end of the file.
  virtual std::error_code czytaj(Uchwyt uchwyt, char* dane, std::size_t ile,
                                 std::size_t& przeczytane);

  // Makes a mapped file at least `dlugosc` bytes long with its blocks
  // allocated, so that a full disk fails here rather than as a fault on a
  // later write through the mapping.
  virtual std::error_code rezerwuj(Uchwyt uchwyt, std::size_t obecna, std::size_t dlugosc);

  // Creates the directory and those above it that are missing.
  virtual std::error_code utworz_katalogi(const std::filesystem::path& katalog);
  // Removes a file, or a link and not what it leads to; a name that is not
  // there is no failure.
  virtual std::error_code usun(const std::filesystem::path& sciezka);
};

OperacjeSystemu& operacje_systemowe();

}  // namespace wyrownik
