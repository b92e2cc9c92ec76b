// The rectangle a batch is limited to (X and Z in metres, the corners in any
// order, the edges inside): only objects standing in it are corrected.
#pragma once

#include <algorithm>

namespace wyrownik {

struct Obszar {
  double x1 = 0, z1 = 0, x2 = 0, z2 = 0;

  bool zawiera(double x, double z) const {
    return std::min(x1, x2) <= x && x <= std::max(x1, x2) && std::min(z1, z2) <= z &&
           z <= std::max(z1, z2);
  }
};

}  // namespace wyrownik
