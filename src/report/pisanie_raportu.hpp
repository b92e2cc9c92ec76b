// The map report written to its file: at the end of the batch, or while the
// batch's last run ends (deleting the scratch index takes milliseconds), on
// a second thread. The page is whole once that run has told its end; only
// the file's replacement waits for the batch's end, where it always was.
#pragma once

#include <exception>
#include <filesystem>
#include <thread>

#include "report/raport.hpp"
#include "run/zdarzenia.hpp"

namespace wyrownik {

class PisanieRaportu : public Sluchacz {
 public:
  // Without `z_wyprzedzeniem` the page is written at the end only.
  PisanieRaportu(const Raport& raport, std::filesystem::path plik, OperacjeSystemu& operacje,
                 bool z_wyprzedzeniem);
  // Waits for a page still being written; its file stays as it is.
  ~PisanieRaportu() override;
  PisanieRaportu(const PisanieRaportu&) = delete;
  PisanieRaportu& operator=(const PisanieRaportu&) = delete;

  const std::filesystem::path& plik() const { return plik_; }

  // A scenery's run is about to begin, the batch's last one or not: the page
  // may be written once the last one ends. A page written ahead would miss
  // this scenery (the batch went on after all): it is written again at the
  // end. Called before the report takes the scenery.
  void nowa_sceneria(bool ostatnia);

  void koniec_scenerii(const StanScenerii&, const LicznikiPrzebiegu&) override;

  // The page in place of the report's file: written now unless it was
  // written ahead. Throws BladPliku, also for a failure writing ahead.
  void zakoncz();

 private:
  void czekaj() noexcept;

  const Raport& raport_;
  const std::filesystem::path plik_;
  const std::filesystem::path nowy_;
  OperacjeSystemu& operacje_;
  const bool z_wyprzedzeniem_;
  bool ostatnia_ = false;
  bool napisana_ = false;  // written ahead, or being written
  std::thread watek_;
  std::exception_ptr blad_;  // of the writing ahead, read once it is joined
};

}  // namespace wyrownik
