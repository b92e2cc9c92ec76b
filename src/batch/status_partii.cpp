#include "batch/status_partii.hpp"

#include "batch/teksty_statusu.hpp"

namespace wyrownik {

void StatusPartii::faza(Faza faza, std::string_view sceneria) {
  switch (faza) {
    case Faza::skan:
    case Faza::indeks:
      tekst_.assign(status::sprawdzana_sceneria).append(sceneria);
      okno_.pokaz_status(WierszStatusu::sceneria, tekst_);
      okno_.pokaz_status(WierszStatusu::faza,
                         faza == Faza::skan ? status::faza_i : status::faza_ii);
      break;
    case Faza::odczyt:
      okno_.pokaz_status(WierszStatusu::faza, status::faza_iii);
      okno_.pokaz_status(WierszStatusu::plik, "");
      break;
    case Faza::przepisanie:
      // The file line keeps the last file read until the first is rewritten.
      okno_.pokaz_status(WierszStatusu::faza, status::faza_iv);
      break;
  }
  odswiez();
}

void StatusPartii::plik(std::string_view nazwa) {
  tekst_.assign(status::czytam_plik).append(nazwa);
  okno_.pokaz_status(WierszStatusu::plik, tekst_);
  odswiez();
}

void StatusPartii::koniec() {
  okno_.pokaz_status(WierszStatusu::sceneria, "");
  okno_.pokaz_status(WierszStatusu::faza, "");
  okno_.pokaz_status(WierszStatusu::plik, "");
  odswiez();
}

void StatusPartii::odswiez() {
  okno_.przetworz_zdarzenia();
  if (okno_.przerwac()) throw Przerwanie();
}

}  // namespace wyrownik
