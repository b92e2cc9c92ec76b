// Windows-1250, the code page of scenery files, the ini and the log.
//
// Scenery text is kept as bytes everywhere in the core; these helpers exist
// for the two edges that need Unicode: fixed program texts (written here in
// UTF-8, turned into Windows-1250 at compile time) and display (the window and
// the terminal show UTF-8).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wyrownik {

// Unicode code points of the bytes 0x80..0xFF of Windows-1250; 0 marks the
// five bytes the code page leaves undefined.
inline constexpr std::array<char16_t, 128> cp1250_gorna_polowa = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x80
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x90
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA0
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB0
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC0
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD0
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE0
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF0
};
static_assert(cp1250_gorna_polowa[127] == 0x02D9);

// The byte for a code point, or nullopt when Windows-1250 has none.
constexpr std::optional<char> znak_cp1250(char32_t kod) {
  if (kod < 0x80) return static_cast<char>(kod);
  for (std::size_t i = 0; i < cp1250_gorna_polowa.size(); ++i) {
    if (cp1250_gorna_polowa[i] != 0 && cp1250_gorna_polowa[i] == kod) {
      return static_cast<char>(0x80 + i);
    }
  }
  return std::nullopt;
}

// A fixed program text, written in UTF-8 in the source, as Windows-1250 bytes.
// Conversion happens at compile time; a character outside the code page does
// not compile.
template <std::size_t N>
struct TekstCp1250 {
  std::array<char, N> bajty{};
  std::size_t dlugosc = 0;

  consteval TekstCp1250(const char (&utf8)[N]) {
    std::size_t i = 0;
    while (i + 1 < N) {
      const auto b = static_cast<unsigned char>(utf8[i]);
      char32_t kod = 0;
      if (b < 0x80) {
        kod = b;
        i += 1;
      } else if ((b & 0xE0) == 0xC0) {
        kod = (char32_t{b} & 0x1F) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
        i += 2;
      } else if ((b & 0xF0) == 0xE0) {
        kod = (char32_t{b} & 0x0F) << 12 |
              (char32_t{static_cast<unsigned char>(utf8[i + 1])} & 0x3F) << 6 |
              (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
        i += 3;
      } else {
        throw "UTF-8 sequence outside Windows-1250";
      }
      const auto znak = znak_cp1250(kod);
      if (!znak) throw "character outside Windows-1250";
      bajty[dlugosc++] = *znak;
    }
  }
  constexpr std::string_view widok() const { return {bajty.data(), dlugosc}; }
  constexpr operator std::string_view() const { return widok(); }
};

// A character of the Basic Multilingual Plane appended as UTF-8.
void dopisz_utf8(std::string& wyjscie, char32_t kod);

// Windows-1250 bytes as UTF-8, for display. Undefined bytes become U+FFFD.
std::string cp1250_na_utf8(std::string_view tekst);

// UTF-8 as Windows-1250 bytes; nullopt when the text is not valid UTF-8 or
// holds a character the code page lacks.
std::optional<std::string> utf8_na_cp1250(std::string_view tekst);

// What a user typed, for the core: a character the code page lacks, or a
// byte that is no UTF-8, becomes "?".
std::string utf8_na_cp1250_z_zastepstwem(std::string_view tekst);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool poprawny_utf8(std::string_view tekst);

}  // namespace wyrownik
