// A batch: one press of a run button, one correction over every selected
// scenery in list order.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "batch/start.hpp"
#include "config/komunikaty.hpp"
#include "config/konfiguracja.hpp"
#include "patch/latka.hpp"
#include "platform/blokada.hpp"
#include "report/wyjasnienie.hpp"
#include "run/przebieg.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// The three status lines of a batch: the scenery, the phase, the file.
enum class WierszStatusu { sceneria, faza, plik };

// What a batch needs of its front end; the desktop windows, the command line
// and the tests each implement it. Disabling inputs and the busy pointer are
// the front end's own business around the batch.
class OknoPartii : public Komunikaty {
 public:
  // Sets one status line; the text is Windows-1250.
  virtual void pokaz_status(WierszStatusu wiersz, std::string_view tekst) = 0;
  // Lets the window repaint and react (the help button, the file selection,
  // closing).
  virtual void przetworz_zdarzenia() = 0;
  // True once the user closed the main window: the batch must stop cleanly.
  virtual bool przerwac() const { return false; }
  // Entries of the scenery list; the count is taken once per batch.
  virtual std::size_t ile_pozycji() const = 0;
  // Whether entry i is selected at this moment: asked only when the batch
  // reaches it, so a change of selection during the batch counts.
  virtual bool zaznaczona(std::size_t i) const = 0;
  // Entry i in Windows-1250, as the log names the scenery.
  virtual std::string pozycja(std::size_t i) const = 0;
  // The reason behind a failure, for front ends that can show more than the
  // fixed message (the command line prints it). The window ignores it.
  virtual void szczegoly_bledu(std::string_view /*opis*/) {}
  // The batch's map report is written (at the end of every batch that ran).
  virtual void raport_gotowy(const std::filesystem::path& /*plik*/) {}
  // The report could not be written; the batch's work stands all the same.
  virtual void brak_raportu(std::string_view /*powod*/) {}
  // Housekeeping that failed without harm to the batch (an old backup folder
  // that could not be removed now), told at the batch's end.
  virtual void ostrzezenie(std::string_view /*tekst*/) {}
  // The batch's counts (a dry run's: what it would have done), at its very
  // end, whatever the end.
  virtual void koniec_partii(const LicznikiPrzebiegu& /*suma*/) {}
};

// Where a batch writes: the log, the system calls (tests inject failures),
// whether scenery files may be replaced at all, the area, the patch.
struct CelZapisu {
  std::filesystem::path plik_logu;
  OperacjeSystemu* operacje = &operacje_systemowe();
  bool na_sucho = false;  // dry run: the log is written, no scenery file replaced
  std::optional<Obszar> obszar;
  Latka* latka = nullptr;              // every change as a unified diff
  Wyjasnienie* wyjasnienie = nullptr;  // every selected object left alone, and why
};

// What start-up established and every batch reads.
struct Srodowisko {
  Konfiguracja konfiguracja;
  std::filesystem::path katalog_programu;  // the ini, the log, the backups (none when empty)
  std::string tekst_katalogu;              // `sciezka_scenerii`
  std::filesystem::path katalog;           // the same directory found on disk
  CelZapisu zapis;             // the log, the system calls, the dry run, the area, the patch
  bool kopie_zapasowe = true;  // replaced files kept under kopie/ (not in a dry run)
  bool raport = true;          // the map report beside the log
  Skroty skroty;               // all on; tests and benchmarks switch them off
};

// Another batch (of a copy with another program directory) works in the
// same scenery directory.
class InnyEgzemplarzPracuje : public Blad {
 public:
  using Blad::Blad;
};

// The scratch files live in the scenery directory, which copies with
// different program directories (so different program locks) may share:
// another copy's run would empty the index this one has mapped and write the
// same scratch copy. One batch (or undo) at a time works in a scenery
// directory. The program directory is locked by the front end already: a
// scenery directory that is the program directory itself takes no second
// lock (a second flock of one directory refuses, also within one process).
// Throws InnyEgzemplarzPracuje when another copy holds it.
std::optional<Blokada> zajmij_pliki_robocze(const std::filesystem::path& katalog,
                                            const std::filesystem::path& katalog_programu);

// The environment of every batch after a successful start-up.
Srodowisko srodowisko_ze_startu(const WynikStartu& start);

// The correction of one scanned scenery. Throws on failure; the batch turns
// that into its error flag.
struct Korekcja {
  template <class F>
  requires std::is_invocable_v<F&, const StanScenerii&, const KontekstPrzebiegu&, Postep&> Korekcja(
      F&& f, RodzajPrzebiegu rodzaj_ = RodzajPrzebiegu::wysokosc)
      : uruchom(std::forward<F>(f)), rodzaj(rodzaj_) {}

  std::function<void(const StanScenerii&, const KontekstPrzebiegu&, Postep&)> uruchom;
  RodzajPrzebiegu rodzaj;  // the log's summary, the report's legend and title
};

// The height correction with the band read from the texts of its two boxes
// (lower, upper), as "the number at the beginning of a text".
Korekcja korekcja_wysokosci(const Konfiguracja& konfiguracja, std::string_view dolna,
                            std::string_view gorna);
// The clearance correction with the maximum radius and the radius parameter
// read from the texts of its two boxes.
Korekcja korekcja_skrajni(const Konfiguracja& konfiguracja, std::string_view promien,
                          std::string_view nr_parametru);

enum class WynikPartii {
  zakonczona,  // every selected scenery was processed
  blad,        // stopped at a failure; the user was told
  przerwana,   // stopped on request (the window closed, a signal); cleanly, scratch files removed
  brak_logu,   // the log could not be created; nothing ran
};

// The log describes the last batch only: it is emptied before anything
// runs. False, with the message told, when it cannot be created; the batch
// must not run then.
bool rozpocznij_dziennik(const Srodowisko& srodowisko, OknoPartii& okno);

// Runs one batch over a log already emptied (the front end has its inputs
// disabled meanwhile). Failures never escape: they end the batch with one
// message, told while the batch still holds the window.
// `ustawienia` describes the batch (run, texts) in its backup's manifest.
WynikPartii uruchom_partie(const Srodowisko& srodowisko, OknoPartii& okno, const Korekcja& korekcja,
                           std::string_view ustawienia = {});

// rozpocznij_dziennik(), then uruchom_partie() inside `praca`, a front end's
// guard of its inputs and pointer: the log message comes while the inputs
// are still as they were.
template <class Praca>
WynikPartii partia(const Srodowisko& srodowisko, OknoPartii& okno, const Korekcja& korekcja,
                   Praca&& praca, std::string_view ustawienia = {}) {
  if (!rozpocznij_dziennik(srodowisko, okno)) return WynikPartii::brak_logu;
  [[maybe_unused]] const auto straz = praca();
  return uruchom_partie(srodowisko, okno, korekcja, ustawienia);
}

// How a batch is described in its backup's manifest.
std::string ustawienia_wysokosci(std::string_view dolna, std::string_view gorna);
std::string ustawienia_skrajni(std::string_view promien, std::string_view nr_parametru);

}  // namespace wyrownik
