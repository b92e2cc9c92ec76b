// The surface of a road or river track as two triangles.
#pragma once

#include <array>
#include <optional>

#include "height/trojkat.hpp"

namespace wyrownik {

// The strip of half-width `w` along the straight line from `p1` to `p2`,
// whatever the track's curve. nullopt for ends less than 1 apart in X/Z.
std::optional<std::array<Trojkat, 2>> pas_toru(const Wierzcholek& p1, const Wierzcholek& p2,
                                               double w);

}  // namespace wyrownik
