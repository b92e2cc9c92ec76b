// A large block of the program's own memory, written from its start.
#pragma once

#include <cstddef>

namespace wyrownik {

// Where the system offers it, the block is backed by 2 MiB pages as it is
// first written: one page fault per 2 MiB rather than one per 4 KiB page,
// which a virtual machine with shadow page tables makes costly (about 15 us a
// fault on one, a tenth of a batch's time). Written in part, it takes at most
// a large page more than was written. Zeros until written.
class BlokPamieci {
 public:
  BlokPamieci() = default;
  // Throws std::bad_alloc.
  explicit BlokPamieci(std::size_t rozmiar);
  ~BlokPamieci() { zwolnij(); }
  BlokPamieci(BlokPamieci&& inny) noexcept;
  BlokPamieci& operator=(BlokPamieci&& inny) noexcept;
  BlokPamieci(const BlokPamieci&) = delete;
  BlokPamieci& operator=(const BlokPamieci&) = delete;

  char* dane() { return dane_; }
  const char* dane() const { return dane_; }
  std::size_t rozmiar() const { return rozmiar_; }

 private:
  void zwolnij() noexcept;

  char* dane_ = nullptr;
  std::size_t rozmiar_ = 0;    // as asked for
  std::size_t zmapowane_ = 0;  // as the system holds it
};

}  // namespace wyrownik
