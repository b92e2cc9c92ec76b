#include "platform/proces.hpp"

#include <csignal>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wyrownik {

void przygotuj_proces() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
#ifndef _WIN32
  // A standard stream the program was started without is held by /dev/null
  // opened for reading: no file opened later takes its number (a log or a
  // scenery file would get what was meant for the terminal), and a write to
  // it still fails. The lowest free number is always the one asked for.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int zajety = ::open("/dev/null", O_RDONLY);
    if (zajety >= 0 && zajety != fd) ::close(zajety);
  }
#endif
}

}  // namespace wyrownik
