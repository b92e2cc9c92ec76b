// The Windows system calls of checked writing.
#include <chrono>
#include <thread>

#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

namespace {

std::error_code blad(DWORD kod) {
  return {static_cast<int>(kod), std::system_category()};
}

std::error_code otworz_systemowo(const std::filesystem::path& sciezka, TrybZapisu tryb,
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

std::error_code pisz_systemowo(Uchwyt uchwyt, const char* dane, std::size_t ile,
                               std::size_t& zapisane) {
  DWORD n = 0;
  const DWORD porcja = ile > (1u << 30) ? (1u << 30) : static_cast<DWORD>(ile);
  if (!WriteFile(win32::uchwyt(uchwyt), dane, porcja, &n, nullptr)) return blad(GetLastError());
  if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
  zapisane = n;
  return {};
}

std::error_code synchronizuj_systemowo(Uchwyt uchwyt) {
  return FlushFileBuffers(win32::uchwyt(uchwyt)) ? std::error_code{} : blad(GetLastError());
}

std::error_code zamknij_systemowo(Uchwyt uchwyt) {
  return CloseHandle(win32::uchwyt(uchwyt)) ? std::error_code{} : blad(GetLastError());
}

bool chwilowo_zajety(DWORD kod) {
  return kod == ERROR_SHARING_VIOLATION || kod == ERROR_ACCESS_DENIED ||
         kod == ERROR_LOCK_VIOLATION;
}

std::error_code zmien_nazwe_systemowo(const std::filesystem::path& z,
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

std::error_code dowiaz_systemowo(const std::filesystem::path& plik,
                                 const std::filesystem::path& nowa) {
  return CreateHardLinkW(win32::nazwa_systemowa(nowa).c_str(), win32::nazwa_systemowa(plik).c_str(),
                         nullptr)
             ? std::error_code{}
             : blad(GetLastError());
}

}  // namespace

void win32::zdejmij_atrybuty(const std::wstring& nazwa) {
  constexpr DWORD zdejmowane =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD atrybuty = GetFileAttributesW(nazwa.c_str());
  if (atrybuty == INVALID_FILE_ATTRIBUTES || (atrybuty & zdejmowane) == 0 ||
      (atrybuty & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return;
  }
  // Through a handle of the name itself: SetFileAttributesW would follow a link.
  const HANDLE h = CreateFileW(nazwa.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  FILE_BASIC_INFO opis{};
  if (GetFileInformationByHandleEx(h, FileBasicInfo, &opis, sizeof opis)) {
    opis.FileAttributes &= ~zdejmowane;
    if (opis.FileAttributes == 0) opis.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(h, FileBasicInfo, &opis, sizeof opis);
  }
  CloseHandle(h);
}

void usun_plik(const std::filesystem::path& sciezka) {
  win32::zdejmij_atrybuty(win32::nazwa_systemowa(sciezka));
  std::error_code blad;
  std::filesystem::remove(sciezka, blad);
  if (blad) throw BladPliku("cannot remove", sciezka, blad);
}

// NTFS journals its directory entries, and the replacement is written
// through (MOVEFILE_WRITE_THROUGH): nothing is left to sync.
void synchronizuj_katalog(const std::filesystem::path&) {}

const OperacjeZapisu& operacje_systemowe() {
  static constexpr OperacjeZapisu systemowe{otworz_systemowo,       pisz_systemowo,
                                            synchronizuj_systemowo, zamknij_systemowo,
                                            zmien_nazwe_systemowo,  dowiaz_systemowo};
  return systemowe;
}

}  // namespace wyrownik
