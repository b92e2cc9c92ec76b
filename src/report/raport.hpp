// The map report of one batch: a map per scenery run, in batch order.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "report/mapa_zmian.hpp"

namespace wyrownik {

class Raport {
 public:
  // Table rows of the whole page: more would make a page a browser shows
  // slowly; the log has them all.
  static constexpr std::size_t limit_wierszy = 3000;

  Raport(RodzajPrzebiegu rodzaj, bool na_sucho) : rodzaj_(rodzaj), na_sucho_(na_sucho) {}

  // The map of the next scenery; it stays valid while the report lives.
  MapaZmian& nowa_sceneria(std::string nazwa, const Zakres& zakres);

  RodzajPrzebiegu rodzaj() const { return rodzaj_; }
  bool skrajnia() const { return rodzaj_ == RodzajPrzebiegu::skrajnia; }
  bool na_sucho() const { return na_sucho_; }
  const std::deque<MapaZmian>& scenerie() const { return scenerie_; }

 private:
  RodzajPrzebiegu rodzaj_;
  bool na_sucho_;
  std::deque<MapaZmian> scenerie_;
};

}  // namespace wyrownik
