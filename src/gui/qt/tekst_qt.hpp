// Windows-1250 texts of the core on the screen, and texts typed by the user
// back to the core.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace wyrownik {

// For display.
QString z_cp1250(std::string_view tekst);

// A fixed text of the program, written in UTF-8.
inline QString tekst_utf8(std::string_view tekst) {
  return QString::fromUtf8(tekst.data(), static_cast<qsizetype>(tekst.size()));
}

// What the core reads: a character Windows-1250 lacks becomes "?".
std::string na_cp1250(const QString& tekst);

// A name as the directory holds it: UTF-8 where it is valid UTF-8 (names made
// on Linux and macOS), otherwise Windows-1250 (names copied byte for byte
// from a Windows disk).
QString nazwa_do_wyswietlenia(std::string_view nazwa);

}  // namespace wyrownik
