// One copy at a time per program directory: the window and the command line
// share the log, the ini and the scratch files of that directory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/uchwyt.hpp"

namespace wyrownik {

// An exclusive lock keyed on a directory whatever its spelling (relative,
// "..", a link, a trailing separator, letter case where the file system
// ignores it) and whatever the environment; it leaves no file behind, and
// the system drops it when the process ends in any way, a crash included.
// POSIX: flock() on the directory itself. Windows: a named mutex whose name
// is a hash of the directory's final path, folded to upper case.
class Blokada {
 public:
  // Takes the lock of the program directory; nullopt when another process
  // holds it. Throws BladPliku when the directory cannot be opened or locked
  // for a reason other than another holder.
  static std::optional<Blokada> zajmij(const std::filesystem::path& katalog_programu);

  // Takes the lock of a directory itself (flock() on the directory): keyed on
  // the directory whatever its spelling, and it leaves no file behind.
  // nullopt when another process holds it. Throws BladPliku when the
  // directory cannot be opened or locked for another reason.
  static std::optional<Blokada> zajmij_katalog(const std::filesystem::path& katalog);

  Blokada(Blokada&& inna) noexcept;
  Blokada& operator=(Blokada&& inna) noexcept;
  Blokada(const Blokada&) = delete;
  Blokada& operator=(const Blokada&) = delete;
  ~Blokada();

 private:
  explicit Blokada(Uchwyt uchwyt) : uchwyt_(uchwyt) {}
  void zwolnij() noexcept;

  Uchwyt uchwyt_ = brak_uchwytu;  // a descriptor, a mutex handle
};

}  // namespace wyrownik
