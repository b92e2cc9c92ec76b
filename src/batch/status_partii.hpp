// The progress of a run shown as the batch's three status lines.
#pragma once

#include <string>
#include <string_view>

#include "batch/partia.hpp"
#include "scenery/postep.hpp"

namespace wyrownik {

// Each call sets its lines, then gives the window one event pass, and stops
// the batch (Przerwanie) once the window has been closed.
class StatusPartii : public Postep {
 public:
  explicit StatusPartii(OknoPartii& okno) : okno_(okno) {}

  void faza(Faza faza, std::string_view sceneria) override;
  void plik(std::string_view nazwa) override;
  void koniec() override;

 private:
  void odswiez();

  OknoPartii& okno_;
  std::string tekst_;
};

}  // namespace wyrownik
