// The fixed texts were laid out for "MS Sans Serif"; a wider font put in its
// place would cut them off. Both windows shrink such a text's font until it
// fits its box.
#pragma once

namespace wyrownik {

inline constexpr double najmniejsze_punkty = 6;

// The first size from `punkty` down, in quarter points, at which
// `miesci_sie(punkty)` holds; the smallest size where none does.
template <class Miara>
double punkty_w_miejscu(double punkty, Miara&& miesci_sie) {
  while (punkty > najmniejsze_punkty && !miesci_sie(punkty)) punkty -= 0.25;
  return punkty;
}

}  // namespace wyrownik
