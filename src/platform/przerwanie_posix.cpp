#include <signal.h>

#include "platform/przerwanie.hpp"

namespace wyrownik {

namespace {

// Signal handlers reach nothing but static storage.
std::atomic<int> kod_prosby{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written by a signal handler");

extern "C" void na_sygnal(int numer) {
  kod_prosby.store(128 + numer);  // as a shell reports a program ended by it
  // The second request meets the default action.
  ::signal(SIGINT, SIG_DFL);
  ::signal(SIGTERM, SIG_DFL);
}

void przejmij(int numer) {
  struct sigaction dawne {};
  if (::sigaction(numer, nullptr, &dawne) != 0 || dawne.sa_handler == SIG_IGN) return;
  struct sigaction nowe {};
  nowe.sa_handler = na_sygnal;
  ::sigemptyset(&nowe.sa_mask);
  // Reads and writes under way go on: the batch stops at an event point, not
  // at a system call that failed with EINTR.
  nowe.sa_flags = SA_RESTART;
  ::sigaction(numer, &nowe, nullptr);
}

}  // namespace

ProsbaPrzerwania::ProsbaPrzerwania() {
  kod_prosby.store(0);
  przejmij(SIGINT);
  przejmij(SIGTERM);
}

// The handlers stay to the process's end: a request while it exits (static
// destructors, a sanitizer's checks) only sets the flag, and never turns a
// finished batch into a death by the signal.
ProsbaPrzerwania::~ProsbaPrzerwania() = default;

const std::atomic<int>& ProsbaPrzerwania::kod() const {
  return kod_prosby;
}

}  // namespace wyrownik
