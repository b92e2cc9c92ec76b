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

namespace {

struct ZnakUtf8 {
  char32_t kod;
  std::size_t dlugosc;
};

// The code point that starts at `i`; nullopt for a malformed sequence.
std::optional<ZnakUtf8> znak_utf8(std::string_view t, std::size_t i) {
  const auto b = static_cast<unsigned char>(t[i]);
  if (b < 0x80) return ZnakUtf8{b, 1};
  const std::size_t dl = (b & 0xE0) == 0xC0   ? 2
                         : (b & 0xF0) == 0xE0 ? 3
                         : (b & 0xF8) == 0xF0 ? 4
                                              : 0;
  if (dl == 0 || i + dl > t.size()) return std::nullopt;
  char32_t kod = b & (0x7F >> dl);
  for (std::size_t k = 1; k < dl; ++k) {
    const auto c = static_cast<unsigned char>(t[i + k]);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    kod = kod << 6 | (c & 0x3F);
  }
  constexpr char32_t najmniejszy[] = {0, 0, 0x80, 0x800, 0x10000};
  if (kod < najmniejszy[dl] || kod > 0x10FFFF || (kod >= 0xD800 && kod <= 0xDFFF)) {
    return std::nullopt;
  }
  return ZnakUtf8{kod, dl};
}

}  // namespace

std::optional<std::string> utf8_na_cp1250(std::string_view tekst) {
  std::string wyjscie;
  wyjscie.reserve(tekst.size());
  for (std::size_t i = 0; i < tekst.size();) {
    const auto z = znak_utf8(tekst, i);
    if (!z) return std::nullopt;
    const auto znak = znak_cp1250(z->kod);
    if (!znak) return std::nullopt;
    wyjscie += *znak;
    i += z->dlugosc;
  }
  return wyjscie;
}

std::string utf8_na_cp1250_z_zastepstwem(std::string_view tekst) {
  std::string wyjscie;
  wyjscie.reserve(tekst.size());
  for (std::size_t i = 0; i < tekst.size();) {
    const auto z = znak_utf8(tekst, i);
    wyjscie += z ? znak_cp1250(z->kod).value_or('?') : '?';
    i += z ? z->dlugosc : 1;
  }
  return wyjscie;
}

bool poprawny_utf8(std::string_view tekst) {
  for (std::size_t i = 0; i < tekst.size();) {
    const auto z = znak_utf8(tekst, i);
    if (!z) return false;
    i += z->dlugosc;
  }
  return true;
}

}  // namespace wyrownik
