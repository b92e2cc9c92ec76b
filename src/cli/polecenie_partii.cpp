#include <algorithm>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "batch/miejsce_na_plik.hpp"
#include "batch/partia.hpp"
#include "cli/okno_cli.hpp"
#include "cli/polecenia.hpp"
#include "cli/teksty_cli.hpp"
#include "patch/latka.hpp"
#include "platform/bledy.hpp"
#include "platform/konsola.hpp"
#include "platform/nazwy.hpp"
#include "platform/plik_zapisu.hpp"
#include "text/kodowanie.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik::cli {

namespace {

// The batch's sceneries as the window's list names them: only the *.scn
// files of the scenery directory itself, each name as the directory spells
// it whatever letter case was typed. nullopt, told, for a name that is none.
std::optional<std::vector<std::string>> scenerie_partii(const std::vector<std::string>& nazwy,
                                                        const std::filesystem::path& katalog,
                                                        std::ostream& bledy) {
  const std::vector<std::string> lista = pliki_scenerii(katalog);
  // The list's entry of a file (where the file system ignores letter case,
  // the found path keeps the case typed).
  const auto wpis_listy = [&](const std::filesystem::path& plik) -> const std::string* {
    if (plik != katalog / plik.filename()) return nullptr;
    const std::string nazwa = bajty_sciezki(plik.filename());
    auto it = std::find(lista.begin(), lista.end(), nazwa);
    if (it == lista.end()) {
      it = std::find_if(lista.begin(), lista.end(),
                        [&](const std::string& w) { return rowne_bez_wielkosci(w, nazwa); });
    }
    return it == lista.end() ? nullptr : &*it;
  };
  std::vector<std::string> scenerie;
  for (const auto& nazwa : nazwy) {
    const std::string w_scenerii = utf8_na_cp1250(nazwa).value_or(nazwa);
    const auto plik = znajdz_w_scenerii(katalog, w_scenerii);
    const std::string* wpis = plik && czy_zwykly_plik(*plik) ? wpis_listy(*plik) : nullptr;
    if (wpis == nullptr) {
      bledy << tekst::brak_scenerii(nazwa, tekst_sciezki(katalog)) << '\n';
      return std::nullopt;
    }
    scenerie.push_back(*wpis);
  }
  return scenerie;
}

// Where --diff writes: a file of its own, or stdout (then byte for byte, as
// a file). A patch that cannot be written fails the batch at once.
class WyjscieLatki {
 public:
  WyjscieLatki(const std::string& cel, std::ostream& wyjscie, OperacjeSystemu& operacje)
      : wyjscie_(wyjscie) {
    if (cel == "-") {
      wyjscie_binarne();
    } else {
      plik_.emplace(std::filesystem::path(std::u8string(cel.begin(), cel.end())),
                    PlikZapisu::Tryb::wyczysc, operacje);
    }
  }
  void operator()(std::string_view bajty) {
    if (plik_) return plik_->zapisz(bajty);
    if (!(wyjscie_ << bajty))
      throw BladPliku(std::string(tekst::latka_nie_do), std::string(tekst::latka_do_stdout));
  }
  void zamknij() {
    if (plik_) return plik_->zamknij();
    if (!wyjscie_.flush())
      throw BladPliku(std::string(tekst::latka_nie_do), std::string(tekst::latka_do_stdout));
  }
  // A patch cut short claims no whole batch: its file goes (stdout has
  // already carried what it carried). False when it cannot be removed.
  bool porzuc() {
    if (!plik_) return true;
    const std::filesystem::path sciezka = plik_->sciezka();
    plik_.reset();
    std::error_code blad;
    std::filesystem::remove(sciezka, blad);
    return !blad;
  }

 private:
  std::ostream& wyjscie_;
  std::optional<PlikZapisu> plik_;
};

}  // namespace

int polecenie_partii(const Opcje& opcje, const WynikStartu& start, std::ostream& wyjscie,
                     std::ostream& bledy, const std::atomic<int>& przerwanie) {
  const auto wybrane = scenerie_partii(opcje.scenerie, *start.katalog_scenerii, bledy);
  if (!wybrane) return kod_uzycie;
  const std::vector<std::string>& scenerie = *wybrane;
  Srodowisko srodowisko = srodowisko_ze_startu(start);
  srodowisko.zapis.na_sucho = opcje.na_sucho || opcje.sprawdzenie;
  srodowisko.kopie_zapasowe = !opcje.bez_kopii;
  srodowisko.raport = !opcje.bez_raportu;
  if (opcje.obszar) srodowisko.zapis.obszar = czytaj_obszar(*opcje.obszar);
  if (opcje.latka && *opcje.latka != "-") {
    const auto cel = std::filesystem::path(std::u8string(opcje.latka->begin(), opcje.latka->end()));
    if (const auto zajete = zajete_przez_partie(cel, srodowisko, scenerie)) {
      bledy << tekst::latka_nadpisalaby(cp1250_na_utf8(*zajete), *opcje.latka) << '\n';
      return kod_uzycie;
    }
  }
  std::optional<WyjscieLatki> wyjscie_latki;
  std::optional<Latka> latka;
  try {
    if (opcje.latka) {
      wyjscie_latki.emplace(*opcje.latka, wyjscie, *srodowisko.zapis.operacje);
      latka.emplace([&](std::string_view b) { (*wyjscie_latki)(b); });
      srodowisko.zapis.latka = &*latka;
    }
  } catch (const BladPliku& b) {
    bledy << tekst::program << tekst::brak_latki << b.what() << '\n';
    return kod_blad_partii;
  }
  OknoCli okno(scenerie, wyjscie, bledy, przerwanie, opcje.latka != "-", srodowisko.zapis.na_sucho);
  const bool wysokosc = opcje.polecenie == Polecenie::wysokosc;
  const Korekcja korekcja =
      wysokosc ? korekcja_wysokosci(srodowisko.konfiguracja, opcje.min, opcje.max)
               : korekcja_skrajni(srodowisko.konfiguracja, opcje.promien, opcje.nr_parametru);
  const std::string ustawienia = wysokosc ? ustawienia_wysokosci(opcje.min, opcje.max)
                                          : ustawienia_skrajni(opcje.promien, opcje.nr_parametru);
  // A terminal has no inputs to disable around the batch.
  const WynikPartii wynik = partia(
      srodowisko, okno, korekcja, [] { return 0; }, ustawienia);
  const bool przerwana = wynik == WynikPartii::przerwana;
  // A real run's patch holds the files it replaced, each whole: it stays.
  if (przerwana && srodowisko.zapis.na_sucho && wyjscie_latki && !wyjscie_latki->porzuc()) {
    bledy << tekst::uwaga << tekst::latka_zostala << *opcje.latka << '\n';
  }
  int kod = przerwana                            ? przerwanie.load()
            : wynik != WynikPartii::zakonczona   ? kod_blad_partii
            : opcje.sprawdzenie && okno.zmiany() ? kod_zmiany
                                                 : kod_ok;
  try {
    if (wyjscie_latki && !(przerwana && srodowisko.zapis.na_sucho)) wyjscie_latki->zamknij();
  } catch (const BladPliku& b) {
    bledy << tekst::program << tekst::brak_latki << b.what() << '\n';
    if (!przerwana) kod = kod_blad_partii;
  }
  okno.podsumuj(przerwana);
  return kod;
}

}  // namespace wyrownik::cli
