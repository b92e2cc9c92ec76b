#include "text/sklej_linie.hpp"

#include "text/linia.hpp"

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

std::string sklej_linie(std::string_view surowa,
                        std::initializer_list<std::pair<std::size_t, std::string_view>> zamiany) {
  // Two passes: the length first, so that the line is allocated once.
  const auto dla_tokenow = [&](auto&& dzialanie) {
    KursorTokenow kursor(surowa);
    std::string_view token;
    auto zamiana = zamiany.begin();
    for (std::size_t i = 0; kursor.nastepny(token); ++i) {
      if (zamiana != zamiany.end() && zamiana->first == i) token = (zamiana++)->second;
      dzialanie(i, token);
    }
  };
  std::size_t dlugosc = 0;
  dla_tokenow([&](std::size_t i, std::string_view t) { dlugosc += t.size() + (i > 0 ? 1 : 0); });
  std::string linia;
  linia.reserve(dlugosc);
  dla_tokenow([&](std::size_t i, std::string_view t) {
    if (i > 0) linia += ' ';
    linia += t;
  });
  return linia;
}

}  // namespace wyrownik
