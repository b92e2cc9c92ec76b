// The ini reader on any bytes: no crash, lists within their caps, the
// exception list sorted.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "config/konfiguracja.hpp"
#include "text/wielkosc_liter.hpp"

namespace {
class Cisza : public wyrownik::Komunikaty {
 public:
  void pokaz_komunikat(std::string_view) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t ile) {
  static const std::filesystem::path katalog = [] {
    auto k = std::filesystem::temp_directory_path() /
             ("wyrownik-fuzz-ini-" + std::to_string(::getpid()));
    std::filesystem::create_directories(k);
    return k;
  }();
  std::ofstream(katalog / "wyrownik.ini", std::ios::binary | std::ios::trunc)
      << std::string_view(reinterpret_cast<const char*>(dane), ile);
  wyrownik::Konfiguracja k;
  Cisza cisza;
  wyrownik::odczyt_ini(katalog, k, cisza, wyrownik::operacje_systemowe());
  for (const auto* lista : {&k.lista_inc, &k.lista_tekstur, &k.lista_wyjatkow}) {
    if (lista->size() > wyrownik::Konfiguracja::pojemnosc_listy) __builtin_trap();
  }
  for (std::size_t i = 1; i < k.lista_wyjatkow.size(); ++i) {
    if (wyrownik::porownaj_bez_wielkosci(k.lista_wyjatkow[i - 1], k.lista_wyjatkow[i]) > 0) {
      __builtin_trap();
    }
  }
  return 0;
}
