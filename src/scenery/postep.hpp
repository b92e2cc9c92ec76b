// What a run tells while it works, in its own terms: the phase, the scenery,
// the file. The batch driver turns that into status lines.
#pragma once

#include <string_view>

#include "platform/bledy.hpp"

namespace wyrownik {

enum class Faza {
  skan,         // the files and extents of the scenery are found
  indeks,       // the scratch index is created
  odczyt,       // the ground or the tracks are read into the index
  przepisanie,  // the files are rewritten with the corrections
};

// Every call is an event point: the sink may let the user act (repaint, open
// the help window, close the main window) and may throw Przerwanie there.
class Postep {
 public:
  virtual ~Postep() = default;
  // A phase of the scenery `sceneria` (its list entry) begins.
  virtual void faza(Faza faza, std::string_view sceneria) = 0;
  // The phase turns to the next file of the scenery (its list entry).
  virtual void plik(std::string_view nazwa) = 0;
  // The scan, or the whole run over a scenery, has ended.
  virtual void koniec() = 0;
};

// Thrown at an event point once the user asked the batch to stop (the main
// window closed, a signal to the command line). The batch removes the
// scratch files; every scenery file is either untouched or fully replaced,
// since replacing is one step.
class Przerwanie : public Blad {
 public:
  Przerwanie() : Blad("batch stopped on request") {}
};

}  // namespace wyrownik
