// The inputs of the main window that start-up and the batches disable.
#pragma once

namespace wyrownik {

enum class Wejscie { text1, text2, text3, text4, file1, command1, command2 };

// The four number boxes, whose texts the corrections read.
enum class Pole { text1, text2, text3, text4 };

}  // namespace wyrownik
