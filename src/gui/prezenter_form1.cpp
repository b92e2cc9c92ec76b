#include "gui/prezenter_form1.hpp"

#include <array>
#include <exception>
#include <utility>

#include "backup/kopie_zapasowe.hpp"
#include "batch/cofniecie.hpp"
#include "batch/folder_symulatora.hpp"
#include "gui/tekst_okna.hpp"
#include "gui/teksty_okna.hpp"
#include "gui/wejscia.hpp"
#include "platform/bledy.hpp"
#include "report/strona_raportu.hpp"
#include "text/kodowanie.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"

namespace wyrownik {

// The window as a batch sees it.
class PrezenterForm1::Partia : public OknoPartii {
 public:
  Partia(PrezenterForm1& p, bool na_sucho, RodzajPrzebiegu rodzaj)
      : p_(p), na_sucho_(na_sucho), rodzaj_(rodzaj) {}

  void pokaz_status(WierszStatusu wiersz, std::string_view tekst) override {
    static constexpr std::array<NazwaKontrolki, 3> wiersze = {"Label2", "Label3", "Label4"};
    p_.widok_.ustaw_tekst(wiersze[static_cast<std::size_t>(wiersz)], cp1250_na_utf8(tekst));
  }
  void przetworz_zdarzenia() override { p_.widok_.przetworz_zdarzenia(); }
  bool przerwac() const override { return p_.zamkniete_; }
  void pokaz_komunikat(std::string_view tekst) override { p_.pokaz_komunikat(tekst); }
  std::size_t ile_pozycji() const override { return p_.nazwy_.size(); }
  bool zaznaczona(std::size_t i) const override { return p_.widok_.wybrany_wpis(i); }
  std::string pozycja(std::size_t i) const override { return nazwa_dla_logu(p_.nazwy_[i]); }
  void raport_gotowy(const std::filesystem::path& plik) override { p_.plik_raportu_ = plik; }
  void brak_raportu(std::string_view powod) override {
    p_.widok_.ustaw_tekst("Label4", std::string(tekst::brak_raportu) + na_ekran(powod));
  }
  void ostrzezenie(std::string_view opis) override {
    p_.widok_.ustaw_tekst("Label4", std::string(tekst::uwaga) + na_ekran(opis));
  }
  // A run and a preview tell what they left alone and why, a preview after
  // what it found; the phase line is free by then.
  void koniec_partii(const LicznikiPrzebiegu& s) override {
    std::string t = na_sucho_ ? tekst::podglad(s, rodzaj_) : "";
    if (s.ile_pozostawionych() > 0) t += (t.empty() ? "" : "; ") + tekst::pozostawione(s);
    if (!t.empty()) p_.widok_.ustaw_tekst("Label3", t);
  }

 private:
  PrezenterForm1& p_;
  bool na_sucho_;  // the preview
  RodzajPrzebiegu rodzaj_;
};

// The window while a batch works; restored however the batch ends.
class PrezenterForm1::Praca {
 public:
  explicit Praca(PrezenterForm1& p) : p_(p) { p_.ustaw_prace(true); }
  ~Praca() { p_.ustaw_prace(false); }
  Praca(const Praca&) = delete;
  Praca& operator=(const Praca&) = delete;

 private:
  PrezenterForm1& p_;
};

WynikStartu PrezenterForm1::uruchom(const std::filesystem::path& katalog_programu) {
  WynikStartu start = wykonaj_start(katalog_programu, *this, operacje_);
  while (start.stan == StanStartu::zablokowany && !start.katalog_scenerii &&
         wskaz_folder_symulatora(start.katalog_programu)) {
    // As the window opened: start-up disables them again if it blocks.
    for (const NazwaKontrolki w : wszystkie_wejscia) widok_.wlacz(w, true);
    widok_.wlacz("Check1", true);
    start = wykonaj_start(katalog_programu, *this, operacje_);
  }
  if (start.stan == StanStartu::gotowy) polacz(srodowisko_ze_startu(start));
  return start;
}

// True once the ini names a folder the user picked; false when the user
// cancelled, or the ini could not be written.
bool PrezenterForm1::wskaz_folder_symulatora(const std::filesystem::path& katalog_programu) {
  for (;;) {
    const auto folder = widok_.wybierz_folder(tekst::tytul_wyboru);
    if (!folder) return false;
    try {
      const WyborFolderu wybor = ustaw_folder_symulatora(katalog_programu, *folder, operacje_);
      if (wybor == WyborFolderu::zapisany) return true;
      widok_.komunikat(cp1250_na_utf8(komunikat_wyboru(wybor)));
    } catch (const BladPliku& b) {
      widok_.komunikat(cp1250_na_utf8(komunikat::blad_zapisu_ini) + "\n" + na_ekran(b.what()));
      return false;
    }
  }
}

void PrezenterForm1::polacz(Srodowisko srodowisko) {
  plik_raportu_ = plik_raportu(srodowisko.zapis.plik_logu);
  srodowisko_ = std::move(srodowisko);
  odswiez_przyciski();
}

void PrezenterForm1::klikniecie(NazwaKontrolki przycisk) {
  if (przycisk == NazwaKontrolki("Command1")) return uruchom_partie(RodzajPrzebiegu::wysokosc);
  if (przycisk == NazwaKontrolki("Command2")) return uruchom_partie(RodzajPrzebiegu::skrajnia);
  if (przycisk == NazwaKontrolki("Command3")) return widok_.otworz_pomoc();
  if (pracuje_) return;  // the rest is disabled meanwhile
  if (przycisk == NazwaKontrolki("Command4")) return cofnij_ostatnia();
  if (przycisk == NazwaKontrolki("Command5")) return pokaz_raport();
}

bool PrezenterForm1::zamykanie() {
  zamkniete_ = true;
  widok_.zamknij_pomoc();
  return !pracuje_;
}

void PrezenterForm1::pokaz_komunikat(std::string_view tekst) {
  widok_.komunikat(cp1250_na_utf8(tekst));
}

void PrezenterForm1::wylacz_wejscia() {
  for (const NazwaKontrolki w : wszystkie_wejscia) widok_.wlacz(w, false);
  widok_.wlacz("Check1", false);  // a preview of batches that cannot run
}

void PrezenterForm1::wskaz_katalog(const std::filesystem::path& katalog) {
  nazwy_ = pliki_scenerii(katalog);
  std::vector<std::string> wpisy;
  wpisy.reserve(nazwy_.size());
  for (const std::string& n : nazwy_) wpisy.push_back(na_ekran(n));
  widok_.wypelnij_liste(wpisy);
}

void PrezenterForm1::uruchom_partie(RodzajPrzebiegu rodzaj) {
  const bool skrajnia = rodzaj == RodzajPrzebiegu::skrajnia;
  if (!srodowisko_ || pracuje_) return;
  // The boxes are read at the press: they stay disabled while the batch works.
  const auto pole = [&](NazwaKontrolki n) { return utf8_na_cp1250_z_zastepstwem(widok_.tekst(n)); };
  const std::string a = skrajnia ? pole("Text3") : pole("Text1");
  const std::string b = skrajnia ? pole("Text4") : pole("Text2");
  const Konfiguracja& k = srodowisko_->konfiguracja;
  const Korekcja korekcja = skrajnia ? korekcja_skrajni(k, a, b) : korekcja_wysokosci(k, a, b);
  Srodowisko srodowisko = *srodowisko_;
  if (!czytaj_obszar(srodowisko.zapis.obszar)) return;
  srodowisko.zapis.na_sucho = widok_.zaznaczone("Check1");
  Partia okno(*this, srodowisko.zapis.na_sucho, rodzaj);
  partia(
      srodowisko, okno, korekcja, [this] { return Praca(*this); },
      skrajnia ? ustawienia_skrajni(a, b) : ustawienia_wysokosci(a, b));
  // A batch stopped by closing the window leaves it to close.
  if (zamkniete_) widok_.zamknij();
}

bool PrezenterForm1::czytaj_obszar(std::optional<Obszar>& obszar) {
  double v[pola_obszaru.size()];
  std::size_t puste = 0;
  for (std::size_t i = 0; i < pola_obszaru.size(); ++i) {
    std::string t = utf8_na_cp1250_z_zastepstwem(widok_.tekst(pola_obszaru[i]));
    oczysc_linie(t);
    if (t.empty()) {
      ++puste;
    } else if (const auto l = liczba(t)) {
      v[i] = *l;
    } else {
      widok_.komunikat(tekst::nie_liczba_obszaru(cp1250_na_utf8(t)));
      return false;
    }
  }
  if (puste == pola_obszaru.size()) return true;  // the whole scenery
  if (puste > 0) {
    widok_.komunikat(std::string(tekst::niepelny_obszar));
    return false;
  }
  obszar = Obszar{v[0], v[1], v[2], v[3]};
  return true;
}

void PrezenterForm1::ustaw_prace(bool pracuje) {
  pracuje_ = pracuje;
  widok_.kursor_zajety(pracuje);
  for (const NazwaKontrolki w : wejscia_partii) widok_.wlacz(w, !pracuje);
  widok_.wlacz("Check1", !pracuje);
  if (pracuje) {
    widok_.wlacz("Command4", false);
    widok_.wlacz("Command5", false);
  } else {
    odswiez_przyciski();  // the batch may have left a backup and a report
  }
}

void PrezenterForm1::odswiez_przyciski() {
  if (!srodowisko_) return;
  const std::filesystem::path& program = srodowisko_->katalog_programu;
  widok_.wlacz("Command4", !program.empty() && !lista_kopii(program, operacje_).empty());
  std::error_code blad;
  widok_.wlacz("Command5", std::filesystem::is_regular_file(plik_raportu_, blad));
}

void PrezenterForm1::cofnij_ostatnia() {
  if (!srodowisko_) return;
  const std::filesystem::path& program = srodowisko_->katalog_programu;
  const auto kopie = lista_kopii(program, operacje_);
  if (kopie.empty()) return odswiez_przyciski();
  const OpisKopii& ostatnia = kopie.back();
  const std::size_t ile = ostatnia.ile_plikow - ostatnia.ile_przywroconych;
  if (!widok_.pytanie(tekst::pytanie_cofniecia(ostatnia.czas, ile))) return;
  std::string wynik;
  try {
    wynik = opis_cofniecia(cofnij_partie(program, srodowisko_->katalog, operacje_),
                           srodowisko_->katalog);
  } catch (const std::exception& e) {
    wynik = std::string(tekst::nieudane_cofniecie) + na_ekran(e.what());
  }
  odswiez_przyciski();
  widok_.komunikat(wynik);
}

void PrezenterForm1::pokaz_raport() {
  odswiez_przyciski();
  std::error_code blad;
  if (!std::filesystem::is_regular_file(plik_raportu_, blad)) return;
  if (!widok_.otworz(plik_raportu_)) {
    widok_.komunikat(std::string(tekst::nie_otwarto_raportu) + sciezka_na_ekran(plik_raportu_));
  }
}

}  // namespace wyrownik
