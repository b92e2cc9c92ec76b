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

// The messages the core shows, in the system's own words (Windows-1250),
// the same in every front end: the window shows them in a message box, the
// command line on stderr. Keep them byte for byte: users and scripts look for
// these very texts.
namespace komunikat {
// Reading wyrownik.ini.
inline constexpr TekstCp1250 brak_ini{"Brak pliku wyrownik.ini"};
inline constexpr TekstCp1250 pusty_ini{"Plik wyrownik.ini jest pusty."};
// Start-up, besides the ini.
inline constexpr TekstCp1250 brak_sciezki{"Brak podanej ścieżki dostępu"};
inline constexpr TekstCp1250 brak_scenery{"Brak podkatalogu SCENERY."};
inline constexpr TekstCp1250 puste_listy{"Lista plików inc lub lista tekstur jest pusta."};
// A folder picked on a first run.
inline constexpr TekstCp1250 sciezka_poza_ini{
    "Tej ścieżki nie da się zapisać w wyrownik.ini (znak spoza strony kodowej 1250, średnik, "
    "tabulator albo kilka spacji z rzędu). Wybierz inny folder."};
inline constexpr TekstCp1250 blad_zapisu_ini{"Nie można zapisać pliku wyrownik.ini."};
// A batch.
// "prgramu" as the system has always spelt it: users and scripts look for
// this very text.
inline constexpr TekstCp1250 blad_partii{
    "Wystąpił błąd. Dalsze działanie prgramu zostało przerwane."};
inline constexpr TekstCp1250 brak_logu{"Nie można utworzyć pliku Log_korekcja.txt."};
}  // namespace komunikat

}  // namespace wyrownik
