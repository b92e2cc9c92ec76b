// The POSIX system calls of checked writing.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"

namespace wyrownik {

namespace {

int deskryptor(Uchwyt uchwyt) {
  return static_cast<int>(uchwyt);
}

std::error_code otworz_systemowo(const std::filesystem::path& sciezka, TrybZapisu tryb,
                                 Uchwyt& uchwyt) {
  int flagi = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW;
  switch (tryb) {
    case TrybZapisu::nowy:
      if (::unlink(sciezka.c_str()) != 0 && errno != ENOENT) return ostatni_blad_systemu();
      flagi |= O_EXCL;
      break;
    case TrybZapisu::wyczysc:
      flagi |= O_TRUNC;
      break;
    case TrybZapisu::dopisz:
      flagi |= O_APPEND;
      break;
  }
  const int fd = ::open(sciezka.c_str(), flagi, 0666);
  if (fd < 0) return ostatni_blad_systemu();
  uchwyt = fd;
  return {};
}

std::error_code pisz_systemowo(Uchwyt uchwyt, const char* dane, std::size_t ile,
                               std::size_t& zapisane) {
  for (;;) {
    const ssize_t n = ::write(deskryptor(uchwyt), dane, ile);
    if (n > 0) {
      zapisane = static_cast<std::size_t>(n);
      return {};
    }
    if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
    if (errno != EINTR) return ostatni_blad_systemu();
  }
}

std::error_code synchronizuj_systemowo(Uchwyt uchwyt) {
  return ::fsync(deskryptor(uchwyt)) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code zamknij_systemowo(Uchwyt uchwyt) {
  return ::close(deskryptor(uchwyt)) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code zmien_nazwe_systemowo(const std::filesystem::path& z,
                                      const std::filesystem::path& na) {
  // rename() replaces the target atomically on POSIX: readers see either the
  // old file or the whole new one, and a failure leaves the old one in place.
  return std::rename(z.c_str(), na.c_str()) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code dowiaz_systemowo(const std::filesystem::path& plik,
                                 const std::filesystem::path& nowa) {
  return ::link(plik.c_str(), nowa.c_str()) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

}  // namespace

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

const OperacjeZapisu& operacje_systemowe() {
  static constexpr OperacjeZapisu systemowe{otworz_systemowo,       pisz_systemowo,
                                            synchronizuj_systemowo, zamknij_systemowo,
                                            zmien_nazwe_systemowo,  dowiaz_systemowo};
  return systemowe;
}

}  // namespace wyrownik
