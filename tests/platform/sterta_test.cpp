#include "platform/sterta.hpp"

#include <gtest/gtest.h>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace wyrownik {
namespace {

// What a program gets once przygotuj_sterte() ran before its first thread.
void sprawdz_sterte(bool duze_strony) {
  przygotuj_sterte();
  const auto szczyt = [] { return reinterpret_cast<std::uintptr_t>(::sbrk(0)); };
  void* w_watku = nullptr;
  std::thread([&] { w_watku = std::malloc(1 << 20); }).join();
  EXPECT_LT(reinterpret_cast<std::uintptr_t>(w_watku), szczyt());
  std::free(w_watku);

  char* duzy = static_cast<char*>(std::malloc(4u << 20));
  ASSERT_NE(duzy, nullptr);
  // 3 MiB in: past the reserve's first 2 MiB boundary, where the mark begins.
  const std::uintptr_t adres = reinterpret_cast<std::uintptr_t>(duzy) + (3u << 20);
  EXPECT_LT(adres, szczyt());
  std::ifstream smaps("/proc/self/smaps");
  bool w_niej = false, oznaczona = false;
  for (std::string w; std::getline(smaps, w);) {
    // A mapping's first line: "od-do perms ..." in hex.
    std::uintptr_t od = 0, do_ = 0;
    const char* k = w.data() + w.size();
    const auto a = std::from_chars(w.data(), k, od, 16);
    if (a.ec == std::errc() && a.ptr != k && *a.ptr == '-' &&
        std::from_chars(a.ptr + 1, k, do_, 16).ec == std::errc()) {
      w_niej = od <= adres && adres < do_;
    } else if (w_niej && w.rfind("VmFlags:", 0) == 0) {
      oznaczona = w.find(" hg") != std::string::npos;
    }
  }
  if (duze_strony) {
    EXPECT_TRUE(oznaczona);
  }
  std::free(duzy);
}

// A file's buffer, whichever thread takes it, comes from the heap rather
// than from a mapping of its own, and the heap's reserve is marked for large
// pages (the "hg" flag of its mapping). In a process of its own, as in a
// program: threads started before the call keep heaps of their own.
TEST(Sterta, BuffersOfEveryThreadComeFromTheOneHeapMarkedForLargePages) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The mark is only a hint: a system without large pages may drop it.
  std::ifstream thp("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string tryb;
  const bool duze_strony = std::getline(thp, tryb) && tryb.find("[never]") == std::string::npos;
  EXPECT_EXIT(
      {
        sprawdz_sterte(duze_strony);
        std::exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace wyrownik
#endif
