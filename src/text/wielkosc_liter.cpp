#include "text/wielkosc_liter.hpp"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wyrownik {

bool rowne_bez_wielkosci(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (mala(a[i]) != mala(b[i])) return false;
  }
  return true;
}

bool zaczyna_sie_bez_wielkosci(std::string_view tekst, std::string_view poczatek) {
  return tekst.size() >= poczatek.size() &&
         rowne_bez_wielkosci(tekst.substr(0, poczatek.size()), poczatek);
}

int porownaj_bez_wielkosci(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int ra = mala(a[i]);
    const int rb = mala(b[i]);
    if (ra != rb) return ra - rb;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

// One letter of the keyword is looked for many bytes at a time: a byte b
// matches the letter l in either case exactly when (b | 0x20) == (l | 0x20).
// Loads cover only the letters of possible starts, so none leaves the text.
std::size_t znajdz_slowo_ascii(std::string_view tekst, std::string_view slowo, std::size_t k) {
  const unsigned char litera = static_cast<unsigned char>(slowo[k] | 0x20);
  // The letter of a match starting at s lies at s + k.
  const char* const poczatek = tekst.data();
  const char* const szukane = poczatek + k;
  const std::size_t ile_startow = tekst.size() - slowo.size() + 1;
  std::size_t s = 0;
#if defined(__SSE2__)
  const __m128i wzor = _mm_set1_epi8(static_cast<char>(litera));
  const __m128i bit_malej = _mm_set1_epi8(0x20);
  const auto kandydaci = [&](std::size_t od) {
    const __m128i bajty = _mm_loadu_si128(reinterpret_cast<const __m128i*>(szukane + od));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(bajty, bit_malej), wzor)));
  };
  const auto sprawdz = [&](std::size_t od, unsigned maska) {
    for (; maska != 0; maska &= maska - 1) {
      const std::size_t j = od + static_cast<std::size_t>(std::countr_zero(maska));
      if (detail::rowne_ascii(poczatek + j, slowo)) return j;
    }
    return std::string_view::npos;
  };
  if (ile_startow >= 16) {
    for (; s + 16 <= ile_startow; s += 16) {
      if (const std::size_t j = sprawdz(s, kandydaci(s)); j != std::string_view::npos) return j;
    }
    if (s == ile_startow) return std::string_view::npos;
    // The last starts in one load that overlaps starts already tried.
    const std::size_t od = ile_startow - 16;
    return sprawdz(od, kandydaci(od) >> (s - od) << (s - od));
  }
#endif
  for (; s < ile_startow; ++s) {
    if ((static_cast<unsigned char>(szukane[s]) | 0x20) == litera &&
        detail::rowne_ascii(poczatek + s, slowo)) {
      return s;
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::size_t znajdz_bez_wielkosci(std::string_view tekst, Slowo przygotowane) {
  const std::string_view slowo = przygotowane.tekst();
  if (przygotowane.ascii() && !slowo.empty() && slowo.size() <= tekst.size()) {
    return znajdz_slowo_ascii(tekst, slowo, przygotowane.litera());
  }
  return znajdz_bez_wielkosci_zwykle(tekst, slowo);
}

std::size_t znajdz_bez_wielkosci_zwykle(std::string_view tekst, std::string_view slowo) {
  if (slowo.empty()) return 0;
  if (slowo.size() > tekst.size()) return std::string_view::npos;
  const unsigned char pierwsza = mala(slowo[0]);
  const std::string_view reszta = slowo.substr(1);
  const std::size_t ostatni_start = tekst.size() - slowo.size();
  for (std::size_t i = 0; i <= ostatni_start; ++i) {
    if (mala(tekst[i]) == pierwsza &&
        rowne_bez_wielkosci(tekst.substr(i + 1, reszta.size()), reszta)) {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace wyrownik
