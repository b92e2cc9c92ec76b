#include "cli/okno_cli.hpp"

#include "cli/teksty_cli.hpp"
#include "platform/separator.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik::cli {

void OknoCli::pokaz_status(WierszStatusu, std::string_view tekst) {
  // Emptied status lines carry no news on a terminal.
  if (!tekst.empty()) bledy_ << cp1250_na_utf8(tekst) << '\n' << std::flush;
}

void OknoCli::pokaz_komunikat(std::string_view tekst) {
  bledy_ << cp1250_na_utf8(tekst) << '\n' << std::flush;
}

void OknoCli::szczegoly_bledu(std::string_view opis) {
  bledy_ << opis << '\n' << std::flush;
}

std::string tekst_sciezki(const std::filesystem::path& sciezka) {
  const std::u8string tekst = sciezka.u8string();
  return std::string(tekst.begin(), tekst.end());
}

// The path is information for a script: when it cannot be written (stdout
// closed, full, its reader gone), the batch's result stands.
void OknoCli::raport_gotowy(const std::filesystem::path& plik) {
  if (!sciezka_raportu_) return;
  if (wyjscie_ << tekst_sciezki(plik) << '\n' << std::flush) return;
  bledy_ << tekst::uwaga << tekst::sciezka_raportu_nie_wypisana << tekst_sciezki(plik) << '\n'
         << std::flush;
}

// A warning names files in the system's bytes or in the scenery's
// Windows-1250: UTF-8 where it is that already.
void OknoCli::ostrzezenie(std::string_view opis) {
  bledy_ << tekst::uwaga
         << (nazwy_na_dysku_w_utf8 && poprawny_utf8(opis) ? std::string(opis)
                                                          : cp1250_na_utf8(opis))
         << '\n'
         << std::flush;
}

void OknoCli::brak_raportu(std::string_view powod) {
  bledy_ << tekst::program << tekst::brak_raportu << powod << '\n' << std::flush;
}

void OknoCli::koniec_partii(const LicznikiPrzebiegu& suma) {
  suma_ = suma;
}

// The last line of every batch: what it did, or in a dry run would do; a
// batch stopped on request says so, and that undo gives back what it did.
void OknoCli::podsumuj(bool przerwana) {
  bledy_ << tekst::podsumowanie(suma_, na_sucho_, przerwana) << '\n' << std::flush;
}

std::string OknoCli::pozycja(std::size_t i) const {
  // Names typed on a UTF-8 terminal are matched as the scenery spells them.
  const std::string& nazwa = scenerie_[i];
  return utf8_na_cp1250(nazwa).value_or(nazwa);
}

}  // namespace wyrownik::cli
