// Names of files as the scenery's text spells them: Windows-1250 bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wyrownik {

// The path a name of Windows-1250 bytes names. POSIX: the bytes themselves
// (names on disk are bytes). Windows: the bytes read as Windows-1250 into
// UTF-16, whatever the system's code page.
std::filesystem::path sciezka_z_bajtow(std::string_view bajty);

// A path as Windows-1250 bytes, for comparing with scenery text and for the
// log; on Windows a character outside the code page becomes "?".
std::string bajty_sciezki(const std::filesystem::path& sciezka);

// Whether the system hides the file from an ordinary listing: POSIX, a name
// beginning with "."; Windows, the hidden or the system attribute (a leading
// "." hides nothing there). A file whose attributes cannot be read is not
// hidden: it is then told as missing or unreadable where it is opened.
bool czy_ukryty(const std::filesystem::path& sciezka);

// How many names (hard links) the file has; 2 when that cannot be told, so
// a caller looking for other names of it looks.
std::uintmax_t ile_nazw(const std::filesystem::path& sciezka);

}  // namespace wyrownik
