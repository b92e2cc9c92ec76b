#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "platform/bledy.hpp"
#include "platform/katalog_programu.hpp"

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

std::optional<fs::path> plik_wykonywalny(const fs::path& p) {
  std::error_code blad;
  if (!fs::is_regular_file(p, blad) || ::access(p.c_str(), X_OK) != 0) return std::nullopt;
  fs::path pelna = fs::canonical(p, blad);
  if (blad) return std::nullopt;
  return pelna;
}

std::optional<fs::path> od_systemu() {
#if defined(__linux__)
  std::error_code blad;
  fs::path wlasny = fs::read_symlink("/proc/self/exe", blad);
  if (!blad) return wlasny;
#elif defined(__APPLE__)
  std::uint32_t rozmiar = 0;
  _NSGetExecutablePath(nullptr, &rozmiar);
  std::string bufor(rozmiar, '\0');
  if (_NSGetExecutablePath(bufor.data(), &rozmiar) == 0) {
    bufor.resize(bufor.find('\0'));
    if (auto p = plik_wykonywalny(bufor)) return p;
  }
#endif
  return std::nullopt;
}

std::optional<fs::path> z_nazwy(std::string_view argv0) {
  if (argv0.empty()) return std::nullopt;
  if (argv0.find('/') != std::string_view::npos) return plik_wykonywalny(fs::path(argv0));
  // A bare name: the shell found it in PATH, so look there the same way.
  const char* path = std::getenv("PATH");
  return path == nullptr ? std::nullopt : szukaj_w_path(argv0, path);
}

}  // namespace

std::optional<fs::path> szukaj_w_path(std::string_view nazwa, std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t koniec = std::min(path.find(':', start), path.size());
    const std::string_view katalog = path.substr(start, koniec - start);
    const fs::path kandydat = fs::path(katalog.empty() ? "." : katalog) / std::string(nazwa);
    if (auto p = plik_wykonywalny(kandydat)) return p;
    start = koniec + 1;
  }
  return std::nullopt;
}

fs::path katalog_programu(std::string_view argv0) {
  auto plik = od_systemu();
  if (!plik) plik = z_nazwy(argv0);
  if (!plik) {
    throw BladPliku("cannot find the directory of the program started as", std::string(argv0));
  }
  return plik->parent_path();
}

}  // namespace wyrownik
