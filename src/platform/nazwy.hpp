// Names of files as the scenery's text spells them: Windows-1250 bytes.
#pragma once

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

}  // namespace wyrownik
