#include "platform/proces.hpp"

#include <csignal>

namespace wyrownik {

void przygotuj_proces() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace wyrownik
