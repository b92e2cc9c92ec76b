// Window sizes are designed in twips (1/1440 inch), fonts in points.
#pragma once

namespace wyrownik {

inline constexpr int twipy_na_cal = 1440;
inline constexpr int punkty_na_cal = 72;
inline constexpr int dpi_wzorcowe = 96;  // the density the window was designed at

// Twips as device-independent pixels (15 to a pixel at 96 dots per inch),
// which the Qt window system scales for other densities.
constexpr int piksele(int twipy) {
  return twipy / (twipy_na_cal / dpi_wzorcowe);
}

}  // namespace wyrownik
