#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sterta.hpp"

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace wyrownik {

void przygotuj_sterte() {
#if defined(__GLIBC__)
  constexpr std::size_t duza_strona = 2u << 20;
  // Below the largest threshold glibc takes (32 MiB), so that it comes from
  // the heap.
  constexpr std::size_t rezerwa = 30u << 20;
  // Every result below is ignored on purpose: each setting is a hint, and
  // without it the program does the same work, only with more page faults.
  // Buffers of up to 32 MiB come from the heap and go back to it, where the
  // next file's buffer finds them; the heap keeps up to 64 MiB unused.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, 0);
  // One heap for all threads: a thread's own heap is mapped anew, a page
  // fault a page. The threads allocate a buffer a file, not a block a line.
  mallopt(M_ARENA_MAX, 1);
  // The heap is grown by the reserve at once, and the reserve, not yet
  // touched, is marked for large pages. The mark holds while the reserve
  // lasts; a heap grown beyond it takes small pages again.
  void* blok = std::malloc(rezerwa);
  if (blok == nullptr) return;
  const auto poczatek = reinterpret_cast<std::uintptr_t>(blok);
  std::free(blok);
  const auto szczyt = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  // Only when the block was the heap's top (a sanitizer's allocator, or a
  // heap that could not grow, leaves it elsewhere).
  if (szczyt == static_cast<std::uintptr_t>(-1) || poczatek > szczyt ||
      szczyt - poczatek < rezerwa || szczyt - poczatek > rezerwa + duza_strona) {
    return;
  }
  const std::uintptr_t od = (poczatek + duza_strona - 1) & ~(duza_strona - 1);
  const std::uintptr_t do_ = szczyt & ~(duza_strona - 1);
  if (do_ <= od) return;
  ::madvise(reinterpret_cast<void*>(od), do_ - od, MADV_HUGEPAGE);
  // The reserve's bytes before its first large page would back the first
  // buffers by small pages, a fault each (200 to 300 of them at 25 MB). One
  // block, never freed and never touched past its header, holds them, so
  // every chunk carved from the top from here on lies on large pages; it
  // costs address space only.
  const std::size_t przed = od - poczatek;
  if (przed == 0) return;
  void* const zajete = std::malloc(przed + 2 * sizeof(std::size_t));
  // Kept from the compiler, which may drop an allocation nothing uses.
  asm volatile("" : : "r"(zajete) : "memory");
#endif
}

}  // namespace wyrownik
