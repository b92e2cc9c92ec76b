#include <sys/mman.h>

#include <cstdint>
#include <limits>
#include <new>

#include "platform/blok_pamieci.hpp"

namespace wyrownik {

namespace {
constexpr std::size_t duza_strona = std::size_t{2} << 20;
}

BlokPamieci::BlokPamieci(std::size_t rozmiar) {
  if (rozmiar == 0) return;
  if (rozmiar > std::numeric_limits<std::size_t>::max() / 2) throw std::bad_alloc();
  const std::size_t dlugosc = (rozmiar + duza_strona - 1) / duza_strona * duza_strona;
  // A large page longer than needed, cut to begin on a large page's
  // boundary: only whole aligned large pages can back it.
  void* adres = ::mmap(nullptr, dlugosc + duza_strona, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (adres == MAP_FAILED) throw std::bad_alloc();
  char* const poczatek = static_cast<char*>(adres);
  const std::size_t przed =
      (duza_strona - reinterpret_cast<std::uintptr_t>(poczatek) % duza_strona) % duza_strona;
  // Unmapping part of a mapping just made cannot fail but for lack of
  // memory, which only leaves those pages reserved and never touched.
  if (przed > 0) static_cast<void>(::munmap(poczatek, przed));
  static_cast<void>(::munmap(poczatek + przed + dlugosc, duza_strona - przed));
  dane_ = poczatek + przed;
  rozmiar_ = rozmiar;
  zmapowane_ = dlugosc;
#ifdef MADV_HUGEPAGE
  // Only a hint: where the system has no large pages, small ones back it.
  static_cast<void>(::madvise(dane_, zmapowane_, MADV_HUGEPAGE));
#endif
}

void BlokPamieci::zwolnij() noexcept {
  if (dane_ != nullptr) static_cast<void>(::munmap(dane_, zmapowane_));
  dane_ = nullptr;
  rozmiar_ = zmapowane_ = 0;
}

}  // namespace wyrownik
