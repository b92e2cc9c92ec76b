// The window's own words (UTF-8), in one place: its messages, its question,
// the preview's line and an undo's outcome. The controls' captions are in
// tabela_kontrolek.hpp and the help in tekst_pomocy.hpp; the messages the
// core shows (the system's own, the same in every front end) are in
// config/komunikaty.hpp. The command line has its own words (src/cli/).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "backup/przywracanie.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik::tekst {

// The title of the folder picker of a first run.
inline constexpr std::string_view tytul_wyboru =
    "Wskaż główny folder symulatora (ten, w którym jest folder scenery)";
inline constexpr std::string_view niepelny_obszar =
    "Obszar: wpisz wszystkie cztery liczby (od X, od Z, do X, do Z) albo "
    "zostaw wszystkie pola puste.";
// Each followed by the system's reason on a line of its own or after it.
inline constexpr std::string_view nieudane_cofniecie = "Nie udało się cofnąć korekty.\n";
inline constexpr std::string_view nieznana_blokada =
    "Nie można sprawdzić, czy program już działa.\n";
inline constexpr std::string_view brak_raportu = "Nie zapisano raportu: ";
inline constexpr std::string_view nie_otwarto_raportu = "Nie można otworzyć raportu: ";
inline constexpr std::string_view uwaga = "Uwaga: ";

// An area's box whose text `t` is no number.
std::string nie_liczba_obszaru(std::string_view t);
// The question before an undo of the batch of `czas`, `ile` files to restore.
std::string pytanie_cofniecia(std::string_view czas, std::size_t ile);
// What a preview found, on the phase line once it is done.
std::string podglad(const LicznikiPrzebiegu& s, RodzajPrzebiegu rodzaj);
// The objects a batch left alone: their number and the two largest reasons
// (the report has the rest); on the phase line after a run, after the
// preview's counts.
std::string pozostawione(const LicznikiPrzebiegu& s);

}  // namespace wyrownik::tekst

namespace wyrownik {

// What the window tells of an undo: the files restored, those left alone, or
// why the whole batch was refused; details are in the log.
std::string opis_cofniecia(const WynikCofniecia& w, const std::filesystem::path& katalog_scenerii);

}  // namespace wyrownik
