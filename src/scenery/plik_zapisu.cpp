#include "scenery/plik_zapisu.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "scenery/bledy.hpp"

namespace wyrownik {

namespace {
int otworz_systemowo(const char* sciezka, int flagi, mode_t tryb) {
  return ::open(sciezka, flagi, tryb);
}
ssize_t pisz_systemowo(int fd, const void* dane, std::size_t ile) {
  return ::write(fd, dane, ile);
}
int synchronizuj_systemowo(int fd) {
  return ::fsync(fd);
}
int zamknij_systemowo(int fd) {
  return ::close(fd);
}
int zmien_nazwe_systemowo(const char* z, const char* na) {
  return std::rename(z, na);
}

void synchronizuj_katalog(const std::filesystem::path& katalog) {
  // Makes the rename itself durable; a failure here loses nothing already
  // renamed, so it is not reported.
  const int fd =
      ::open(katalog.empty() ? "." : katalog.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}
}  // namespace

const OperacjeZapisu& operacje_systemowe() {
  static constexpr OperacjeZapisu systemowe{otworz_systemowo, pisz_systemowo,
                                            synchronizuj_systemowo, zamknij_systemowo,
                                            zmien_nazwe_systemowo};
  return systemowe;
}

PlikZapisu::PlikZapisu(const std::filesystem::path& sciezka, Tryb tryb,
                       const OperacjeZapisu& operacje)
    : sciezka_(sciezka), operacje_(&operacje) {
  const int flagi = O_WRONLY | O_CREAT | O_CLOEXEC | (tryb == Tryb::nowy ? O_TRUNC : O_APPEND);
  fd_ = operacje_->otworz(sciezka.c_str(), flagi, 0666);
  if (fd_ < 0) throw BladPliku("cannot open for writing", sciezka, errno);
  bufor_.reserve(rozmiar_bufora);
}

PlikZapisu::~PlikZapisu() {
  if (fd_ >= 0) operacje_->zamknij(fd_);
}

void PlikZapisu::zapisz(std::string_view dane) {
  if (fd_ < 0) throw BladPliku("write to a closed file", sciezka_, 0);
  if (bufor_.size() + dane.size() > rozmiar_bufora) wypisz_bufor();
  if (dane.size() >= rozmiar_bufora) {
    bufor_.assign(dane);
    wypisz_bufor();
    return;
  }
  bufor_.append(dane);
}

void PlikZapisu::zapisz_linie(std::string_view linia) {
  zapisz(linia);
  zapisz("\r\n");
}

void PlikZapisu::wypisz_bufor() {
  std::size_t zapisane = 0;
  while (zapisane < bufor_.size()) {
    const ssize_t n = operacje_->pisz(fd_, bufor_.data() + zapisane, bufor_.size() - zapisane);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw BladPliku("cannot write", sciezka_, errno);
    }
    if (n == 0) throw BladPliku("cannot write", sciezka_, ENOSPC);
    zapisane += static_cast<std::size_t>(n);
  }
  bufor_.clear();
}

void PlikZapisu::oproznij(bool na_dysk) {
  wypisz_bufor();
  if (na_dysk && operacje_->synchronizuj(fd_) != 0) {
    throw BladPliku("cannot flush to disk", sciezka_, errno);
  }
}

void PlikZapisu::zamknij(bool na_dysk) {
  oproznij(na_dysk);
  const int fd = fd_;
  fd_ = -1;
  if (operacje_->zamknij(fd) != 0) throw BladPliku("cannot close", sciezka_, errno);
}

void utworz_pusty(const std::filesystem::path& sciezka, const OperacjeZapisu& operacje) {
  PlikZapisu plik(sciezka, PlikZapisu::Tryb::nowy, operacje);
  plik.zamknij();
}

void zastap_plik(const std::filesystem::path& kopia, const std::filesystem::path& cel,
                 const OperacjeZapisu& operacje) {
  // rename() replaces the target atomically on POSIX: readers see either the
  // old file or the whole new one, and a failure leaves the old one in place.
  if (operacje.zmien_nazwe(kopia.c_str(), cel.c_str()) != 0) {
    throw BladPliku("cannot replace", cel, errno);
  }
  synchronizuj_katalog(cel.parent_path());
}

void usun_plik(const std::filesystem::path& sciezka) {
  std::error_code blad;
  std::filesystem::remove(sciezka, blad);
  if (blad) throw BladPliku("cannot remove", sciezka, blad.value());
}

}  // namespace wyrownik
