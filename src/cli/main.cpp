#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/uruchom.hpp"
#include "platform/bledy.hpp"
#include "platform/katalog_programu.hpp"
#include "platform/proces.hpp"

int main(int argc, char** argv) {
  wyrownik::przygotuj_proces();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> argumenty(argv + 1, argv + argc);
  std::filesystem::path katalog;
  try {
    katalog = wyrownik::katalog_programu(argc > 0 ? argv[0] : "");
  } catch (const wyrownik::BladPliku&) {
    // Needed only without --program-dir; uruchom() says so then.
  }
  const int kod = wyrownik::cli::uruchom(argumenty, katalog, std::cout, std::cerr);
  // Help that could not be written is no success.
  if (!std::cout.flush()) {
    std::cerr << "wyrownik-cli: cannot write to standard output\n";
    return kod == wyrownik::cli::kod_ok ? wyrownik::cli::kod_blad_partii : kod;
  }
  return kod;
}
