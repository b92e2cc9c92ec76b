#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "platform/bledy.hpp"
#include "platform/plik_mapowany.hpp"

namespace wyrownik {

void PlikMapowany::zamknij_widok() noexcept {
  if (mapa_ != nullptr) ::munmap(mapa_, pojemnosc_);
  mapa_ = nullptr;
  pojemnosc_ = 0;
  przygotowane_ = 0;
}

void PlikMapowany::przygotuj_do(std::size_t nowa) {
  constexpr std::size_t blok = 256 << 10;
  constexpr std::size_t strona = 4096;
  // From a page's start, as the call needs.
  const std::size_t od = std::max(przygotowane_, nowa - 1) / strona * strona;
  const std::size_t do_ = std::min(pojemnosc_, od + blok);
  przygotowane_ = std::max(do_, nowa);
#ifdef MADV_POPULATE_WRITE
  // Only a hint: failing (an older kernel), the pages fault in one by one.
  if (do_ > od) ::madvise(mapa_ + od, do_ - od, MADV_POPULATE_WRITE);
#endif
}

void PlikMapowany::przygotuj_do_zapisu(std::size_t od, std::size_t n) {
  constexpr std::size_t strona = 4096;
  if (mapa_ == nullptr || od >= pojemnosc_ || n == 0) return;
  const std::size_t do_ = od + std::min(n, pojemnosc_ - od);
  od = od / strona * strona;
#ifdef MADV_POPULATE_WRITE
  ::madvise(mapa_ + od, do_ - od, MADV_POPULATE_WRITE);
#endif
}

PlikMapowany::PlikMapowany(const std::filesystem::path& sciezka, std::size_t krok_wzrostu,
                           Dostep dostep, OperacjeSystemu& operacje)
    : sciezka_(sciezka),
      krok_wzrostu_(std::max<std::size_t>(krok_wzrostu, 1)),
      dostep_(dostep),
      operacje_(&operacje) {
  const int fd = ::open(sciezka.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) throw BladPliku("cannot open", sciezka, ostatni_blad_systemu());
  struct stat opis {};
  if (::fstat(fd, &opis) != 0) {
    const int kod = errno;
    ::close(fd);  // not zwolnij(): the length is unknown, nothing may be cut
    throw BladPliku("cannot read the size of", sciezka,
                    std::error_code(kod, std::system_category()));
  }
  uchwyt_ = fd;
  dlugosc_ = static_cast<std::size_t>(opis.st_size);
  try {
    if (dlugosc_ > 0) mapuj(dlugosc_);
  } catch (...) {
    zwolnij();
    throw;
  }
}

PlikMapowany PlikMapowany::bez_nazwy(const std::filesystem::path& katalog, std::size_t krok_wzrostu,
                                     Dostep dostep, OperacjeSystemu& operacje) {
#ifdef O_TMPFILE
  const int fd = ::open(katalog.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return PlikMapowany(fd, katalog, krok_wzrostu, dostep, operacje);
  // Only a file system without unnamed files falls back to a name.
  if (errno != EOPNOTSUPP && errno != EISDIR) {
    throw BladPliku("cannot make a scratch file in", katalog, ostatni_blad_systemu());
  }
#endif
  // A name of this process alone, gone as soon as the file is open.
  const std::string poczatek = "wyrownik-" + std::to_string(::getpid()) + "-";
  for (int n = 0; n < 100; ++n) {
    const auto sciezka = katalog / (poczatek + std::to_string(n) + ".tmp");
    const int nowy =
        ::open(sciezka.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (nowy < 0 && errno == EEXIST) continue;
    if (nowy < 0) throw BladPliku("cannot make a scratch file in", katalog, ostatni_blad_systemu());
    if (::unlink(sciezka.c_str()) != 0) {
      const auto kod = ostatni_blad_systemu();
      ::close(nowy);
      throw BladPliku("cannot remove", sciezka, kod);
    }
    return PlikMapowany(nowy, katalog, krok_wzrostu, dostep, operacje);
  }
  throw BladPliku("cannot make a scratch file in", katalog,
                  std::make_error_code(std::errc::file_exists));
}

void PlikMapowany::mapuj(std::size_t pojemnosc) {
#ifdef MREMAP_MAYMOVE
  // A view grown where it is, or moved whole, keeps the pages it has brought
  // in: mapped anew, every page touched so far would fault again. Failing,
  // it is mapped anew.
  if (mapa_ != nullptr && pojemnosc > pojemnosc_) {
    void* adres = ::mremap(mapa_, pojemnosc_, pojemnosc, MREMAP_MAYMOVE);
    if (adres != MAP_FAILED) {
      if (dostep_ == Dostep::wybrane) ::madvise(adres, pojemnosc, MADV_RANDOM);
      mapa_ = static_cast<char*>(adres);
      pojemnosc_ = pojemnosc;
      return;
    }
  }
#endif
  zamknij_widok();
#ifdef MAP_POPULATE
  // Pages all touched soon: one fault-in now instead of one fault each.
  const int wstepnie = dostep_ == Dostep::wszystkie ? MAP_POPULATE : 0;
#else
  const int wstepnie = 0;
#endif
  void* adres = ::mmap(nullptr, pojemnosc, PROT_READ | PROT_WRITE, MAP_SHARED | wstepnie,
                       static_cast<int>(uchwyt_), 0);
  if (adres == MAP_FAILED) throw BladPliku("cannot map", sciezka_, ostatni_blad_systemu());
  // A fault on one record would read ahead (and, in reserved space, zero)
  // pages that are never touched. Only a hint: failing, it changes nothing.
  if (dostep_ == Dostep::wybrane) ::madvise(adres, pojemnosc, MADV_RANDOM);
  mapa_ = static_cast<char*>(adres);
  pojemnosc_ = pojemnosc;
}

void PlikMapowany::wpisz(std::size_t od, const char* bajty, std::size_t n) {
  while (n > 0) {
    const ssize_t zapisane = ::pwrite(static_cast<int>(uchwyt_), bajty, n, static_cast<off_t>(od));
    if (zapisane < 0 && errno == EINTR) continue;
    if (zapisane <= 0) {
      // The space is reserved: a short write here is a failing device.
      throw BladPliku(
          "cannot write to", sciezka_,
          zapisane < 0 ? ostatni_blad_systemu() : std::make_error_code(std::errc::io_error));
    }
    const auto w = static_cast<std::size_t>(zapisane);
    bajty += w;
    od += w;
    n -= w;
  }
}

void PlikMapowany::rozszerz(std::size_t nowa_pojemnosc) {
  if (const auto blad = operacje_->rezerwuj(uchwyt_, pojemnosc_, nowa_pojemnosc)) {
    throw BladPliku("cannot extend", sciezka_, blad);
  }
  mapuj(nowa_pojemnosc);
}

void PlikMapowany::zamknij() {
  if (uchwyt_ < 0) return;
  int kod = 0;
  const char* czynnosc = nullptr;
  if (mapa_ != nullptr && ::munmap(mapa_, pojemnosc_) != 0) {
    kod = errno;
    czynnosc = "cannot unmap";
  }
  mapa_ = nullptr;
  pojemnosc_ = 0;
  // The reserve beyond the last record goes: the file holds exactly its records.
  if (::ftruncate(static_cast<int>(uchwyt_), static_cast<off_t>(dlugosc_)) != 0 &&
      czynnosc == nullptr) {
    kod = errno;
    czynnosc = "cannot truncate";
  }
  if (::close(static_cast<int>(uchwyt_)) != 0 && czynnosc == nullptr) {
    kod = errno;
    czynnosc = "cannot close";
  }
  uchwyt_ = -1;
  if (czynnosc != nullptr)
    throw BladPliku(czynnosc, sciezka_, std::error_code(kod, std::system_category()));
}

void PlikMapowany::zwolnij() noexcept {
  if (uchwyt_ < 0) return;
  zamknij_widok();
  if (::ftruncate(static_cast<int>(uchwyt_), static_cast<off_t>(dlugosc_)) != 0) {
    // Nothing more can be done on the failure path; the records are intact.
  }
  ::close(static_cast<int>(uchwyt_));
  uchwyt_ = -1;
}

}  // namespace wyrownik
