// Attributes, directories and removal on Windows.
#include "platform/bledy.hpp"
#include "platform/plik_zapisu.hpp"
#include "platform/windows.hpp"

namespace wyrownik {

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

}  // namespace wyrownik
