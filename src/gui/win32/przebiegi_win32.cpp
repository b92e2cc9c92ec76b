#include "gui/win32/przebiegi_win32.hpp"

#include <memory>
#include <utility>

#include "report/strona_raportu.hpp"

namespace wyrownik::win32 {

namespace {

// The window while a batch works: inputs disabled, the busy pointer; all
// restored however the batch ends.
class PracaOkna {
 public:
  explicit PracaOkna(Form1& okno) : okno_(okno) { okno_.ustaw_prace(true); }
  ~PracaOkna() { okno_.ustaw_prace(false); }
  PracaOkna(const PracaOkna&) = delete;
  PracaOkna& operator=(const PracaOkna&) = delete;

 private:
  Form1& okno_;
};

}  // namespace

void OknoPartiiWin32::pokaz_status(WierszStatusu wiersz, std::string_view tekst) {
  switch (wiersz) {
    case WierszStatusu::sceneria:
      return okno_.pokaz(Etykieta::label2, tekst);
    case WierszStatusu::faza:
      return okno_.pokaz(Etykieta::label3, tekst);
    case WierszStatusu::plik:
      return okno_.pokaz(Etykieta::label4, tekst);
  }
}

void OknoPartiiWin32::brak_raportu(std::string_view powod) {
  okno_.pokaz(Etykieta::label4, "Nie zapisano raportu: " + std::string(powod));
}

void OknoPartiiWin32::ostrzezenie(std::string_view tekst) {
  okno_.pokaz(Etykieta::label4, "Uwaga: " + std::string(tekst));
}

void polacz_przebiegi(Form1& okno, Srodowisko srodowisko) {
  okno.ustaw_cofanie(srodowisko.katalog_programu, srodowisko.katalog);
  okno.ustaw_raport(plik_raportu(srodowisko.zapis.plik_logu));
  auto wspolne = std::make_shared<const Srodowisko>(std::move(srodowisko));
  const auto podlacz = [&okno, wspolne](NazwaKontrolki przycisk, auto korekcja) {
    okno.po_kliknieciu(przycisk, [&okno, wspolne, korekcja] {
      OknoPartiiWin32 okno_partii(okno);
      // The boxes are read at the press: they stay disabled while it works.
      const auto [wykonanie, ustawienia] = korekcja(*wspolne);
      Srodowisko srodowisko_partii = *wspolne;
      srodowisko_partii.zapis.na_sucho = okno.tylko_podglad();
      partia(
          srodowisko_partii, okno_partii, wykonanie, [&okno] { return PracaOkna(okno); },
          ustawienia);
      // A batch stopped by closing the window leaves it to close.
      if (okno.przerwac()) DestroyWindow(okno.okno());
    });
  };
  podlacz("Command1", [&okno](const Srodowisko& s) {
    const std::string dolna = okno.tekst_pola(Pole::text1), gorna = okno.tekst_pola(Pole::text2);
    return std::pair{korekcja_wysokosci(s.konfiguracja, dolna, gorna),
                     ustawienia_wysokosci(dolna, gorna)};
  });
  podlacz("Command2", [&okno](const Srodowisko& s) {
    const std::string promien = okno.tekst_pola(Pole::text3), nr = okno.tekst_pola(Pole::text4);
    return std::pair{korekcja_skrajni(s.konfiguracja, promien, nr),
                     ustawienia_skrajni(promien, nr)};
  });
}

}  // namespace wyrownik::win32
