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
inline constexpr std::string_view sciezka_raportu_nie_wypisana =
    "the report's path could not be written to standard output: ";
inline constexpr std::string_view brak_raportu =
    "the report was not written (the batch's work stands): ";
inline constexpr std::string_view nic_do_cofniecia = "nothing to undo";
inline constexpr std::string_view cofanie_przerwane = "undo stopped: ";

// A scenery named on the command line that the directory does not hold.
std::string brak_scenerii(std::string_view nazwa, std::string_view katalog);
// An output file (`opcja`: --diff, --explain) aimed at a file the batch
// reads or keeps.
std::string nadpisalby(std::string_view opcja, std::string_view zajete, std::string_view cel);
// An output that cannot be written to where it goes (its name following).
std::string nie_do(std::string_view opcja);
// An output file that cannot be written, its reason following.
std::string nie_zapisano(std::string_view opcja);
// An interrupted dry run's output file that could not be removed, its name following.
std::string zostal(std::string_view opcja);
// The last line of a batch: what it did (in a dry run, would do), and
// whether it was stopped on request.
std::string podsumowanie(const LicznikiPrzebiegu& suma, bool na_sucho, bool przerwana);
// The objects a batch left alone: their number and the two largest reasons.
std::string pozostawione(const LicznikiPrzebiegu& suma);
// One line of `undo --list`.
std::string wiersz_kopii(const OpisKopii& k, std::string_view folder);
// What an undo did, one line for each file it left alone (a refused undo:
// why), every line ended; `katalog` is the scenery directory configured now.
std::string opis_cofniecia(const WynikCofniecia& w, const std::filesystem::path& katalog);

}  // namespace wyrownik::cli::tekst
