// Shared bits of the benchmarks: a scratch folder and the memory figures.
#pragma once

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace wyrownik::bench {

// A folder under the system's temporary directory (TMPDIR), removed with its
// content afterwards.
class KatalogRoboczy {
 public:
  KatalogRoboczy() {
    std::string wzor = (std::filesystem::temp_directory_path() / "wyrownik-bench-XXXXXX").string();
    if (::mkdtemp(wzor.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    sciezka_ = wzor;
  }
  ~KatalogRoboczy() {
    std::error_code blad;
    std::filesystem::remove_all(sciezka_, blad);
  }
  KatalogRoboczy(const KatalogRoboczy&) = delete;
  KatalogRoboczy& operator=(const KatalogRoboczy&) = delete;
  const std::filesystem::path& sciezka() const { return sciezka_; }

 private:
  std::filesystem::path sciezka_;
};

// Peak resident set of the process in MiB (ru_maxrss is in KiB on Linux).
inline double szczytowy_rss_mib() {
  rusage r{};
  ::getrusage(RUSAGE_SELF, &r);
  return static_cast<double>(r.ru_maxrss) / 1024.0;
}

// One "Name:   123 kB" line of /proc/self/status in MiB; -1 where there is none.
inline double pole_statusu_mib(const std::string& nazwa) {
  std::ifstream status("/proc/self/status");
  std::string linia;
  while (std::getline(status, linia)) {
    if (linia.rfind(nazwa + ":", 0) == 0)
      return std::strtod(linia.c_str() + nazwa.size() + 1, nullptr) / 1024.0;
  }
  return -1;
}

}  // namespace wyrownik::bench
