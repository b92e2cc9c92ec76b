// The skeleton every correction run follows over one scanned scenery.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/plik_zapisu.hpp"
#include "run/przepisanie.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// What one correction brings to the skeleton: its scratch index, what it
// reads into it, and its rules for the rewrite.
class Przebieg : public ZasadyPrzepisania {
 public:
  // "FAZA II": creates the scratch index over the scenery's extents.
  virtual void zaloz_indeks() = 0;
  // "FAZA III": reads one file of the scenery (`wpis` entry `nr` of the
  // list) into the index. `nastepny` is the file read after it, when there
  // is one: a run may begin reading it now, on another thread, as long as it
  // enters the index after `plik`.
  virtual void czytaj(std::size_t nr, std::string_view wpis, const std::filesystem::path& plik,
                      const std::optional<std::filesystem::path>& nastepny) = 0;
  // Whether "FAZA III" reads entry `nr` of the list at all: a run may pass
  // over a file the scan found nothing in that it would read.
  virtual bool czyta(std::size_t /*nr*/) const { return true; }
  // The normal end: closes and deletes the index.
  virtual void usun_indeks() = 0;
};

// "FAZA II" to "FAZA IV" and the end of a run: the index, the listeners told
// the scenery begins (the log opens), every file read, every file rewritten,
// the listeners told it ends with its counts (the log's summary), the index
// deleted, the progress told the run has ended. Throws on any failure,
// leaving the scratch files behind, the listeners told first.
void wykonaj_przebieg(const StanScenerii& stan, Przebieg& przebieg,
                      const KontekstPrzebiegu& kontekst, Postep& postep);

}  // namespace wyrownik
