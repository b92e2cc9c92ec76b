#include "clearance/odcinek_toru.hpp"

#include <algorithm>
#include <cmath>

namespace wyrownik {

std::array<double, 2> OdcinekToru::normalna() const {
  const double ux = (x2 - x1) / dlugosc;
  const double uz = (z2 - z1) / dlugosc;
  return {std::abs(uz), s * std::abs(ux)};
}

std::optional<OdcinekToru> utworz_odcinek(double x1, double z1, double x2, double z2,
                                          double szerokosc) {
  const double dlugosc = std::sqrt((x1 - x2) * (x1 - x2) + (z1 - z2) * (z1 - z2));
  if (dlugosc < 1) return std::nullopt;
  const double dx = x2 - x1;
  const double dz = z2 - z1;
  const double s = (dx != 0 && dz != 0 && (dx > 0) == (dz > 0)) ? -1.0 : 1.0;
  return OdcinekToru{x1, z1, x2, z2, s, dlugosc, szerokosc};
}

ObszarPasa pas_odcinka(const OdcinekToru& o, double maks_promien) {
  const double w = o.szerokosc + maks_promien;
  const auto [nx, nz] = o.normalna();
  const std::array<double, 4> xs{o.x1 + w * nx, o.x2 + w * nx, o.x1 - w * nx, o.x2 - w * nx};
  const std::array<double, 4> zs{o.z1 + w * nz, o.z2 + w * nz, o.z1 - w * nz, o.z2 - w * nz};
  return {*std::min_element(xs.begin(), xs.end()), *std::max_element(xs.begin(), xs.end()),
          *std::min_element(zs.begin(), zs.end()), *std::max_element(zs.begin(), zs.end())};
}

}  // namespace wyrownik
