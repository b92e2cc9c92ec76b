// The configuration file wyrownik.ini and what it sets.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "config/komunikaty.hpp"
#include "platform/operacje_systemu.hpp"

namespace wyrownik {

struct Konfiguracja {
  // Each list holds at most this many entries; further lines are dropped.
  static constexpr std::size_t pojemnosc_listy = 10000;

  std::string sciezka_scenerii;             // the simulator root as the ini gives it
  std::vector<std::string> lista_inc;       // object names to treat; "*" is every object
  std::vector<std::string> lista_tekstur;   // texture-name prefixes of the ground
  std::vector<std::string> lista_wyjatkow;  // object-name prefixes left alone; sorted
  bool drogi = false;                       // road tracks are ground
  bool rzeki = false;                       // river tracks are ground
};

// Reads wyrownik.ini from `katalog_programu` into `konfiguracja`, which the
// caller has reset. A missing file and a file shorter than 10 bytes are told
// through `komunikaty` and leave the configuration as it was. A file that
// exists but cannot be read is treated as missing.
void odczyt_ini(const std::filesystem::path& katalog_programu, Konfiguracja& konfiguracja,
                Komunikaty& komunikaty, OperacjeSystemu& operacje);

// Sorts positions lewy..prawy (0-based, inclusive) ascending in the program's
// case-insensitive order: quicksort with the first entry as pivot, recursing
// into the smaller part only, so the stack stays shallow on sorted input.
void sortuj_inc_wyjatki(std::vector<std::string>& tabl, std::ptrdiff_t lewy, std::ptrdiff_t prawy);

// Whether the include list selects an object by its base name: an entry "*"
// or an entry equal to the whole name, without regard to letter case.
bool czy_wybrany(const std::vector<std::string>& lista_inc, std::string_view nazwa);

// True when `nazwa` begins with an entry of the sorted exception list,
// compared without regard to letter case.
bool czy_wyjatek(const std::vector<std::string>& lista_wyjatkow, std::string_view nazwa);

}  // namespace wyrownik
