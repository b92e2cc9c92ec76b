// The lines of a track node after its header, as both runs read them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/czytnik_linii.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

// Reads the next line of a track node into `linia` (held in `bufor`) and its
// tokens into `tokeny`. ";" becomes a space, and the line is cleaned only
// when it then holds a double space: a single leading space survives and
// gives an empty first token. A non-empty line advances `numer` (the header
// is line 1). False at the end of the file (`linia` as it was) and at a line
// holding "endtrack" (`linia` is that line as read, valid until the reader
// reads on). Throws BladPliku when reading fails.
bool nastepna_linia_toru(CzytnikLinii& czytnik, std::string& bufor, std::string_view& linia,
                         std::vector<std::string_view>& tokeny, int& numer,
                         Szukanie szukanie = Szukanie::szerokie);

// The same for a line already read (`surowa`): false when it holds
// "endtrack".
bool linia_toru(std::string_view surowa, std::string& bufor, std::string_view& linia,
                std::vector<std::string_view>& tokeny, int& numer,
                Szukanie szukanie = Szukanie::szerokie);

}  // namespace wyrownik
