// A corrected line rebuilt from its tokens.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace wyrownik {

// The tokens joined by single spaces, nothing before the first or after the
// last. Built from the tokens of a cleaned line, so a corrected line comes out
// cleaned as well.
std::string sklej_linie(std::span<const std::string_view> tokeny);
std::string sklej_linie(std::span<const std::string> tokeny);

}  // namespace wyrownik
