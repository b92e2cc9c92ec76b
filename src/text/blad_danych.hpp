// Scenery text that a run cannot go on with.
#pragma once

#include "platform/bledy.hpp"

namespace wyrownik {

// A track point that is not a number, a list of files that overflows, a
// damaged scratch index, a coordinate that cannot be written: the run stops
// through its failure path.
class BladDanych : public Blad {
 public:
  using Blad::Blad;
};

}  // namespace wyrownik
