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

// Where --diff or --explain writes: a file of its own, or stdout (then byte
// for byte, as a file). An output that cannot be written fails the batch at
// once.
class WyjsciePliku {
 public:
  WyjsciePliku(const std::string& cel, std::string_view opcja, std::ostream& wyjscie,
               OperacjeSystemu& operacje)
      : wyjscie_(wyjscie), nie_do_(tekst::nie_do(opcja)) {
    if (cel == "-") {
      wyjscie_binarne();
    } else {
      plik_.emplace(std::filesystem::path(std::u8string(cel.begin(), cel.end())),
                    PlikZapisu::Tryb::wyczysc, operacje);
    }
  }
  void operator()(std::string_view bajty) {
    if (plik_) return plik_->zapisz(bajty);
    if (!(wyjscie_ << bajty)) throw BladPliku(nie_do_, "standard output");
  }
  void zamknij() {
    if (plik_) return plik_->zamknij();
    if (!wyjscie_.flush()) throw BladPliku(nie_do_, "standard output");
  }
  // An output cut short claims no whole batch: its file goes (stdout has
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
  std::string nie_do_;
  std::optional<PlikZapisu> plik_;
};

// An output file the batch writes on request: --diff, --explain.
struct Wyjscie {
  const char* opcja;  // its option, for the messages
  const std::optional<std::string>& cel;
  std::optional<WyjsciePliku> plik;
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
  Wyjscie wyjscia[] = {{"--diff", opcje.latka, {}}, {"--explain", opcje.wyjasnienie, {}}};
  for (const Wyjscie& w : wyjscia) {
    if (!w.cel || *w.cel == "-") continue;
    const auto cel = std::filesystem::path(std::u8string(w.cel->begin(), w.cel->end()));
    if (const auto zajete = zajete_przez_partie(cel, srodowisko, scenerie)) {
      bledy << tekst::nadpisalby(w.opcja, cp1250_na_utf8(*zajete), *w.cel) << '\n';
      return kod_uzycie;
    }
  }
  std::optional<Latka> latka;
  std::optional<Wyjasnienie> wyjasnienie;
  for (Wyjscie& w : wyjscia) {
    if (!w.cel) continue;
    try {
      w.plik.emplace(*w.cel, w.opcja, wyjscie, *srodowisko.zapis.operacje);
    } catch (const BladPliku& b) {
      bledy << tekst::program << tekst::nie_zapisano(w.opcja) << b.what() << '\n';
      return kod_blad_partii;
    }
  }
  try {
    if (auto& plik = wyjscia[0].plik) {
      latka.emplace([&plik](std::string_view b) { (*plik)(b); });
      srodowisko.zapis.latka = &*latka;
    }
    if (auto& plik = wyjscia[1].plik) {
      wyjasnienie.emplace([&plik](std::string_view b) { (*plik)(b); });
      srodowisko.zapis.wyjasnienie = &*wyjasnienie;
    }
  } catch (const BladPliku& b) {
    bledy << tekst::program << tekst::nie_zapisano("--explain") << b.what() << '\n';
    return kod_blad_partii;
  }
  OknoCli okno(scenerie, wyjscie, bledy, przerwanie, opcje.latka != "-" && opcje.wyjasnienie != "-",
               srodowisko.zapis.na_sucho);
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
  int kod = przerwana                            ? przerwanie.load()
            : wynik != WynikPartii::zakonczona   ? kod_blad_partii
            : opcje.sprawdzenie && okno.zmiany() ? kod_zmiany
                                                 : kod_ok;
  for (Wyjscie& w : wyjscia) {
    if (!w.plik) continue;
    // A real run's patch holds the files it replaced, each whole: it stays.
    if (przerwana && srodowisko.zapis.na_sucho) {
      if (!w.plik->porzuc()) bledy << tekst::uwaga << tekst::zostal(w.opcja) << *w.cel << '\n';
      continue;
    }
    try {
      w.plik->zamknij();
    } catch (const BladPliku& b) {
      bledy << tekst::program << tekst::nie_zapisano(w.opcja) << b.what() << '\n';
      if (!przerwana) kod = kod_blad_partii;
    }
  }
  okno.podsumuj(przerwana);
  return kod;
}

}  // namespace wyrownik::cli
