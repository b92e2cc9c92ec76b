// The batch's window on a terminal: the scenery names come from the command
// line, the status lines and messages go to stderr, the report's path to
// stdout (what a script opens next).
#pragma once

#include <atomic>
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
  // `sciezka_raportu`: the report's path goes to stdout (not when stdout
  // carries the patch). `na_sucho`: the counts say what would be done.
  // `przerwanie`: non-zero once the user asked the program to stop.
  OknoCli(const std::vector<std::string>& scenerie, std::ostream& wyjscie, std::ostream& bledy,
          const std::atomic<int>& przerwanie, bool sciezka_raportu = true, bool na_sucho = false)
      : scenerie_(scenerie),
        wyjscie_(wyjscie),
        bledy_(bledy),
        przerwanie_(przerwanie),
        sciezka_raportu_(sciezka_raportu),
        na_sucho_(na_sucho) {}

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override;
  void przetworz_zdarzenia() override {}
  bool przerwac() const override { return przerwanie_.load() != 0; }
  void pokaz_komunikat(std::string_view tekst) override;
  std::size_t ile_pozycji() const override { return scenerie_.size(); }
  bool zaznaczona(std::size_t) const override { return true; }
  std::string pozycja(std::size_t i) const override;
  void szczegoly_bledu(std::string_view opis) override;
  void raport_gotowy(const std::filesystem::path& plik) override;
  void brak_raportu(std::string_view powod) override;
  void ostrzezenie(std::string_view tekst) override;
  void koniec_partii(const LicznikiPrzebiegu& suma) override;
  // The batch's last line on stderr, its counts; `przerwana` when it stopped
  // on the user's request.
  void podsumuj(bool przerwana);
  // Whether the batch changed, or would change, anything.
  bool zmiany() const { return suma_.ile_zmian + suma_.ile_usunietych > 0; }

 private:
  const std::vector<std::string>& scenerie_;
  std::ostream& wyjscie_;
  std::ostream& bledy_;
  const std::atomic<int>& przerwanie_;
  bool sciezka_raportu_;
  bool na_sucho_;
  LicznikiPrzebiegu suma_;
};

}  // namespace wyrownik::cli
