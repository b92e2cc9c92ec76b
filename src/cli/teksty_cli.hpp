// The command line's own words (UTF-8), in one place: every line it writes
// on stderr and the lines of `undo --list`. The help is in opcje.cpp; the
// messages the core shows (the system's own) are in config/komunikaty.hpp.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "backup/kopie_zapasowe.hpp"
#include "backup/przywracanie.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik::cli::tekst {

// Each line on stderr begins so; a warning goes on with the second.
inline constexpr std::string_view program = "wyrownik-cli: ";
inline constexpr std::string_view uwaga = "wyrownik-cli: warning: ";

inline constexpr std::string_view brak_stdout = "cannot write to standard output";
inline constexpr std::string_view brak_katalogu_programu =
    "cannot find the program's own directory; give --program-dir";
inline constexpr std::string_view zly_katalog_programu = "cannot use the program directory: ";
inline constexpr std::string_view inny_egzemplarz = "another copy of wyrownik is working in ";
inline constexpr std::string_view ini_bez_zmian = "interrupted: wyrownik.ini was not changed";
inline constexpr std::string_view nie_zapisano_ini = "cannot write wyrownik.ini: ";
inline constexpr std::string_view brak_latki = "cannot write the patch: ";
inline constexpr std::string_view latka_zostala =
    "the patch of the interrupted batch could not be removed: ";
inline constexpr std::string_view latka_do_stdout = "standard output";
inline constexpr std::string_view latka_nie_do = "cannot write the patch to";
inline constexpr std::string_view sciezka_raportu_nie_wypisana =
    "the report's path could not be written to standard output: ";
inline constexpr std::string_view brak_raportu =
    "the report was not written (the batch's work stands): ";
inline constexpr std::string_view nic_do_cofniecia = "nothing to undo";
inline constexpr std::string_view cofanie_przerwane = "undo stopped: ";

// A scenery named on the command line that the directory does not hold.
std::string brak_scenerii(std::string_view nazwa, std::string_view katalog);
// --diff aimed at a file the batch reads or keeps.
std::string latka_nadpisalaby(std::string_view zajete, std::string_view cel);
// The last line of a batch: what it did (in a dry run, would do), and
// whether it was stopped on request.
std::string podsumowanie(const LicznikiPrzebiegu& suma, bool na_sucho, bool przerwana);
// One line of `undo --list`.
std::string wiersz_kopii(const OpisKopii& k, std::string_view folder);
// What an undo did, one line for each file it left alone (a refused undo:
// why), every line ended; `katalog` is the scenery directory configured now.
std::string opis_cofniecia(const WynikCofniecia& w, const std::filesystem::path& katalog);

}  // namespace wyrownik::cli::tekst
