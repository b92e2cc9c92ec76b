#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/uruchom.hpp"
#include "platform/bledy.hpp"
#include "platform/katalog_programu.hpp"
#include "platform/konsola.hpp"
#include "platform/proces.hpp"
#include "platform/przerwanie.hpp"
#include "platform/sterta.hpp"

namespace {

int program(const std::vector<std::string>& argumenty, const char* argv0) {
  const wyrownik::ProsbaPrzerwania prosba;
  wyrownik::przygotuj_proces();
  wyrownik::przygotuj_sterte();
  std::ios::sync_with_stdio(false);
  wyrownik::przygotuj_konsole();
  std::filesystem::path katalog;
  try {
    katalog = wyrownik::katalog_programu(argv0);
  } catch (const wyrownik::BladPliku&) {
    // Needed only without --program-dir; uruchom() says so then.
  }
  return wyrownik::cli::uruchom(argumenty, katalog, std::cout, std::cerr, prosba.kod());
}

}  // namespace

#ifdef _WIN32
// Wide arguments: names with Polish letters arrive whole, whatever the code page.
int wmain(int argc, wchar_t** argv) {
  return program(wyrownik::argumenty_utf8(argc, argv), "");
}
#else
int main(int argc, char** argv) {
  return program(std::vector<std::string>(argv + 1, argv + argc), argc > 0 ? argv[0] : "");
}
#endif
