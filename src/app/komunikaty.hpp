// Message boxes with an OK button, as the core asks for them.
#pragma once

#include <string_view>

#include "scenery/kodowanie.hpp"

namespace wyrownik {

class Komunikaty {
 public:
  virtual ~Komunikaty() = default;
  // Shows one message and returns when the user has acknowledged it. The
  // text is Windows-1250.
  virtual void pokaz_komunikat(std::string_view tekst) = 0;
};

// The program's fixed messages.
namespace komunikat {
inline constexpr TekstCp1250 brak_ini{"Brak pliku wyrownik.ini"};
inline constexpr TekstCp1250 pusty_ini{"Plik wyrownik.ini jest pusty."};
inline constexpr TekstCp1250 brak_sciezki{"Brak podanej ścieżki dostępu"};
inline constexpr TekstCp1250 brak_scenery{"Brak podkatalogu SCENERY."};
inline constexpr TekstCp1250 puste_listy{"Lista plików inc lub lista tekstur jest pusta."};
inline constexpr TekstCp1250 blad_partii{
    "Wystąpił błąd. Dalsze działanie prgramu zostało przerwane."};
}  // namespace komunikat

}  // namespace wyrownik
