// What the runs need of the window while they work: the three status lines
// and a chance for the window to handle pending events.
#pragma once

#include <stdexcept>
#include <string_view>

namespace wyrownik {

enum class Etykieta { label2, label3, label4 };

class Postep {
 public:
  virtual ~Postep() = default;
  // Sets one status line; the text is Windows-1250.
  virtual void pokaz(Etykieta etykieta, std::string_view tekst) = 0;
  // Lets the window repaint and react (the help button, the file selection,
  // closing).
  virtual void przetworz_zdarzenia() = 0;
  // True once the user closed the main window: the batch must stop cleanly.
  virtual bool przerwac() const { return false; }
};

// Thrown at an event point after the window was closed. The phase that
// catches it removes its scratch files and leaves every scenery file either
// untouched or fully replaced.
class Przerwanie : public std::runtime_error {
 public:
  Przerwanie() : std::runtime_error("batch stopped: the window was closed") {}
};

// Handles pending events, then stops the batch if the window was closed.
inline void odswiez(Postep& postep) {
  postep.przetworz_zdarzenia();
  if (postep.przerwac()) throw Przerwanie();
}

// Sets a status line and lets the window show it.
inline void pokaz_i_odswiez(Postep& postep, Etykieta etykieta, std::string_view tekst) {
  postep.pokaz(etykieta, tekst);
  odswiez(postep);
}

}  // namespace wyrownik
