// The Windows system calls behind every file wyrownik reads, writes or maps.
#include <chrono>
#include <thread>

#include "platform/bledy.hpp"
#include "platform/operacje_systemu.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

namespace {

std::error_code blad(DWORD kod) {
  return {static_cast<int>(kod), std::system_category()};
}

bool chwilowo_zajety(DWORD kod) {
  return kod == ERROR_SHARING_VIOLATION || kod == ERROR_ACCESS_DENIED ||
         kod == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::error_code OperacjeSystemu::otworz(const std::filesystem::path& sciezka, TrybZapisu tryb,
                                        Uchwyt& uchwyt) {
  const std::wstring nazwa = win32::nazwa_systemowa(sciezka);
  DWORD dostep = GENERIC_WRITE;
  DWORD sposob = OPEN_ALWAYS;
  switch (tryb) {
    case TrybZapisu::nowy:
      win32::zdejmij_atrybuty(nazwa);
      if (!DeleteFileW(nazwa.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return blad(GetLastError());
      }
      sposob = CREATE_NEW;
      break;
    case TrybZapisu::wyczysc:
      sposob = CREATE_ALWAYS;
      break;
    case TrybZapisu::dopisz:
      dostep = FILE_APPEND_DATA | SYNCHRONIZE;
      break;
  }
  // A name that is a link (a reparse point) is opened as itself, never
  // followed, and refused: nothing is written through it.
  const HANDLE h =
      CreateFileW(nazwa.c_str(), dostep, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, sposob,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return blad(GetLastError());
  if (win32::dowiazanie(h)) {
    CloseHandle(h);
    return blad(ERROR_CANT_ACCESS_FILE);
  }
  uchwyt = win32::liczba(h);
  return {};
}

std::error_code OperacjeSystemu::pisz(Uchwyt uchwyt, const char* dane, std::size_t ile,
                                      std::size_t& zapisane) {
  DWORD n = 0;
  const DWORD porcja = ile > (1u << 30) ? (1u << 30) : static_cast<DWORD>(ile);
  if (!WriteFile(win32::uchwyt(uchwyt), dane, porcja, &n, nullptr)) return blad(GetLastError());
  if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
  zapisane = n;
  return {};
}

std::error_code OperacjeSystemu::synchronizuj(Uchwyt uchwyt) {
  return FlushFileBuffers(win32::uchwyt(uchwyt)) ? std::error_code{} : blad(GetLastError());
}

std::error_code OperacjeSystemu::zamknij(Uchwyt uchwyt) {
  return CloseHandle(win32::uchwyt(uchwyt)) ? std::error_code{} : blad(GetLastError());
}

std::error_code OperacjeSystemu::zmien_nazwe(const std::filesystem::path& z,
                                             const std::filesystem::path& na) {
  const std::wstring zrodlo = win32::nazwa_systemowa(z), cel = win32::nazwa_systemowa(na);
  // A read-only file is replaced all the same, as on POSIX; it gets its
  // attribute back if the replacement fails.
  const DWORD atrybuty = GetFileAttributesW(cel.c_str());
  const bool tylko_odczyt =
      atrybuty != INVALID_FILE_ATTRIBUTES && (atrybuty & FILE_ATTRIBUTE_READONLY) != 0;
  if (tylko_odczyt) SetFileAttributesW(cel.c_str(), atrybuty & ~DWORD{FILE_ATTRIBUTE_READONLY});
  // A virus scanner, an indexer or the simulator often holds a file for a
  // moment: the replacement is tried again for about a second.
  DWORD kod = ERROR_SUCCESS;
  for (int proba = 0; proba < 20; ++proba) {
    if (MoveFileExW(zrodlo.c_str(), cel.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return {};
    }
    kod = GetLastError();
    if (!chwilowo_zajety(kod)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (tylko_odczyt) SetFileAttributesW(cel.c_str(), atrybuty);
  return blad(kod);
}

std::error_code OperacjeSystemu::dowiaz(const std::filesystem::path& plik,
                                        const std::filesystem::path& nowa) {
  return CreateHardLinkW(win32::nazwa_systemowa(nowa).c_str(), win32::nazwa_systemowa(plik).c_str(),
                         nullptr)
             ? std::error_code{}
             : blad(GetLastError());
}

std::error_code OperacjeSystemu::otworz_do_odczytu(const std::filesystem::path& sciezka,
                                                   Uchwyt& uchwyt) {
  // Shared for reading, writing and deleting: the simulator or an editor may
  // hold the file, and must not be refused because wyrownik reads it.
  const HANDLE h = CreateFileW(win32::nazwa_systemowa(sciezka).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return blad(GetLastError());
  uchwyt = win32::liczba(h);
  return {};
}

std::error_code OperacjeSystemu::czytaj(Uchwyt uchwyt, char* dane, std::size_t ile,
                                        std::size_t& przeczytane) {
  DWORD n = 0;
  const DWORD porcja = ile > (1u << 30) ? (1u << 30) : static_cast<DWORD>(ile);
  if (!ReadFile(win32::uchwyt(uchwyt), dane, porcja, &n, nullptr)) return blad(GetLastError());
  przeczytane = n;
  return {};
}

// A mapping larger than the file would extend it as well, but the view must
// go first; the file is set to its new length here, blocks allocated.
std::error_code OperacjeSystemu::rezerwuj(Uchwyt uchwyt, std::size_t, std::size_t dlugosc) {
  LARGE_INTEGER pozycja;
  pozycja.QuadPart = static_cast<LONGLONG>(dlugosc);
  const HANDLE h = win32::uchwyt(uchwyt);
  return SetFilePointerEx(h, pozycja, nullptr, FILE_BEGIN) && SetEndOfFile(h)
             ? std::error_code{}
             : blad(GetLastError());
}

}  // namespace wyrownik
