#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/uruchom.hpp"

namespace {

// The directory of the running executable: the default program directory,
// as for the window.
std::filesystem::path katalog_programu(const char* argv0) {
  std::error_code blad;
  auto wlasny = std::filesystem::read_symlink("/proc/self/exe", blad);
  if (blad) wlasny = std::filesystem::absolute(argv0, blad);
  return wlasny.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> argumenty(argv + 1, argv + argc);
  const int kod =
      wyrownik::cli::uruchom(argumenty, katalog_programu(argv[0]), std::cout, std::cerr);
  // Help that could not be written is no success.
  if (!std::cout.flush()) {
    std::cerr << "wyrownik-cli: cannot write to standard output\n";
    return kod == wyrownik::cli::kod_ok ? wyrownik::cli::kod_blad_partii : kod;
  }
  return kod;
}
