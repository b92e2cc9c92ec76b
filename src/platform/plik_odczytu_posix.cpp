#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/bledy.hpp"
#include "platform/plik_odczytu.hpp"

namespace wyrownik {

PlikOdczytu::PlikOdczytu(const std::filesystem::path& sciezka) : sciezka_(sciezka) {
  const int fd = ::open(sciezka.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw BladPliku("cannot open", sciezka, ostatni_blad_systemu());
  uchwyt_ = fd;
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);  // a hint: its failure changes nothing
#endif
}

PlikOdczytu::~PlikOdczytu() {
  zamknij();
}

void PlikOdczytu::zamknij() noexcept {
  if (uchwyt_ >= 0) ::close(static_cast<int>(uchwyt_));
  uchwyt_ = -1;
}

std::size_t PlikOdczytu::czytaj(char* dane, std::size_t ile) {
  if (uchwyt_ < 0) return 0;
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(uchwyt_), dane, ile);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw BladPliku("cannot read", sciezka_, ostatni_blad_systemu());
  }
}

}  // namespace wyrownik
