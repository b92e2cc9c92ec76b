#include "platform/przerwanie.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

namespace {

// The console's handlers reach nothing but static storage.
std::atomic<int> kod_prosby{0};

BOOL WINAPI na_zdarzenie(DWORD rodzaj) {
  // The second request goes on to the default handler, which ends the process.
  int zaden = 0;
  if (!kod_prosby.compare_exchange_strong(zaden, rodzaj == CTRL_C_EVENT ? 130 : 143)) return FALSE;
  if (rodzaj == CTRL_CLOSE_EVENT || rodzaj == CTRL_LOGOFF_EVENT || rodzaj == CTRL_SHUTDOWN_EVENT) {
    // The system ends the process as soon as this returns: the program's own
    // end (ExitProcess, which ends this thread too) comes first, within the
    // seconds the system waits.
    Sleep(20000);
  }
  return TRUE;
}

}  // namespace

ProsbaPrzerwania::ProsbaPrzerwania() {
  kod_prosby.store(0);
  // A program started in a new process group ignores Ctrl+C until told otherwise.
  SetConsoleCtrlHandler(nullptr, FALSE);
  SetConsoleCtrlHandler(na_zdarzenie, TRUE);
}

// The handler stays to the process's end, as on POSIX.
ProsbaPrzerwania::~ProsbaPrzerwania() = default;

const std::atomic<int>& ProsbaPrzerwania::kod() const {
  return kod_prosby;
}

}  // namespace wyrownik
