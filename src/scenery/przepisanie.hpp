// "FAZA IV" of both correction runs: every file of a scenery copied through
// the scratch copy, with the run's verdict on each candidate line, and the
// copy put in the file's place when a line changed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "scenery/dziennik.hpp"
#include "scenery/plik_zapisu.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// The scratch copy of the file being rewritten, in the scenery directory.
inline constexpr std::string_view nazwa_kopii = "aaa.ccc";

enum class Przebieg {
  wysokosc,  // every line written; change entries name the scenery
  skrajnia,  // lines may be removed; runs of empty lines shrink to one
};

enum class Werdykt {
  zostaw,  // the line is written as read
  popraw,  // the corrected text is written instead, and logged
  usun,    // the line is left out, and logged (clearance run only)
};

// The run's verdict on a candidate line: a line whose first two bytes are not
// "//" and that contains "include" in any letter case. `surowa` is the line as
// read, without its line end; for Werdykt::popraw the corrected text goes
// into `poprawiona` (handed in empty).
using OcenaLinii = std::function<Werdykt(std::string_view surowa, std::string& poprawiona)>;

// Counts of one run over one scenery.
struct LicznikiPrzebiegu {
  std::uint64_t ile_zmian = 0;
  std::uint64_t ile_usunietych = 0;
};

// Rewrites every file of `stan.lista_plikow` (up to the first empty entry),
// showing "FAZA IV" and then each file's name. A listed name where no file
// exists is skipped without a word. A file in which the verdicts changed
// nothing stays byte for byte as it was; a changed file is replaced by its
// copy (every line ended by CR LF) in one atomic step, the copy synced to disk
// first and the log written out before it. With `na_sucho` (dry run) nothing
// is replaced, but the log is written all the same.
//
// Every failure throws (BladPliku, BladDanych, Przerwanie when the window
// closes between files) and leaves the file being rewritten exactly as it
// was; the scratch copy may stay behind, as all scratch files do on the
// failure path. Files replaced before the failure keep their new content.
void przepisz_scenerie(const StanScenerii& stan, Przebieg przebieg, const OcenaLinii& ocena,
                       Dziennik& dziennik, LicznikiPrzebiegu& liczniki, Postep& postep,
                       bool na_sucho = false,
                       const OperacjeZapisu& operacje = operacje_systemowe());

// The normal end of a run: the scenery's summary, the log closed, then
// `zamknij_indeks` (the run closes and deletes its scratch index there; the
// index is not this file's business), then the three status lines emptied
// with one event pass. Throws BladPliku when the log cannot be completed.
void zakoncz_przebieg(const StanScenerii& stan, Przebieg przebieg,
                      const LicznikiPrzebiegu& liczniki, Dziennik& dziennik, Postep& postep,
                      const std::function<void()>& zamknij_indeks);

}  // namespace wyrownik
