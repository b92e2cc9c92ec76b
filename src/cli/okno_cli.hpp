// The batch's window on a terminal: the scenery names come from the command
// line, the status lines and messages go to stderr, the report's path to
// stdout (what a script opens next).
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "batch/partia.hpp"

namespace wyrownik::cli {

// A path as a terminal shows it: UTF-8 (on POSIX the name's own bytes).
std::string tekst_sciezki(const std::filesystem::path& sciezka);

class OknoCli : public OknoPartii {
 public:
  OknoCli(const std::vector<std::string>& scenerie, std::ostream& wyjscie, std::ostream& bledy)
      : scenerie_(scenerie), wyjscie_(wyjscie), bledy_(bledy) {}

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override;
  void przetworz_zdarzenia() override {}
  void pokaz_komunikat(std::string_view tekst) override;
  std::size_t ile_pozycji() const override { return scenerie_.size(); }
  bool zaznaczona(std::size_t) const override { return true; }
  std::string pozycja(std::size_t i) const override;
  void szczegoly_bledu(std::string_view opis) override;
  void raport_gotowy(const std::filesystem::path& plik) override;
  void brak_raportu(std::string_view powod) override;
  void ostrzezenie(std::string_view tekst) override;

 private:
  const std::vector<std::string>& scenerie_;
  std::ostream& wyjscie_;
  std::ostream& bledy_;
};

}  // namespace wyrownik::cli
