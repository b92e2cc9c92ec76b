// A piece of ground: one triangle, vertices as the scenery writes them (X, Y
// height, Z). Stored in the index as nine doubles in this order.
#pragma once

#include <array>

namespace wyrownik {

struct Wierzcholek {
  double x = 0, y = 0, z = 0;
};

struct Trojkat {
  std::array<Wierzcholek, 3> v;

  std::array<double, 9> jako_rekord() const {
    return {v[0].x, v[0].y, v[0].z, v[1].x, v[1].y, v[1].z, v[2].x, v[2].y, v[2].z};
  }
  static Trojkat z_rekordu(const std::array<double, 9>& r) {
    return {{{{r[0], r[1], r[2]}, {r[3], r[4], r[5]}, {r[6], r[7], r[8]}}}};
  }
};

}  // namespace wyrownik
