#include "geometry/wysokosc_w_trojkacie.hpp"

namespace wyrownik {

bool wysokosc_w_trojkacie(double x1, double z1, double y1, double x2, double z2, double y2,
                          double x3, double z3, double y3, double x, double z, double& y) {
  const double ux = x2 - x1, uz = z2 - z1, uy = y2 - y1;
  const double wx = x3 - x1, wz = z3 - z1, wy = y3 - y1;
  const double px = x - x1, pz = z - z1;
  // Twice the signed area of the projection.
  const double d = ux * wz - uz * wx;
  if (d == 0) return false;
  // Weights of the second and third vertex: (px, pz) = a·u + b·w.
  const double a = (px * wz - pz * wx) / d;
  const double b = (ux * pz - uz * px) / d;
  y = y1 + (a * uy + b * wy);
  return true;
}

}  // namespace wyrownik
