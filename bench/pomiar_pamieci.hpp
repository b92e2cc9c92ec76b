// Peak memory of one stretch of work, split into the program's own memory
// (anonymous pages) and file pages mapped into it (the scratch index), which
// the OS may drop or write back at will.
#pragma once

#include <fcntl.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace wyrownik::bench {

// Starts the process's peak RSS afresh (Linux 4.0 and later): ru_maxrss and
// VmHWM then describe what follows. False where the kernel refuses.
inline bool wyzeruj_szczyt_rss() {
  const int fd = ::open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool udane = ::write(fd, "5", 1) == 1;
  return ::close(fd) == 0 && udane;
}

// Samples a process's status (this one's by default) every few
// milliseconds while it lives. The kernel keeps a peak of the whole RSS
// only, not of its anonymous part.
class PomiarPamieci {
 public:
  // Heap freed by earlier work stays resident until trimmed; it would be
  // counted against the work measured next.
  explicit PomiarPamieci(std::string status = "/proc/self/status",
                         std::chrono::microseconds okres = std::chrono::milliseconds(5))
      : status_(std::move(status)), okres_(okres) {
    zwolnij_sterte();
    watek_ = std::thread([this] { probkuj(); });
  }
  ~PomiarPamieci() { zatrzymaj(); }
  PomiarPamieci(const PomiarPamieci&) = delete;
  PomiarPamieci& operator=(const PomiarPamieci&) = delete;

  // Ends the sampling; the peaks keep their values.
  void zatrzymaj() {
    koniec_ = true;
    if (watek_.joinable()) watek_.join();
  }
  double szczyt_anon_mib() const { return szczyt_anon_kib_ / 1024.0; }
  // The peak less the first sample: what the measured work itself added.
  double przyrost_anon_mib() const { return (szczyt_anon_kib_ - poczatek_anon_kib_) / 1024.0; }
  double szczyt_plikow_mib() const { return szczyt_plikow_kib_ / 1024.0; }

 private:
  static void zwolnij_sterte() {
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
  }
  void probkuj() {
    const int fd = ::open(status_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    char tekst[4096];
    do {
      const ssize_t n = ::pread(fd, tekst, sizeof tekst - 1, 0);
      if (n <= 0) break;
      tekst[n] = '\0';  // strtod stops there at the latest
      const std::string_view status(tekst, static_cast<std::size_t>(n));
      const double anon = pole(status, "RssAnon:");
      if (poczatek_anon_kib_ < 0) poczatek_anon_kib_ = anon;
      szczyt_anon_kib_ = std::max(szczyt_anon_kib_.load(), anon);
      szczyt_plikow_kib_ =
          std::max(szczyt_plikow_kib_.load(), pole(status, "RssFile:") + pole(status, "RssShmem:"));
      std::this_thread::sleep_for(okres_);
    } while (!koniec_);
    ::close(fd);
  }
  // The kB figure of one "Name:  123 kB" line; 0 where there is none.
  static double pole(std::string_view status, std::string_view nazwa) {
    const auto poz = status.find(nazwa);
    if (poz == std::string_view::npos) return 0;
    return std::strtod(status.data() + poz + nazwa.size(), nullptr);
  }

  const std::string status_;
  const std::chrono::microseconds okres_;
  std::atomic<bool> koniec_{false};
  std::atomic<double> poczatek_anon_kib_{-1};
  std::atomic<double> szczyt_anon_kib_{0};
  std::atomic<double> szczyt_plikow_kib_{0};
  std::thread watek_;
};

}  // namespace wyrownik::bench
