#include "gui/qt/przebiegi_qt.hpp"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "gui/wejscia.hpp"
#include "report/strona_raportu.hpp"
#include "text/kodowanie.hpp"

namespace wyrownik {

void OknoPartiiQt::pokaz_status(WierszStatusu wiersz, std::string_view tekst) {
  switch (wiersz) {
    case WierszStatusu::sceneria:
      return okno_.pokaz(Etykieta::label2, tekst);
    case WierszStatusu::faza:
      return okno_.pokaz(Etykieta::label3, tekst);
    case WierszStatusu::plik:
      return okno_.pokaz(Etykieta::label4, tekst);
  }
}

std::size_t OknoPartiiQt::ile_pozycji() const {
  return static_cast<std::size_t>(okno_.lista_plikow()->count());
}

bool OknoPartiiQt::zaznaczona(std::size_t i) const {
  const QListWidgetItem* wpis = okno_.lista_plikow()->item(static_cast<int>(i));
  return wpis != nullptr && wpis->isSelected();
}

std::string OknoPartiiQt::pozycja(std::size_t i) const {
  // The log names the scenery in the scenery's own code page; names on disk
  // are usually UTF-8.
  const std::string nazwa = okno_.wpis_listy(i);
  return utf8_na_cp1250(nazwa).value_or(nazwa);
}

void OknoPartiiQt::raport_gotowy(const std::filesystem::path& plik) {
  okno_.ustaw_raport(plik);
}

void OknoPartiiQt::brak_raportu(std::string_view powod) {
  const std::string tekst = "Nie zapisano raportu: " + std::string(powod);
  okno_.pokaz(Etykieta::label4, utf8_na_cp1250(tekst).value_or(tekst));
}

void OknoPartiiQt::ostrzezenie(std::string_view tekst) {
  const std::string t = "Uwaga: " + std::string(tekst);
  okno_.pokaz(Etykieta::label4, utf8_na_cp1250(t).value_or(t));
}

PracaOkna::PracaOkna(Form1& okno) : okno_(okno) {
  okno_.ustaw_kursor_zajety(true);
  okno_.ustaw_wejscia_partii(false);
  okno_.przycisk(Przycisk::command4)->setEnabled(false);
  okno_.przycisk(Przycisk::command5)->setEnabled(false);
  okno_.podglad()->setEnabled(false);
}

PracaOkna::~PracaOkna() {
  okno_.ustaw_kursor_zajety(false);
  okno_.ustaw_wejscia_partii(true);
  okno_.podglad()->setEnabled(true);
  okno_.odswiez_cofanie();  // the batch may have left a backup
  okno_.odswiez_raport();
}

void polacz_przebiegi(Form1& okno, Srodowisko srodowisko) {
  okno.ustaw_cofanie(srodowisko.katalog_programu, srodowisko.katalog);
  okno.ustaw_raport(plik_raportu(srodowisko.zapis.plik_logu));
  auto wspolne = std::make_shared<const Srodowisko>(std::move(srodowisko));
  const auto podlacz = [&okno, wspolne](Przycisk przycisk, auto&& korekcja) {
    QObject::connect(okno.przycisk(przycisk), &QPushButton::clicked, &okno,
                     [&okno, wspolne, korekcja] {
                       OknoPartiiQt okno_partii(okno);
                       const auto [wykonanie, ustawienia] = korekcja(*wspolne);
                       Srodowisko srodowisko_partii = *wspolne;
                       srodowisko_partii.zapis.na_sucho = okno.tylko_podglad();
                       partia(
                           srodowisko_partii, okno_partii, wykonanie,
                           [&okno] { return PracaOkna(okno); }, ustawienia);
                       // A batch stopped by closing the window leaves it to close.
                       if (okno.przerwac()) okno.close();
                     });
  };
  // The boxes are read at the press: they stay disabled while the batch works.
  podlacz(Przycisk::command1, [&okno](const Srodowisko& s) {
    const std::string dolna = okno.tekst_pola(Pole::text1), gorna = okno.tekst_pola(Pole::text2);
    return std::pair{korekcja_wysokosci(s.konfiguracja, dolna, gorna),
                     ustawienia_wysokosci(dolna, gorna)};
  });
  podlacz(Przycisk::command2, [&okno](const Srodowisko& s) {
    const std::string promien = okno.tekst_pola(Pole::text3), nr = okno.tekst_pola(Pole::text4);
    return std::pair{korekcja_skrajni(s.konfiguracja, promien, nr),
                     ustawienia_skrajni(promien, nr)};
  });
}

}  // namespace wyrownik
