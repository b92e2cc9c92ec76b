#include "log/sluchacz_dziennika.hpp"

namespace wyrownik {

void SluchaczDziennika::poczatek_scenerii(const StanScenerii&) {
  dziennik_.reset();
  dziennik_.emplace(plik_logu_, operacje_);
}

void SluchaczDziennika::zmiana(const ZmianaLinii& z) {
  switch (z.rodzaj) {
    case RodzajZmiany::usuniecie:
      return dziennik_->usuniecie(z.plik.pelna_sciezka, z.przed);
    case RodzajZmiany::wysokosc:  // each entry of the height run names the scenery
      return dziennik_->zmiana_wysokosci(z.plik.stan.nazwa_scenerii, z.plik.pelna_sciezka, z.przed,
                                         z.po);
    case RodzajZmiany::przesuniecie:
    case RodzajZmiany::chroniona:
      return dziennik_->zmiana_polozenia(z.plik.pelna_sciezka, z.przed, z.po);
  }
}

void SluchaczDziennika::przed_zastapieniem(const PlikPrzepisania&, const std::filesystem::path&) {
  dziennik_->oproznij(/*na_dysk=*/true);
}

// Its entries are in the log, its changes are not on disk: the log says so,
// as far as it still can.
void SluchaczDziennika::porzucony(const PlikPrzepisania& p) noexcept {
  if (!dziennik_) return;
  try {
    dziennik_->bez_zmian(p.pelna_sciezka);
    dziennik_->oproznij(/*na_dysk=*/true);
  } catch (...) {
  }
}

void SluchaczDziennika::koniec_scenerii(const StanScenerii& stan, const LicznikiPrzebiegu& l) {
  if (przebieg_ == RodzajPrzebiegu::wysokosc) {
    dziennik_->podsumowanie(stan.nazwa_scenerii, l.ile_zmian);
  } else {
    dziennik_->podsumowanie(stan.nazwa_scenerii, l.ile_zmian, l.ile_usunietych);
  }
  dziennik_->zamknij();
  dziennik_.reset();
}

}  // namespace wyrownik
