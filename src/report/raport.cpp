#include "report/raport.hpp"

#include <utility>

namespace wyrownik {

MapaZmian& Raport::nowa_sceneria(std::string nazwa, const Zakres& zakres) {
  std::size_t wiersze = 0;
  for (const MapaZmian& m : scenerie_) wiersze += m.wiersze().size();
  const std::size_t limit = wiersze < limit_wierszy ? limit_wierszy - wiersze : 0;
  return scenerie_.emplace_back(std::move(nazwa), zakres, rodzaj_, limit);
}

}  // namespace wyrownik
