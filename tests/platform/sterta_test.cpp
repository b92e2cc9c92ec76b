#include "platform/sterta.hpp"

#include <gtest/gtest.h>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace wyrownik {
namespace {

// The flags of the mapping that holds `adres`, from /proc/self/smaps.
std::string flagi_mapowania(std::uintptr_t adres) {
  std::ifstream smaps("/proc/self/smaps");
  bool w_niej = false;
  for (std::string wiersz; std::getline(smaps, wiersz);) {
    std::uintptr_t od = 0, do_ = 0;
    char minus = 0;
    std::istringstream s(wiersz);
    if (s >> std::hex >> od >> minus >> do_ && minus == '-') {
      w_niej = od <= adres && adres < do_;
    } else if (w_niej && wiersz.rfind("VmFlags:", 0) == 0) {
      return wiersz;
    }
  }
  return "";
}

// A file's buffer, whichever thread takes it, comes from the heap rather
// than from a mapping of its own, and the heap's reserve is marked for large
// pages.
TEST(Sterta, BuffersOfEveryThreadComeFromTheOneHeapMarkedForLargePages) {
  przygotuj_sterte();
  const auto na_stercie = [](const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) < reinterpret_cast<std::uintptr_t>(::sbrk(0));
  };
  void* w_watku = nullptr;
  std::thread([&] { w_watku = std::malloc(1 << 20); }).join();
  EXPECT_TRUE(na_stercie(w_watku));
  std::free(w_watku);

  constexpr std::size_t n = 4u << 20;
  char* duzy = static_cast<char*>(std::malloc(n));
  ASSERT_NE(duzy, nullptr);
  EXPECT_TRUE(na_stercie(duzy));
  // 3 MiB in: past the first 2 MiB boundary of the reserve, where the mark
  // begins.
  EXPECT_NE(flagi_mapowania(reinterpret_cast<std::uintptr_t>(duzy) + (3u << 20)).find(" hg"),
            std::string::npos);
  std::free(duzy);
}

}  // namespace
}  // namespace wyrownik
#endif
