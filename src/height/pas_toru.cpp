#include "height/pas_toru.hpp"

#include <cmath>

namespace wyrownik {

std::optional<std::array<Trojkat, 2>> pas_toru(const Wierzcholek& p1, const Wierzcholek& p2,
                                               double w) {
  const double l = std::sqrt((p1.x - p2.x) * (p1.x - p2.x) + (p1.z - p2.z) * (p1.z - p2.z));
  if (l < 1) return std::nullopt;
  const double dx = (p2.x - p1.x) / l;
  const double dz = (p2.z - p1.z) / l;
  // The ends are ordered by X only to pick the sign; the corners use them as
  // the track gives them.
  const Wierzcholek& lewy = p1.x > p2.x ? p2 : p1;
  const Wierzcholek& prawy = p1.x > p2.x ? p1 : p2;
  const double s = (p1.x != p2.x && prawy.z > lewy.z) ? -1.0 : 1.0;
  const double ox = std::abs(dz) * w;
  const double oz = s * std::abs(dx) * w;
  const Wierzcholek a{p1.x + ox, p1.y, p1.z + oz};
  const Wierzcholek b{p1.x - ox, p1.y, p1.z - oz};
  const Wierzcholek c{p2.x + ox, p2.y, p2.z + oz};
  const Wierzcholek d{p2.x - ox, p2.y, p2.z - oz};
  return std::array<Trojkat, 2>{Trojkat{{a, d, b}}, Trojkat{{c, d, a}}};
}

}  // namespace wyrownik
