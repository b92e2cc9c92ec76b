// <windows.h> as the project includes it (NOMINMAX, WIN32_LEAN_AND_MEAN
// set once, here), and what the Windows half of the platform layer shares.
// Included by the *_win32.cpp files and by the Win32 window.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wyrownik::win32 {

// Windows-1250 bytes of the core, or UTF-8 texts of the program, as UTF-16
// for the system, and the system's texts back as UTF-8.
std::wstring z_cp1250(std::string_view tekst);
std::wstring z_utf8(std::string_view tekst);
std::string na_utf8(std::wstring_view tekst);

// The name to hand to the wide file functions: absolute, with the "\\?\"
// prefix when it is longer than the old 260-character limit.
std::wstring nazwa_systemowa(const std::filesystem::path& sciezka);

// Whether an open file is a reparse point (a link, a junction).
inline bool dowiazanie(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION opis;
  return GetFileInformationByHandle(h, &opis) &&
         (opis.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Clears the read-only, hidden and system attributes of a file or a link
// itself (never what a link leads to, never a folder), so that the name can
// be deleted: a scratch file of an earlier batch may have come back read-only
// from a read-only medium or a synced folder. Does nothing where there is no
// such file or it cannot be opened; the deletion then says why.
void zdejmij_atrybuty(const std::wstring& nazwa);

inline HANDLE uchwyt(std::intptr_t u) {
  return reinterpret_cast<HANDLE>(u);
}
inline std::intptr_t liczba(HANDLE h) {
  return reinterpret_cast<std::intptr_t>(h);
}

}  // namespace wyrownik::win32
