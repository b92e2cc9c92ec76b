// The batch's window on a terminal: the scenery names come from the command
// line, the status lines and messages go to stderr.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "batch/partia.hpp"

namespace wyrownik::cli {

class OknoCli : public OknoPartii {
 public:
  OknoCli(const std::vector<std::string>& scenerie, std::ostream& bledy)
      : scenerie_(scenerie), bledy_(bledy) {}

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override;
  void przetworz_zdarzenia() override {}
  void pokaz_komunikat(std::string_view tekst) override;
  std::size_t ile_pozycji() const override { return scenerie_.size(); }
  bool zaznaczona(std::size_t) const override { return true; }
  std::string pozycja(std::size_t i) const override;
  void szczegoly_bledu(std::string_view opis) override;

 private:
  const std::vector<std::string>& scenerie_;
  std::ostream& bledy_;
};

}  // namespace wyrownik::cli
