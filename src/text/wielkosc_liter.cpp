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

// An ASCII keyword at `p`: letters in either case (no other byte of
// Windows-1250 folds onto an ASCII letter), other bytes as they are.
bool rowne_ascii(const char* p, std::string_view slowo) {
  for (std::size_t i = 0; i < slowo.size(); ++i) {
    const char s = slowo[i];
    if (litera_ascii(s) ? (p[i] | 0x20) != (s | 0x20) : p[i] != s) return false;
  }
  return true;
}

// The letter of a keyword looked for first: the first one outside "end",
// which every vertex line of a real scenery ends with ("endtri" by its "t").
std::size_t litera_szukana(std::string_view slowo) {
  for (std::size_t i = 0; i < slowo.size(); ++i) {
    const char c = static_cast<char>(slowo[i] | 0x20);
    if (litera_ascii(slowo[i]) && c != 'e' && c != 'n' && c != 'd') return i;
  }
  return 0;
}

// One letter of the keyword is looked for eight bytes at a time: a byte b
// matches the letter l in either case exactly when (b | 0x20) == (l | 0x20).
std::size_t znajdz_slowo_ascii(std::string_view tekst, std::string_view slowo) {
  constexpr std::uint64_t jedynki = 0x0101010101010101ull;
  constexpr std::uint64_t wysokie = 0x8080808080808080ull;
  const std::size_t k = litera_szukana(slowo);
  const unsigned char litera = static_cast<unsigned char>(slowo[k] | 0x20);
  const std::uint64_t wzor = jedynki * litera;
  // The letter of a match at start s lies at s + k, s from 0 to `ostatni`.
  const char* const poczatek = tekst.data();
  const char* const szukane = poczatek + k;
  const std::size_t ostatni = tekst.size() - slowo.size();
  const auto sprawdz = [&](std::size_t s) {
    return (static_cast<unsigned char>(szukane[s]) | 0x20) == litera &&
           rowne_ascii(poczatek + s, slowo);
  };
  std::size_t s = 0;
  for (; s + 8 <= ostatni + 1; s += 8) {
    std::uint64_t osiem;
    std::memcpy(&osiem, szukane + s, 8);
    const std::uint64_t x = (osiem | (jedynki * 0x20)) ^ wzor;
    // Some byte of x is zero: a candidate among these eight.
    if (((x - jedynki) & ~x & wysokie) == 0) continue;
    for (std::size_t j = s; j < s + 8; ++j) {
      if (sprawdz(j)) return j;
    }
  }
  for (; s <= ostatni; ++s) {
    if (sprawdz(s)) return s;
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
