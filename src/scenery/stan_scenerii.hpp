// What the phases of one scenery share: the directory, the file list and the
// extents.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace wyrownik {

// X/Z extents of everything placed in a scenery. The start values make an
// empty extent (maxima below minima); only coordinates found move them.
struct Zakres {
  double min_x = 1000000, min_z = 1000000;
  double max_x = -1000000, max_z = -1000000;

  bool pusty() const { return !(max_x >= min_x && max_z >= min_z); }
  void dolacz(double x, double z) {
    if (x < min_x) min_x = x;
    if (x > max_x) max_x = x;
    if (z < min_z) min_z = z;
    if (z > max_z) max_z = z;
  }
};

struct StanScenerii {
  // The scenery directory as text (`sciezka_scenerii`: root, separator,
  // "scenery", separator), used for the full paths in the log.
  std::string tekst_katalogu;
  // The same directory as found on disk (letter case resolved).
  std::filesystem::path katalog;
  // The main file as the file list shows it.
  std::string nazwa_scenerii;
  // Every file of the scenery relative to the directory, "\" between
  // components, main file first, at most 65536 names.
  std::vector<std::string> lista_plikow;
  Zakres zakres;
};

}  // namespace wyrownik
