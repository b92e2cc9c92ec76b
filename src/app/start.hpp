// Start-up: the configuration, the scenery directory and the file list, up to
// the moment the main window is first shown.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "app/komunikaty.hpp"
#include "app/konfiguracja.hpp"
#include "app/wejscia.hpp"

namespace wyrownik {

// In the order they are disabled.
inline constexpr std::array<Wejscie, 7> wejscia_startu = {
    Wejscie::text1, Wejscie::text2,    Wejscie::text3,   Wejscie::text4,
    Wejscie::file1, Wejscie::command1, Wejscie::command2};

// What start-up needs of the window besides its message boxes.
class OknoStartu : public Komunikaty {
 public:
  // Disables one input for the rest of the program's life.
  virtual void wylacz(Wejscie wejscie) = 0;
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
};

// Runs start-up for the program directory `katalog_programu`: reads the
// configuration, checks the scenery directory and the two lists, telling each
// fault through `okno` and disabling its inputs as a fault requires. Never
// throws for a fault of the configuration or the directories; those end in
// StanStartu::zablokowany.
WynikStartu wykonaj_start(const std::filesystem::path& katalog_programu, OknoStartu& okno);

}  // namespace wyrownik
