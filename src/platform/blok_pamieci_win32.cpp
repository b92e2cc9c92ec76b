#include <new>

#include "platform/blok_pamieci.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

// Large pages on Windows need a privilege users do not hold: small pages,
// committed at once and backed as first written.
BlokPamieci::BlokPamieci(std::size_t rozmiar) {
  if (rozmiar == 0) return;
  void* adres = ::VirtualAlloc(nullptr, rozmiar, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (adres == nullptr) throw std::bad_alloc();
  dane_ = static_cast<char*>(adres);
  rozmiar_ = zmapowane_ = rozmiar;
}

void BlokPamieci::zwolnij() noexcept {
  if (dane_ != nullptr) static_cast<void>(::VirtualFree(dane_, 0, MEM_RELEASE));
  dane_ = nullptr;
  rozmiar_ = zmapowane_ = 0;
}

}  // namespace wyrownik
