// The user's request to stop a command-line program: SIGINT or SIGTERM on
// POSIX (Ctrl-C, a closed terminal, `timeout`, a service manager); Ctrl+C,
// Ctrl+Break or the console closed on Windows.
#pragma once

#include <atomic>

namespace wyrownik {

// From its making to the process's end (the handlers stay while the program
// exits), the first request is only noted: the program stops at its
// next event point and cleans up. A second request ends the program at once
// (every scenery file stays whole: each is replaced in one step). One at a
// time in a process: the system has one set of handlers, which is why the
// request lives in static storage behind this object.
// POSIX: a signal ignored when the program started (nohup, a background job)
// stays ignored. Windows: a closed console gives the program the few seconds
// the system allows before it ends the process.
class ProsbaPrzerwania {
 public:
  ProsbaPrzerwania();
  ~ProsbaPrzerwania();
  ProsbaPrzerwania(const ProsbaPrzerwania&) = delete;
  ProsbaPrzerwania& operator=(const ProsbaPrzerwania&) = delete;

  // 0 until a request came; then the exit status it asks for: 130 for SIGINT
  // and Ctrl+C, 143 for SIGTERM, Ctrl+Break and the console closed.
  const std::atomic<int>& kod() const;
};

}  // namespace wyrownik
