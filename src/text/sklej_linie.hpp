// A corrected line rebuilt from its tokens.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace wyrownik {

// The tokens joined by single spaces, nothing before the first or after the
// last. Built from the tokens of a cleaned line, so a corrected line comes out
// cleaned as well.
std::string sklej_linie(std::span<const std::string_view> tokeny);
std::string sklej_linie(std::span<const std::string> tokeny);

// The tokens of a raw line joined so, with the token at each index of
// `zamiany` (ascending) replaced by its text; the line's tokens are read one
// at a time, so a line of any length costs only the result.
std::string sklej_linie(std::string_view surowa,
                        std::initializer_list<std::pair<std::size_t, std::string_view>> zamiany);

}  // namespace wyrownik
