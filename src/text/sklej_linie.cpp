#include "text/sklej_linie.hpp"

namespace wyrownik {

namespace {
template <typename Token>
std::string sklej(std::span<const Token> tokeny) {
  std::size_t dlugosc = tokeny.size();
  for (const auto& t : tokeny) dlugosc += t.size();
  std::string linia;
  linia.reserve(dlugosc);
  for (const auto& t : tokeny) {
    if (&t != tokeny.data()) linia += ' ';
    linia += t;
  }
  return linia;
}
}  // namespace

std::string sklej_linie(std::span<const std::string_view> tokeny) {
  return sklej(tokeny);
}
std::string sklej_linie(std::span<const std::string> tokeny) {
  return sklej(tokeny);
}

}  // namespace wyrownik
