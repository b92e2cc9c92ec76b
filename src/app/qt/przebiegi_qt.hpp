// The run buttons of the main window, connected to the batches of the core.
#pragma once

#include "app/partia.hpp"
#include "app/qt/form1.hpp"

namespace wyrownik {

// Command1 runs the height correction and Command2 the clearance correction
// over the entries selected in File1, with the configuration and directories
// that start-up established.
void polacz_przebiegi(Form1& okno, Srodowisko srodowisko);

// The main window as a batch sees it.
class OknoPartiiQt : public OknoPartii {
 public:
  explicit OknoPartiiQt(Form1& okno) : okno_(okno) {}

  void pokaz(Etykieta etykieta, std::string_view tekst) override { okno_.pokaz(etykieta, tekst); }
  void przetworz_zdarzenia() override { okno_.przetworz_zdarzenia(); }
  bool przerwac() const override { return okno_.przerwac(); }
  void pokaz_komunikat(std::string_view tekst) override { okno_.pokaz_komunikat(tekst); }
  std::size_t ile_pozycji() const override;
  bool zaznaczona(std::size_t i) const override;
  std::string pozycja(std::size_t i) const override;
  std::string tekst(Pole pole) const override { return okno_.tekst_pola(pole); }
  void wlacz(Wejscie wejscie, bool wlaczone) override;
  void kursor_zajety(bool zajety) override { okno_.ustaw_kursor_zajety(zajety); }

 private:
  Form1& okno_;
};

}  // namespace wyrownik
