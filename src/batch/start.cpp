#include "batch/start.hpp"

#include <system_error>

#include "log/dziennik.hpp"
#include "platform/nazwy.hpp"
#include "platform/separator.hpp"
#include "text/sciezki.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

// The directory as text with exactly one separator at its end: "/a/b/" and
// "/a/b" are one directory and give one log path.
std::string tekst_katalogu_programu(const fs::path& katalog) {
  std::string tekst = bajty_sciezki(katalog);
  while (tekst.size() > 1 && (tekst.back() == '/' || tekst.back() == separator_natywny)) {
    tekst.pop_back();
  }
  if (tekst.empty() || tekst.back() != separator_natywny) tekst += separator_natywny;
  return tekst;
}

}  // namespace

WynikStartu wykonaj_start(const fs::path& katalog_programu, OknoStartu& okno,
                          OperacjeSystemu& operacje) {
  WynikStartu wynik;
  wynik.operacje = &operacje;

  std::error_code blad;
  wynik.katalog_programu = fs::absolute(katalog_programu, blad).lexically_normal();
  if (blad) wynik.katalog_programu = katalog_programu;
  // "dir/" and "dir" alike: some systems look up no "dir\\".
  if (!wynik.katalog_programu.has_filename() && wynik.katalog_programu.has_relative_path()) {
    wynik.katalog_programu = wynik.katalog_programu.parent_path();
  }
  wynik.sciezka_programu = tekst_katalogu_programu(wynik.katalog_programu);

  wynik.konfiguracja.sciezka_scenerii.clear();
  odczyt_ini(wynik.katalog_programu, wynik.konfiguracja, okno, operacje);

  if (wynik.konfiguracja.sciezka_scenerii.empty()) {
    okno.wylacz_wejscia();
    okno.pokaz_komunikat(komunikat::brak_sciezki);
    return wynik;
  }

  wynik.sciezka_scenerii = tekst_katalogu_scenerii(wynik.konfiguracja.sciezka_scenerii);
  wynik.katalog_scenerii = znajdz_katalog(wynik.sciezka_scenerii);
  if (!wynik.katalog_scenerii) {
    okno.pokaz_komunikat(komunikat::brak_scenery);
    okno.wylacz_wejscia();
    return wynik;
  }

  okno.wskaz_katalog(*wynik.katalog_scenerii);

  if (wynik.konfiguracja.lista_inc.empty() || wynik.konfiguracja.lista_tekstur.empty()) {
    okno.pokaz_komunikat(komunikat::puste_listy);
    okno.wylacz_wejscia();
    return wynik;
  }

  // From the path itself: the text is for display and may have lost
  // characters its code page lacks.
  wynik.plik_logu = wynik.katalog_programu / std::string(nazwa_logu);
  wynik.stan = StanStartu::gotowy;
  return wynik;
}

}  // namespace wyrownik
