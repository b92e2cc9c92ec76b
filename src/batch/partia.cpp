#include "batch/partia.hpp"

#include <exception>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "batch/status_partii.hpp"
#include "batch/wyjscia_partii.hpp"
#include "clearance/sprawdz_scenerie_skr.hpp"
#include "height/sprawdz_scenerie_wys.hpp"
#include "platform/bledy.hpp"
#include "platform/blokada.hpp"
#include "platform/nazwy.hpp"
#include "scenery/skan.hpp"
#include "text/blad_danych.hpp"
#include "text/linia.hpp"
#include "text/pliki_robocze.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace wyrownik {

namespace {

// Scratch files a run keeps only while it works; a batch stopped by closing
// the window must not leave them in the user's scenery directory. Throws
// BladPliku for a file that stays.
void usun_pliki_robocze(const std::filesystem::path& katalog) {
  for (const std::string_view nazwa : pliki_robocze) {
    usun_plik(katalog / std::string(nazwa));
  }
}

// A scenery file named like a scratch file would be emptied by the index or
// by the rewrite of an earlier file (and then deleted): the batch stops
// before anything of the scenery is written. So does a name that would lead
// to a scratch file once the run has made it, where none is yet: the run
// would read its own index as scenery.
void sprawdz_nazwy_robocze(const StanScenerii& stan) {
  for (const std::string& wpis : stan.lista_plikow) {
    const auto rozwiazana = nazwa_rozwiazana(wpis);
    for (const std::string_view nazwa : pliki_robocze) {
      if (rozwiazana && rowne_bez_wielkosci(*rozwiazana, nazwa)) {
        throw BladDanych("the scenery names a scratch file of wyrownik: " + wpis);
      }
    }
    const auto plik = znajdz_w_scenerii(stan.katalog, wpis, stan.pamiec_katalogow());
    if (!plik) continue;
    for (const std::string_view nazwa : pliki_robocze) {
      const std::filesystem::path roboczy = stan.katalog / std::string(nazwa);
      std::error_code blad;
      if ((plik->parent_path() == stan.katalog &&
           rowne_bez_wielkosci(bajty_sciezki(plik->filename()), nazwa)) ||
          std::filesystem::equivalent(*plik, roboczy, blad)) {
        throw BladDanych("the scenery names a scratch file of wyrownik: " + plik->string());
      }
    }
  }
}

// What a builder reads of a marker that protects nothing (the path in the
// log's bytes). A file two sceneries share is told once.
void powiedz_o_znacznikach(const std::vector<ZnacznikBezObiektu>& znaczniki, OknoPartii& okno) {
  std::set<std::pair<std::string_view, std::uint64_t>> powiedziane;
  for (const ZnacznikBezObiektu& z : znaczniki) {
    if (!powiedziane.emplace(z.plik, z.linia).second) continue;
    std::string tekst =
        "the marker in line " + std::to_string(z.linia) + " of " + z.plik + " protects nothing: ";
    tekst += z.wzieta == 0 ? "no line follows it"
                           : "line " + std::to_string(z.wzieta) +
                                 " is no object (an include with five tokens or more)";
    okno.ostrzezenie(tekst);
  }
}

// A report that cannot be written costs the batch nothing: its work is done
// and logged.
void zapisz_raport_partii(PisanieRaportu& raport, OknoPartii& okno) {
  try {
    raport.zakoncz();
  } catch (const BladPliku& b) {
    okno.brak_raportu(b.what());
    return;
  }
  okno.raport_gotowy(raport.plik());
}

}  // namespace

std::optional<Blokada> zajmij_pliki_robocze(const std::filesystem::path& katalog,
                                            const std::filesystem::path& katalog_programu) {
  std::error_code blad;
  if (!katalog_programu.empty() && std::filesystem::equivalent(katalog, katalog_programu, blad)) {
    return std::nullopt;
  }
  auto blokada = Blokada::zajmij_katalog(katalog);
  if (!blokada) {
    throw InnyEgzemplarzPracuje("another copy of wyrownik is working in " + bajty_sciezki(katalog));
  }
  return blokada;
}

Srodowisko srodowisko_ze_startu(const WynikStartu& start) {
  Srodowisko s;
  s.konfiguracja = start.konfiguracja;
  s.tekst_katalogu = start.sciezka_scenerii;
  s.katalog = start.katalog_scenerii.value_or(std::filesystem::path());
  s.zapis.plik_logu = start.plik_logu;
  if (start.operacje != nullptr) s.zapis.operacje = start.operacje;
  s.katalog_programu = start.katalog_programu;
  return s;
}

Korekcja korekcja_wysokosci(const Konfiguracja& k, std::string_view dolna, std::string_view gorna) {
  UstawieniaWysokosci ustawienia{k.lista_inc, k.lista_tekstur, k.lista_wyjatkow, k.drogi, k.rzeki};
  const Pasmo pasmo{liczba_na_poczatku(dolna), liczba_na_poczatku(gorna)};
  return {[ustawienia = std::move(ustawienia), pasmo](
              const StanScenerii& stan, const KontekstPrzebiegu& kontekst, Postep& postep) {
            sprawdz_scenerie_wys(stan, ustawienia, pasmo, kontekst, postep);
          },
          RodzajPrzebiegu::wysokosc};
}

Korekcja korekcja_skrajni(const Konfiguracja& k, std::string_view promien,
                          std::string_view nr_parametru) {
  UstawieniaSkrajni ustawienia{k.lista_inc, liczba_na_poczatku(promien),
                               liczba_na_poczatku(nr_parametru)};
  return {[ustawienia = std::move(ustawienia)](const StanScenerii& stan,
                                               const KontekstPrzebiegu& kontekst, Postep& postep) {
            sprawdz_scenerie_skr(stan, ustawienia, kontekst, postep);
          },
          RodzajPrzebiegu::skrajnia};
}

bool rozpocznij_dziennik(const Srodowisko& srodowisko, OknoPartii& okno) {
  try {
    utworz_pusty(srodowisko.zapis.plik_logu, *srodowisko.zapis.operacje, TrybZapisu::wyczysc);
    return true;
  } catch (const BladPliku& b) {
    okno.pokaz_komunikat(komunikat::brak_logu);
    okno.szczegoly_bledu(b.what());
    return false;
  }
}

std::string ustawienia_wysokosci(std::string_view dolna, std::string_view gorna) {
  return "height, min \"" + std::string(dolna) + "\", max \"" + std::string(gorna) + "\"";
}

std::string ustawienia_skrajni(std::string_view promien, std::string_view nr_parametru) {
  return "clearance, radius \"" + std::string(promien) + "\", radius parameter \"" +
         std::string(nr_parametru) + "\"";
}

WynikPartii uruchom_partie(const Srodowisko& srodowisko, OknoPartii& okno, const Korekcja& korekcja,
                           std::string_view ustawienia) {
  std::optional<std::string> powod;  // told after the message, which the user sees first
  WynikPartii wynik = WynikPartii::zakonczona;
  std::optional<Blokada> blokada_katalogu;  // taken at the first selected scenery
  bool zajete = false;
  StatusPartii status(okno);
  WyjsciaPartii wyjscia(srodowisko, korekcja, ustawienia);
  StanScenerii stan;
  stan.tekst_katalogu = srodowisko.tekst_katalogu;
  stan.katalog = srodowisko.katalog;
  stan.skroty = srodowisko.skroty;
  // Only the clearance run passes over files without tracks.
  stan.szukaj_torow =
      korekcja.rodzaj == RodzajPrzebiegu::skrajnia && stan.skroty.pomin_pliki_bez_wezlow;
  stan.zbieraj_polozenia = korekcja.rodzaj == RodzajPrzebiegu::wysokosc &&
                           wyjscia.kontekst().sluchacz->chce_tekstur_pod_obiektami();
  stan.zbieraj_wierzcholki =
      korekcja.rodzaj == RodzajPrzebiegu::wysokosc && stan.skroty.wierzcholki_ze_skanu;
  const std::size_t ile = okno.ile_pozycji();
  std::size_t ostatnia = ile;
  for (std::size_t i = 0; i < ile; ++i) {
    if (okno.zaznaczona(i)) ostatnia = i;
  }
  for (std::size_t i = 0; i < ile && !powod; ++i) {
    if (!okno.zaznaczona(i)) continue;
    stan.nazwa_scenerii = okno.pozycja(i);
    try {
      if (!zajete) {
        blokada_katalogu = zajmij_pliki_robocze(srodowisko.katalog, srodowisko.katalog_programu);
        zajete = true;
      }
      znajdz_min_max(stan, status, *srodowisko.zapis.operacje);
      if (!stan.zakres.pusty()) {
        sprawdz_nazwy_robocze(stan);
        wyjscia.nowa_sceneria(stan, i == ostatnia);
        korekcja.uruchom(stan, wyjscia.kontekst(), status);
      }
    } catch (const Przerwanie&) {
      wynik = WynikPartii::przerwana;
      try {
        usun_pliki_robocze(srodowisko.katalog);
      } catch (const BladPliku& b) {
        // A stop that leaves scratch files behind is no clean stop.
        powod = b.what();
      }
      break;
    } catch (const Blad& b) {
      powod = b.what();
    } catch (const std::exception& e) {
      // Not the user's data: a fault of the program or of the machine.
      powod = std::string("internal error: ") + e.what();
    }
  }
  if (powod) {
    okno.pokaz_komunikat(komunikat::blad_partii);
    okno.szczegoly_bledu(*powod);
    wynik = WynikPartii::blad;
  }
  stan.lista_plikow.clear();
  powiedz_o_znacznikach(wyjscia.znaczniki(), okno);
  if (const KopiaZapasowa* kopia = wyjscia.kopia_zapasowa()) {
    for (const auto& o : kopia->ostrzezenia()) okno.ostrzezenie(o);
  }
  if (PisanieRaportu* raport = wyjscia.raport()) zapisz_raport_partii(*raport, okno);
  okno.koniec_partii(wyjscia.suma());
  return wynik;
}

}  // namespace wyrownik
