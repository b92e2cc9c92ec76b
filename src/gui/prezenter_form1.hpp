// The main window's behaviour, written once for both toolkits: start-up and
// its blocked state, the run buttons with the boxes read at the press, the
// preview, undo, the report, the status lines, the busy state and closing
// during a batch. Every text the window shows comes from here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/partia.hpp"
#include "batch/start.hpp"
#include "gui/widok_form1.hpp"

namespace wyrownik {

class PrezenterForm1 : public OknoStartu {
 public:
  // Calls nothing of `widok` until the first event: a view may hold its
  // presenter as a member.
  explicit PrezenterForm1(WidokForm1& widok) : widok_(widok) {}

  // Start-up for the program directory; when it succeeds, the run buttons
  // work with what it established. Where it blocks for want of a simulator
  // folder (a first run), the user picks one: it is written into the ini,
  // and start-up runs again.
  WynikStartu uruchom(const std::filesystem::path& katalog_programu);
  // The run buttons with a given environment (start-up's, or a test's).
  void polacz(Srodowisko srodowisko);

  // The view's events: a button pressed, and the user closing the window.
  // zamykanie() is never refused: true when the window may go now; false
  // while a batch works, which stops at its next event point and then
  // closes the window itself.
  void klikniecie(NazwaKontrolki przycisk);
  bool zamykanie();
  bool zamkniete() const { return zamkniete_; }

  // Start-up (OknoStartu).
  void pokaz_komunikat(std::string_view tekst) override;
  void wylacz_wejscia() override;
  void wskaz_katalog(const std::filesystem::path& katalog) override;

 private:
  class Partia;
  class Praca;

  bool wskaz_folder_symulatora(const std::filesystem::path& katalog_programu);
  // The area's boxes read at the press; false, told, when they are no area.
  bool czytaj_obszar(std::optional<Obszar>& obszar);
  void uruchom_partie(RodzajPrzebiegu rodzaj);
  void ustaw_prace(bool pracuje);
  void cofnij_ostatnia();
  void pokaz_raport();
  void odswiez_przyciski();

  WidokForm1& widok_;
  // Every file the window reads and writes goes through the system's calls.
  OperacjeSystemu& operacje_ = operacje_systemowe();
  std::optional<Srodowisko> srodowisko_;  // none while start-up has not succeeded
  std::filesystem::path plik_raportu_;
  std::vector<std::string> nazwy_;  // File1's entries, the directory's own bytes
  bool pracuje_ = false;
  bool zamkniete_ = false;
};

}  // namespace wyrownik
