// The controls of the main window that the program reads and switches.
#pragma once

#include <array>

#include "gui/tabela_kontrolek.hpp"

namespace wyrownik {

// In the order start-up disables them when the configuration is unusable.
inline constexpr std::array<NazwaKontrolki, 11> wszystkie_wejscia = {
    "Text1",    "Text2", "Text3", "Text4", "File1", "Command1",
    "Command2", "Text5", "Text6", "Text7", "Text8"};

// Disabled while a batch works; File1 stays usable, so the user may change
// the selection of sceneries the batch has not reached yet.
inline constexpr std::array<NazwaKontrolki, 10> wejscia_partii = {
    "Text1", "Text2", "Text3", "Text4", "Command1", "Command2", "Text5", "Text6", "Text7", "Text8"};

// The area's boxes: from X, from Z, to X, to Z.
inline constexpr std::array<NazwaKontrolki, 4> pola_obszaru = {"Text5", "Text6", "Text7", "Text8"};

}  // namespace wyrownik
