// The outputs of one batch, each a listener of its runs, assembled as the
// batch is asked for them: the counts and the markers always, the backup
// unless a dry run or --no-backup, the log, the map report unless
// --no-report (and its file's writer), the patch with --diff. A new output is a new listener here.
#pragma once

#include <optional>
#include <string_view>

#include "backup/kopie_zapasowe.hpp"
#include "batch/partia.hpp"
#include "batch/sluchacze_partii.hpp"
#include "log/sluchacz_dziennika.hpp"
#include "patch/sluchacz_latki.hpp"
#include "report/pisanie_raportu.hpp"
#include "report/raport.hpp"
#include "report/sluchacz_mapy.hpp"

namespace wyrownik {

class WyjsciaPartii {
 public:
  // `ustawienia` describes the batch (run, texts) in its backup's manifest.
  WyjsciaPartii(const Srodowisko& srodowisko, const Korekcja& korekcja,
                std::string_view ustawienia);
  WyjsciaPartii(const WyjsciaPartii&) = delete;
  WyjsciaPartii& operator=(const WyjsciaPartii&) = delete;

  // What every run of the batch works with: its listeners are these.
  const KontekstPrzebiegu& kontekst() const { return kontekst_; }
  // A scenery's run is about to begin, the batch's last one or not: its map
  // is begun.
  void nowa_sceneria(const StanScenerii& stan, bool ostatnia);

  const LicznikiPrzebiegu& suma() const { return suma_.suma(); }
  const std::vector<ZnacznikBezObiektu>& znaczniki() const { return znaczniki_.znaczniki(); }
  const KopiaZapasowa* kopia_zapasowa() const { return kopia_ ? &*kopia_ : nullptr; }
  // The map report's file, none with --no-report.
  PisanieRaportu* raport() { return pisanie_ ? &*pisanie_ : nullptr; }

 private:
  SumaPartii suma_;
  ZnacznikiPartii znaczniki_;
  // The backup folder is made at the first replacement, if any.
  std::optional<KopiaZapasowa> kopia_;
  std::optional<SluchaczKopii> sluchacz_kopii_;
  SluchaczDziennika dziennik_;
  std::optional<Raport> raport_;
  std::optional<SluchaczMapy> mapa_;
  std::optional<PisanieRaportu> pisanie_;
  std::optional<SluchaczLatki> latka_;
  Sluchacze sluchacze_;
  KontekstPrzebiegu kontekst_;
};

}  // namespace wyrownik
