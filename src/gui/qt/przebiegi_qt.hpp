// The run buttons of the main window, connected to the batches of the core.
#pragma once

#include "batch/partia.hpp"
#include "gui/qt/form1.hpp"

namespace wyrownik {

// Command1 runs the height correction and Command2 the clearance correction
// over the entries selected in File1, with the configuration and directories
// that start-up established.
void polacz_przebiegi(Form1& okno, Srodowisko srodowisko);

// The main window as a batch sees it.
class OknoPartiiQt : public OknoPartii {
 public:
  explicit OknoPartiiQt(Form1& okno) : okno_(okno) {}

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override;
  void przetworz_zdarzenia() override { okno_.przetworz_zdarzenia(); }
  bool przerwac() const override { return okno_.przerwac(); }
  void pokaz_komunikat(std::string_view tekst) override { okno_.pokaz_komunikat(tekst); }
  std::size_t ile_pozycji() const override;
  bool zaznaczona(std::size_t i) const override;
  std::string pozycja(std::size_t i) const override;
  void raport_gotowy(const std::filesystem::path& plik) override;
  void brak_raportu(std::string_view powod) override;
  void ostrzezenie(std::string_view tekst) override;

 private:
  Form1& okno_;
};

// The window while a batch works: the busy pointer over it, the number boxes
// and run buttons disabled; all restored however the batch ends.
class PracaOkna {
 public:
  explicit PracaOkna(Form1& okno);
  ~PracaOkna();
  PracaOkna(const PracaOkna&) = delete;
  PracaOkna& operator=(const PracaOkna&) = delete;

 private:
  Form1& okno_;
};

}  // namespace wyrownik
