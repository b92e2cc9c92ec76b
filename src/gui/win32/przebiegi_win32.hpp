// The run buttons of the Windows main window, connected to the batches of
// the core.
#pragma once

#include "batch/partia.hpp"
#include "gui/win32/form1_win32.hpp"

namespace wyrownik::win32 {

// Command1 runs the height correction and Command2 the clearance correction
// over the entries selected in File1; Check1 makes them dry runs.
void polacz_przebiegi(Form1& okno, Srodowisko srodowisko);

// The main window as a batch sees it.
class OknoPartiiWin32 : public OknoPartii {
 public:
  explicit OknoPartiiWin32(Form1& okno) : okno_(okno) {}

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override;
  void przetworz_zdarzenia() override { okno_.przetworz_zdarzenia(); }
  bool przerwac() const override { return okno_.przerwac(); }
  void pokaz_komunikat(std::string_view tekst) override { okno_.pokaz_komunikat(tekst); }
  std::size_t ile_pozycji() const override { return okno_.ile_pozycji(); }
  bool zaznaczona(std::size_t i) const override { return okno_.zaznaczona(i); }
  std::string pozycja(std::size_t i) const override { return okno_.wpis_listy(i); }
  void raport_gotowy(const std::filesystem::path& plik) override { okno_.ustaw_raport(plik); }
  void brak_raportu(std::string_view powod) override;
  void ostrzezenie(std::string_view tekst) override;

 private:
  Form1& okno_;
};

}  // namespace wyrownik::win32
