// Hides a test file as the system does: POSIX by its name (which must begin
// with "."), Windows by the hidden attribute.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>

namespace wyrownik::testy {

inline bool ukryj(const std::filesystem::path& plik) {
#ifdef _WIN32
  return SetFileAttributesW(plik.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
#else
  return plik.filename().native().starts_with('.');
#endif
}

}  // namespace wyrownik::testy
