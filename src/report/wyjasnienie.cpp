#include "report/wyjasnienie.hpp"

#include "text/kodowanie.hpp"
#include "text/linia.hpp"
#include "text/tekst_wspolrzednej.hpp"

namespace wyrownik {

Wyjasnienie::Wyjasnienie(std::function<void(std::string_view)> wyjscie)
    : wyjscie_(std::move(wyjscie)) {
  wyjscie_(naglowek);
}

void Wyjasnienie::poczatek_scenerii(const StanScenerii& stan) {
  sceneria_ = cp1250_na_utf8(stan.nazwa_scenerii);
}

// The file as the scenery names it, relative to the scenery directory; the
// position as the line spells it; the textures under an object without ground.
void Wyjasnienie::pozostawiona(const LiniaPozostawiona& l) {
  std::string_view plik = l.plik.pelna_sciezka;
  if (plik.starts_with(l.plik.stan.tekst_katalogu))
    plik.remove_prefix(l.plik.stan.tekst_katalogu.size());
  wiersz_.assign(sceneria_).append("\t").append(cp1250_na_utf8(plik)).append("\t");
  wiersz_.append(std::to_string(l.nr_linii)).append("\t");
  wiersz_.append(klucz_powodu(l.pozostawienie.powod));
  const auto trojka = znajdz_trojke_w_linii(l.linia);
  for (const std::size_t indeks : {trojka ? trojka->indeks_x : 0, trojka ? trojka->indeks_y : 0,
                                   trojka ? trojka->indeks_z : 0}) {
    wiersz_.append("\t");
    if (trojka) wiersz_.append(token_linii(l.linia, indeks).value_or(""));
  }
  wiersz_.append("\t");
  if (l.pozostawienie.wartosc) wiersz_.append(tekst_wspolrzednej(*l.pozostawienie.wartosc));
  wiersz_.append("\t").append(cp1250_na_utf8(l.pozostawienie.szczegol)).append("\n");
  wyjscie_(wiersz_);
}

}  // namespace wyrownik
