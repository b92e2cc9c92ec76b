#include "text/wielkosc_liter.hpp"

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

std::size_t znajdz_bez_wielkosci(std::string_view tekst, std::string_view slowo) {
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
