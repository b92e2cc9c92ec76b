// Message boxes with an OK button, as the core asks for them.
#pragma once

#include <string_view>

#include "text/kodowanie.hpp"

namespace wyrownik {

class Komunikaty {
 public:
  virtual ~Komunikaty() = default;
  // Shows one message and returns when the user has acknowledged it. The
  // text is Windows-1250.
  virtual void pokaz_komunikat(std::string_view tekst) = 0;
};

// The messages of reading wyrownik.ini.
namespace komunikat {
inline constexpr TekstCp1250 brak_ini{"Brak pliku wyrownik.ini"};
inline constexpr TekstCp1250 pusty_ini{"Plik wyrownik.ini jest pusty."};
}  // namespace komunikat

}  // namespace wyrownik
