// One copy at a time per program directory: the window and the command line
// share the log, the ini and the scratch files of that directory.
#pragma once

#include <filesystem>
#include <optional>

namespace wyrownik {

// An exclusive lock on a file in the temporary directory whose name is derived
// from the canonical program directory. It is an advisory flock(), so the
// system drops it when the process ends in any way, a crash included; the
// lock file itself stays behind (it is empty and reused by the next copy).
class Blokada {
 public:
  // Takes the lock for `katalog_programu`; nullopt when another process holds
  // it. Throws BladPliku when the lock file cannot be opened or locked for a
  // reason other than another holder.
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
  explicit Blokada(int deskryptor) : deskryptor_(deskryptor) {}
  void zwolnij() noexcept;

  int deskryptor_ = -1;
};

// The lock file of a program directory. Two spellings of one directory
// (relative, with "..", through a symbolic link, with a trailing separator)
// give the same file.
std::filesystem::path plik_blokady(const std::filesystem::path& katalog_programu);

}  // namespace wyrownik
