// The report as one self-contained HTML page: per scenery an inline SVG
// plan (X to the right, Z upwards, in metres) and the table of changes.
#pragma once

#include <filesystem>
#include <string>

#include "platform/plik_zapisu.hpp"
#include "report/raport.hpp"

namespace wyrownik {

// The report's file beside the log.
std::filesystem::path plik_raportu(const std::filesystem::path& plik_logu);

// The page, UTF-8. Every change is one element of its plan's group of
// changes, in log order: a circle for a height change (class "w" raised,
// "n" lowered), a path from the old to the new place for a move, a <use> of
// the cross for a removal.
std::string strona_raportu(const Raport& raport);

// Writes the page in place of the file at `sciezka` in one atomic step:
// napisz_raport() to nowy_raport(sciezka), then zastap_raport(). Each
// throws BladPliku.
void zapisz_raport(const std::filesystem::path& sciezka, const Raport& raport,
                   OperacjeSystemu& operacje);
std::filesystem::path nowy_raport(const std::filesystem::path& sciezka);
void napisz_raport(const std::filesystem::path& nowy, const Raport& raport,
                   OperacjeSystemu& operacje);
void zastap_raport(const std::filesystem::path& nowy, const std::filesystem::path& sciezka,
                   OperacjeSystemu& operacje);

}  // namespace wyrownik
