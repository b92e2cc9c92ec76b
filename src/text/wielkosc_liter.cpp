#include "text/wielkosc_liter.hpp"

#include <cstdint>
#include <cstring>

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

bool litera_ascii(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The rest of an ASCII keyword at `p`: letters in either case (no other
// byte of Windows-1250 folds onto an ASCII letter), other bytes as they are.
bool reszta_rowna(const char* p, std::string_view slowo) {
  for (std::size_t i = 1; i < slowo.size(); ++i) {
    const char s = slowo[i];
    if (litera_ascii(s) ? (p[i] | 0x20) != (s | 0x20) : p[i] != s) return false;
  }
  return true;
}

// Keywords are ASCII and begin with a letter: their first letter is looked
// for eight bytes at a time. A byte b matches the letter l in either case
// exactly when (b | 0x20) == (l | 0x20).
std::size_t znajdz_slowo_ascii(std::string_view tekst, std::string_view slowo) {
  constexpr std::uint64_t jedynki = 0x0101010101010101ull;
  constexpr std::uint64_t wysokie = 0x8080808080808080ull;
  const unsigned char pierwsza = static_cast<unsigned char>(slowo[0] | 0x20);
  const std::uint64_t wzor = jedynki * pierwsza;
  const char* const poczatek = tekst.data();
  const std::size_t ostatni = tekst.size() - slowo.size();  // last start that fits
  std::size_t i = 0;
  for (; i + 8 <= ostatni + 1; i += 8) {
    std::uint64_t slowo8;
    std::memcpy(&slowo8, poczatek + i, 8);
    const std::uint64_t x = (slowo8 | (jedynki * 0x20)) ^ wzor;
    // Some byte of x is zero: a candidate in these eight.
    if (((x - jedynki) & ~x & wysokie) == 0) continue;
    for (std::size_t j = i; j < i + 8; ++j) {
      if ((static_cast<unsigned char>(poczatek[j]) | 0x20) == pierwsza &&
          reszta_rowna(poczatek + j, slowo)) {
        return j;
      }
    }
  }
  for (; i <= ostatni; ++i) {
    if ((static_cast<unsigned char>(poczatek[i]) | 0x20) == pierwsza &&
        reszta_rowna(poczatek + i, slowo)) {
      return i;
    }
  }
  return std::string_view::npos;
}

bool slowo_ascii(std::string_view slowo) {
  if (!litera_ascii(slowo[0])) return false;
  for (const char c : slowo) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::size_t znajdz_bez_wielkosci(std::string_view tekst, std::string_view slowo) {
  if (slowo.empty()) return 0;
  if (slowo.size() > tekst.size()) return std::string_view::npos;
  if (slowo_ascii(slowo)) return znajdz_slowo_ascii(tekst, slowo);
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
