#include "batch/wyjscia_partii.hpp"

#include <string>

#include "report/strona_raportu.hpp"

namespace wyrownik {

WyjsciaPartii::WyjsciaPartii(const Srodowisko& srodowisko, const Korekcja& korekcja,
                             std::string_view ustawienia)
    : dziennik_(srodowisko.zapis.plik_logu, *srodowisko.zapis.operacje, korekcja.rodzaj) {
  const CelZapisu& zapis = srodowisko.zapis;
  const TrybPrzebiegu tryb = zapis.na_sucho ? TrybPrzebiegu::na_sucho : TrybPrzebiegu::zapis;
  sluchacze_.dodaj(suma_);
  sluchacze_.dodaj(znaczniki_);
  // The old content is kept, then the log's entries reach the disk, and
  // only then is a file replaced.
  if (srodowisko.kopie_zapasowe && !zapis.na_sucho && !srodowisko.katalog_programu.empty()) {
    kopia_.emplace(srodowisko.katalog_programu, std::string(ustawienia), *zapis.operacje);
    sluchacze_.dodaj(sluchacz_kopii_.emplace(*kopia_));
  }
  sluchacze_.dodaj(dziennik_);
  // The map report, written whatever the batch's end: it shows what was done.
  if (srodowisko.raport) {
    raport_.emplace(korekcja.rodzaj, zapis.na_sucho);
    sluchacze_.dodaj(mapa_.emplace(*raport_, *zapis.operacje));
    // After the map: the page is written once the map has heard the end.
    sluchacze_.dodaj(pisanie_.emplace(*raport_, plik_raportu(zapis.plik_logu), *zapis.operacje,
                                      srodowisko.skroty.raport_z_wyprzedzeniem));
  }
  if (zapis.latka) sluchacze_.dodaj(latka_.emplace(*zapis.latka, tryb));
  if (zapis.wyjasnienie) sluchacze_.dodaj(*zapis.wyjasnienie);
  kontekst_.operacje = zapis.operacje;
  kontekst_.tryb = tryb;
  kontekst_.obszar = zapis.obszar;
  kontekst_.sluchacz = &sluchacze_;
}

void WyjsciaPartii::nowa_sceneria(const StanScenerii& stan, bool ostatnia) {
  if (pisanie_) pisanie_->nowa_sceneria(ostatnia);
  if (mapa_) mapa_->nowa_sceneria(stan);
}

}  // namespace wyrownik
