// "FAZA IV" of both correction runs: every file of a scenery copied through
// the scratch copy, with the run's verdict on each candidate line, and the
// copy put in the file's place when a line changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/kopie_zapasowe.hpp"
#include "geometry/obszar.hpp"
#include "platform/plik_zapisu.hpp"
#include "scenery/dziennik.hpp"
#include "scenery/latka.hpp"
#include "scenery/mapa_zmian.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"
#include "text/pliki_robocze.hpp"

namespace wyrownik {

enum class Werdykt {
  zostaw,  // the line is written as read
  popraw,  // the corrected text is written instead, and logged
  usun,    // the line is left out, and logged
};

// Counts of one run over one scenery, or of a batch.
struct LicznikiPrzebiegu {
  std::uint64_t ile_zmian = 0;
  std::uint64_t ile_usunietych = 0;
  std::uint64_t ile_pominietych = 0;  // would have changed, kept by a marker

  LicznikiPrzebiegu& operator+=(const LicznikiPrzebiegu& l) {
    ile_zmian += l.ile_zmian;
    ile_usunietych += l.ile_usunietych;
    ile_pominietych += l.ile_pominietych;
    return *this;
  }
};

// What a rewrite does besides the verdicts; none of it by default.
struct DodatkiPrzepisania {
  std::optional<Obszar> obszar;
  Latka* latka = nullptr;  // every change as a unified diff
  // Where markers that protect nothing are told (none: not told).
  std::vector<ZnacznikBezObiektu>* znaczniki_bez_obiektu = nullptr;
};

// What a run decides in "FAZA IV".
class ZasadyPrzepisania {
 public:
  virtual ~ZasadyPrzepisania() = default;
  // The verdict on a candidate line: a line whose first two bytes are not
  // "//" and that contains "include" in any letter case. `surowa` is the
  // line as read, without its line end; for Werdykt::popraw the corrected
  // text goes into `poprawiona` (handed in empty).
  virtual Werdykt ocen(std::string_view surowa, std::string& poprawiona) = 0;
  // True when ocen() changes nothing but `poprawiona`, so that verdicts on
  // the lines of a large file may be worked out on two threads at once.
  virtual bool ocena_wspolbiezna() const { return false; }
  // The log entry of a corrected line.
  virtual void zapisz_zmiane(Dziennik& dziennik, std::string_view pelna_sciezka,
                             std::string_view przed, std::string_view po) = 0;
  // What a corrected line shows on the map.
  virtual RodzajZmiany rodzaj_poprawki() const = 0;
  // True when a run of empty lines written shrinks to one (a removed line
  // must not leave a gap).
  virtual bool sciskaj_puste_linie() const = 0;
  // The summary of the scenery in the log.
  virtual void podsumuj(Dziennik& dziennik, const LicznikiPrzebiegu& liczniki) = 0;
};

// Rewrites every file of `stan.lista_plikow`, telling the phase and each
// file. A listed name where no file exists is skipped without a word. A file
// in which the verdicts changed nothing stays byte for byte as it was; a
// changed file is replaced by its copy (every line ended by CR LF) in one
// atomic step, the copy and the log synced to disk first, so that every
// change on disk is on record. With `na_sucho` (dry run) nothing is
// replaced, but the log is written all the same. With `kopia_zapasowa` each
// file's old content is kept there before it is replaced. With `mapa` every
// change is also noted there, with its line number, and every line a marker
// kept that would have changed. `dodatki` limit the changes to an area and
// write them as a patch.
//
// Every failure throws (BladPliku, BladDanych, Przerwanie between files) and
// leaves the file being rewritten exactly as it was; the scratch copy may
// stay behind, as all scratch files do on the failure path. Files replaced
// before the failure keep their new content.
void przepisz_scenerie(const StanScenerii& stan, ZasadyPrzepisania& zasady, Dziennik& dziennik,
                       LicznikiPrzebiegu& liczniki, Postep& postep, bool na_sucho = false,
                       const OperacjeZapisu& operacje = operacje_systemowe(),
                       KopiaZapasowa* kopia_zapasowa = nullptr, MapaZmian* mapa = nullptr,
                       const DodatkiPrzepisania& dodatki = {});

}  // namespace wyrownik
