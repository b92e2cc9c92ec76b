// The line reader on any bytes: the lines, joined again, are the file with
// CR LF and LF line ends made one.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "text/czytnik_linii.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t ile) {
  static const std::filesystem::path plik =
      std::filesystem::temp_directory_path() / ("wyrownik-fuzz-" + std::to_string(::getpid()));
  const std::string tresc(reinterpret_cast<const char*>(dane), ile);
  std::ofstream(plik, std::ios::binary | std::ios::trunc) << tresc;
  std::string oczekiwana;
  for (std::size_t i = 0; i < tresc.size(); ++i) {
    if (tresc[i] == '\r' && i + 1 < tresc.size() && tresc[i + 1] == '\n') continue;
    oczekiwana += tresc[i];
  }
  if (!oczekiwana.empty() && oczekiwana.back() != '\n') oczekiwana += '\n';
  std::string zlozona;
  wyrownik::CzytnikLinii czytnik(plik, wyrownik::operacje_systemowe());
  std::string_view linia;
  while (czytnik.czytaj(linia)) zlozona.append(linia).append("\n");
  if (zlozona != oczekiwana) __builtin_trap();
  return 0;
}
