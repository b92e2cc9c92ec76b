// The batch's own listeners of its runs: the backup kept before each
// replacement, the batch's counts, and the markers that protect nothing.
#pragma once

#include <vector>

#include "backup/kopie_zapasowe.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik {

// Never a replacement without its backup: one that cannot be made stops it.
class SluchaczKopii : public Sluchacz {
 public:
  explicit SluchaczKopii(KopiaZapasowa& kopia) : kopia_(kopia) {}
  void przed_zastapieniem(const PlikPrzepisania& p, const std::filesystem::path& nowa) override {
    kopia_.zachowaj(p.stan.katalog, p.stan.nazwa_scenerii, p.plik, nowa);
  }

 private:
  KopiaZapasowa& kopia_;
};

// The batch's counts: each scenery's once its run ends; a run stopped on
// request counts the files it did.
class SumaPartii : public Sluchacz {
 public:
  void koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu& l) override { suma_ += l; }
  void przerwanie_scenerii(const LicznikiPrzebiegu& l, bool na_prosbe) noexcept override {
    if (na_prosbe) suma_ += l;
  }
  const LicznikiPrzebiegu& suma() const { return suma_; }

 private:
  LicznikiPrzebiegu suma_;
};

class ZnacznikiPartii : public Sluchacz {
 public:
  void znacznik_bez_obiektu(const ZnacznikBezObiektu& z) override { znaczniki_.push_back(z); }
  const std::vector<ZnacznikBezObiektu>& znaczniki() const { return znaczniki_; }

 private:
  std::vector<ZnacznikBezObiektu> znaczniki_;
};

}  // namespace wyrownik
