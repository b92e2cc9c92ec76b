// Why an undo left a file of its batch alone.
#pragma once

namespace wyrownik {

enum class Pominiecie {
  zmieniony,        // it no longer holds what the batch wrote (edited since, a later batch)
  brak_pliku,       // it is gone
  poza_scenerie,    // its name leads outside the scenery directory
  zmieniona_kopia,  // the kept copy no longer holds what the file held before
  blad_odczytu,     // it or its kept copy could not be looked up or read
};

}  // namespace wyrownik
