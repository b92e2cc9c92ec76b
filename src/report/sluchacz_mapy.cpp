#include "report/sluchacz_mapy.hpp"

namespace wyrownik {

void SluchaczMapy::nowa_sceneria(const StanScenerii& stan) {
  mapa_ = &raport_.nowa_sceneria(stan.nazwa_scenerii, stan.zakres);
  mapa_->na_dysku(stan.katalog, operacje_);
}

void SluchaczMapy::zmiana(const ZmianaLinii& z) {
  mapa_->zmiana(z.rodzaj, z.plik.pelna_sciezka, z.nr_linii, z.przed, z.po);
}

// Grey, with what the run would have written.
void SluchaczMapy::chroniona(const ZmianaLinii& z) {
  mapa_->zmiana(RodzajZmiany::chroniona, z.plik.pelna_sciezka, z.nr_linii, z.przed, z.po);
}

void SluchaczMapy::pozostawiona(const LiniaPozostawiona& l) {
  mapa_->pozostawiona(l.plik.pelna_sciezka, l.nr_linii, l.linia, l.pozostawienie);
}

void SluchaczMapy::koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu& l) {
  mapa_->podsumowanie(l);
}

}  // namespace wyrownik
