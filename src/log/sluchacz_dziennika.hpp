// The log as a listener of the runs: every change and removal, each
// scenery's summary, and the note of a file whose changes did not reach it.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>

#include "log/dziennik.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik {

class SluchaczDziennika : public Sluchacz {
 public:
  // Appends to `plik_logu`, opened at the start of each scenery's run;
  // `przebieg` chooses the summary's form.
  SluchaczDziennika(std::filesystem::path plik_logu, OperacjeSystemu& operacje,
                    RodzajPrzebiegu przebieg)
      : plik_logu_(std::move(plik_logu)), operacje_(operacje), przebieg_(przebieg) {}

  void poczatek_scenerii(const StanScenerii&) override;
  void zmiana(const ZmianaLinii& z) override;
  // Every change on disk is on record: the entries reach the disk first.
  void przed_zastapieniem(const PlikPrzepisania&, const std::filesystem::path&) override;
  void porzucony(const PlikPrzepisania& p) noexcept override;
  void koniec_scenerii(const StanScenerii& stan, const LicznikiPrzebiegu& l) override;
  // What it still holds goes out quietly: the changes made stay on record.
  void przerwanie_scenerii(const LicznikiPrzebiegu&, bool) noexcept override { dziennik_.reset(); }

 private:
  std::filesystem::path plik_logu_;
  OperacjeSystemu& operacje_;
  RodzajPrzebiegu przebieg_;
  std::optional<Dziennik> dziennik_;
};

}  // namespace wyrownik
