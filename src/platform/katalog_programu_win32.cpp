#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "platform/bledy.hpp"
#include "platform/katalog_programu.hpp"
#include "platform/windows.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

std::optional<fs::path> szukaj_w_path(std::string_view nazwa, std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t koniec = std::min(path.find(';', start), path.size());
    const std::string_view katalog = path.substr(start, koniec - start);
    const fs::path kandydat = fs::path(katalog.empty() ? "." : katalog) / std::string(nazwa);
    std::error_code blad;
    if (fs::is_regular_file(kandydat, blad)) return fs::absolute(kandydat, blad);
    start = koniec + 1;
  }
  return std::nullopt;
}

// The system always knows its own executable: `argv0` is not needed.
fs::path katalog_programu(std::string_view argv0) {
  std::vector<wchar_t> bufor(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, bufor.data(), static_cast<DWORD>(bufor.size()));
    if (n == 0) {
      throw BladPliku("cannot find the directory of the program started as", std::string(argv0),
                      ostatni_blad_systemu());
    }
    if (n < bufor.size()) return fs::path(std::wstring(bufor.data(), n)).parent_path();
    bufor.resize(bufor.size() * 2);
  }
}

}  // namespace wyrownik
