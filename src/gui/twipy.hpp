// Window sizes are designed in twips.
#pragma once

namespace wyrownik {

// 15 twips are one pixel at 96 dots per inch; the window system scales
// device-independent pixels for other densities.
constexpr int piksele(int twipy) {
  return twipy / 15;
}

}  // namespace wyrownik
