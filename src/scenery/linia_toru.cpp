#include "scenery/linia_toru.hpp"

#include <algorithm>

#include "text/linia.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

bool nastepna_linia_toru(CzytnikLinii& czytnik, std::string& linia,
                         std::vector<std::string_view>& tokeny, int& numer) {
  std::string_view surowa;
  if (!czytnik.czytaj(surowa)) return false;
  linia.assign(surowa);
  if (zawiera(linia, "endtrack")) return false;
  std::replace(linia.begin(), linia.end(), ';', ' ');
  if (linia.find("  ") != std::string::npos) oczysc_linie(linia);
  if (!linia.empty()) ++numer;
  podziel(linia, tokeny);
  return true;
}

}  // namespace wyrownik
