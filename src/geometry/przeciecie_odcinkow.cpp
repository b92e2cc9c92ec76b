#include "geometry/przeciecie_odcinkow.hpp"

namespace wyrownik {

bool przeciecie_odcinkow(double x1, double z1, double x2, double z2, double x3, double z3,
                         double x4, double z4, double& xp, double& zp) {
  const double a = x2 - x1, b = z2 - z1;  // direction of the first segment
  const double c = x4 - x3, d = z4 - z3;  // direction of the second segment
  const double mianownik = b * c - a * d;
  if (mianownik == 0) return false;
  // Positions along each segment: 0 at its first end point, 1 at its second.
  const double t = (d * (x1 - x3) + c * (z3 - z1)) / mianownik;
  const double u = (b * (x3 - x1) + a * (z1 - z3)) / -mianownik;
  if (!(t >= 0 && t <= 1 && u >= 0 && u <= 1)) return false;
  xp = x1 + t * a;
  zp = z1 + t * b;
  return true;
}

}  // namespace wyrownik
