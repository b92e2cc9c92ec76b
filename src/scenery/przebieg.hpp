// The skeleton every correction run follows over one scanned scenery.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/plik_zapisu.hpp"
#include "scenery/mapa_zmian.hpp"
#include "scenery/postep.hpp"
#include "scenery/przepisanie.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// Where a run writes: the log, the system calls (tests inject failures), and
// whether scenery files may be replaced at all.
struct CelZapisu {
  std::filesystem::path plik_logu;
  const OperacjeZapisu* operacje = &operacje_systemowe();
  bool na_sucho = false;  // dry run: the log is written, no scenery file replaced
  // Where replaced files are kept (none: no backup).
  KopiaZapasowa* kopia_zapasowa = nullptr;
  // Where the map report of the scenery being run is kept (none: no report).
  MapaZmian* mapa = nullptr;
  // The area and the patch of the batch.
  DodatkiPrzepisania dodatki;
  // Where the batch's counts add up (none: not counted).
  LicznikiPrzebiegu* suma = nullptr;
};

// What one correction brings to the skeleton: its scratch index, what it
// reads into it, and its rules for the rewrite.
class Przebieg : public ZasadyPrzepisania {
 public:
  // "FAZA II": creates the scratch index over the scenery's extents.
  virtual void zaloz_indeks() = 0;
  // "FAZA III": reads one file of the scenery into the index. `nastepny` is
  // the file read after it, when there is one: a run may begin reading it
  // now, on another thread, as long as it enters the index after `plik`.
  virtual void czytaj(const std::filesystem::path& plik,
                      const std::optional<std::filesystem::path>& nastepny) = 0;
  // The normal end: closes and deletes the index.
  virtual void usun_indeks() = 0;
};

// "FAZA II" to "FAZA IV" and the end of a run: the index, the log opened for
// appending, every file read, every file rewritten, the summary, the log
// closed, the index deleted, the progress told the run has ended. Throws on
// any failure, leaving the scratch files behind.
void wykonaj_przebieg(const StanScenerii& stan, Przebieg& przebieg, const CelZapisu& cel,
                      Postep& postep);

}  // namespace wyrownik
