// A track as the clearance run keeps it: the straight chord between its end
// points, with the track's width.
#pragma once

#include <array>
#include <optional>

namespace wyrownik {

struct OdcinekToru {
  double x1 = 0, z1 = 0, x2 = 0, z2 = 0;
  double s = 1;        // orientation sign, exactly +1 or -1
  double dlugosc = 0;  // length of the chord
  double szerokosc = 0;

  // The unit normal of the chord, (|uz|, s * |ux|).
  std::array<double, 2> normalna() const;

  // Nine doubles as the index stores them; fields 2 and 5 are unused and 0.
  std::array<double, 9> jako_rekord() const {
    return {x1, 0.0, z1, x2, 0.0, z2, s, dlugosc, szerokosc};
  }
  static OdcinekToru z_rekordu(const std::array<double, 9>& r) {
    return {r[0], r[2], r[3], r[5], r[6], r[7], r[8]};
  }
};

// The segment of a chord from (x1, z1) to (x2, z2); nullopt for a chord
// shorter than 1.
std::optional<OdcinekToru> utworz_odcinek(double x1, double z1, double x2, double z2,
                                          double szerokosc);

// The box an object centre can lie in and still reach the track: the strip
// of `szerokosc` + `maks_promien` on each side of the chord.
struct ObszarPasa {
  double x_min, x_max, z_min, z_max;
};
ObszarPasa pas_odcinka(const OdcinekToru& odcinek, double maks_promien);

}  // namespace wyrownik
