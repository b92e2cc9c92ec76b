// A batch: one press of a run button, one correction over every selected
// scenery in list order.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/komunikaty.hpp"
#include "app/konfiguracja.hpp"
#include "app/start.hpp"
#include "app/wejscia.hpp"
#include "scenery/plik_zapisu.hpp"
#include "scenery/postep.hpp"
#include "scenery/stan_scenerii.hpp"

namespace wyrownik {

// What a batch needs of the window; the desktop window, the command line and
// the tests each implement it.
class OknoPartii : public Postep, public Komunikaty {
 public:
  // Entries of the scenery list; the count is taken once per batch.
  virtual std::size_t ile_pozycji() const = 0;
  // Whether entry i is selected at this moment: asked only when the batch
  // reaches it, so a change of selection during the batch counts.
  virtual bool zaznaczona(std::size_t i) const = 0;
  virtual std::string pozycja(std::size_t i) const = 0;
  virtual std::string tekst(Pole pole) const = 0;
  virtual void wlacz(Wejscie wejscie, bool wlaczone) = 0;
  virtual void kursor_zajety(bool zajety) = 0;
  // The reason behind a failure, for front ends that can show more than the
  // fixed message (the command line prints it). The window ignores it.
  virtual void szczegoly_bledu(std::string_view /*opis*/) {}
};

// What start-up established and every batch reads.
struct Srodowisko {
  Konfiguracja konfiguracja;
  std::string tekst_katalogu;       // `sciezka_scenerii`
  std::filesystem::path katalog;    // the same directory found on disk
  std::filesystem::path plik_logu;  // Log_korekcja.txt in the program directory
  const OperacjeZapisu* operacje = &operacje_systemowe();
  bool proba = false;  // dry run: scenery files are never replaced
};

// The environment of every batch after a successful start-up.
Srodowisko srodowisko_ze_startu(const WynikStartu& start);

// The correction of one scanned scenery. Throws on failure; the batch turns
// that into its error flag.
using Korekcja = std::function<void(StanScenerii&, const Srodowisko&, OknoPartii&)>;

enum class WynikPartii {
  zakonczona,  // every selected scenery was processed
  blad,        // stopped at a failure; the user was told
  przerwana,   // the window was closed; stopped cleanly, scratch files removed
  brak_logu,   // the log could not be created; nothing ran
};

// Runs one batch. Failures never escape: they end the batch with one message.
WynikPartii uruchom_partie(const Srodowisko& srodowisko, OknoPartii& okno,
                           const Korekcja& korekcja);

}  // namespace wyrownik
