// The patch as a listener of the runs: every line of a changed file, as read
// and as written, and the file's diff once the file is done.
#pragma once

#include <optional>

#include "patch/latka.hpp"
#include "run/przepisanie.hpp"

namespace wyrownik {

class SluchaczLatki : public Sluchacz {
 public:
  // A dry run that meets one file in two sceneries puts it in the patch once.
  SluchaczLatki(Latka& latka, TrybPrzebiegu tryb) : latka_(latka), tryb_(tryb) {}

  bool pierwsza_zmiana(const PlikPrzepisania& p) override;
  void linia(std::string_view surowa, std::string_view koniec,
             std::optional<std::string_view> zapisana) override {
    plik_->linia(surowa, koniec, zapisana);
  }
  // Only what is on disk, or a dry run's: a file a failure leaves as it was
  // stays out of the patch.
  void gotowy(const PlikPrzepisania&) override;
  void porzucony(const PlikPrzepisania&) noexcept override { plik_.reset(); }

 private:
  Latka& latka_;
  TrybPrzebiegu tryb_;
  std::optional<Latka::Plik> plik_;
};

}  // namespace wyrownik
