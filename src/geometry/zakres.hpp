// The X/Z extents of what a scenery places on the ground plane.
#pragma once

namespace wyrownik {

// The start values make an empty extent (maxima below minima); only
// coordinates found move them.
struct Zakres {
  double min_x = 1000000, min_z = 1000000;
  double max_x = -1000000, max_z = -1000000;

  bool pusty() const { return !(max_x >= min_x && max_z >= min_z); }
  void dolacz(double x, double z) {
    if (x < min_x) min_x = x;
    if (x > max_x) max_x = x;
    if (z < min_z) min_z = z;
    if (z > max_z) max_z = z;
  }
};

}  // namespace wyrownik
