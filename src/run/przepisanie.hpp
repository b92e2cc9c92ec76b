// "FAZA IV" of both correction runs: every file of a scenery copied through
// the scratch copy, with the run's verdict on each candidate line, and the
// copy put in the file's place when a line changed.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "geometry/obszar.hpp"
#include "platform/plik_zapisu.hpp"
#include "run/zdarzenia.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"
#include "text/pliki_robocze.hpp"

namespace wyrownik {

enum class Werdykt {
  zostaw,  // the line is written as read
  popraw,  // the corrected text is written instead, and logged
  usun,    // the line is left out, and logged
};

// Whether a run replaces the files it changes, or only tells what it would
// change (the dry run).
enum class TrybPrzebiegu { zapis, na_sucho };

// What every run of a batch works with besides its scenery: the system calls
// its files are read and written through (tests fail them on demand), whether it replaces
// files, the area it is limited to, and who listens (never null).
struct KontekstPrzebiegu {
  OperacjeSystemu* operacje = nullptr;  // never null in a run
  TrybPrzebiegu tryb = TrybPrzebiegu::zapis;
  std::optional<Obszar> obszar;
  Sluchacz* sluchacz = nullptr;

  bool na_sucho() const { return tryb == TrybPrzebiegu::na_sucho; }
};

// A verdict with what it hands out: the corrected text for Werdykt::popraw,
// why for a selected line left alone.
struct OcenaLinii {
  Werdykt werdykt = Werdykt::zostaw;
  std::string poprawiona;
  Pozostawienie pozostawienie;
};

// What a run decides in "FAZA IV".
class ZasadyPrzepisania {
 public:
  virtual ~ZasadyPrzepisania() = default;
  // The verdict on a candidate line: a line whose first two bytes are not
  // "//" and that contains "include" in any letter case. `surowa` is the
  // line as read, without its line end; for Werdykt::popraw the corrected
  // text goes into `poprawiona` (handed in empty). For Werdykt::zostaw on a
  // line the run selects, `pozostawienie` (handed in as Powod::brak) gets
  // why.
  virtual Werdykt ocen(std::string_view surowa, std::string& poprawiona,
                       Pozostawienie& pozostawienie) = 0;
  // The verdicts on consecutive candidate lines of a file, `oceny[i]` on
  // `linie[i]` (handed in as a default OcenaLinii), each what ocen() gives
  // it: a run may share work between them. By default ocen() on each.
  virtual void ocen_blok(std::span<const std::string_view> linie, std::span<OcenaLinii> oceny);
  // True when ocen_blok() costs less than ocen() on each line, so that the
  // rewrite reads candidates ahead to judge them together.
  virtual bool ocena_blokami() const { return false; }
  // True when ocen() changes nothing but `poprawiona`, so that verdicts on
  // the lines of a large file may be worked out on two threads at once.
  virtual bool ocena_wspolbiezna() const { return false; }
  // Of how many blocks of candidate lines in a row the second thread then
  // judges all but the first: 2 when a verdict costs about what the caller
  // spends telling and writing a line, more when verdicts cost more.
  virtual unsigned okres_oceny() const { return 2; }
  // What a corrected line is.
  virtual RodzajZmiany rodzaj_poprawki() const = 0;
  // True when a run of empty lines written shrinks to one (a removed line
  // must not leave a gap).
  virtual bool sciskaj_puste_linie() const = 0;
};

// Rewrites every file of `stan.lista_plikow`, telling the phase and each
// file. A listed name where no file exists is skipped without a word. A file
// in which the verdicts changed nothing stays byte for byte as it was; a
// changed file is replaced by its copy (every line ended by CR LF) in one
// atomic step, the copy synced to disk and the listeners told first (the
// log syncs, the backup keeps the old content), so that every change on
// disk is on record. In a dry run nothing is replaced, but everything is
// told all the same. Objects outside the area are left alone; a line a
// marker keeps is told as kept, not changed. Counts go to `liczniki`.
//
// Every failure throws (BladPliku, BladDanych, Przerwanie between files) and
// leaves the file being rewritten exactly as it was; the scratch copy may
// stay behind, as all scratch files do on the failure path. Files replaced
// before the failure keep their new content.
void przepisz_scenerie(const StanScenerii& stan, ZasadyPrzepisania& zasady,
                       const KontekstPrzebiegu& kontekst, LicznikiPrzebiegu& liczniki,
                       Postep& postep);

}  // namespace wyrownik
