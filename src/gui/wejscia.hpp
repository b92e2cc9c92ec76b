// The controls of the main window that the program reads and switches.
#pragma once

#include <array>

namespace wyrownik {

enum class Wejscie { text1, text2, text3, text4, file1, command1, command2 };

// In the order start-up disables them when the configuration is unusable.
inline constexpr std::array<Wejscie, 7> wszystkie_wejscia = {
    Wejscie::text1, Wejscie::text2,    Wejscie::text3,   Wejscie::text4,
    Wejscie::file1, Wejscie::command1, Wejscie::command2};

// Disabled while a batch works; File1 stays usable, so the user may change
// the selection of sceneries the batch has not reached yet.
inline constexpr std::array<Wejscie, 6> wejscia_partii = {Wejscie::text1,    Wejscie::text2,
                                                          Wejscie::text3,    Wejscie::text4,
                                                          Wejscie::command1, Wejscie::command2};

// The four number boxes, whose texts the corrections read.
enum class Pole { text1, text2, text3, text4 };

// The three status lines.
enum class Etykieta { label2, label3, label4 };

}  // namespace wyrownik
