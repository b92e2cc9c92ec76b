// Letter case of Windows-1250 text: one fold used by every case-insensitive
// comparison, search and ordering of the program.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wyrownik {

namespace detail {
constexpr std::array<unsigned char, 256> zbuduj_tablice_malych() {
  std::array<unsigned char, 256> t{};
  for (std::size_t i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (std::size_t i = 'A'; i <= 'Z'; ++i) t[i] = static_cast<unsigned char>(i + 32);
  // Š Ś Ť Ž Ź sit 0x10 below their small letters; Ł Ą Ş Ż Ľ have partners of
  // their own; 0xC0..0xDE pair with 0xE0..0xFE but for the multiplication sign.
  for (std::size_t i : {0x8A, 0x8C, 0x8D, 0x8E, 0x8F}) t[i] = static_cast<unsigned char>(i + 0x10);
  t[0xA3] = 0xB3;
  t[0xA5] = 0xB9;
  t[0xAA] = 0xBA;
  t[0xAF] = 0xBF;
  t[0xBC] = 0xBE;
  for (std::size_t i = 0xC0; i <= 0xDE; ++i) {
    if (i != 0xD7) t[i] = static_cast<unsigned char>(i + 0x20);
  }
  return t;
}
inline constexpr std::array<unsigned char, 256> tablica_malych = zbuduj_tablice_malych();
}  // namespace detail

// The letter folded to small, as an unsigned byte value (the ordering key).
constexpr unsigned char mala(char znak) {
  return detail::tablica_malych[static_cast<unsigned char>(znak)];
}

// Equality without regard to letter case.
bool rowne_bez_wielkosci(std::string_view a, std::string_view b);

// True when `tekst` starts with `poczatek`, without regard to letter case.
bool zaczyna_sie_bez_wielkosci(std::string_view tekst, std::string_view poczatek);

// Three-way ordering by folded byte value (negative, zero, positive).
int porownaj_bez_wielkosci(std::string_view a, std::string_view b);

namespace detail {
constexpr bool litera_ascii(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// An ASCII keyword at `p`: letters in either case (no other byte of
// Windows-1250 folds onto an ASCII letter), other bytes as they are.
inline bool rowne_ascii(const char* p, std::string_view slowo) {
  for (std::size_t i = 0; i < slowo.size(); ++i) {
    const char s = slowo[i];
    if (detail::litera_ascii(s) ? (p[i] | 0x20) != (s | 0x20) : p[i] != s) return false;
  }
  return true;
}
}  // namespace detail

// A keyword prepared for the search: whether it is plain ASCII starting with
// a letter, and which of its letters is looked for first (the first one
// outside "end", which every vertex line of a real scenery ends with). A
// literal is prepared when the program is compiled. Sixteen bytes, so that
// a call takes it in two registers: built on the stack and reloaded, it
// stalled every keyword test.
class Slowo {
 public:
  template <std::size_t N>
  consteval Slowo(const char (&tekst)[N]) : Slowo(std::string_view(tekst, N - 1)) {}
  constexpr Slowo(std::string_view tekst)  // NOLINT: implicit on purpose
      : dane_(tekst.data()), rozmiar_(static_cast<std::uint32_t>(tekst.size())) {
    if (tekst.size() > UINT16_MAX) throw std::length_error("a keyword too long to search for");
    ascii_ = !tekst.empty() && detail::litera_ascii(tekst[0]);
    for (const char c : tekst) {
      if (static_cast<unsigned char>(c) >= 0x80) ascii_ = false;
    }
    for (std::size_t i = 0; i < tekst.size(); ++i) {
      const char c = static_cast<char>(tekst[i] | 0x20);
      if (detail::litera_ascii(tekst[i]) && c != 'e' && c != 'n' && c != 'd') {
        litera_ = static_cast<std::uint16_t>(i);
        break;
      }
    }
  }

  constexpr std::string_view tekst() const { return {dane_, rozmiar_}; }
  constexpr bool ascii() const { return ascii_; }
  constexpr std::size_t litera() const { return litera_; }

 private:
  const char* dane_;
  std::uint32_t rozmiar_;
  std::uint16_t litera_ = 0;
  bool ascii_ = false;
};
static_assert(sizeof(Slowo) == 16);

// How a keyword is looked for: an ASCII keyword's letter 16 bytes at a time
// (szerokie), or every byte folded and compared (zwykle), the long way the
// wide search must always agree with.
enum class Szukanie : bool { zwykle, szerokie };

// Position of the first occurrence of `slowo` in `tekst` without regard to
// letter case, or npos: the wide search, and the plain one.
std::size_t znajdz_bez_wielkosci(std::string_view tekst, Slowo slowo);
std::size_t znajdz_bez_wielkosci_zwykle(std::string_view tekst, std::string_view slowo);

inline std::size_t znajdz_bez_wielkosci(std::string_view tekst, Slowo slowo, Szukanie szukanie) {
  return szukanie == Szukanie::szerokie ? znajdz_bez_wielkosci(tekst, slowo)
                                        : znajdz_bez_wielkosci_zwykle(tekst, slowo.tekst());
}

// The keyword test: `slowo` occurs anywhere in `linia`, in any letter case.
inline bool zawiera(std::string_view linia, Slowo slowo, Szukanie szukanie = Szukanie::szerokie) {
  return znajdz_bez_wielkosci(linia, slowo, szukanie) != std::string_view::npos;
}

// Several keyword tests at once: bit k whether `slowa[k]` occurs in `linia`.
// The wide search takes one pass over the line for ASCII keywords, whatever
// their letters; the plain one tests each keyword in turn.
template <std::size_t N>
inline unsigned zawiera_ktore(std::string_view tekst, const std::array<Slowo, N>& slowa,
                              Szukanie szukanie) {
  unsigned wynik = 0;
  bool ascii = szukanie == Szukanie::szerokie;
  for (const Slowo& s : slowa) ascii = ascii && s.ascii();
  if (!ascii) {
    for (std::size_t k = 0; k < N; ++k) {
      if (zawiera(tekst, slowa[k], szukanie)) wynik |= 1u << k;
    }
    return wynik;
  }
  std::array<char, N> litery;
  for (std::size_t k = 0; k < N; ++k) {
    litery[k] = static_cast<char>(slowa[k].tekst()[slowa[k].litera()] | 0x20);
  }
  constexpr unsigned wszystkie = (1u << N) - 1;
  // A letter found at j: each keyword with that letter is tried where it
  // would start.
  const auto sprawdz = [&](std::size_t j) {
    const char znak = static_cast<char>(tekst[j] | 0x20);
    for (std::size_t k = 0; k < N; ++k) {
      const Slowo& s = slowa[k];
      if ((wynik & (1u << k)) != 0 || znak != litery[k] || j < s.litera()) continue;
      const std::size_t start = j - s.litera();
      if (start + s.tekst().size() <= tekst.size() &&
          detail::rowne_ascii(tekst.data() + start, s.tekst())) {
        wynik |= 1u << k;
      }
    }
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  if (tekst.size() >= 16) {
    __m128i wzory[N];
    for (std::size_t k = 0; k < N; ++k) wzory[k] = _mm_set1_epi8(litery[k]);
    const __m128i bit_malej = _mm_set1_epi8(0x20);
    const auto kandydaci = [&](std::size_t od) {
      const __m128i bajty = _mm_or_si128(
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(tekst.data() + od)), bit_malej);
      __m128i trafienia = _mm_cmpeq_epi8(bajty, wzory[0]);
      for (std::size_t k = 1; k < N; ++k) {
        trafienia = _mm_or_si128(trafienia, _mm_cmpeq_epi8(bajty, wzory[k]));
      }
      return static_cast<unsigned>(_mm_movemask_epi8(trafienia));
    };
    const auto sprawdz_maske = [&](std::size_t od, unsigned maska) {
      for (; maska != 0 && wynik != wszystkie; maska &= maska - 1) {
        sprawdz(od + static_cast<std::size_t>(std::countr_zero(maska)));
      }
    };
    for (; i + 16 <= tekst.size() && wynik != wszystkie; i += 16) sprawdz_maske(i, kandydaci(i));
    // The last bytes in one load that overlaps bytes already looked at.
    if (i < tekst.size() && wynik != wszystkie) {
      const std::size_t od = tekst.size() - 16;
      sprawdz_maske(od, kandydaci(od) >> (i - od) << (i - od));
    }
    return wynik;
  }
#endif
  for (; i < tekst.size() && wynik != wszystkie; ++i) sprawdz(i);
  return wynik;
}

inline unsigned zawiera_ktore(std::string_view linia, Slowo a, Slowo b, Szukanie szukanie) {
  return zawiera_ktore<2>(linia, {a, b}, szukanie);
}

}  // namespace wyrownik
