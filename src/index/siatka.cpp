#include "index/siatka.hpp"

#include <cmath>

namespace wyrownik {

double krok_siatki(double minimum, double maksimum) {
  const double krok = std::floor((maksimum - minimum) / Siatka::rozmiar_siatki);
  // Also catches an empty extent (negative difference) and NaN.
  return krok >= 10 ? krok : 10;
}

Siatka::Siatka(const Zakres& zakres)
    : min_x_(zakres.min_x),
      min_z_(zakres.min_z),
      krok_x_(krok_siatki(zakres.min_x, zakres.max_x)),
      krok_z_(krok_siatki(zakres.min_z, zakres.max_z)) {}

}  // namespace wyrownik
