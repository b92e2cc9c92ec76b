#include "cli/uruchom.hpp"

#include <algorithm>
#include <system_error>
#include <vector>

#include "batch/cofniecie.hpp"
#include "batch/folder_symulatora.hpp"
#include "batch/miejsce_na_plik.hpp"
#include "batch/partia.hpp"
#include "batch/start.hpp"
#include "cli/okno_cli.hpp"
#include "cli/opcje.hpp"
#include "patch/latka.hpp"
#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "platform/konsola.hpp"
#include "platform/nazwy.hpp"
#include "platform/plik_zapisu.hpp"
#include "text/kodowanie.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik::cli {

namespace {

// Start-up on a terminal: messages to stderr; there are no inputs to disable.
class OknoStartuCli : public OknoStartu {
 public:
  explicit OknoStartuCli(std::ostream& bledy) : bledy_(bledy) {}
  void pokaz_komunikat(std::string_view tekst) override { bledy_ << cp1250_na_utf8(tekst) << '\n'; }
  void wylacz_wejscia() override {}
  void wskaz_katalog(const std::filesystem::path&) override {}

 private:
  std::ostream& bledy_;
};

// Output that is the answer (help, the list of backups): when it cannot be
// written, the command failed.
int odpowiedz(std::ostream& wyjscie, std::ostream& bledy, int kod) {
  if (wyjscie.flush()) return kod;
  bledy << "wyrownik-cli: cannot write to standard output\n";
  return kod == kod_ok ? kod_blad_partii : kod;
}

// undo --list: one line per kept batch on stdout, oldest first.
int wypisz_kopie(const std::filesystem::path& katalog_programu, std::ostream& wyjscie,
                 std::ostream& bledy) {
  for (const auto& k : lista_kopii(katalog_programu)) {
    if (!k.czytelny) {
      wyjscie << tekst_sciezki(k.katalog.filename()) << "  manifest unreadable\n";
      continue;
    }
    wyjscie << k.czas << "  " << k.ile_plikow << " file(s)";
    if (k.ile_przywroconych > 0) wyjscie << ", " << k.ile_przywroconych << " restored";
    if (k.uszkodzone > 0) wyjscie << ", " << k.uszkodzone << " damaged record(s)";
    wyjscie << "  " << cp1250_na_utf8(k.ustawienia) << '\n';
  }
  return odpowiedz(wyjscie, bledy, kod_ok);
}

const char* opis(Pominiecie p) {
  switch (p) {
    case Pominiecie::zmieniony:
      return "changed since the batch";
    case Pominiecie::brak_pliku:
      return "gone since the batch";
    case Pominiecie::poza_scenerie:
      return "the manifest names it outside the scenery directory";
    case Pominiecie::zmieniona_kopia:
      return "its kept copy no longer holds the file from before the batch";
    case Pominiecie::blad_odczytu:
      return "it or its kept copy cannot be read";
  }
  return "";
}

void wypisz_odmowe(const WynikCofniecia& w, const std::filesystem::path& katalog,
                   std::ostream& bledy) {
  bledy << "wyrownik-cli: undo refused, nothing restored: ";
  switch (w.odmowa) {
    case Odmowa::nieczytelny_spis:
      bledy << "the manifest of the newest backup " << tekst_sciezki(w.folder)
            << " cannot be read (remove that folder to undo older batches)";
      break;
    case Odmowa::brak_katalogu:
      bledy << "the manifest of " << tekst_sciezki(w.folder)
            << " does not say which scenery directory its batch worked in";
      break;
    case Odmowa::inny_katalog:
      bledy << "the batch of " << w.czas << " worked in " << tekst_sciezki(w.katalog_partii)
            << ", the scenery directory configured now is " << tekst_sciezki(katalog);
      break;
    case Odmowa::brak:
      break;
  }
  bledy << '\n';
}

int cofnij(const std::filesystem::path& katalog_programu, const std::filesystem::path& katalog,
           std::ostream& bledy, const std::atomic<int>& przerwanie) {
  try {
    const WynikCofniecia w = cofnij_partie(katalog_programu, katalog, operacje_systemowe(),
                                           [&] { return przerwanie.load() != 0; });
    for (const auto& o : w.ostrzezenia) bledy << "wyrownik-cli: warning: " << o << '\n';
    if (!w.bylo_co_cofac) {
      bledy << "wyrownik-cli: nothing to undo\n";
      return kod_ok;
    }
    if (w.odmowa != Odmowa::brak) {
      wypisz_odmowe(w, katalog, bledy);
      return kod_blad_partii;
    }
    bledy << "undone the batch of " << w.czas << ": " << w.przywrocone.size()
          << " file(s) restored\n";
    for (const auto& p : w.pominiete) {
      bledy << "left alone (" << opis(p.powod)
            << "): " << (p.plik.empty() ? cp1250_na_utf8(p.nazwa) : tekst_sciezki(p.plik)) << '\n';
    }
    if (w.uszkodzone > 0) {
      bledy << w.uszkodzone
            << " damaged record(s) in the manifest: a file they named, if any, was not restored\n";
    }
    if (w.przerwane) {
      bledy << "wyrownik-cli: interrupted: the undo stopped before its end; undo again to "
               "restore the rest of the batch\n";
      return przerwanie.load();
    }
    return w.w_calosci() ? kod_ok : kod_blad_partii;
  } catch (const std::exception& e) {
    bledy << "wyrownik-cli: undo stopped: " << e.what() << '\n';
    return kod_blad_partii;
  }
}

// config --simulator: the folder into the ini, as the window's first run
// writes it.
int ustaw_symulator(const std::filesystem::path& katalog_programu, const std::string& folder,
                    std::ostream& bledy, const std::atomic<int>& przerwanie) {
  // The ini is replaced in one step: a request before it writes nothing, one
  // during it comes too late to matter.
  if (przerwanie.load() != 0) {
    bledy << "wyrownik-cli: interrupted: wyrownik.ini was not changed\n";
    return przerwanie.load();
  }
  try {
    const WyborFolderu wybor = ustaw_folder_symulatora(
        katalog_programu, std::filesystem::path(std::u8string(folder.begin(), folder.end())));
    if (wybor == WyborFolderu::zapisany) return kod_ok;
    bledy << cp1250_na_utf8(komunikat_wyboru(wybor)) << '\n';
    return kod_blad_startu;
  } catch (const BladPliku& b) {
    bledy << "wyrownik-cli: cannot write wyrownik.ini: " << b.what() << '\n';
    return kod_blad_partii;
  }
}

// The program directory, absolute; nullopt with the reason told.
std::optional<std::filesystem::path> katalog_programu(const Opcje& opcje,
                                                      const std::filesystem::path& domyslny,
                                                      std::ostream& bledy) {
  if (!opcje.katalog_programu && domyslny.empty()) {
    bledy << "wyrownik-cli: cannot find the program's own directory; give --program-dir\n";
    return std::nullopt;
  }
  std::error_code blad;
  auto katalog = std::filesystem::absolute(
      opcje.katalog_programu ? std::filesystem::path(std::u8string(opcje.katalog_programu->begin(),
                                                                   opcje.katalog_programu->end()))
                             : domyslny,
      blad);
  if (blad) {
    bledy << "wyrownik-cli: cannot use the program directory: " << blad.message() << '\n';
    return std::nullopt;
  }
  return katalog;
}

// The program directory's lock, as the window takes it; nullopt with the
// reason told.
std::optional<Blokada> zajmij_program(const std::filesystem::path& katalog, std::ostream& bledy) {
  try {
    auto blokada = Blokada::zajmij(katalog);
    if (!blokada) {
      bledy << "wyrownik-cli: another copy of wyrownik is working in " << tekst_sciezki(katalog)
            << '\n';
    }
    return blokada;
  } catch (const BladPliku& b) {
    bledy << "wyrownik-cli: " << b.what() << '\n';
    return std::nullopt;
  }
}

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
      bledy << "wyrownik-cli: no scenery file " << nazwa << " in " << tekst_sciezki(katalog)
            << '\n';
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
  WyjscieLatki(const std::string& cel, std::ostream& wyjscie) : wyjscie_(wyjscie) {
    if (cel == "-") {
      wyjscie_binarne();
    } else {
      plik_.emplace(std::filesystem::path(std::u8string(cel.begin(), cel.end())),
                    PlikZapisu::Tryb::wyczysc);
    }
  }
  void operator()(std::string_view bajty) {
    if (plik_) return plik_->zapisz(bajty);
    if (!(wyjscie_ << bajty)) throw BladPliku("cannot write the patch to", "standard output");
  }
  void zamknij() {
    if (plik_) return plik_->zamknij();
    if (!wyjscie_.flush()) throw BladPliku("cannot write the patch to", "standard output");
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

int partia_cli(const Opcje& opcje, const WynikStartu& start,
               const std::vector<std::string>& scenerie, std::ostream& wyjscie, std::ostream& bledy,
               const std::atomic<int>& przerwanie) {
  Srodowisko srodowisko = srodowisko_ze_startu(start);
  srodowisko.zapis.na_sucho = opcje.na_sucho || opcje.sprawdzenie;
  srodowisko.kopie_zapasowe = !opcje.bez_kopii;
  srodowisko.raport = !opcje.bez_raportu;
  if (opcje.obszar) srodowisko.zapis.obszar = czytaj_obszar(*opcje.obszar);
  if (opcje.latka && *opcje.latka != "-") {
    const auto cel = std::filesystem::path(std::u8string(opcje.latka->begin(), opcje.latka->end()));
    if (const auto zajete = zajete_przez_partie(cel, srodowisko, scenerie)) {
      bledy << "wyrownik-cli: --diff would overwrite " << cp1250_na_utf8(*zajete) << ": "
            << *opcje.latka << '\n';
      return kod_uzycie;
    }
  }
  std::optional<WyjscieLatki> wyjscie_latki;
  std::optional<Latka> latka;
  try {
    if (opcje.latka) {
      wyjscie_latki.emplace(*opcje.latka, wyjscie);
      latka.emplace([&](std::string_view b) { (*wyjscie_latki)(b); });
      srodowisko.zapis.latka = &*latka;
    }
  } catch (const BladPliku& b) {
    bledy << "wyrownik-cli: cannot write the patch: " << b.what() << '\n';
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
    bledy << "wyrownik-cli: warning: the patch of the interrupted batch could not be removed: "
          << *opcje.latka << '\n';
  }
  int kod = przerwana                            ? przerwanie.load()
            : wynik != WynikPartii::zakonczona   ? kod_blad_partii
            : opcje.sprawdzenie && okno.zmiany() ? kod_zmiany
                                                 : kod_ok;
  try {
    if (wyjscie_latki && !(przerwana && srodowisko.zapis.na_sucho)) wyjscie_latki->zamknij();
  } catch (const BladPliku& b) {
    bledy << "wyrownik-cli: cannot write the patch: " << b.what() << '\n';
    if (!przerwana) kod = kod_blad_partii;
  }
  okno.podsumuj(przerwana);
  return kod;
}

}  // namespace

int uruchom(const std::vector<std::string>& argumenty,
            const std::filesystem::path& katalog_domyslny, std::ostream& wyjscie,
            std::ostream& bledy, const std::atomic<int>& przerwanie) {
  std::string blad;
  const auto opcje = parsuj(argumenty, blad);
  if (!opcje) {
    bledy << "wyrownik-cli: " << blad << "\n\n" << tekst_pomocy;
    return kod_uzycie;
  }
  if (opcje->polecenie == Polecenie::pomoc) {
    wyjscie << tekst_pomocy;
    return odpowiedz(wyjscie, bledy, kod_ok);
  }
  const auto katalog = katalog_programu(*opcje, katalog_domyslny, bledy);
  if (!katalog) return kod_blad_startu;
  const auto blokada = zajmij_program(*katalog, bledy);
  if (!blokada) return kod_blad_startu;
  if (opcje->polecenie == Polecenie::cofnij && opcje->tylko_lista) {
    return wypisz_kopie(*katalog, wyjscie, bledy);
  }
  if (opcje->polecenie == Polecenie::konfiguracja) {
    return ustaw_symulator(*katalog, opcje->symulator, bledy, przerwanie);
  }

  // Undo too writes only inside the scenery directory the ini names now.
  OknoStartuCli okno_startu(bledy);
  const WynikStartu start = wykonaj_start(*katalog, okno_startu);
  if (start.stan != StanStartu::gotowy) return kod_blad_startu;
  if (opcje->polecenie == Polecenie::cofnij) {
    return cofnij(*katalog, *start.katalog_scenerii, bledy, przerwanie);
  }
  auto scenerie = scenerie_partii(opcje->scenerie, *start.katalog_scenerii, bledy);
  if (!scenerie) return kod_uzycie;
  return partia_cli(*opcje, start, *scenerie, wyjscie, bledy, przerwanie);
}

}  // namespace wyrownik::cli
