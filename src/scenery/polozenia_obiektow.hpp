// Where the scan found every object: 16 bytes an object, kept off the
// program's own memory.
#pragma once

#include "platform/lista_na_dysku.hpp"

namespace wyrownik {

// Where an object line places its object, as the runs read it.
struct PolozenieObiektu {
  double x = 0, z = 0;
};

using PolozeniaObiektow = ListaNaDysku<PolozenieObiektu>;

}  // namespace wyrownik
