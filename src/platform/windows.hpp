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

namespace wyrownik::win32 {

// The name to hand to the wide file functions: absolute, with the "\\?\"
// prefix when it is longer than the old 260-character limit.
std::wstring nazwa_systemowa(const std::filesystem::path& sciezka);

// Whether an open file is a reparse point (a link, a junction).
inline bool dowiazanie(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION opis;
  return GetFileInformationByHandle(h, &opis) &&
         (opis.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

inline HANDLE uchwyt(std::intptr_t u) {
  return reinterpret_cast<HANDLE>(u);
}
inline std::intptr_t liczba(HANDLE h) {
  return reinterpret_cast<std::intptr_t>(h);
}

}  // namespace wyrownik::win32
