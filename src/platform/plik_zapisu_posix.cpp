// Directories and removal on POSIX.
#include <fcntl.h>
#include <unistd.h>

#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"

namespace wyrownik {

void synchronizuj_katalog(const std::filesystem::path& katalog) {
  const int fd =
      ::open(katalog.empty() ? "." : katalog.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// Only the directory's permission counts: a read-only file goes all the same.
void usun_plik(const std::filesystem::path& sciezka) {
  std::error_code blad;
  std::filesystem::remove(sciezka, blad);
  if (blad) throw BladPliku("cannot remove", sciezka, blad);
}

}  // namespace wyrownik
