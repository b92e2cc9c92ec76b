#include "platform/blokada.hpp"

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

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// FNV-1a: stable across processes and builds, unlike std::hash, so the window
// and the command line agree on the name.
std::uint64_t skrot(const std::string& tekst) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : tekst) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

fs::path kanoniczny(const fs::path& katalog) {
  std::error_code blad;
  fs::path wynik = fs::weakly_canonical(fs::absolute(katalog, blad), blad);
  if (blad) wynik = fs::absolute(katalog, blad).lexically_normal();
  // "/a/b/" and "/a/b" are one directory.
  if (!wynik.has_filename() && wynik.has_relative_path()) wynik = wynik.parent_path();
  return wynik;
}

// Opens the lock file without ever following someone else's file into
// O_CREAT: in a sticky temporary directory, protected_regular refuses O_CREAT
// on another user's existing file, while a plain open of it is allowed and
// flock() needs no write access.
int otworz(const fs::path& plik) {
  for (int proba = 0; proba < 100; ++proba) {
    int d = ::open(plik.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (d >= 0 || errno != ENOENT) return d;
    d = ::open(plik.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (d >= 0 || errno != EEXIST) return d;
    // Another copy created it between the two calls: open it as it is.
  }
  errno = EEXIST;
  return -1;
}

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

fs::path plik_blokady(const fs::path& katalog_programu) {
  char nazwa[40];
  std::snprintf(nazwa, sizeof nazwa, "wyrownik-%016llx.lock",
                static_cast<unsigned long long>(skrot(kanoniczny(katalog_programu).string())));
  std::error_code blad;
  fs::path katalog = fs::temp_directory_path(blad);
  if (blad) katalog = "/tmp";  // TMPDIR names no directory: the usual place
  return katalog / nazwa;
}

std::optional<Blokada> Blokada::zajmij(const fs::path& katalog_programu) {
  const fs::path plik = plik_blokady(katalog_programu);
  const int d = otworz(plik);
  if (d < 0) throw BladPliku("open", plik, ostatni_blad_systemu());
  // O_CLOEXEC above: a child process must not keep the lock alive after us.
  if (!zablokuj(d, plik)) return std::nullopt;
  return Blokada(d);
}

std::optional<Blokada> Blokada::zajmij_katalog(const fs::path& katalog) {
  const int d = ::open(katalog.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (d < 0) throw BladPliku("open", katalog, ostatni_blad_systemu());
  if (!zablokuj(d, katalog)) return std::nullopt;
  return Blokada(d);
}

Blokada::Blokada(Blokada&& inna) noexcept : deskryptor_(std::exchange(inna.deskryptor_, -1)) {}

Blokada& Blokada::operator=(Blokada&& inna) noexcept {
  if (this != &inna) {
    zwolnij();
    deskryptor_ = std::exchange(inna.deskryptor_, -1);
  }
  return *this;
}

Blokada::~Blokada() {
  zwolnij();
}

void Blokada::zwolnij() noexcept {
  // Closing the only descriptor of the open file releases the flock.
  if (deskryptor_ >= 0) ::close(deskryptor_);
  deskryptor_ = -1;
}

}  // namespace wyrownik
