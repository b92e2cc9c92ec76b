#include "text/kodowanie.hpp"

namespace wyrownik {

void dopisz_utf8(std::string& wyjscie, char32_t kod) {
  if (kod < 0x80) {
    wyjscie += static_cast<char>(kod);
  } else if (kod < 0x800) {
    wyjscie += static_cast<char>(0xC0 | (kod >> 6));
    wyjscie += static_cast<char>(0x80 | (kod & 0x3F));
  } else {
    wyjscie += static_cast<char>(0xE0 | (kod >> 12));
    wyjscie += static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
    wyjscie += static_cast<char>(0x80 | (kod & 0x3F));
  }
}

std::string cp1250_na_utf8(std::string_view tekst) {
  std::string wyjscie;
  wyjscie.reserve(tekst.size() * 2);
  for (const char c : tekst) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      wyjscie += c;
    } else {
      const char16_t kod = cp1250_gorna_polowa[b - 0x80];
      dopisz_utf8(wyjscie, kod == 0 ? 0xFFFD : kod);
    }
  }
  return wyjscie;
}

std::optional<std::string> utf8_na_cp1250(std::string_view tekst) {
  std::string wyjscie;
  wyjscie.reserve(tekst.size());
  std::size_t i = 0;
  while (i < tekst.size()) {
    const auto b = static_cast<unsigned char>(tekst[i]);
    char32_t kod = 0;
    std::size_t dl = 0;
    if (b < 0x80) {
      kod = b;
      dl = 1;
    } else if ((b & 0xE0) == 0xC0) {
      kod = b & 0x1F;
      dl = 2;
    } else if ((b & 0xF0) == 0xE0) {
      kod = b & 0x0F;
      dl = 3;
    } else {
      return std::nullopt;
    }
    if (i + dl > tekst.size()) return std::nullopt;
    for (std::size_t k = 1; k < dl; ++k) {
      const auto c = static_cast<unsigned char>(tekst[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      kod = kod << 6 | (c & 0x3F);
    }
    const auto znak = znak_cp1250(kod);
    if (!znak) return std::nullopt;
    wyjscie += *znak;
    i += dl;
  }
  return wyjscie;
}

}  // namespace wyrownik
