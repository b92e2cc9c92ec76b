// The window's texts from what the system and the core hand over.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wyrownik {

// A file name or a system's message as UTF-8, for display. Names on a Linux
// disk are usually UTF-8, but names copied byte for byte from a Windows disk
// are Windows-1250; on Windows the platform layer hands over Windows-1250.
std::string na_ekran(std::string_view bajty_systemu);

// A name on disk as the log names the scenery: Windows-1250, or the bytes
// themselves where the code page lacks a character.
std::string nazwa_dla_logu(std::string_view nazwa);

std::string sciezka_na_ekran(const std::filesystem::path& sciezka);

}  // namespace wyrownik
