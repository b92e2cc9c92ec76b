// What the height run takes from the configuration and the two band boxes.
#pragma once

#include <string>
#include <vector>

namespace wyrownik {

struct UstawieniaWysokosci {
  std::vector<std::string> lista_inc;       // objects treated: "*" or whole base names
  std::vector<std::string> lista_tekstur;   // texture-name prefixes of the ground
  std::vector<std::string> lista_wyjatkow;  // object-name prefixes left alone, sorted
  bool drogi = false;                       // road tracks are ground
  bool rzeki = false;                       // river tracks are ground
};

// The band of height differences the user lets the run correct, both bounds
// inclusive.
struct Pasmo {
  double dolna = 0;
  double gorna = 0;
};

}  // namespace wyrownik
