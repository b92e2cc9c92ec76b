// Start-up: the configuration, the scenery directory and the file list, up to
// the moment the main window is first shown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "config/komunikaty.hpp"
#include "config/konfiguracja.hpp"

namespace wyrownik {

// What start-up needs of the window besides its message boxes.
class OknoStartu : public Komunikaty {
 public:
  // Disables every input of the window for the rest of the program's life:
  // the program cannot work without its configuration.
  virtual void wylacz_wejscia() = 0;
  // Points the scenery file list at `katalog`: from now on it lists the
  // "*.scn" files there.
  virtual void wskaz_katalog(const std::filesystem::path& katalog) = 0;
};

enum class StanStartu { gotowy, zablokowany };

struct WynikStartu {
  StanStartu stan = StanStartu::zablokowany;
  Konfiguracja konfiguracja;
  // The program directory, absolute, and its text with one separator at the
  // end: the ini and the log live there.
  std::filesystem::path katalog_programu;
  std::string sciezka_programu;
  // The root from the ini, a separator unless it ends with one, "scenery" and
  // a separator; empty when the ini gave no root.
  std::string sciezka_scenerii;
  // The directory that text names, found without regard to letter case;
  // nullopt when it does not exist or was never looked for.
  std::optional<std::filesystem::path> katalog_scenerii;
  // The correction log; empty unless start-up succeeded.
  std::filesystem::path plik_logu;
  // What start-up read through, and every batch after it goes through.
  OperacjeSystemu* operacje = nullptr;
};

// Runs start-up for the program directory `katalog_programu`: reads the
// configuration, checks the scenery directory and the two lists, telling each
// fault through `okno` and disabling its inputs as a fault requires. Never
// throws for a fault of the configuration or the directories; those end in
// StanStartu::zablokowany.
WynikStartu wykonaj_start(const std::filesystem::path& katalog_programu, OknoStartu& okno,
                          OperacjeSystemu& operacje);

}  // namespace wyrownik
