#include "scenery/przepisanie.hpp"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "scenery/bledy.hpp"
#include "scenery/czytnik_linii.hpp"
#include "scenery/kodowanie.hpp"
#include "scenery/linia.hpp"
#include "scenery/sciezki.hpp"
#include "scenery/teksty_statusu.hpp"
#include "scenery/wielkosc_liter.hpp"

namespace fs = std::filesystem;

namespace wyrownik {

namespace {

struct PlikDoPrzepisania {
  const StanScenerii& stan;
  std::string_view wpis;
  fs::path plik;
  fs::path kopia;
};

bool czy_kandydat(std::string_view surowa) {
  return !czy_komentarz(surowa) && zawiera(surowa, "include");
}

bool to_samo_miejsce(const fs::path& a, const fs::path& b) {
  std::error_code blad;
  return fs::exists(b, blad) && fs::equivalent(a, b, blad);
}

void przepisz_plik(const PlikDoPrzepisania& p, Przebieg przebieg, const OcenaLinii& ocena,
                   Dziennik& dziennik, LicznikiPrzebiegu& liczniki, bool na_sucho,
                   const OperacjeZapisu& operacje) {
  // Opening the copy empties it: reading and writing one file would lose it.
  if (to_samo_miejsce(p.plik, p.kopia)) {
    throw BladDanych("a scenery file bears the name of the scratch copy: " + p.plik.string());
  }
  CzytnikLinii czytnik(p.plik);
  PlikZapisu kopia(p.kopia, PlikZapisu::Tryb::nowy, operacje);

  std::optional<std::string> pelna_sciezka;  // for the log, made at the first entry
  auto sciezka_do_logu = [&]() -> const std::string& {
    if (!pelna_sciezka) pelna_sciezka = tekst_pelnej_sciezki(p.stan.tekst_katalogu, p.wpis);
    return *pelna_sciezka;
  };

  bool zmieniony = false;
  int puste_z_rzedu = 0;  // clearance run: consecutive empty output lines, up to 2
  std::string poprawiona;
  std::string_view surowa;
  while (czytnik.czytaj(surowa)) {
    std::string_view wyjscie = surowa;
    if (czy_kandydat(surowa)) {
      poprawiona.clear();
      switch (ocena(surowa, poprawiona)) {
        case Werdykt::zostaw:
          break;
        case Werdykt::popraw:
          zmieniony = true;
          ++liczniki.ile_zmian;
          if (przebieg == Przebieg::wysokosc) {
            dziennik.zmiana_wysokosci(p.stan.nazwa_scenerii, sciezka_do_logu(), surowa, poprawiona);
          } else {
            dziennik.zmiana_polozenia(sciezka_do_logu(), surowa, poprawiona);
          }
          wyjscie = poprawiona;
          break;
        case Werdykt::usun:
          if (przebieg != Przebieg::skrajnia) {
            throw std::logic_error("only the clearance run removes lines");
          }
          zmieniony = true;
          ++liczniki.ile_usunietych;
          dziennik.usuniecie(sciezka_do_logu(), surowa);
          continue;  // not written, and the empty-line count stays as it was
      }
    }
    if (przebieg == Przebieg::skrajnia) {
      if (!wyjscie.empty()) {
        puste_z_rzedu = 0;
      } else if (puste_z_rzedu < 2) {
        ++puste_z_rzedu;
      }
      if (puste_z_rzedu >= 2) continue;
    }
    kopia.zapisz_linie(wyjscie);
  }
  czytnik.zamknij();

  if (!zmieniony || na_sucho) {
    kopia.zamknij();
    usun_plik(p.kopia);
    return;
  }
  // The copy must be whole on disk before it can take the file's place, and
  // the log must hold the changes before they are made.
  kopia.zamknij(/*na_dysk=*/true);
  dziennik.oproznij();
  // rename() over the file: the new file is the copy itself, so it carries no
  // read-only or other attribute of the old one; a read-only file is replaced
  // all the same, since only the directory's permission counts.
  zastap_plik(p.kopia, p.plik, operacje);
}

}  // namespace

void przepisz_scenerie(const StanScenerii& stan, Przebieg przebieg, const OcenaLinii& ocena,
                       Dziennik& dziennik, LicznikiPrzebiegu& liczniki, Postep& postep,
                       bool na_sucho, const OperacjeZapisu& operacje) {
  pokaz_i_odswiez(postep, Etykieta::label3, status::faza_iv);
  const fs::path kopia = stan.katalog / std::string(nazwa_kopii);
  std::string etykieta;
  for (const std::string& wpis : stan.lista_plikow) {
    if (wpis.empty()) break;
    etykieta.assign(status::czytam_plik).append(wpis);
    pokaz_i_odswiez(postep, Etykieta::label4, etykieta);
    const auto plik = znajdz_w_scenerii(stan.katalog, wpis);
    std::error_code blad;
    if (!plik || !fs::is_regular_file(*plik, blad)) continue;  // nothing to rewrite there
    przepisz_plik({stan, wpis, *plik, kopia}, przebieg, ocena, dziennik, liczniki, na_sucho,
                  operacje);
  }
}

void zakoncz_przebieg(const StanScenerii& stan, Przebieg przebieg,
                      const LicznikiPrzebiegu& liczniki, Dziennik& dziennik, Postep& postep,
                      const std::function<void()>& zamknij_indeks) {
  if (przebieg == Przebieg::wysokosc) {
    dziennik.podsumowanie(stan.nazwa_scenerii, liczniki.ile_zmian);
  } else {
    dziennik.podsumowanie(stan.nazwa_scenerii, liczniki.ile_zmian, liczniki.ile_usunietych);
  }
  dziennik.zamknij();
  if (zamknij_indeks) zamknij_indeks();
  postep.pokaz(Etykieta::label2, "");
  postep.pokaz(Etykieta::label3, "");
  postep.pokaz(Etykieta::label4, "");
  odswiez(postep);
}

}  // namespace wyrownik
