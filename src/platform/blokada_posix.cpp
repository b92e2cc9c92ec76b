#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>
#include <utility>

#include "platform/bledy.hpp"
#include "platform/blokada.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// Takes the exclusive lock on the open descriptor `d` (its owner from now
// on): true when taken, false when another holder has it.
bool zablokuj(int d, const fs::path& sciezka) {
  int wynik;
  do {
    wynik = ::flock(d, LOCK_EX | LOCK_NB);
  } while (wynik != 0 && errno == EINTR);
  if (wynik == 0) return true;
  const int kod = errno;
  ::close(d);
  if (kod == EWOULDBLOCK) return false;
  throw BladPliku("flock", sciezka, std::error_code(kod, std::system_category()));
}

}  // namespace

std::optional<Blokada> Blokada::zajmij(const fs::path& katalog_programu) {
  return zajmij_katalog(katalog_programu);
}

std::optional<Blokada> Blokada::zajmij_katalog(const fs::path& katalog) {
  const int d = ::open(katalog.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (d < 0) throw BladPliku("open", katalog, ostatni_blad_systemu());
  if (!zablokuj(d, katalog)) return std::nullopt;
  return Blokada(d);
}

void Blokada::zwolnij() noexcept {
  // Closing the only descriptor of the open file releases the flock.
  if (uchwyt_ >= 0) ::close(static_cast<int>(uchwyt_));
  uchwyt_ = -1;
}

}  // namespace wyrownik
