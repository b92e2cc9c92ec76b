#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "platform/windows.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// The directory's final path (links and short names resolved), folded to
// upper case as the file system compares names.
std::wstring klucz_katalogu(const fs::path& katalog) {
  const HANDLE h = CreateFileW(win32::nazwa_systemowa(katalog).c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw BladPliku("open", katalog, ostatni_blad_systemu());
  std::vector<wchar_t> bufor(MAX_PATH);
  DWORD n = GetFinalPathNameByHandleW(h, bufor.data(), static_cast<DWORD>(bufor.size()), 0);
  if (n >= bufor.size()) {
    bufor.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, bufor.data(), static_cast<DWORD>(bufor.size()), 0);
  }
  const auto kod = ostatni_blad_systemu();
  CloseHandle(h);
  if (n == 0 || n >= bufor.size()) throw BladPliku("look up", katalog, kod);
  std::wstring klucz(bufor.data(), n);
  while (klucz.size() > 1 && (klucz.back() == L'\\' || klucz.back() == L'/')) klucz.pop_back();
  CharUpperBuffW(klucz.data(), static_cast<DWORD>(klucz.size()));
  return klucz;
}

// A mutex name has a length limit that paths do not: the key's hash names it.
std::wstring nazwa_muteksu(const std::wstring& klucz) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (const wchar_t c : klucz) {
    h ^= static_cast<std::uint16_t>(c);
    h *= 1099511628211ull;
  }
  wchar_t tekst[17];
  for (int i = 15; i >= 0; --i, h >>= 4) tekst[i] = L"0123456789abcdef"[h & 15];
  tekst[16] = 0;
  // Global: copies in other sessions (another user, a remote desktop) share
  // scenery directories too.
  return std::wstring(L"Global\\wyrownik-") + tekst;
}

}  // namespace

std::optional<Blokada> Blokada::zajmij(const fs::path& katalog_programu) {
  return zajmij_katalog(katalog_programu);
}

std::optional<Blokada> Blokada::zajmij_katalog(const fs::path& katalog) {
  const std::wstring nazwa = nazwa_muteksu(klucz_katalogu(katalog));
  const HANDLE m = CreateMutexW(nullptr, FALSE, nazwa.c_str());
  const DWORD kod = GetLastError();
  // Another user's copy holds it and this one may not open it.
  if (m == nullptr && kod == ERROR_ACCESS_DENIED) return std::nullopt;
  if (m == nullptr) throw BladPliku("lock", katalog, ostatni_blad_systemu());
  // The mutex lives while a handle to it does: one that exists is held.
  if (kod == ERROR_ALREADY_EXISTS) {
    CloseHandle(m);
    return std::nullopt;
  }
  return Blokada(win32::liczba(m));
}

void Blokada::zwolnij() noexcept {
  if (uchwyt_ >= 0) CloseHandle(win32::uchwyt(uchwyt_));
  uchwyt_ = -1;
}

}  // namespace wyrownik
