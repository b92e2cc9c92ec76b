#include "scenery/linia_toru.hpp"

#include <algorithm>

#include "text/linia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

bool nastepna_linia_toru(CzytnikLinii& czytnik, std::string& bufor, std::string_view& linia,
                         std::vector<std::string_view>& tokeny, int& numer, Szukanie szukanie) {
  std::string_view surowa;
  if (!czytnik.czytaj(surowa)) return false;
  return linia_toru(surowa, bufor, linia, tokeny, numer, szukanie);
}

bool linia_toru(std::string_view surowa, std::string& bufor, std::string_view& linia,
                std::vector<std::string_view>& tokeny, int& numer, Szukanie szukanie) {
  if (zawiera(surowa, "endtrack", szukanie)) {
    linia = surowa;
    return false;
  }
  bufor.assign(surowa);
  std::replace(bufor.begin(), bufor.end(), ';', ' ');
  if (bufor.find("  ") != std::string::npos) oczysc_linie(bufor);
  linia = bufor;
  if (!linia.empty()) ++numer;
  podziel(linia, tokeny);
  return true;
}

}  // namespace wyrownik
