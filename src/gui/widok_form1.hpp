// What the main window's behaviour needs of a toolkit: a few primitives over
// the controls of the shared table. The Qt and the Win32 window implement it
// and forward their events to PrezenterForm1; tests record instead.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/tabela_kontrolek.hpp"

namespace wyrownik {

// Every text is UTF-8.
class WidokForm1 {
 public:
  virtual ~WidokForm1() = default;

  // A status line's text, shown as plain text.
  virtual void ustaw_tekst(NazwaKontrolki kontrolka, std::string_view tekst) = 0;
  virtual void wlacz(NazwaKontrolki kontrolka, bool wlaczona) = 0;
  // What a number box holds now.
  virtual std::string tekst(NazwaKontrolki kontrolka) const = 0;
  // Whether a check box is checked.
  virtual bool zaznaczone(NazwaKontrolki kontrolka) const = 0;
  // File1's entries replaced, and whether entry i is selected at this moment.
  virtual void wypelnij_liste(const std::vector<std::string>& wpisy) = 0;
  virtual bool wybrany_wpis(std::size_t i) const = 0;

  // A message with an OK button; returns once acknowledged.
  virtual void komunikat(std::string_view tekst) = 0;
  // A yes/no question; true for yes.
  virtual bool pytanie(std::string_view tekst) = 0;
  // The system's folder picker with this title; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> wybierz_folder(std::string_view tytul) = 0;
  // The busy pointer over the main window (not over the help window).
  virtual void kursor_zajety(bool zajety) = 0;
  // Opens a file in the system's program for it; false when none opens it.
  virtual bool otworz(const std::filesystem::path& plik) = 0;
  // Handles pending events: repaints, clicks, closing.
  virtual void przetworz_zdarzenia() = 0;
  // The help window: opened modally (returns once the user closed it), or
  // closed from outside.
  virtual void otworz_pomoc() = 0;
  virtual void zamknij_pomoc() = 0;
  // The main window goes (after a batch that its closing stopped).
  virtual void zamknij() = 0;
};

}  // namespace wyrownik
