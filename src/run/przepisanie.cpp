#include "run/przepisanie.hpp"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/bledy.hpp"
#include "platform/nazwy.hpp"
#include "run/oceny.hpp"
#include "run/pliki_fazy.hpp"
#include "text/blad_danych.hpp"
#include "text/czytnik_linii.hpp"
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
  fs::path plik;  // links resolved
  fs::path kopia_robocza;
  fs::path katalog;  // the scenery directory, links resolved
};

// What every file of a run is rewritten with and told to.
struct CelPrzepisania {
  ZasadyPrzepisania& zasady;
  const KontekstPrzebiegu& kontekst;
  LicznikiPrzebiegu& liczniki;
};

bool to_samo_miejsce(const fs::path& a, const fs::path& b) {
  std::error_code blad;
  return fs::exists(b, blad) && fs::equivalent(a, b, blad);
}

// One file copied through the scratch copy, each candidate line with the
// run's verdict; the copy takes the file's place when a line changed.
class PrzepisaniePliku {
 public:
  PrzepisaniePliku(const CelPrzepisania& cel, const PlikDoPrzepisania& p)
      : cel_(cel),
        p_(p),
        skroty_(p.stan.skroty),
        sluchacz_(*cel.kontekst.sluchacz),
        na_sucho_(cel.kontekst.na_sucho()),
        w_pamieci_(!na_sucho_ && !skroty_.kopia_od_pierwszej_zmiany),
        sciskaj_(cel.zasady.sciskaj_puste_linie()) {}

  // Throws on every failure, the file left exactly as it was.
  void przepisz() {
    // Opening the copy empties it: reading and writing one file would lose it.
    if (to_samo_miejsce(p_.plik, p_.kopia_robocza)) {
      throw BladDanych("a scenery file bears the name of the scratch copy: " +
                       bajty_sciezki(p_.plik));
    }
    CzytnikLinii czytnik(p_.plik, *cel_.kontekst.operacje);
    const bool dluga = p_.nr < p_.stan.ma_dluga_linie.size() && p_.stan.ma_dluga_linie[p_.nr];
    Oceny oceny(p_.plik, cel_.zasady,
                cel_.zasady.ocena_wspolbiezna() && skroty_.ocena_na_dwoch_watkach && !dluga &&
                    wart_drugiego_watku(p_.plik, skroty_.duzy_plik_oceny),
                cel_.zasady.ocena_blokami() && !dluga, skroty_.szukanie, *cel_.kontekst.operacje);
    std::string poprawiona;
    std::string_view surowa;
    for (; czytnik.czytaj(surowa); ++przeczytane_) {
      const bool oznaczona = oznaczenie(surowa);
      std::string_view wyjscie = surowa;
      if (czy_kandydat(surowa, skroty_.szukanie)) {
        poprawiona.clear();
        Pozostawienie pozostawienie;
        Werdykt werdykt = oceny.ocen(surowa, poprawiona, pozostawienie);
        werdykt = ogranicz(werdykt, oznaczona, surowa, poprawiona, pozostawienie);
        if (werdykt != Werdykt::zostaw) {
          zmiana(werdykt, surowa, poprawiona);
        } else if (pozostawienie.powod != Powod::brak) {
          pozostaw(surowa, pozostawienie);
        }
        // A removed line is not written, and the empty-line count stays.
        if (werdykt == Werdykt::usun) {
          if (linie_) sluchacz_.linia(surowa, czytnik.koniec_linii(), std::nullopt);
          continue;
        }
        if (werdykt == Werdykt::popraw) wyjscie = poprawiona;
      }
      const bool zapisana = wypisz(wyjscie);
      if (linie_) {
        sluchacz_.linia(surowa, czytnik.koniec_linii(),
                        zapisana ? std::optional(wyjscie) : std::nullopt);
      }
    }
    czytnik.zamknij();
    oceny.zamknij();
    if (znacznik_) znacznik_bez_obiektu(0);
    if (!zmieniony_) return;
    if (!na_sucho_) zastap();
    sluchacz_.gotowy(plik());  // only what is on disk, or a dry run's
  }

  // The file had a change, so its listeners were told of it (known also
  // when przepisz() threw): a failure leaves it as it was, and they must hear.
  // The change made the file's event record already: nothing to allocate here.
  void porzuc() noexcept {
    if (zmieniony_ && plik_) sluchacz_.porzucony(*plik_);
  }

 private:
  const std::string& sciezka_do_logu() {
    if (!pelna_sciezka_) pelna_sciezka_ = tekst_pelnej_sciezki(p_.stan.tekst_katalogu, p_.wpis);
    return *pelna_sciezka_;
  }

  // The file as the listeners hear of it; made at its first event.
  const PlikPrzepisania& plik() {
    if (!plik_) plik_.emplace(PlikPrzepisania{p_.stan, sciezka_do_logu(), p_.plik, p_.katalog});
    return *plik_;
  }

  // Whether a marker before it keeps this line as it is; notes a marker.
  // The line a marker takes stays as it is whatever it holds, but one that
  // is no object means the marker protects nothing: the builder is told.
  bool oznaczenie(std::string_view surowa) {
    if (czy_znacznik_pominiecia(surowa)) {
      znacznik_ = true;
      linia_znacznika_ = przeczytane_ + 1;
      return false;
    }
    if (!znacznik_ || pusta_po_oczyszczeniu(surowa)) return false;
    znacznik_ = false;
    if (!czy_kandydat(surowa, skroty_.szukanie) || !token_linii(surowa, 4)) {
      znacznik_bez_obiektu(przeczytane_ + 1);
    }
    return true;
  }

  void znacznik_bez_obiektu(std::uint64_t wzieta) {
    sluchacz_.znacznik_bez_obiektu({sciezka_do_logu(), linia_znacznika_, wzieta});
  }

  // The verdict as the batch's limits leave it: an object outside the area
  // is not the batch's; one a marker keeps is counted and shown, not changed.
  // `pozostawienie` then says so. An object the run left for a reason that
  // comes before the area's test keeps that reason.
  Werdykt ogranicz(Werdykt werdykt, bool oznaczona, std::string_view surowa,
                   std::string_view poprawiona, Pozostawienie& pozostawienie) {
    const Powod powod = pozostawienie.powod;
    const bool przed_obszarem =
        powod == Powod::brak || powod == Powod::wyjatek || powod == Powod::brak_polozenia;
    const auto& obszar = cel_.kontekst.obszar;
    if (obszar && (werdykt != Werdykt::zostaw || !przed_obszarem)) {
      const auto polozenie = znajdz_trojke_w_linii(surowa);
      if (!polozenie || !obszar->zawiera(polozenie->x, polozenie->z)) {
        pozostawienie = {Powod::poza_obszarem, std::nullopt};
        return Werdykt::zostaw;
      }
    }
    if (werdykt == Werdykt::zostaw || !oznaczona) return werdykt;
    ++cel_.liczniki.ile_chronionych;
    const bool poprawa = werdykt == Werdykt::popraw;
    sluchacz_.chroniona({poprawa ? cel_.zasady.rodzaj_poprawki() : RodzajZmiany::usuniecie, plik(),
                         przeczytane_ + 1, surowa, poprawa ? poprawiona : std::string_view()});
    pozostawienie = {Powod::znacznik, std::nullopt};
    return Werdykt::zostaw;
  }

  // A selected object left as it is: counted by its reason, and told unless
  // it stands clear of every track.
  void pozostaw(std::string_view surowa, const Pozostawienie& pozostawienie) {
    ++cel_.liczniki.pozostawione[static_cast<std::size_t>(pozostawienie.powod)];
    if (pozostawienie.powod == Powod::wolny) return;
    sluchacz_.pozostawiona({plik(), przeczytane_ + 1, surowa, pozostawienie});
  }

  // A corrected or removed line: counted and told.
  void zmiana(Werdykt werdykt, std::string_view surowa, std::string_view poprawiona) {
    zacznij();
    zmieniony_ = true;
    const bool poprawa = werdykt == Werdykt::popraw;
    ++(poprawa ? cel_.liczniki.ile_zmian : cel_.liczniki.ile_usunietych);
    sluchacz_.zmiana({poprawa ? cel_.zasady.rodzaj_poprawki() : RodzajZmiany::usuniecie, plik(),
                      przeczytane_ + 1, surowa, poprawa ? poprawiona : std::string_view()});
  }

  // Every written line ends with CR LF; in the clearance run a run of empty
  // lines shrinks to one, so a line is written only when this says so.
  // `puste` counts consecutive empty lines, up to 2.
  bool do_zapisu(std::string_view linia, int& puste) const {
    if (!sciskaj_) return true;
    if (!linia.empty()) {
      puste = 0;
    } else if (puste < 2) {
      ++puste;
    }
    return puste < 2;
  }

  // False for a line left out.
  bool wypisz(std::string_view linia) {
    if (!do_zapisu(linia, puste_z_rzedu_)) return false;
    if (kopia_robocza_) {
      kopia_robocza_->zapisz_linie(linia);
    } else if (w_pamieci_) {
      czekajace_.emplace_back(linia);
    }
    return true;
  }

  // Most files hold nothing to correct: the copy (not in a dry run) and what
  // listeners take of every line are begun only at the first change, with
  // the lines before it read again. The long way keeps the copy's lines in
  // memory meanwhile.
  void zacznij() {
    if (zaczety_) return;
    zaczety_ = true;
    if (!na_sucho_)
      kopia_robocza_.emplace(p_.kopia_robocza, PlikZapisu::Tryb::nowy, *cel_.kontekst.operacje);
    linie_ = sluchacz_.pierwsza_zmiana(plik());
    if (kopia_robocza_ && w_pamieci_) {
      for (const std::string& linia : czekajace_) kopia_robocza_->zapisz_linie(linia);
      czekajace_ = {};
    }
    const bool do_kopii = kopia_robocza_ && !w_pamieci_;
    if (!do_kopii && !linie_) return;
    CzytnikLinii od_poczatku(p_.plik, *cel_.kontekst.operacje);
    int puste = 0;
    std::string_view linia;
    for (std::uint64_t i = 0; i < przeczytane_ && od_poczatku.czytaj(linia); ++i) {
      const bool zapisana = do_zapisu(linia, puste);
      if (do_kopii && zapisana) kopia_robocza_->zapisz_linie(linia);
      if (linie_) {
        sluchacz_.linia(linia, od_poczatku.koniec_linii(),
                        zapisana ? std::optional(linia) : std::nullopt);
      }
    }
  }

  void zastap() {
    // The copy must be whole on disk before it can take the file's place;
    // the listeners keep what must be on record first (the old content, the
    // log's entries), and one that cannot stops the replacement.
    kopia_robocza_->zamknij(/*na_dysk=*/true);
    sluchacz_.przed_zastapieniem(plik(), p_.kopia_robocza);
    // rename() over the file: the new file is the copy itself, so it carries
    // no read-only or other attribute of the old one; a read-only file is
    // replaced all the same, since only the directory's permission counts.
    zastap_plik(p_.kopia_robocza, p_.plik, *cel_.kontekst.operacje);
  }

  const CelPrzepisania& cel_;
  const PlikDoPrzepisania& p_;
  const Skroty& skroty_;
  Sluchacz& sluchacz_;
  const bool na_sucho_;
  const bool w_pamieci_;
  const bool sciskaj_;
  std::optional<std::string> pelna_sciezka_;  // for the log, made at the first entry
  std::optional<PlikPrzepisania> plik_;
  std::optional<PlikZapisu> kopia_robocza_;
  std::vector<std::string> czekajace_;  // the long way: lines before the first change
  std::uint64_t przeczytane_ = 0;       // lines read before the current one
  int puste_z_rzedu_ = 0;
  bool zaczety_ = false;
  bool zmieniony_ = false;  // a change was told
  bool linie_ = false;      // a listener takes every line of the file
  bool znacznik_ = false;   // a marker waits for its line
  std::uint64_t linia_znacznika_ = 0;
};

}  // namespace

void ZasadyPrzepisania::ocen_blok(std::span<const std::string_view> linie,
                                  std::span<OcenaLinii> oceny) {
  for (std::size_t i = 0; i < linie.size(); ++i) {
    oceny[i].werdykt = ocen(linie[i], oceny[i].poprawiona, oceny[i].pozostawienie);
  }
}

void przepisz_scenerie(const StanScenerii& stan, ZasadyPrzepisania& zasady,
                       const KontekstPrzebiegu& kontekst, LicznikiPrzebiegu& liczniki,
                       Postep& postep) {
  const fs::path kopia_robocza = stan.katalog / std::string(nazwa_kopii_roboczej);
  std::error_code blad_katalogu;
  fs::path katalog = fs::canonical(stan.katalog, blad_katalogu);
  if (blad_katalogu) katalog = stan.katalog;
  const CelPrzepisania cel{zasady, kontekst, liczniki};
  dla_plikow_fazy(stan, Faza::przepisanie, postep,
                  [&](std::size_t nr, std::string_view wpis, const fs::path& plik) {
                    // A file the scan found no candidate line in cannot change.
                    if (stan.skroty.pomin_pliki_bez_kandydatow && nr < stan.ma_kandydatow.size() &&
                        !stan.ma_kandydatow[nr]) {
                      return;
                    }
                    // A name that is a link inside the scenery: the file it leads to is
                    // rewritten and replaced, and the link stays a link.
                    std::error_code blad;
                    const fs::path prawdziwy = fs::canonical(plik, blad);
                    if (blad) throw BladPliku("cannot look up", plik, blad);
                    const PlikDoPrzepisania p{stan, nr, wpis, prawdziwy, kopia_robocza, katalog};
                    PrzepisaniePliku przepisanie(cel, p);
                    try {
                      przepisanie.przepisz();
                    } catch (...) {
                      // Its changes were told, they are not on disk: the listeners hear so.
                      przepisanie.porzuc();
                      throw;
                    }
                  });
}

}  // namespace wyrownik
