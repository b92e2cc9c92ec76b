// The simulator folder written into wyrownik.ini: what the window asks for
// on a first run, and what `wyrownik-cli config --simulator` sets.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/operacje_systemu.hpp"

namespace wyrownik {

// The sections a new wyrownik.ini gets after the path: the sample's.
inline constexpr std::string_view sekcje_nowego_ini =
    "[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\ngrunt\r\n";

// The bytes of an ini with `sciezka` (Windows-1250) as the path start-up
// reads: the line it reads now replaced; or, where its "[Sciezka dostepu]"
// section gives none, the path added after the section's header; or the
// section added before the first section (at the end where there is none).
// Every other byte stays; what is added ends with CR LF. A content start-up
// counts as empty (under 10 bytes) is followed by the path's section and
// sekcje_nowego_ini.
std::string ini_ze_sciezka(std::string_view tresc, std::string_view sciezka);

// ini_ze_sciezka() on the program directory's wyrownik.ini (found in any
// letter case; created where there is none), which is replaced in one step.
// Where the ini is a symbolic link, the file it leads to is replaced (its new
// content written beside it first) and the link stays.
// Throws BladPliku, leaving the file as it was; a read-only ini is refused
// alike, as on Windows, rather than replaced behind the user's back.
void zapisz_sciezke_w_ini(const std::filesystem::path& katalog_programu, std::string_view sciezka,
                          OperacjeSystemu& operacje);

}  // namespace wyrownik
