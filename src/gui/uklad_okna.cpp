#include "gui/uklad_okna.hpp"

#include <algorithm>
#include <vector>

namespace wyrownik {

namespace {

std::size_t ile_wierszy(const OknoUkladu& okno) {
  return std::min(okno.ile_kontrolek(), UkladOkna::ile_wierszy);
}

void przywroc_rozmiar(UkladOkna& uklad, OknoUkladu& okno) {
  // A refused size (the window is minimised) leaves nothing to do; the next
  // size with a client area is laid out as usual.
  okno.ustaw_rozmiar_zewnetrzny({uklad.ostatnia_szerokosc, uklad.ostatnia_wysokosc});
  uklad.przywracanie = false;
}

}  // namespace

void zapamietaj_uklad(UkladOkna& uklad, const OknoUkladu& okno) {
  const Rozmiar zewnatrz = okno.rozmiar_zewnetrzny();
  uklad.ostatnia_szerokosc = zewnatrz.szerokosc;
  uklad.ostatnia_wysokosc = zewnatrz.wysokosc;
  uklad.przywracanie = false;
  const Rozmiar klient = okno.rozmiar_klienta();
  for (std::size_t i = 0; i < ile_wierszy(okno); ++i) {
    const Prostokat p = okno.kontrolka(i);
    uklad.marginesy[i] = {p.lewo, klient.szerokosc - p.lewo - p.szerokosc, p.gora,
                          klient.wysokosc - p.gora - p.wysokosc};
  }
}

void rozmiesc(UkladOkna& uklad, OknoUkladu& okno) {
  if (uklad.przywracanie) return;
  const Rozmiar klient = okno.rozmiar_klienta();
  const std::size_t ile = ile_wierszy(okno);
  std::vector<Prostokat> miejsca(ile);
  for (std::size_t i = 0; i < ile; ++i) {
    const auto& m = uklad.marginesy[i];
    const float szerokosc = klient.szerokosc - m[UkladOkna::lewo] - m[UkladOkna::od_prawej];
    const float wysokosc = klient.wysokosc - m[UkladOkna::gora] - m[UkladOkna::od_dolu];
    if (!(szerokosc > 0) || !(wysokosc > 0)) {
      uklad.przywracanie = true;
      przywroc_rozmiar(uklad, okno);
      return;
    }
    miejsca[i] = {m[UkladOkna::lewo], m[UkladOkna::gora], szerokosc, wysokosc};
  }
  for (std::size_t i = 0; i < ile; ++i) okno.ustaw_kontrolke(i, miejsca[i]);
  const Rozmiar zewnatrz = okno.rozmiar_zewnetrzny();
  uklad.ostatnia_szerokosc = zewnatrz.szerokosc;
  uklad.ostatnia_wysokosc = zewnatrz.wysokosc;
}

}  // namespace wyrownik
