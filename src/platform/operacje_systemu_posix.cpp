// The POSIX system calls behind every file wyrownik reads, writes or maps.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/bledy.hpp"
#include "platform/operacje_systemu.hpp"

namespace wyrownik {

namespace {

int deskryptor(Uchwyt uchwyt) {
  return static_cast<int>(uchwyt);
}

std::error_code z_kodu(int kod) {
  return kod == 0 ? std::error_code{} : std::error_code(kod, std::system_category());
}

}  // namespace

std::error_code OperacjeSystemu::otworz(const std::filesystem::path& sciezka, TrybZapisu tryb,
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

std::error_code OperacjeSystemu::pisz(Uchwyt uchwyt, const char* dane, std::size_t ile,
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

std::error_code OperacjeSystemu::synchronizuj(Uchwyt uchwyt) {
  return ::fsync(deskryptor(uchwyt)) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code OperacjeSystemu::zamknij(Uchwyt uchwyt) {
  return ::close(deskryptor(uchwyt)) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code OperacjeSystemu::zmien_nazwe(const std::filesystem::path& z,
                                             const std::filesystem::path& na) {
  // rename() replaces the target atomically on POSIX: readers see either the
  // old file or the whole new one, and a failure leaves the old one in place.
  return std::rename(z.c_str(), na.c_str()) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code OperacjeSystemu::dowiaz(const std::filesystem::path& plik,
                                        const std::filesystem::path& nowa) {
  return ::link(plik.c_str(), nowa.c_str()) == 0 ? std::error_code{} : ostatni_blad_systemu();
}

std::error_code OperacjeSystemu::otworz_do_odczytu(const std::filesystem::path& sciezka,
                                                   Uchwyt& uchwyt) {
  const int fd = ::open(sciezka.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ostatni_blad_systemu();
#ifdef POSIX_FADV_SEQUENTIAL
  // Read in order: the system reads ahead. A hint; its failure changes nothing.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
  uchwyt = fd;
  return {};
}

std::error_code OperacjeSystemu::czytaj(Uchwyt uchwyt, char* dane, std::size_t ile,
                                        std::size_t& przeczytane) {
  for (;;) {
    const ssize_t n = ::read(deskryptor(uchwyt), dane, ile);
    if (n >= 0) {
      przeczytane = static_cast<std::size_t>(n);
      return {};
    }
    if (errno != EINTR) return ostatni_blad_systemu();
  }
}

std::error_code OperacjeSystemu::rezerwuj(Uchwyt uchwyt, std::size_t obecna, std::size_t dlugosc) {
#ifdef __APPLE__
  // No posix_fallocate there; a sparse extension is the best available.
  (void)obecna;
  return ::ftruncate(deskryptor(uchwyt), static_cast<off_t>(dlugosc)) == 0 ? std::error_code{}
                                                                           : ostatni_blad_systemu();
#else
  // Allocated blocks: a sparse file would turn a full disk into SIGBUS on the
  // first write through the mapping.
  int kod;
  do {
    kod = ::posix_fallocate(deskryptor(uchwyt), static_cast<off_t>(obecna),
                            static_cast<off_t>(dlugosc - obecna));
  } while (kod == EINTR);
  return z_kodu(kod);
#endif
}

}  // namespace wyrownik
