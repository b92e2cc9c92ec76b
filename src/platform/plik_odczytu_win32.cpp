#include "platform/bledy.hpp"
#include "platform/plik_odczytu.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

PlikOdczytu::PlikOdczytu(const std::filesystem::path& sciezka) : sciezka_(sciezka) {
  // Shared for reading, writing and deleting: the simulator or an editor may
  // hold the file, and must not be refused because wyrownik reads it.
  const HANDLE h = CreateFileW(win32::nazwa_systemowa(sciezka).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw BladPliku("cannot open", sciezka, ostatni_blad_systemu());
  uchwyt_ = win32::liczba(h);
}

PlikOdczytu::~PlikOdczytu() {
  zamknij();
}

void PlikOdczytu::zamknij() noexcept {
  if (uchwyt_ >= 0) CloseHandle(win32::uchwyt(uchwyt_));
  uchwyt_ = -1;
}

std::size_t PlikOdczytu::czytaj(char* dane, std::size_t ile) {
  if (uchwyt_ < 0) return 0;
  DWORD n = 0;
  const DWORD porcja = ile > (1u << 30) ? (1u << 30) : static_cast<DWORD>(ile);
  if (!ReadFile(win32::uchwyt(uchwyt_), dane, porcja, &n, nullptr)) {
    throw BladPliku("cannot read", sciezka_, ostatni_blad_systemu());
  }
  return n;
}

}  // namespace wyrownik
