#include "scenery/przepisanie.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "scenery/oceny.hpp"
#include "scenery/pliki_fazy.hpp"
#include "text/blad_danych.hpp"
#include "text/czytnik_linii.hpp"
#include "text/kodowanie.hpp"
#include "text/linia.hpp"
#include "text/sciezki.hpp"
#include "text/wielkosc_liter.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

struct PlikDoPrzepisania {
  const StanScenerii& stan;
  std::size_t nr;  // in the file list
  std::string_view wpis;
  fs::path plik;
  fs::path kopia;
};

bool to_samo_miejsce(const fs::path& a, const fs::path& b) {
  std::error_code blad;
  return fs::exists(b, blad) && fs::equivalent(a, b, blad);
}

// Sets `wpisany` once an entry of the file is in the log, so that the
// caller knows it also when this throws.
void przepisz_plik(const PlikDoPrzepisania& p, ZasadyPrzepisania& zasady, Dziennik& dziennik,
                   LicznikiPrzebiegu& liczniki, bool na_sucho, const OperacjeZapisu& operacje,
                   KopiaZapasowa* kopia_zapasowa, MapaZmian* mapa, bool& wpisany) {
  // Opening the copy empties it: reading and writing one file would lose it.
  if (to_samo_miejsce(p.plik, p.kopia)) {
    throw BladDanych("a scenery file bears the name of the scratch copy: " + bajty_sciezki(p.plik));
  }
  const Skroty& skroty = p.stan.skroty;
  CzytnikLinii czytnik(p.plik);
  const bool dluga = p.nr < p.stan.ma_dluga_linie.size() && p.stan.ma_dluga_linie[p.nr];
  Oceny oceny(p.plik, zasady,
              zasady.ocena_wspolbiezna() && skroty.ocena_na_dwoch_watkach && !dluga &&
                  wart_drugiego_watku(p.plik, skroty.duzy_plik_oceny),
              skroty.szukanie);

  std::optional<std::string> pelna_sciezka;  // for the log, made at the first entry
  auto sciezka_do_logu = [&]() -> const std::string& {
    if (!pelna_sciezka) pelna_sciezka = tekst_pelnej_sciezki(p.stan.tekst_katalogu, p.wpis);
    return *pelna_sciezka;
  };

  // Every written line ends with CR LF; in the clearance run a run of empty
  // lines shrinks to one, so a line is written only when this says so.
  // `puste` counts consecutive empty lines, up to 2.
  const bool sciskaj = zasady.sciskaj_puste_linie();
  const auto do_zapisu = [sciskaj](std::string_view linia, int& puste) {
    if (!sciskaj) return true;
    if (!linia.empty()) {
      puste = 0;
    } else if (puste < 2) {
      ++puste;
    }
    return puste < 2;
  };

  // Most files hold nothing to correct: the copy is begun only at the first
  // change, with the lines before it read again (a dry run writes none). The
  // long way keeps them in memory meanwhile.
  std::optional<PlikZapisu> kopia;
  const bool w_pamieci = !na_sucho && !skroty.kopia_od_pierwszej_zmiany;
  std::vector<std::string> czekajace;
  std::uint64_t przeczytane = 0;  // lines read before the current one
  const auto zacznij_kopie = [&] {
    if (kopia || na_sucho) return;
    kopia.emplace(p.kopia, PlikZapisu::Tryb::nowy, operacje);
    if (w_pamieci) {
      for (const std::string& linia : czekajace) kopia->zapisz_linie(linia);
      czekajace = {};
      return;
    }
    CzytnikLinii od_poczatku(p.plik);
    int puste = 0;
    std::string_view linia;
    for (std::uint64_t i = 0; i < przeczytane && od_poczatku.czytaj(linia); ++i) {
      if (do_zapisu(linia, puste)) kopia->zapisz_linie(linia);
    }
  };

  bool zmieniony = false;
  int puste_z_rzedu = 0;
  std::string poprawiona;
  std::string_view surowa;
  for (; czytnik.czytaj(surowa); ++przeczytane) {
    std::string_view wyjscie = surowa;
    if (czy_kandydat(surowa, skroty.szukanie)) {
      poprawiona.clear();
      switch (oceny.ocen(surowa, poprawiona)) {
        case Werdykt::zostaw:
          break;
        case Werdykt::popraw:
          zacznij_kopie();
          zmieniony = wpisany = true;
          ++liczniki.ile_zmian;
          zasady.zapisz_zmiane(dziennik, sciezka_do_logu(), surowa, poprawiona);
          if (mapa) {
            mapa->zmiana(zasady.rodzaj_poprawki(), sciezka_do_logu(), przeczytane + 1, surowa,
                         poprawiona);
          }
          wyjscie = poprawiona;
          break;
        case Werdykt::usun:
          zacznij_kopie();
          zmieniony = wpisany = true;
          ++liczniki.ile_usunietych;
          dziennik.usuniecie(sciezka_do_logu(), surowa);
          if (mapa) {
            mapa->zmiana(RodzajZmiany::usuniecie, sciezka_do_logu(), przeczytane + 1, surowa, {});
          }
          continue;  // not written, and the empty-line count stays as it was
      }
    }
    if (!do_zapisu(wyjscie, puste_z_rzedu)) continue;
    if (kopia) {
      kopia->zapisz_linie(wyjscie);
    } else if (w_pamieci) {
      czekajace.emplace_back(wyjscie);
    }
  }
  czytnik.zamknij();

  if (!zmieniony || na_sucho) return;
  // The copy must be whole on disk before it can take the file's place, and
  // the log must hold the changes on disk before they are made.
  kopia->zamknij(/*na_dysk=*/true);
  // Never a replacement without its backup.
  if (kopia_zapasowa) {
    kopia_zapasowa->zachowaj(p.stan.katalog, p.stan.nazwa_scenerii, p.plik, p.kopia);
  }
  dziennik.oproznij(/*na_dysk=*/true);
  // rename() over the file: the new file is the copy itself, so it carries no
  // read-only or other attribute of the old one; a read-only file is replaced
  // all the same, since only the directory's permission counts.
  zastap_plik(p.kopia, p.plik, operacje);
}

}  // namespace

void przepisz_scenerie(const StanScenerii& stan, ZasadyPrzepisania& zasady, Dziennik& dziennik,
                       LicznikiPrzebiegu& liczniki, Postep& postep, bool na_sucho,
                       const OperacjeZapisu& operacje, KopiaZapasowa* kopia_zapasowa,
                       MapaZmian* mapa) {
  const fs::path kopia = stan.katalog / std::string(nazwa_kopii);
  dla_plikow_fazy(stan, Faza::przepisanie, postep,
                  [&](std::size_t nr, std::string_view wpis, const fs::path& plik) {
                    // A file the scan found no candidate line in cannot change.
                    if (stan.skroty.pomin_pliki_bez_kandydatow && nr < stan.ma_kandydatow.size() &&
                        !stan.ma_kandydatow[nr]) {
                      return;
                    }
                    bool wpisany = false;
                    // A name that is a link inside the scenery: the file it leads to is
                    // rewritten and replaced, and the link stays a link.
                    std::error_code blad;
                    const fs::path prawdziwy = fs::canonical(plik, blad);
                    if (blad) throw BladPliku("cannot look up", plik, blad);
                    try {
                      przepisz_plik({stan, nr, wpis, prawdziwy, kopia}, zasady, dziennik, liczniki,
                                    na_sucho, operacje, kopia_zapasowa, mapa, wpisany);
                    } catch (...) {
                      // Its entries are in the log, its changes are not on disk: the log
                      // says so, as far as it still can.
                      if (wpisany) {
                        try {
                          dziennik.bez_zmian(tekst_pelnej_sciezki(stan.tekst_katalogu, wpis));
                          dziennik.oproznij(/*na_dysk=*/true);
                        } catch (...) {
                        }
                      }
                      throw;
                    }
                  });
}

}  // namespace wyrownik
