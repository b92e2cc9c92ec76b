// The batch's window on a terminal: the scenery names come from the command
// line, the status lines and messages go to stderr.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/partia.hpp"
#include "cli/opcje.hpp"

namespace wyrownik::cli {

class OknoCli : public OknoPartii {
 public:
  OknoCli(const Opcje& opcje, std::ostream& bledy) : opcje_(opcje), bledy_(bledy) {}

  void pokaz(Etykieta etykieta, std::string_view tekst) override;
  void przetworz_zdarzenia() override {}
  void pokaz_komunikat(std::string_view tekst) override;
  std::size_t ile_pozycji() const override { return opcje_.scenerie.size(); }
  bool zaznaczona(std::size_t) const override { return true; }
  std::string pozycja(std::size_t i) const override;
  std::string tekst(Pole pole) const override;
  void wlacz(Wejscie, bool) override {}
  void kursor_zajety(bool) override {}
  void szczegoly_bledu(std::string_view opis) override;

 private:
  const Opcje& opcje_;
  std::ostream& bledy_;
};

}  // namespace wyrownik::cli
